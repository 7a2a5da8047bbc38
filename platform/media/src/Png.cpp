#include "media/Png.h"

#include <png.h>

#include <memory>
#include <string>

namespace media {
namespace {

// The simplified API keeps its state in one struct; png_image_free releases it on every path.
struct TPngImage {
    png_image img{};
    TPngImage() { img.version = PNG_IMAGE_VERSION; }
    ~TPngImage() { png_image_free(&img); }
    TPngImage(const TPngImage&) = delete;
    TPngImage& operator=(const TPngImage&) = delete;
    std::string Why() const { return img.message[0] ? img.message : "unknown error"; }
};

}  // namespace

std::vector<std::uint8_t> EncodePng(const Image& image)
{
    if (image.width <= 0 || image.height <= 0 ||
        image.rgb.size() != static_cast<std::size_t>(image.width) * image.height * 3)
        throw Error("PNG: the picture has no pixels or a wrong size");
    TPngImage p;
    p.img.width = static_cast<png_uint_32>(image.width);
    p.img.height = static_cast<png_uint_32>(image.height);
    p.img.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&p.img, nullptr, &size, 0, image.rgb.data(), 0, nullptr))
        throw Error("PNG: " + p.Why());
    std::vector<std::uint8_t> out(size);
    if (!png_image_write_to_memory(&p.img, out.data(), &size, 0, image.rgb.data(), 0, nullptr))
        throw Error("PNG: " + p.Why());
    out.resize(size);
    return out;
}

Image DecodePng(const std::uint8_t* data, std::size_t size)
{
    TPngImage p;
    if (!png_image_begin_read_from_memory(&p.img, data, size)) throw Error("PNG: " + p.Why());
    p.img.format = PNG_FORMAT_RGB;
    if (p.img.width == 0 || p.img.height == 0 || p.img.width > 1u << 14 || p.img.height > 1u << 14)
        throw Error("PNG: picture size out of range");
    // Deflate packs at most 1032 bytes into one, a byte holds at most eight pixels of one bit:
    // a header claiming more only makes the buffer as large as the claim.
    if (static_cast<std::size_t>(p.img.width) * p.img.height / 8 / 1032 > size)
        throw Error("PNG: the header claims more pixels than " + std::to_string(size) + " bytes can hold");
    Image image(static_cast<int>(p.img.width), static_cast<int>(p.img.height));
    // A grey or palette picture would blend a missing alpha against this background.
    png_color black{0, 0, 0};
    if (!png_image_finish_read(&p.img, &black, image.rgb.data(), 0, nullptr)) throw Error("PNG: " + p.Why());
    return image;
}

}  // namespace media
