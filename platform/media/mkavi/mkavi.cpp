// mkavi: builds a Motion-JPEG AVI from PPM or JPEG pictures, and shows what an AVI holds.
//   mkavi [-r fps] [-q quality] -o out.avi picture...   (or -l listfile: one picture path a line)
//   mkavi --info file.avi
//   mkavi --frame N file.avi out.ppm                     (N counts from 0)
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "media/Avi.h"

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: mkavi [-r fps] [-q quality] -o out.avi picture...\n"
                         "       mkavi [-r fps] [-q quality] -o out.avi -l listfile\n"
                         "       mkavi --info file.avi\n"
                         "       mkavi --frame N file.avi out.ppm\n");
    return 2;
}

bool ToInt(const char* s, int& v)
{
    char* end = nullptr;
    const long x = std::strtol(s, &end, 10);
    if (!*s || *end || x < 0 || x > 1000000) return false;
    v = static_cast<int>(x);
    return true;
}

int Build(int argc, char** argv)
{
    int fps = 15, quality = 85;
    std::string out;
    std::vector<std::string> pictures;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if ((a == "-r" || a == "-q" || a == "-o" || a == "-l") && i + 1 >= argc) return Usage();
        if (a == "-r") {
            if (!ToInt(argv[++i], fps)) return Usage();
        } else if (a == "-q") {
            if (!ToInt(argv[++i], quality)) return Usage();
        } else if (a == "-o") {
            out = argv[++i];
        } else if (a == "-l") {
            std::ifstream list(argv[++i]);
            if (!list) throw media::Error(std::string(argv[i]) + ": cannot be opened");
            for (std::string line; std::getline(list, line);) {
                if (!line.empty() && line.back() == '\r') line.pop_back();
                if (!line.empty()) pictures.push_back(line);
            }
        } else if (!a.empty() && a[0] == '-') {
            return Usage();
        } else {
            pictures.push_back(a);
        }
    }
    if (out.empty() || pictures.empty()) return Usage();
    const media::Image first = media::ReadImageFile(pictures.front());
    media::AviWriter writer(out, first.width, first.height, fps);
    writer.AddFrame(first, quality);
    for (std::size_t i = 1; i < pictures.size(); ++i) {
        try {
            writer.AddFrame(media::ReadImageFile(pictures[i]), quality);
        } catch (const media::Error& e) {
            throw media::Error(pictures[i] + ": " + e.what());
        }
    }
    writer.Close();
    std::printf("%s: %d frames, %d x %d, %d per second\n", out.c_str(), writer.FrameCount(), first.width,
                first.height, fps);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        if (argc == 3 && std::string(argv[1]) == "--info") {
            const media::AviReader r(argv[2]);
            std::printf("frames %d\nwidth %d\nheight %d\nfps %.3f\n", r.FrameCount(), r.Width(), r.Height(),
                        r.FrameRate());
            return 0;
        }
        if (argc == 5 && std::string(argv[1]) == "--frame") {
            int n = 0;
            if (!ToInt(argv[2], n)) return Usage();
            const media::AviReader r(argv[3]);
            media::WritePpm(argv[4], r.DecodeFrame(n));
            return 0;
        }
        if (argc < 2) return Usage();
        return Build(argc, argv);
    } catch (const media::Error& e) {
        std::fprintf(stderr, "mkavi: %s\n", e.what());
        return 1;
    }
}
