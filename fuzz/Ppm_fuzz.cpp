// Picture files as mkavi and the program read them (binary PPM or JPEG): any bytes give a picture
// whose buffer matches its size, no larger than the file can hold, or media::Error.
#include <cstdlib>

#include "Fuzzordner.h"
#include "media/Jpeg.h"
#include "rtl/Files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TFuzzordner ordner("fuzz_ppm");
    const String datei = ordner.Pfad() + "bild.ppm";
    AtomicWriteFileNoSync(datei, Fuzztext(data, size));
    try {
        const media::Image bild = media::ReadImageFile(datei);
        if (bild.width <= 0 || bild.height <= 0) std::abort();
        if (bild.rgb.size() != static_cast<std::size_t>(bild.width) * bild.height * 3) std::abort();
        const bool ppm = size >= 2 && data[0] == 'P' && data[1] == '6';
        if (ppm && bild.rgb.size() > size) std::abort();
    } catch (const media::Error&) {
    }
    return 0;
}
