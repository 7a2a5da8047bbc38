#include <cstring>
#include <fstream>
#include <iterator>

#include "media/Avi.h"
#include "rtl/Files.h"

namespace media {
namespace {

constexpr std::uint32_t kHasIndex = 0x10;  // AVIF_HASINDEX
constexpr std::uint32_t kKeyFrame = 0x10;  // AVIIF_KEYFRAME

// Little-endian chunk builder.
class Bytes {
public:
    void U32(std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i) FData.push_back(static_cast<char>(v >> (8 * i)));
    }
    void U16(std::uint16_t v)
    {
        FData.push_back(static_cast<char>(v));
        FData.push_back(static_cast<char>(v >> 8));
    }
    void FourCC(const char* cc) { FData.insert(FData.end(), cc, cc + 4); }
    void Raw(const std::vector<std::uint8_t>& v) { FData.append(v.begin(), v.end()); }
    std::size_t Size() const { return FData.size(); }
    // Starts a chunk (id + size placeholder); returns the place of the size.
    std::size_t Open(const char* id)
    {
        FourCC(id);
        const std::size_t at = FData.size();
        U32(0);
        return at;
    }
    void CloseChunk(std::size_t sizeAt)
    {
        const std::size_t size = FData.size() - sizeAt - 4;
        for (int i = 0; i < 4; ++i) FData[sizeAt + i] = static_cast<char>(size >> (8 * i));
        if (FData.size() % 2) FData.push_back(0);  // chunks are word-aligned
    }
    const std::string& Data() const { return FData; }

private:
    std::string FData;  // the file's bytes, as rtl's file functions take them
};

std::uint32_t Get32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool Is(const std::uint8_t* p, const char* cc) { return std::memcmp(p, cc, 4) == 0; }

struct Span {
    std::size_t begin = 0, end = 0;  // data of a chunk or list body
};

}  // namespace

AviWriter::AviWriter(std::string path, int width, int height, int framesPerSecond)
    : FPath(std::move(path)), FWidth(width), FHeight(height), FFps(framesPerSecond)
{
    if (width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF)
        throw Error(FPath + ": frame size out of range");
    if (framesPerSecond <= 0 || framesPerSecond > 1000) throw Error(FPath + ": frame rate out of range");
}

AviWriter::~AviWriter() = default;

void AviWriter::AddFrame(const Image& frame, int quality)
{
    if (frame.width != FWidth || frame.height != FHeight)
        throw Error(FPath + ": frame " + std::to_string(FFrames.size() + 1) + " is " +
                    std::to_string(frame.width) + " x " + std::to_string(frame.height) + ", the file is " +
                    std::to_string(FWidth) + " x " + std::to_string(FHeight));
    FFrames.push_back(EncodeJpeg(frame, quality));
}

void AviWriter::AddJpegFrame(std::vector<std::uint8_t> jpeg)
{
    int w = 0, h = 0;
    JpegSize(jpeg.data(), jpeg.size(), w, h);
    if (w != FWidth || h != FHeight)
        throw Error(FPath + ": frame " + std::to_string(FFrames.size() + 1) + " is " + std::to_string(w) +
                    " x " + std::to_string(h) + ", the file is " + std::to_string(FWidth) + " x " +
                    std::to_string(FHeight));
    FFrames.push_back(std::move(jpeg));
}

