// Step 2 reading step 1's combinations file: any bytes are read, filtered and cleared of drawn
// combinations; step 3's reader then reads back exactly the combinations step 2 wrote, each of
// six numbers 1..49 that the ticked filters keep.
#include <cstdlib>

#include "Fuzzordner.h"
#include "Schritt2Kern.h"
#include "Schritt3Kern.h"
#include "rtl/Files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TFuzzordner ordner("fuzz_step2");
    static const std::vector<Ziehung> ziehungen = {
        {3, 14, 20, 29, 33, 41, 7}, {1, 2, 3, 4, 5, 6, 49}, {11, 15, 22, 30, 41, 47, 3}};
    const String kombinationen = ordner.Pfad() + "kombinationen.cvs";
    const String gefiltert = ordner.Pfad() + "gefiltert.cvs";
    const String eingabe = Fuzztext(data, size);
    AtomicWriteFileNoSync(kombinationen, eingabe);

    int N = 0;
    anzahl_Kombinationen(18, N);
    Schritt2Eingaben alle;
    alle.anzahl_Varianten = N;
    alle.CheckBox5 = alle.CheckBox6 = alle.CheckBox7 = alle.CheckBox8 = alle.CheckBox9 = alle.CheckBox10 =
        alle.CheckBox11 = alle.CheckBox12 = alle.CheckBox13 = true;
    alle.Edit5 = "4";
    Schritt2Eingaben keine;
    keine.anzahl_Varianten = N;
    keine.Edit5 = "6";
    for (const Schritt2Eingaben& e : {alle, keine}) {
        const Schritt2Ergebnis r = Schritt2_ausfuehren(e, ziehungen, kombinationen, gefiltert, {});
        if (r.status != Schritt2Status::OK) std::abort();
        if (r.zeilen > static_cast<std::size_t>(N) || r.ungueltig > r.zeilen || r.geschrieben > r.zeilen)
            std::abort();
        const Filterwerte w = lies_Filterwerte(e, nullptr);
        const std::vector<Kombination> gelesen = lies_gefilterte(ReadFileBytes(gefiltert), N);
        if (gelesen.size() != r.geschrieben) std::abort();
        for (const Kombination& k : gelesen) {
            for (int zahl : k)
                if (zahl < 1 || zahl > 49) std::abort();
            if (!besteht_Filter(k, e, w)) std::abort();
        }
    }
    return 0;
}
