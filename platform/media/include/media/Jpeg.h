#pragma once
// Pictures for the component library and the animations: 8-bit RGB images, the one libjpeg
// wrapper of the tree, and binary PPM files.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace media {

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

}  // namespace media
