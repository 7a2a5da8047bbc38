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

}  // namespace
