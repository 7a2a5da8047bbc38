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

// What the headers say of the one video stream.
struct StreamShape {
    std::uint32_t width, height, fps, frames;
    std::size_t largest;  // the largest frame's bytes
};

void WriteMainHeader(Bytes& b, const StreamShape& s)
{
    const std::size_t avih = b.Open("avih");
    b.U32(static_cast<std::uint32_t>(1000000 / s.fps));  // microseconds per frame
    b.U32(static_cast<std::uint32_t>(s.largest * s.fps));  // max bytes per second
    b.U32(0);  // padding granularity
    b.U32(kHasIndex);
    b.U32(s.frames);
    b.U32(0);  // initial frames
    b.U32(1);  // streams
    b.U32(static_cast<std::uint32_t>(s.largest));
    b.U32(s.width);
    b.U32(s.height);
    for (int i = 0; i < 4; ++i) b.U32(0);
    b.CloseChunk(avih);
}

void WriteStreamHeader(Bytes& b, const StreamShape& s)
{
    const std::size_t strh = b.Open("strh");
    b.FourCC("vids");
    b.FourCC("MJPG");
    b.U32(0);  // flags
    b.U16(0);  // priority
    b.U16(0);  // language
    b.U32(0);  // initial frames
    b.U32(1);  // scale
    b.U32(s.fps);  // rate: rate / scale = frames per second
    b.U32(0);  // start
    b.U32(s.frames);
    b.U32(static_cast<std::uint32_t>(s.largest));
    b.U32(0xFFFFFFFFu);  // quality: default
    b.U32(0);  // sample size: varies
    b.U16(0);
    b.U16(0);
    b.U16(static_cast<std::uint16_t>(s.width));
    b.U16(static_cast<std::uint16_t>(s.height));
    b.CloseChunk(strh);
}

void WriteStreamFormat(Bytes& b, const StreamShape& s)
{
    const std::size_t strf = b.Open("strf");
    b.U32(40);
    b.U32(s.width);
    b.U32(s.height);
    b.U16(1);  // planes
    b.U16(24);  // bits per pixel
    b.FourCC("MJPG");
    b.U32(s.width * s.height * 3);
    b.U32(0);
    b.U32(0);
    b.U32(0);
    b.U32(0);
    b.CloseChunk(strf);
}

// LIST hdrl: the main header and the video stream's list.
void WriteHeaderList(Bytes& b, const StreamShape& s)
{
    const std::size_t hdrl = b.Open("LIST");
    b.FourCC("hdrl");
    WriteMainHeader(b, s);
    const std::size_t strl = b.Open("LIST");
    b.FourCC("strl");
    WriteStreamHeader(b, s);
    WriteStreamFormat(b, s);
    b.CloseChunk(strl);
    b.CloseChunk(hdrl);
}