void AviWriter::Close()
{
    if (FClosed) return;
    if (FFrames.empty()) throw Error(FPath + ": an animation needs at least one frame");
    std::size_t largest = 0, total = 0;
    for (const auto& f : FFrames) {
        largest = std::max(largest, f.size());
        total += f.size() + 8 + 16;
    }
    if (total > 0x3FFFFFFFu) throw Error(FPath + ": too large for a plain AVI file");
    const auto frames = static_cast<std::uint32_t>(FFrames.size());
    const auto usPerFrame = static_cast<std::uint32_t>(1000000 / FFps);

    Bytes b;
    const std::size_t riff = b.Open("RIFF");
    b.FourCC("AVI ");
    const std::size_t hdrl = b.Open("LIST");
    b.FourCC("hdrl");
    const std::size_t avih = b.Open("avih");
    b.U32(usPerFrame);
    b.U32(static_cast<std::uint32_t>(largest * FFps));  // max bytes per second
    b.U32(0);  // padding granularity
    b.U32(kHasIndex);
    b.U32(frames);
    b.U32(0);  // initial frames
    b.U32(1);  // streams
    b.U32(static_cast<std::uint32_t>(largest));
    b.U32(static_cast<std::uint32_t>(FWidth));
    b.U32(static_cast<std::uint32_t>(FHeight));
    for (int i = 0; i < 4; ++i) b.U32(0);
    b.CloseChunk(avih);
    const std::size_t strl = b.Open("LIST");
    b.FourCC("strl");
    const std::size_t strh = b.Open("strh");
    b.FourCC("vids");
    b.FourCC("MJPG");
    b.U32(0);  // flags
    b.U16(0);  // priority
    b.U16(0);  // language
    b.U32(0);  // initial frames
    b.U32(1);  // scale
    b.U32(static_cast<std::uint32_t>(FFps));  // rate: rate / scale = frames per second
    b.U32(0);  // start
    b.U32(frames);
    b.U32(static_cast<std::uint32_t>(largest));
    b.U32(0xFFFFFFFFu);  // quality: default
    b.U32(0);  // sample size: varies
    b.U16(0);
    b.U16(0);
    b.U16(static_cast<std::uint16_t>(FWidth));
    b.U16(static_cast<std::uint16_t>(FHeight));
    b.CloseChunk(strh);
    const std::size_t strf = b.Open("strf");
    b.U32(40);
    b.U32(static_cast<std::uint32_t>(FWidth));
    b.U32(static_cast<std::uint32_t>(FHeight));
    b.U16(1);  // planes
    b.U16(24);  // bits per pixel
    b.FourCC("MJPG");
    b.U32(static_cast<std::uint32_t>(FWidth) * FHeight * 3);
    b.U32(0);
    b.U32(0);
    b.U32(0);
    b.U32(0);
    b.CloseChunk(strf);
    b.CloseChunk(strl);
    b.CloseChunk(hdrl);

    const std::size_t movi = b.Open("LIST");
    const std::size_t moviData = b.Size();  // index offsets count from the "movi" FourCC
    b.FourCC("movi");
    std::vector<std::pair<std::uint32_t, std::uint32_t>> index;
    for (const auto& f : FFrames) {
        index.emplace_back(static_cast<std::uint32_t>(b.Size() - moviData),
                           static_cast<std::uint32_t>(f.size()));
        const std::size_t chunk = b.Open("00dc");
        b.Raw(f);
        b.CloseChunk(chunk);
    }
    b.CloseChunk(movi);
    const std::size_t idx1 = b.Open("idx1");
    for (const auto& [offset, length] : index) {
        b.FourCC("00dc");
        b.U32(kKeyFrame);
        b.U32(offset);
        b.U32(length);
    }
    b.CloseChunk(idx1);
    b.CloseChunk(riff);

    try {
        AtomicWriteFile(FPath, b.Data());
    } catch (const Exception& e) {
        throw Error(e.Message());  // names the file and the reason
    }
    FClosed = true;
}

