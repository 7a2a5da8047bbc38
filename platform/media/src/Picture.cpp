#include "media/Picture.h"

#include <cstring>

namespace media {
namespace {

std::uint32_t LE(const std::uint8_t* b, std::size_t at, int n)
{
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
    return v;
}

bool StartsWith(const std::uint8_t* data, std::size_t size, const char* magic, std::size_t n)
{
    return size >= n && std::memcmp(data, magic, n) == 0;
}

}  // namespace

PictureFormat SniffPicture(const std::uint8_t* b, std::size_t size)
{
    if (size >= 10 && (StartsWith(b, size, "GIF87a", 6) || StartsWith(b, size, "GIF89a", 6)))
        return PictureFormat::Gif;
    if (size >= 4 && b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF) return PictureFormat::Jpeg;
    if (size >= 24 && StartsWith(b, size, "\x89PNG\r\n\x1a\n", 8) && std::memcmp(b + 12, "IHDR", 4) == 0)
        return PictureFormat::Png;
    if (size >= 26 && b[0] == 'B' && b[1] == 'M') return PictureFormat::Bmp;
    return PictureFormat::None;
}

Image DecodeBmp(const std::uint8_t* b, std::size_t size)
{
    if (size < 54 || b[0] != 'B' || b[1] != 'M') throw Error("BMP: no bitmap file header");
    const std::uint32_t offset = LE(b, 10, 4), header = LE(b, 14, 4);
    const int w = static_cast<std::int32_t>(LE(b, 18, 4));
    const int rawH = static_cast<std::int32_t>(LE(b, 22, 4));
    const int bits = static_cast<int>(LE(b, 28, 2));
    const std::uint32_t compression = LE(b, 30, 4);
    std::uint32_t used = LE(b, 46, 4);
    const int h = rawH < 0 ? -rawH : rawH;
    if (header < 40 || w <= 0 || h <= 0 || w > 32768 || h > 32768)
        throw Error("BMP: bad header or picture size");
    if (compression != 0 || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32))
        throw Error("BMP: compressed or of an unsupported depth");
    if (bits <= 8 && used == 0) used = 1u << bits;
    const std::size_t palAt = 14 + static_cast<std::size_t>(header);
    if (bits <= 8 && (used > 256 || palAt + used * 4 > size)) throw Error("BMP: palette cut short");
    const std::size_t stride = ((static_cast<std::size_t>(w) * static_cast<std::size_t>(bits) + 31) / 32) * 4;
    // Checked before the picture is made: its size comes from the header alone.
    if (offset > size || (size - offset) / stride < static_cast<std::size_t>(h))
        throw Error("BMP: pixel data cut short");
    Image image(w, h);
    for (int row = 0; row < h; ++row) {
        const std::size_t line = offset + stride * static_cast<std::size_t>(rawH < 0 ? row : h - 1 - row);
        for (int x = 0; x < w; ++x) {
            std::uint32_t rgb;  // 0x00RRGGBB as stored (blue first)
            if (bits <= 8) {
                const std::size_t bit = static_cast<std::size_t>(x) * static_cast<std::size_t>(bits);
                const unsigned byte = b[line + bit / 8];
                const unsigned idx = (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
                if (idx >= used) throw Error("BMP: palette index past the palette");
                rgb = LE(b, palAt + idx * 4, 3);
            } else {
                rgb = LE(b, line + static_cast<std::size_t>(x) * static_cast<std::size_t>(bits / 8), 3);
            }
            std::uint8_t* p = image.Pixel(x, row);
            p[0] = static_cast<std::uint8_t>(rgb >> 16);
            p[1] = static_cast<std::uint8_t>(rgb >> 8);
            p[2] = static_cast<std::uint8_t>(rgb);
        }
    }
    return image;
}

}  // namespace media
