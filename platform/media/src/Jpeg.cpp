#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <algorithm>
#include <iterator>

#include <jpeglib.h>

#include "media/Jpeg.h"
#include "media/Picture.h"

namespace media {
namespace {

// libjpeg reports errors through error_exit, which must not return. We jump back to the
// calling function, which holds only plain data between setjmp and the jump.
struct ErrorMgr {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<ErrorMgr*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void NoOutput(j_common_ptr) {}

bool EncodeRaw(const Image& image, int quality, unsigned char** out, unsigned long* outSize, char* message)
{
    jpeg_compress_struct cinfo;
    ErrorMgr err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = OnError;
    err.pub.output_message = NoOutput;
    if (setjmp(err.jump)) {
        std::strcpy(message, err.message);
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, out, outSize);
    cinfo.image_width = static_cast<JDIMENSION>(image.width);
    cinfo.image_height = static_cast<JDIMENSION>(image.height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const std::size_t stride = static_cast<std::size_t>(image.width) * 3;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.rgb.data() + cinfo.next_scanline * stride);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

// Decodes into a buffer the caller owns and has sized after the header (read first by JpegSize).
bool DecodeRaw(const std::uint8_t* data, std::size_t size, std::uint8_t* out, int width, int height,
               char* message)
{
    jpeg_decompress_struct cinfo;
    ErrorMgr err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = OnError;
    err.pub.output_message = NoOutput;
    if (setjmp(err.jump)) {
        std::strcpy(message, err.message);
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    if (static_cast<int>(cinfo.output_width) != width || static_cast<int>(cinfo.output_height) != height ||
        cinfo.output_components != 3) {
        std::strcpy(message, "unexpected picture layout");
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    const std::size_t stride = static_cast<std::size_t>(width) * 3;
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out + cinfo.output_scanline * stride;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

}  // namespace

std::vector<std::uint8_t> EncodeJpeg(const Image& image, int quality)
{
    if (image.width <= 0 || image.height <= 0 ||
        image.rgb.size() != static_cast<std::size_t>(image.width) * image.height * 3)
        throw Error("JPEG: picture has no pixels or the wrong buffer size");
    if (quality < 1 || quality > 100) throw Error("JPEG: quality must lie in 1..100");
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    char message[JMSG_LENGTH_MAX] = {0};
    const bool ok = EncodeRaw(image, quality, &buffer, &size, message);
    std::vector<std::uint8_t> result;
    if (ok) result.assign(buffer, buffer + size);
    std::free(buffer);
    if (!ok) throw Error(std::string("JPEG: ") + message);
    return result;
}

void JpegSize(const std::uint8_t* data, std::size_t size, int& width, int& height)
{
    // Walk the markers up to the first start-of-frame (SOF0..SOF15 but DHT, JPG, DAC).
    if (size < 4 || data[0] != 0xFF || data[1] != 0xD8) throw Error("JPEG: no start-of-image marker");
    std::size_t pos = 2;
    while (pos + 4 <= size) {
        if (data[pos] != 0xFF) throw Error("JPEG: broken marker sequence");
        const std::uint8_t marker = data[pos + 1];
        if (marker == 0xFF) {  // fill byte
            ++pos;
            continue;
        }
        if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
            pos += 2;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA) break;  // end of image or scan before any frame header
        const std::size_t length = (static_cast<std::size_t>(data[pos + 2]) << 8) | data[pos + 3];
        if (length < 2 || pos + 2 + length > size) break;
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            if (length < 7) break;
            height = (data[pos + 5] << 8) | data[pos + 6];
            width = (data[pos + 7] << 8) | data[pos + 8];
            if (width <= 0 || height <= 0) throw Error("JPEG: frame header with zero size");
            return;
        }
        pos += 2 + length;
    }
    throw Error("JPEG: no frame header");
}

Image DecodeJpeg(const std::uint8_t* data, std::size_t size)
{
    int width = 0, height = 0;
    JpegSize(data, size, width, height);
    // Every 8 x 8 block of a scan takes at least two bits: a header that claims more pixels than
    // the data can hold would only make the picture's buffer as large as the claim.
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (pixels / 256 > size)
        throw Error("JPEG: the frame header claims " + std::to_string(width) + " x " +
                    std::to_string(height) + " pixels, more than " + std::to_string(size) +
                    " bytes can hold");
    Image image(width, height);
    char message[JMSG_LENGTH_MAX] = {0};
    if (!DecodeRaw(data, size, image.rgb.data(), width, height, message))
        throw Error(std::string("JPEG: ") + message);
    return image;
}

namespace {

// Next header token of a PPM, skipping blanks and comments.
bool PpmToken(const std::string& bytes, std::size_t& pos, long& value)
{
    while (pos < bytes.size()) {
        const char c = bytes[pos];
        if (c == '#') {
            while (pos < bytes.size() && bytes[pos] != '\n') ++pos;
        } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++pos;
        } else {
            break;
        }
    }
    if (pos >= bytes.size() || bytes[pos] < '0' || bytes[pos] > '9') return false;
    value = 0;
    while (pos < bytes.size() && bytes[pos] >= '0' && bytes[pos] <= '9') {
        value = value * 10 + (bytes[pos] - '0');
        if (value > 100000) return false;
        ++pos;
    }
    return true;
}

}  // namespace

Image ReadImageFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Error(path + ": cannot be opened");
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto* u = reinterpret_cast<const std::uint8_t*>(bytes.data());
    try {
        if (SniffPicture(u, bytes.size()) == PictureFormat::Jpeg) return DecodeJpeg(u, bytes.size());
    } catch (const Error& e) {
        throw Error(path + ": " + e.what());
    }
    if (bytes.size() < 2 || bytes[0] != 'P' || bytes[1] != '6')
        throw Error(path + ": neither a binary PPM (P6) nor a JPEG file");
    std::size_t pos = 2;
    long w = 0, h = 0, maxval = 0;
    if (!PpmToken(bytes, pos, w) || !PpmToken(bytes, pos, h) || !PpmToken(bytes, pos, maxval) || w <= 0 ||
        h <= 0)
        throw Error(path + ": broken PPM header");
    if (maxval < 1 || maxval > 65535) throw Error(path + ": PPM maxval must lie in 1..65535");
    ++pos;  // the single blank after maxval
    const std::size_t sampleBytes = maxval > 255 ? 2 : 1;  // 16-bit samples are big-endian
    const std::size_t samples = static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 3;
    // Checked before the picture is made: its size comes from the header alone.
    if (pos > bytes.size() || (bytes.size() - pos) / sampleBytes < samples)
        throw Error(path + ": PPM pixel data is truncated");
    Image image(static_cast<int>(w), static_cast<int>(h));
    for (std::size_t i = 0; i < image.rgb.size(); ++i) {
        long v = u[pos + i * sampleBytes];
        if (sampleBytes == 2) v = (v << 8) | u[pos + i * 2 + 1];
        image.rgb[i] = static_cast<std::uint8_t>(std::min(v, maxval) * 255 / maxval);
    }
    return image;
}

void WritePpm(const std::string& path, const Image& image)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw Error(path + ": cannot be written");
    out << "P6\n" << image.width << ' ' << image.height << "\n255\n";
    out.write(reinterpret_cast<const char*>(image.rgb.data()),
              static_cast<std::streamsize>(image.rgb.size()));
    if (!out.flush()) throw Error(path + ": cannot be written");
}

}  // namespace media
