#pragma once
// Small reader and writer for AVI files with one Motion-JPEG video stream (RIFF "AVI ", a
// "00dc" chunk per frame, "idx1" index). Enough for the program's progress animations; no
// audio, no OpenDML (files stay below 1 GiB).
#include <span>

#include "media/Jpeg.h"

namespace media {

// Collects frames and writes the file at Close() with rtl's atomic replace (a temporary file beside
// the target, on disk before it is renamed over it), so a failed run leaves an older file whole.
class AviWriter {
public:
    AviWriter(std::string path, int width, int height, int framesPerSecond);
    ~AviWriter();  // does not write: a writer dropped without Close() leaves no file
    AviWriter(const AviWriter&) = delete;
    AviWriter& operator=(const AviWriter&) = delete;

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
// Frame indexes are 0-based. The file is held once: index entries that name the same frame
// share its bytes, so the memory taken is bounded by the file's size.
class AviReader {
public:
    explicit AviReader(const std::string& path);

    int FrameCount() const { return static_cast<int>(FFrames.size()); }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    double FrameRate() const;  // frames per second
    std::uint32_t MicroSecPerFrame() const { return FUsPerFrame; }

    std::span<const std::uint8_t> FrameJpeg(int index) const;
    Image DecodeFrame(int index) const;

private:
    std::string FPath;
    int FWidth = 0, FHeight = 0;
    std::uint32_t FUsPerFrame = 0, FRate = 0, FScale = 0;
    std::vector<std::uint8_t> FFile;
    struct Frame {
        std::size_t begin, size;  // the frame's JPEG bytes within FFile
    };
    std::vector<Frame> FFrames;
};

}  // namespace media