AviReader::AviReader(const std::string& path) : FPath(path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Error(path + ": cannot be opened");
    FFile.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    const std::vector<std::uint8_t>& file = FFile;
    auto fail = [&](const std::string& why) { return Error(path + ": " + why); };

    if (file.size() < 12 || !Is(file.data(), "RIFF") || !Is(file.data() + 8, "AVI "))
        throw fail("not an AVI file");
    const std::size_t riffEnd = 8 + static_cast<std::size_t>(Get32(file.data() + 4));
    if (riffEnd > file.size())
        throw fail("file is truncated (" + std::to_string(file.size()) + " of " + std::to_string(riffEnd) +
                   " bytes)");

    // Walks the chunks of [begin, end); calls visit(id, listType or null, body span).
    auto walk = [&](Span span, auto&& visit) {
        std::size_t pos = span.begin;
        while (pos + 8 <= span.end) {
            const std::uint8_t* id = file.data() + pos;
            const std::size_t size = Get32(file.data() + pos + 4);
            const std::size_t body = pos + 8;
            if (size > span.end - body) throw fail("chunk runs past its container (file damaged)");
            if (Is(id, "LIST")) {
                if (size < 4) throw fail("empty list chunk (file damaged)");
                visit(id, file.data() + body, Span{body + 4, body + size});
            } else {
                visit(id, static_cast<const std::uint8_t*>(nullptr), Span{body, body + size});
            }
            pos = body + size + (size & 1);
        }
    };

    bool haveAvih = false, haveVideo = false;
    Span movi{}, idx1{};
    bool haveMovi = false, haveIdx1 = false;
    walk(Span{12, riffEnd}, [&](const std::uint8_t* id, const std::uint8_t* type, Span s) {
        if (type && Is(type, "hdrl")) {
            walk(s, [&](const std::uint8_t* hid, const std::uint8_t* htype, Span hs) {
                if (!htype && Is(hid, "avih")) {
                    if (hs.end - hs.begin < 40) throw fail("main header too short");
                    FUsPerFrame = Get32(file.data() + hs.begin);
                    FWidth = static_cast<int>(Get32(file.data() + hs.begin + 32));
                    FHeight = static_cast<int>(Get32(file.data() + hs.begin + 36));
                    haveAvih = true;
                } else if (htype && Is(htype, "strl") && !haveVideo) {
                    bool video = false;
                    walk(hs, [&](const std::uint8_t* sid, const std::uint8_t* stype, Span ss) {
                        if (stype) return;
                        if (Is(sid, "strh")) {
                            if (ss.end - ss.begin < 48) throw fail("stream header too short");
                            const std::uint8_t* h = file.data() + ss.begin;
                            if (!Is(h, "vids")) return;
                            const bool mjpg = Is(h + 4, "MJPG") || Is(h + 4, "mjpg");
                            if (!mjpg) throw fail("video stream is not Motion-JPEG");
                            FScale = Get32(h + 20);
                            FRate = Get32(h + 24);
                            video = true;
                        } else if (Is(sid, "strf") && video) {
                            if (ss.end - ss.begin < 40) throw fail("stream format too short");
                            const std::uint8_t* f = file.data() + ss.begin;
                            FWidth = static_cast<int>(Get32(f + 4));
                            FHeight = static_cast<int>(static_cast<std::int32_t>(Get32(f + 8)) < 0
                                                           ? -static_cast<std::int32_t>(Get32(f + 8))
                                                           : static_cast<std::int32_t>(Get32(f + 8)));
                        }
                    });
                    haveVideo = video;
                }
            });
        } else if (type && Is(type, "movi")) {
            movi = s;
            haveMovi = true;
        } else if (!type && Is(id, "idx1")) {
            idx1 = s;
            haveIdx1 = true;
        }
    });
    if (!haveAvih) throw fail("main header (avih) missing");
    if (!haveVideo) throw fail("no Motion-JPEG video stream");
    if (!haveMovi) throw fail("frame data (movi) missing");
    if (FWidth <= 0 || FHeight <= 0 || FWidth > 0xFFFF || FHeight > 0xFFFF) throw fail("bad frame size");

    auto isVideoChunk = [](const std::uint8_t* id) {
        return id[0] == '0' && id[1] == '0' && (id[2] == 'd' && (id[3] == 'c' || id[3] == 'b'));
    };
    if (haveIdx1) {
        // Offsets are relative to the "movi" FourCC as a rule; a few writers store file offsets.
        const std::size_t moviFourCC = movi.begin - 4;
        bool absolute = false;
        bool decided = false;
        for (std::size_t p = idx1.begin; p + 16 <= idx1.end; p += 16) {
            const std::uint8_t* e = file.data() + p;
            if (!isVideoChunk(e)) continue;
            const std::size_t offset = Get32(e + 8);
            const std::size_t length = Get32(e + 12);
            if (!decided) {
                const std::size_t rel = moviFourCC + offset;
                absolute =
                    !(rel + 8 <= file.size() && Is(file.data() + rel, reinterpret_cast<const char*>(e)));
                decided = true;
            }
            const std::size_t at = absolute ? offset : moviFourCC + offset;
            if (at < movi.begin || at + 8 > movi.end || length > movi.end - at - 8)
                throw fail("index entry " + std::to_string(FFrames.size() + 1) +
                           " points outside the frame data");
            if (!Is(file.data() + at, reinterpret_cast<const char*>(e)) ||
                Get32(file.data() + at + 4) != length)
                throw fail("index entry " + std::to_string(FFrames.size() + 1) + " does not match its frame");
            FFrames.push_back({at + 8, length});
        }
    } else {
        walk(movi, [&](const std::uint8_t* id, const std::uint8_t* type, Span s) {
            if (!type && isVideoChunk(id)) FFrames.push_back({s.begin, s.end - s.begin});
        });
    }
    if (FFrames.empty()) throw fail("no frames");
}

double AviReader::FrameRate() const
{
    if (FScale > 0 && FRate > 0) return static_cast<double>(FRate) / FScale;
    if (FUsPerFrame > 0) return 1e6 / FUsPerFrame;
    return 0.0;
}

std::span<const std::uint8_t> AviReader::FrameJpeg(int index) const
{
    if (index < 0 || index >= FrameCount())
        throw Error(FPath + ": frame " + std::to_string(index) + " out of range 0.." +
                    std::to_string(FrameCount() - 1));
    const Frame& f = FFrames[static_cast<std::size_t>(index)];
    return {FFile.data() + f.begin, f.size};
}

Image AviReader::DecodeFrame(int index) const
{
    const auto jpeg = FrameJpeg(index);
    try {
        Image image = DecodeJpeg(jpeg.data(), jpeg.size());
        if (image.width != FWidth || image.height != FHeight)
            throw Error("frame size differs from the file's");
        return image;
    } catch (const Error& e) {
        throw Error(FPath + ": frame " + std::to_string(index) + ": " + e.what());
    }
}

}  // namespace media
