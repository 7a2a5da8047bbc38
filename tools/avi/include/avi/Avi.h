#pragma once
// Small reader and writer for AVI files with one Motion-JPEG video stream (RIFF "AVI ", a
// "00dc" chunk per frame, "idx1" index). Enough for the program's progress animations; no
// audio, no OpenDML (files stay below 1 GiB).
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace avi {

// Any malformed, truncated or unreadable input. The message names the file and the reason.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// 8-bit RGB picture, rows top to bottom, 3 bytes a pixel.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    Image() = default;
    Image(int w, int h) : width(w), height(h), rgb(static_cast<std::size_t>(w) * h * 3, 0) {}
    std::uint8_t* Pixel(int x, int y) { return rgb.data() + (static_cast<std::size_t>(y) * width + x) * 3; }
    const std::uint8_t* Pixel(int x, int y) const
    {
        return rgb.data() + (static_cast<std::size_t>(y) * width + x) * 3;
    }
};

// JPEG (baseline, via libjpeg). quality 1..100.
std::vector<std::uint8_t> EncodeJpeg(const Image& image, int quality = 85);
Image DecodeJpeg(const std::uint8_t* data, std::size_t size);
// Width and height from a JPEG's frame header without decoding it.
void JpegSize(const std::uint8_t* data, std::size_t size, int& width, int& height);

// Reads a binary PPM (P6, 8 or 16 bits a sample) or a JPEG file, told apart by their first bytes.
Image ReadImageFile(const std::string& path);
void WritePpm(const std::string& path, const Image& image);

// Collects frames and writes the file at Close(): first to a temporary file beside the target,
// then renamed over it, so a failed run leaves an older file whole.
class Writer {
public:
    Writer(std::string path, int width, int height, int framesPerSecond);
    ~Writer();  // does not write: a writer dropped without Close() leaves no file
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    void AddFrame(const Image& frame, int quality = 85);  // size must match
    void AddJpegFrame(std::vector<std::uint8_t> jpeg);  // already encoded; size must match
    int FrameCount() const { return static_cast<int>(FFrames.size()); }
    void Close();

private:
    std::string FPath;
    int FWidth, FHeight, FFps;
    std::vector<std::vector<std::uint8_t>> FFrames;
    bool FClosed = false;
};

// Opens and checks the whole file structure at once; frames are decoded on demand.
// Frame indexes are 0-based.
class Reader {
public:
    explicit Reader(const std::string& path);

    int FrameCount() const { return static_cast<int>(FFrames.size()); }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    double FrameRate() const;  // frames per second
    std::uint32_t MicroSecPerFrame() const { return FUsPerFrame; }

    const std::vector<std::uint8_t>& FrameJpeg(int index) const;
    Image DecodeFrame(int index) const;

private:
    std::string FPath;
    int FWidth = 0, FHeight = 0;
    std::uint32_t FUsPerFrame = 0, FRate = 0, FScale = 0;
    std::vector<std::vector<std::uint8_t>> FFrames;
};

}  // namespace avi
