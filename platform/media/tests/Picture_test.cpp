#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "media/Picture.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A BMP file: 14-byte file header, 40-byte info header, the palette (0x00RRGGBB each), then the
// pixel rows exactly as given (padding included).
Bytes Bmp(int w, int h, int bits, const std::vector<std::uint32_t>& palette, const Bytes& rows,
          std::uint32_t compression = 0)
{
    Bytes b;
    auto u16 = [&](unsigned v) {
        b.push_back(static_cast<std::uint8_t>(v));
        b.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    auto u32 = [&](std::uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    const auto offset = static_cast<std::uint32_t>(54 + palette.size() * 4);
    b = {'B', 'M'};
    u32(offset + static_cast<std::uint32_t>(rows.size()));
    u32(0);
    u32(offset);
    u32(40);
    u32(static_cast<std::uint32_t>(w));
    u32(static_cast<std::uint32_t>(h));
    u16(1);
    u16(static_cast<unsigned>(bits));
    u32(compression);
    u32(static_cast<std::uint32_t>(rows.size()));
    u32(2835);
    u32(2835);
    u32(static_cast<std::uint32_t>(palette.size()));
    u32(0);
    for (std::uint32_t c : palette) u32(c);
    b.insert(b.end(), rows.begin(), rows.end());
    return b;
}

struct DecodeCase {
    const char* name;
    Bytes file;
    int width, height;
    Bytes rgb;  // rows top to bottom
};

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class MediaBmp : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(MediaBmp, DecodesToRgbTopRowFirst)
{
    const DecodeCase& c = GetParam();
    const media::Image image = media::DecodeBmp(c.file.data(), c.file.size());
    EXPECT_EQ(image.width, c.width);
    EXPECT_EQ(image.height, c.height);
    EXPECT_EQ(image.rgb, c.rgb);
}

INSTANTIATE_TEST_SUITE_P(
    Depths, MediaBmp,
    ::testing::Values(
        // bottom row stored first: blue-green-red per pixel, rows padded to 4 bytes
        DecodeCase{"Bits24BottomUp",
                   Bmp(2, 2, 24, {},
                       {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0, 0,  // bottom: red, green
                        0xFF, 0x00, 0x00, 0x10, 0x20, 0x30, 0, 0}),  // top: blue, 302010
                   2,
                   2,
                   {0x00, 0x00, 0xFF, 0x30, 0x20, 0x10, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00}},
        DecodeCase{"Bits1TopDown",
                   Bmp(3, -1, 1, {0x000000, 0xFFFFFF}, {0xA0, 0, 0, 0}),
                   3,
                   1,
                   {0xFF, 0xFF, 0xFF, 0, 0, 0, 0xFF, 0xFF, 0xFF}},
        DecodeCase{
            "Bits4", Bmp(2, 1, 4, {0x000000, 0x123456}, {0x10, 0, 0, 0}), 2, 1, {0x12, 0x34, 0x56, 0, 0, 0}},
        DecodeCase{"Bits8", Bmp(1, 1, 8, {0x000000, 0xABCDEF}, {0x01, 0, 0, 0}), 1, 1, {0xAB, 0xCD, 0xEF}},
        DecodeCase{"Bits32", Bmp(1, 1, 32, {}, {0x03, 0x02, 0x01, 0xFF}), 1, 1, {0x01, 0x02, 0x03}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MediaBmpErrors, RefusesWhatItCannotDecode)
{
    const Bytes good = Bmp(2, 1, 8, {0x000000, 0xFFFFFF}, {0x00, 0x01, 0, 0});
    Bytes cut = good;
    cut.resize(cut.size() - 3);
    const Bytes cases[] = {
        Bytes{'B', 'M'},
        Bytes(60, 'x'),
        cut,
        Bmp(2, 1, 8, {0x000000}, {0x00, 0x01, 0, 0}),  // index 1 past a palette of one
        Bmp(1, 1, 16, {}, {0, 0, 0, 0}),
        Bmp(1, 1, 24, {}, {0, 0, 0, 0}, 1),  // run-length compressed
        Bmp(0, 1, 24, {}, {0, 0, 0, 0}),
        Bmp(40000, 1, 24, {}, {0, 0, 0, 0}),
    };
    EXPECT_NO_THROW(media::DecodeBmp(good.data(), good.size()));
    for (const Bytes& bad : cases) EXPECT_THROW(media::DecodeBmp(bad.data(), bad.size()), media::Error);
}

TEST(MediaSniff, TellsFormatsByTheirFirstBytes)
{
    const std::string png = std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16) + std::string(8, '\0');
    const struct {
        std::string bytes;
        media::PictureFormat format;
    } cases[] = {
        {"GIF89a" + std::string(4, '\0'), media::PictureFormat::Gif},
        {"GIF87a" + std::string(4, '\0'), media::PictureFormat::Gif},
        {"GIF89a", media::PictureFormat::None},  // no room for the size
        {"\xFF\xD8\xFF\xE0", media::PictureFormat::Jpeg},
        {std::string("\xFF\xD8\0\0", 4), media::PictureFormat::None},
        {png, media::PictureFormat::Png},
        {png.substr(0, 23), media::PictureFormat::None},
        {"BM" + std::string(24, '\0'), media::PictureFormat::Bmp},
        {"BM" + std::string(23, '\0'), media::PictureFormat::None},
        {"P6\n1 1\n255\n", media::PictureFormat::None},
        {"", media::PictureFormat::None},
    };
    for (const auto& c : cases) {
        const auto* data = reinterpret_cast<const std::uint8_t*>(c.bytes.data());
        EXPECT_EQ(media::SniffPicture(data, c.bytes.size()), c.format) << c.bytes.size() << " bytes";
    }
}

}  // namespace
