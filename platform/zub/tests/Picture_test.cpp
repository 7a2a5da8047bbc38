#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "media/Jpeg.h"
#include "rtl/Files.h"
#include "rtl/Resources.h"
#include "testsupport/TestDir.h"
#include "zub/ComCtrls.h"
#include "zub/ExtCtrls.h"
#include "zub/ImgList.h"

namespace {

// A real JPEG of w x h pixels, all red.
String MakeJpeg(int w, int h)
{
    media::Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.Pixel(x, y)[0] = 255;
    const std::vector<std::uint8_t> bytes = media::EncodeJpeg(img, 95);
    return String(bytes.begin(), bytes.end());
}

String Gif(int w, int h)
{
    String b = "GIF89a";
    b += static_cast<char>(w & 0xFF);
    b += static_cast<char>(w >> 8);
    b += static_cast<char>(h & 0xFF);
    b += static_cast<char>(h >> 8);
    b += String("\x80\x00\x00", 3);
    b += String("\x00\x00\x00\xff\xff\xff", 6);  // colour table
    b += String("\x3b", 1);  // trailer
    return b;
}

String Png(int w, int h)
{
    String b("\x89PNG\r\n\x1a\n", 8);
    b += String("\x00\x00\x00\x0d", 4) + "IHDR";
    for (int v : {w, h})
        for (int shift : {24, 16, 8, 0}) b += static_cast<char>((v >> shift) & 0xFF);
    b += String("\x08\x02\x00\x00\x00", 5);
    return b;
}

String Bmp(int w, int h)
{
    String b(54, '\0');
    b[0] = 'B';
    b[1] = 'M';
    for (int i = 0; i < 4; ++i) {
        b[18 + static_cast<std::size_t>(i)] = static_cast<char>((w >> (8 * i)) & 0xFF);
        b[22 + static_cast<std::size_t>(i)] = static_cast<char>((h >> (8 * i)) & 0xFF);
    }
    return b;
}

String Scratch(const String& name) { return ScratchDir() + name; }

struct TFormatCase {
    const char* name;
    String bytes;
    TPictureFormat format;
    int width, height;
};

void PrintTo(const TFormatCase& c, std::ostream* os) { *os << c.name; }

class ZubPictureFormats : public ::testing::TestWithParam<TFormatCase> {};

TEST_P(ZubPictureFormats, KnowsFormatAndSizeAndSavesTheSameBytes)
{
    const TFormatCase& c = GetParam();
    String file = Scratch(String(c.name) + ".bin");
    AtomicWriteFile(file, c.bytes);
    TPicture p;
    p.LoadFromFile(file);
    EXPECT_EQ(p.Format(), c.format);
    EXPECT_EQ(p.Width(), c.width);
    EXPECT_EQ(p.Height(), c.height);
    String copy = Scratch(String(c.name) + ".copy");
    p.SaveToFile(copy);
    EXPECT_EQ(ReadFileBytes(copy), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(Zub, ZubPictureFormats,
                         ::testing::Values(TFormatCase{"Gif", Gif(400, 200), TPictureFormat::Gif, 400, 200},
                                           TFormatCase{"Jpeg", MakeJpeg(37, 21), TPictureFormat::Jpeg, 37,
                                                       21},
                                           TFormatCase{"Png", Png(24, 24), TPictureFormat::Png, 24, 24},
                                           TFormatCase{"Bmp", Bmp(16, -16), TPictureFormat::Bmp, 16, 16}),
                         [](const auto& info) { return String(info.param.name); });

TEST(ZubPicture, JpegIsDecodedToPixels)
{
    TPicture p;
    p.LoadFromBytes(MakeJpeg(8, 4));
    auto px = p.Pixels();
    ASSERT_EQ(px.size(), 8u * 4u * 3u);
    EXPECT_GT(px[0], 240);  // red
    EXPECT_LT(px[2], 16);
}

TEST(ZubPicture, BadInputLeavesThePictureAsItWas)
{
    TPicture p;
    p.LoadFromBytes(Gif(5, 6));
    String jpeg = MakeJpeg(10, 10);
    EXPECT_THROW(p.LoadFromBytes(jpeg.substr(0, 40)), EInvalidGraphic);  // cut-off JPEG
    EXPECT_THROW(p.LoadFromBytes("plain text, no picture"), EInvalidGraphic);
    EXPECT_THROW(p.LoadFromFile(Scratch("missing.gif")), EFOpenError);
    EXPECT_EQ(p.Format(), TPictureFormat::Gif);
    EXPECT_EQ(p.Width(), 5);
    TPicture empty;
    EXPECT_THROW(empty.SaveToFile(Scratch("empty.gif")), EInvalidGraphic);
}

TEST(ZubPicture, IconResourcesAreTheModulesOwn)
{
    const String png = Png(32, 32), text = "no picture";
    const TResourceRegistrar icon(HInstance, RT_ICON, "TEST_ICON", png.data(), png.size());
    const TResourceRegistrar bad(HInstance, RT_ICON, "TEST_TEXT", text.data(), text.size());
    const TResourceRegistrar bitmap(HInstance, RT_BITMAP, "TEST_BITMAP", png.data(), png.size());
    TPicture p;
    p.LoadFromIconResource(HInstance, "test_icon");
    EXPECT_EQ(p.Format(), TPictureFormat::Png);
    EXPECT_EQ(p.Width(), 32);

    TImageList images(nullptr);
    EXPECT_EQ(images.AddIcon(HInstance, "TEST_ICON"), 0);
    EXPECT_EQ(images.AddIcon(HInstance, "TEST_ICON"), 1);
    const int other = 0;
    struct Case {
        const void* module;
        const char* name;
        bool resNotFound;
    } cases[] = {
        {&other, "TEST_ICON", true},  // another module's
        {HInstance, "TEST_BITMAP", true},  // a bitmap is no icon
        {HInstance, "TEST_TEXT", false},  // bytes that are no picture
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.resNotFound) {
            EXPECT_THROW(p.LoadFromIconResource(c.module, c.name), EResNotFound);
            EXPECT_THROW(images.AddIcon(c.module, c.name), EResNotFound);
        } else {
            EXPECT_THROW(p.LoadFromIconResource(c.module, c.name), EInvalidGraphic);
            EXPECT_THROW(images.AddIcon(c.module, c.name), EInvalidGraphic);
        }
        EXPECT_EQ(p.Width(), 32);  // unchanged
        EXPECT_EQ(images.Count(), 2);
    }
}

TEST(ZubImage, AutoSizeTakesThePictureSize)
{
    TImage image(nullptr);
    image.SetAutoSize(true);
    image.Picture()->LoadFromBytes(Gif(400, 200));
    EXPECT_EQ(image.Width(), 400);
    EXPECT_EQ(image.Height(), 200);
    TImage other(nullptr);
    other.Picture()->Assign(*image.Picture());
    EXPECT_EQ(other.Picture()->Bytes(), image.Picture()->Bytes());
    EXPECT_EQ(other.Width(), 105);  // no auto size
}

TEST(ZubAnimate, FrameCountComesFromTheFileAndPlayKeepsTheRange)
{
    // RIFF 'AVI ' LIST hdrl avih with dwTotalFrames = 105.
    String avi = "RIFF";
    avi += String(4, '\0') + "AVI " + "LIST" + String(4, '\0') + "hdrl" + "avih" + String("\x38\0\0\0", 4);
    String header(56, '\0');
    header[16] = 105;
    avi += header;
    String file = Scratch("rad123.avi");
    AtomicWriteFile(file, avi);

    TAnimate a(nullptr);
    a.SetFileName(file);
    EXPECT_EQ(a.FrameCount(), 105);
    a.Play(36, 70, 0);
    EXPECT_TRUE(a.Active());
    EXPECT_EQ(a.PlayFrom(), 36);
    EXPECT_EQ(a.PlayTo(), 70);
    a.Seek(70);
    EXPECT_FALSE(a.Active());
    EXPECT_EQ(a.FrameShown(), 70);
    a.SetFileName(Scratch("none.avi"));
    EXPECT_EQ(a.FrameCount(), 0);
}

}  // namespace