// LIST movi with a chunk per frame, then the idx1 index of them.
void WriteFramesAndIndex(Bytes& b, const std::vector<std::vector<std::uint8_t>>& frames)
{
    const std::size_t movi = b.Open("LIST");
    const std::size_t moviData = b.Size();  // index offsets count from the "movi" FourCC
    b.FourCC("movi");
    std::vector<std::pair<std::uint32_t, std::uint32_t>> index;
    for (const auto& f : frames) {
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
}

// What the reader learns from the headers.
struct VideoFormat {
    std::uint32_t usPerFrame = 0, rate = 0, scale = 0;
    int width = 0, height = 0;
};

struct FrameBytes {
    std::size_t begin, size;  // a frame's JPEG bytes within the file
};

// The chunks of a whole AVI file in memory, checked as they are walked; every failure names the
// file.
class RiffFile {
public:
    RiffFile(const std::vector<std::uint8_t>& file, const std::string& path) : FFile(file), FPath(path) {}

    Error Fail(const std::string& why) const { return Error(FPath + ": " + why); }
    const std::uint8_t* At(std::size_t pos) const { return FFile.data() + pos; }
    std::size_t Size() const { return FFile.size(); }

    // The body of the RIFF "AVI " chunk.
    Span Body() const
    {
        if (FFile.size() < 12 || !Is(At(0), "RIFF") || !Is(At(8), "AVI ")) throw Fail("not an AVI file");
        const std::size_t riffEnd = 8 + static_cast<std::size_t>(Get32(At(4)));
        if (riffEnd > FFile.size())
            throw Fail("file is truncated (" + std::to_string(FFile.size()) + " of " +
                       std::to_string(riffEnd) + " bytes)");
        return Span{12, riffEnd};
    }

    // Walks the chunks of [begin, end); calls visit(id, listType or null, body span).
    template <class Visit>
    void Walk(Span span, Visit&& visit) const
    {
        std::size_t pos = span.begin;
        while (pos + 8 <= span.end) {
            const std::uint8_t* id = At(pos);
            const std::size_t size = Get32(At(pos + 4));
            const std::size_t body = pos + 8;
            if (size > span.end - body) throw Fail("chunk runs past its container (file damaged)");
            if (Is(id, "LIST")) {
                if (size < 4) throw Fail("empty list chunk (file damaged)");
                visit(id, At(body), Span{body + 4, body + size});
            } else {
                visit(id, static_cast<const std::uint8_t*>(nullptr), Span{body, body + size});
            }
            pos = body + size + (size & 1);
        }
    }

private:
    const std::vector<std::uint8_t>& FFile;
    const std::string& FPath;
};

void ReadMainHeader(const RiffFile& riff, Span s, VideoFormat& format)
{
    if (s.end - s.begin < 40) throw riff.Fail("main header too short");
    format.usPerFrame = Get32(riff.At(s.begin));
    format.width = static_cast<int>(Get32(riff.At(s.begin + 32)));
    format.height = static_cast<int>(Get32(riff.At(s.begin + 36)));
}

// LIST strl: true when it is the Motion-JPEG video stream, whose rate and frame size it reads.
bool ReadStreamList(const RiffFile& riff, Span list, VideoFormat& format)
{
    bool video = false;
    riff.Walk(list, [&](const std::uint8_t* id, const std::uint8_t* type, Span s) {
        if (type) return;
        if (Is(id, "strh")) {
            if (s.end - s.begin < 48) throw riff.Fail("stream header too short");
            const std::uint8_t* h = riff.At(s.begin);
            if (!Is(h, "vids")) return;
            const bool mjpg = Is(h + 4, "MJPG") || Is(h + 4, "mjpg");
            if (!mjpg) throw riff.Fail("video stream is not Motion-JPEG");
            format.scale = Get32(h + 20);
            format.rate = Get32(h + 24);
            video = true;
        } else if (Is(id, "strf") && video) {
            if (s.end - s.begin < 40) throw riff.Fail("stream format too short");
            const auto height = static_cast<std::int32_t>(Get32(riff.At(s.begin + 8)));
            format.width = static_cast<int>(Get32(riff.At(s.begin + 4)));
            format.height = static_cast<int>(height < 0 ? -height : height);  // bottom-up or top-down
        }
    });
    return video;
}

// The top-level chunks: the headers, the frame data and the index.
struct AviLayout {
    VideoFormat format;
    bool haveAvih = false, haveVideo = false, haveMovi = false, haveIdx1 = false;
    Span movi{}, idx1{};
};

AviLayout ReadLayout(const RiffFile& riff)
{
    AviLayout l;
    riff.Walk(riff.Body(), [&](const std::uint8_t* id, const std::uint8_t* type, Span s) {
        if (type && Is(type, "hdrl")) {
            riff.Walk(s, [&](const std::uint8_t* hid, const std::uint8_t* htype, Span hs) {
                if (!htype && Is(hid, "avih")) {
                    ReadMainHeader(riff, hs, l.format);
                    l.haveAvih = true;
                } else if (htype && Is(htype, "strl") && !l.haveVideo) {
                    l.haveVideo = ReadStreamList(riff, hs, l.format);
                }
            });
        } else if (type && Is(type, "movi")) {
            l.movi = s;
            l.haveMovi = true;
        } else if (!type && Is(id, "idx1")) {
            l.idx1 = s;
            l.haveIdx1 = true;
        }
    });
    if (!l.haveAvih) throw riff.Fail("main header (avih) missing");
    if (!l.haveVideo) throw riff.Fail("no Motion-JPEG video stream");
    if (!l.haveMovi) throw riff.Fail("frame data (movi) missing");
    const VideoFormat& f = l.format;
    if (f.width <= 0 || f.height <= 0 || f.width > 0xFFFF || f.height > 0xFFFF)
        throw riff.Fail("bad frame size");
    return l;
}

bool IsVideoChunk(const std::uint8_t* id)
{
    return id[0] == '0' && id[1] == '0' && (id[2] == 'd' && (id[3] == 'c' || id[3] == 'b'));
}

// The frames the idx1 index names, each checked against the chunk it points at.
std::vector<FrameBytes> IndexedFrames(const RiffFile& riff, Span movi, Span idx1)
{
    std::vector<FrameBytes> frames;
    // Offsets are relative to the "movi" FourCC as a rule; a few writers store file offsets.
    const std::size_t moviFourCC = movi.begin - 4;
    bool absolute = false;
    bool decided = false;
    for (std::size_t p = idx1.begin; p + 16 <= idx1.end; p += 16) {
        const std::uint8_t* e = riff.At(p);
        if (!IsVideoChunk(e)) continue;
        const std::size_t offset = Get32(e + 8);
        const std::size_t length = Get32(e + 12);
        if (!decided) {
            const std::size_t rel = moviFourCC + offset;
            absolute = !(rel + 8 <= riff.Size() && Is(riff.At(rel), reinterpret_cast<const char*>(e)));
            decided = true;
        }
        const std::size_t at = absolute ? offset : moviFourCC + offset;
        if (at < movi.begin || at + 8 > movi.end || length > movi.end - at - 8)
            throw riff.Fail("index entry " + std::to_string(frames.size() + 1) +
                            " points outside the frame data");
        if (!Is(riff.At(at), reinterpret_cast<const char*>(e)) || Get32(riff.At(at + 4)) != length)
            throw riff.Fail("index entry " + std::to_string(frames.size() + 1) + " does not match its frame");
        frames.push_back({at + 8, length});
    }
    return frames;
}

// Without an index: the video chunks of movi in file order.
std::vector<FrameBytes> ChunkFrames(const RiffFile& riff, Span movi)
{
    std::vector<FrameBytes> frames;
    riff.Walk(movi, [&](const std::uint8_t* id, const std::uint8_t* type, Span s) {
        if (!type && IsVideoChunk(id)) frames.push_back({s.begin, s.end - s.begin});
    });
    return frames;
}

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
    const StreamShape shape{static_cast<std::uint32_t>(FWidth), static_cast<std::uint32_t>(FHeight),
                            static_cast<std::uint32_t>(FFps), static_cast<std::uint32_t>(FFrames.size()),
                            largest};

    Bytes b;
    const std::size_t riff = b.Open("RIFF");
    b.FourCC("AVI ");
    WriteHeaderList(b, shape);
    WriteFramesAndIndex(b, FFrames);
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

    const RiffFile riff(FFile, path);
    const AviLayout l = ReadLayout(riff);
    FUsPerFrame = l.format.usPerFrame;
    FRate = l.format.rate;
    FScale = l.format.scale;
    FWidth = l.format.width;
    FHeight = l.format.height;
    for (const FrameBytes& f : l.haveIdx1 ? IndexedFrames(riff, l.movi, l.idx1) : ChunkFrames(riff, l.movi))
        FFrames.push_back({f.begin, f.size});
    if (FFrames.empty()) throw riff.Fail("no frames");
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
