// JPEG pictures (the program's buttons and the animations' frames): any bytes decode to a
// picture whose buffer matches its size, or are refused with media::Error; the size read from
// the header alone is the decoded one.
#include <cstdlib>

#include "Fuzzordner.h"
#include "media/Jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    int breite = 0, hoehe = 0;
    try {
        media::JpegSize(data, size, breite, hoehe);
        if (breite <= 0 || hoehe <= 0) std::abort();
    } catch (const media::Error&) {
    }
    try {
        const media::Image bild = media::DecodeJpeg(data, size);
        if (bild.width != breite || bild.height != hoehe) std::abort();
        if (bild.rgb.size() != static_cast<std::size_t>(bild.width) * bild.height * 3) std::abort();
    } catch (const media::Error&) {
    }
    return 0;
}
