// AVI animations (the program folder's avi\ files): any bytes are opened as an AVI file or
// refused with media::Error; every frame the index names lies inside the file, and decoding a
// frame gives a picture of the file's size or media::Error.
#include <cstdlib>

#include "Fuzzordner.h"
#include "media/Avi.h"
#include "rtl/Files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TFuzzordner ordner("fuzz_avi");
    const String datei = ordner.Pfad() + "animation.avi";
    AtomicWriteFileNoSync(datei, Fuzztext(data, size));
    try {
        const media::AviReader avi(datei);
        if (avi.FrameCount() <= 0 || avi.Width() <= 0 || avi.Height() <= 0) std::abort();
        for (int i = 0; i < avi.FrameCount(); ++i)
            if (avi.FrameJpeg(i).size() > size) std::abort();
        // Decoding is the JPEG target's work: the first and the last frame show it reached.
        for (int i : {0, avi.FrameCount() - 1}) {
            try {
                const media::Image bild = avi.DecodeFrame(i);
                if (bild.width != avi.Width() || bild.height != avi.Height()) std::abort();
            } catch (const media::Error&) {
            }
        }
    } catch (const media::Error&) {
    }
    return 0;
}
