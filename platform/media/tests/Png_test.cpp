#include <gtest/gtest.h>

#include "media/Png.h"

namespace {

media::Image Sample()
{
    media::Image img(3, 2);
    const std::uint8_t px[6][3] = {{255, 0, 0}, {0, 255, 0},     {0, 0, 255},
                                   {0, 0, 0},   {255, 255, 255}, {12, 34, 56}};
    for (int i = 0; i < 6; ++i)
        for (int k = 0; k < 3; ++k) img.rgb[static_cast<std::size_t>(i * 3 + k)] = px[i][k];
    return img;
}

TEST(Png, WritesTheSignatureAndTheSizeInItsHeader)
{
    auto bytes = media::EncodePng(Sample());
    ASSERT_GT(bytes.size(), 33u);
    const std::uint8_t sig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(sig, sig + 8, bytes.begin()));
    // IHDR: width and height big-endian, 8 bits, colour type 2 (RGB).
    EXPECT_EQ(std::string(bytes.begin() + 12, bytes.begin() + 16), "IHDR");
    const std::uint8_t ihdr[10] = {0, 0, 0, 3, 0, 0, 0, 2, 8, 2};
    EXPECT_TRUE(std::equal(ihdr, ihdr + 10, bytes.begin() + 16));
}

TEST(Png, ReadsBackEveryPixel)
{
    auto bytes = media::EncodePng(Sample());
    media::Image back = media::DecodePng(bytes.data(), bytes.size());
    EXPECT_EQ(back.width, 3);
    EXPECT_EQ(back.height, 2);
    EXPECT_EQ(back.rgb, Sample().rgb);
}

TEST(Png, RefusesWhatIsNoWholePicture)
{
    auto bytes = media::EncodePng(Sample());
    const std::string junk = "GIF89a no png";
    EXPECT_THROW(media::DecodePng(reinterpret_cast<const std::uint8_t*>(junk.data()), junk.size()),
                 media::Error);
    EXPECT_THROW(media::DecodePng(bytes.data(), bytes.size() / 2), media::Error);
    EXPECT_THROW(media::EncodePng(media::Image()), media::Error);
}

std::uint32_t Crc32(const std::uint8_t* p, std::size_t n)
{
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return ~c;
}

TEST(Png, HeaderClaimingMorePixelsThanTheDataHoldsIsRefusedBeforeAnyBuffer)
{
    auto bytes = media::EncodePng(Sample());
    // IHDR data from byte 16: width and height 16384 each (805 MB of RGB), CRC made to fit.
    const std::uint8_t riesig[8] = {0, 0, 0x40, 0, 0, 0, 0x40, 0};
    std::copy(riesig, riesig + 8, bytes.begin() + 16);
    const std::uint32_t crc = Crc32(bytes.data() + 12, 17);
    for (int i = 0; i < 4; ++i) bytes[29 + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    try {
        media::DecodePng(bytes.data(), bytes.size());
        ADD_FAILURE() << "accepted";
    } catch (const media::Error& e) {
        EXPECT_NE(std::string(e.what()).find("can hold"), std::string::npos) << e.what();
    }
}

}  // namespace
