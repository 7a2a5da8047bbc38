// The expert filter's templates: any template text either is refused (EHostError) or filtered;
// a template without a "$" comes back as it is.
#include <cstdlib>

#include "Fuzzordner.h"
#include "host/ExpertFilter.h"
#include "rtl/Files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TFuzzordner ordner("fuzz_expert_filter");
    const String text = Fuzztext(data, size);
    AtomicWriteFileNoSync(ordner.Pfad() + "t.h", text);
    TIntfPtr<IExpertFilter> f = CoExpertFilter::Create();
    for (const char* name :
         {"CoClassName", "InterfaceName", "ClassName", "LibName", "HeaderName", "IDEHeaderName"})
        f->SetVariable(name, "Orders");
    f->SetVariable("Description", "The \"main\" orders C:\\tmp $(ClassName)");
    f->SetVariable("ProgID", "Project1.Orders");
    f->SetVariable("ConnectionPointsEnabled", "TRUE");
    f->SetVariable("Dual", "FALSE");
    String out;
    try {
        out = f->FilterFile("t.h", ordner.Pfad());
    } catch (const EHostError&) {
        return 0;
    }
    if (text.find('$') == String::npos && out != text) std::abort();
    return 0;
}
