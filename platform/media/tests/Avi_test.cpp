#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "media/Avi.h"
#include "rtl/Files.h"
#include "testsupport/TestDir.h"

namespace fs = std::filesystem;

namespace {

// Private scratch folder per test under the test's HOME.
class AviTest : public ::testing::Test {
protected:
    void SetUp() override { dir = FreshTestDir("avi"); }
    std::string Path(const std::string& name) const { return (dir / name).string(); }
    fs::path dir;
};

// Smooth picture that differs per frame, so a swapped or repeated frame shows.
media::Image Frame(int w, int h, int n)
{
    media::Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = img.Pixel(x, y);
            p[0] = static_cast<std::uint8_t>(x * 255 / (w - 1));
            p[1] = static_cast<std::uint8_t>(y * 255 / (h - 1));
            p[2] = static_cast<std::uint8_t>(40 * n);
        }
    return img;
}

std::vector<char> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const std::string& path, const std::vector<char>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string WriteSample(const std::string& path, int frames = 4)
{
    media::AviWriter w(path, 40, 30, 12);
    for (int i = 0; i < frames; ++i) w.AddFrame(Frame(40, 30, i), 95);
    w.Close();
    return path;
}

int MaxDiff(const media::Image& a, const media::Image& b)
{
    int worst = 0;
    for (std::size_t i = 0; i < a.rgb.size(); ++i) worst = std::max(worst, std::abs(a.rgb[i] - b.rgb[i]));
    return worst;
}

TEST_F(AviTest, FramesComeBackInOrderWithSizeAndRate)
{
    const media::AviReader r(WriteSample(Path("a.avi")));
    EXPECT_EQ(r.FrameCount(), 4);
    EXPECT_EQ(r.Width(), 40);
    EXPECT_EQ(r.Height(), 30);
    EXPECT_DOUBLE_EQ(r.FrameRate(), 12.0);
    for (int i = 0; i < 4; ++i) {
        const media::Image img = r.DecodeFrame(i);
        ASSERT_EQ(img.width, 40);
        ASSERT_EQ(img.height, 30);
        EXPECT_LE(MaxDiff(img, Frame(40, 30, i)), 12) << "frame " << i;
    }
    // Blue differs by 40 between neighbours: frame 2 must not pass for frame 1.
    EXPECT_GT(MaxDiff(r.DecodeFrame(1), Frame(40, 30, 2)), 25);
}

TEST_F(AviTest, FileHasRiffStructureAndIndex)
{
    const auto bytes = ReadAll(WriteSample(Path("a.avi"), 3));
    const std::string s(bytes.begin(), bytes.end());
    ASSERT_GE(s.size(), 12u);
    EXPECT_EQ(s.substr(0, 4), "RIFF");
    EXPECT_EQ(s.substr(8, 4), "AVI ");
    const std::uint32_t riffSize = static_cast<std::uint8_t>(s[4]) | static_cast<std::uint8_t>(s[5]) << 8 |
                                   static_cast<std::uint8_t>(s[6]) << 16 |
                                   static_cast<std::uint8_t>(s[7]) << 24;
    EXPECT_EQ(riffSize + 8, s.size());
    EXPECT_NE(s.find("MJPG"), std::string::npos);
    EXPECT_NE(s.find("movi"), std::string::npos);
    const auto idx = s.find("idx1");
    ASSERT_NE(idx, std::string::npos);
    EXPECT_EQ(s.size() - idx, 8u + 3 * 16);  // three index entries close the file
}

TEST_F(AviTest, DamagedFilesAreClearErrors)
{
    const auto good = ReadAll(WriteSample(Path("good.avi")));
    struct Case {
        const char* name;
        std::vector<char> bytes;
        const char* reason;
    };
    std::vector<char> truncated(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2));
    std::vector<char> notAvi = good;
    notAvi[8] = 'W';
    std::vector<char> badIndex = good;
    // Last index entry's offset (4 bytes before its length, 8 before the end) pointed far away.
    badIndex[badIndex.size() - 8] = '\x7f';
    badIndex[badIndex.size() - 7] = '\x7f';
    const Case cases[] = {
        {"empty.avi", {}, "not an AVI file"},
        {"text.avi", std::vector<char>{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!'},
         "not an AVI file"},
        {"wave.avi", notAvi, "not an AVI file"},
        {"half.avi", truncated, "truncated"},
        {"index.avi", badIndex, "outside the frame data"},
    };
    for (const auto& c : cases) {
        WriteAll(Path(c.name), c.bytes);
        try {
            media::AviReader r(Path(c.name));
            ADD_FAILURE() << c.name << " was accepted";
        } catch (const media::Error& e) {
            const std::string what = e.what();
            EXPECT_NE(what.find(c.name), std::string::npos) << what;
            EXPECT_NE(what.find(c.reason), std::string::npos) << c.name << ": " << what;
        }
    }
    EXPECT_THROW(media::AviReader(Path("missing.avi")), media::Error);
}

void Put32(std::vector<char>& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(v >> (8 * i));
}

// Index entries that all name one frame share its bytes: the reader takes no more memory than
// the file holds, however many entries there are.
TEST_F(AviTest, ManyIndexEntriesOfOneFrameShareItsBytes)
{
    auto bytes = ReadAll(WriteSample(Path("a.avi"), 1));
    const std::string s(bytes.begin(), bytes.end());
    const auto idx = s.rfind("idx1");
    ASSERT_EQ(bytes.size() - idx, 8u + 16);
    const std::vector<char> eintrag(bytes.end() - 16, bytes.end());
    constexpr int N = 4000;
    for (int i = 1; i < N; ++i) bytes.insert(bytes.end(), eintrag.begin(), eintrag.end());
    Put32(bytes, idx + 4, 16u * N);
    Put32(bytes, 4, static_cast<std::uint32_t>(bytes.size() - 8));
    WriteAll(Path("viele.avi"), bytes);

    const media::AviReader r(Path("viele.avi"));
    ASSERT_EQ(r.FrameCount(), N);
    const auto erstes = r.FrameJpeg(0);
    for (int i : {1, N / 2, N - 1}) {
        EXPECT_EQ(r.FrameJpeg(i).data(), erstes.data()) << i;
        EXPECT_EQ(r.FrameJpeg(i).size(), erstes.size()) << i;
    }
    EXPECT_LE(MaxDiff(r.DecodeFrame(N - 1), Frame(40, 30, 0)), 12);
}

TEST_F(AviTest, PictureHeadersClaimingMoreThanTheFileHoldsAreRefusedBeforeAnyBuffer)
{
    // 100000 x 100000 pixels: 30 GB from an 89-byte file.
    std::string ppm = "P6\n# 89 bytes\n100000 100000\n255\n";
    ppm.resize(89, 'x');
    WriteAll(Path("gross.ppm"), std::vector<char>(ppm.begin(), ppm.end()));
    try {
        media::ReadImageFile(Path("gross.ppm"));
        ADD_FAILURE() << "gross.ppm was accepted";
    } catch (const media::Error& e) {
        EXPECT_NE(std::string(e.what()).find("truncated"), std::string::npos) << e.what();
    }

    // A 40 x 30 JPEG whose frame header claims 8000 x 8000 pixels.
    auto jpeg = media::EncodeJpeg(Frame(40, 30, 0));
    std::size_t sof = 2;
    while (sof + 4 < jpeg.size() && !(jpeg[sof] == 0xFF && jpeg[sof + 1] == 0xC0))
        sof += 2 + ((jpeg[sof + 2] << 8) | jpeg[sof + 3]);
    ASSERT_LT(sof + 9, jpeg.size());
    const std::uint8_t gross[4] = {0x1F, 0x40, 0x1F, 0x40};
    std::copy(gross, gross + 4, jpeg.begin() + static_cast<std::ptrdiff_t>(sof + 5));
    try {
        media::DecodeJpeg(jpeg.data(), jpeg.size());
        ADD_FAILURE() << "the JPEG was accepted";
    } catch (const media::Error& e) {
        EXPECT_NE(std::string(e.what()).find("8000 x 8000"), std::string::npos) << e.what();
    }
}

TEST_F(AviTest, BrokenFrameDataFailsOnDecodeOnly)
{
    auto bytes = ReadAll(WriteSample(Path("a.avi"), 2));
    const std::string s(bytes.begin(), bytes.end());
    const auto first = s.find("00dc");
    ASSERT_NE(first, std::string::npos);
    // Keep the JPEG start marker, damage the rest of frame 0.
    for (std::size_t i = first + 8 + 2; i < first + 8 + 200; ++i) bytes[i] = '\x00';
    WriteAll(Path("a.avi"), bytes);
    const media::AviReader r(Path("a.avi"));
    EXPECT_EQ(r.FrameCount(), 2);
    EXPECT_THROW(r.DecodeFrame(0), media::Error);
    EXPECT_LE(MaxDiff(r.DecodeFrame(1), Frame(40, 30, 1)), 12);
    EXPECT_THROW(r.DecodeFrame(2), media::Error);
    EXPECT_THROW(r.DecodeFrame(-1), media::Error);
}

TEST_F(AviTest, WriterRefusesWrongSizesAndLeavesNoFileWithoutClose)
{
    {
        media::AviWriter w(Path("w.avi"), 40, 30, 10);
        EXPECT_THROW(w.AddFrame(Frame(41, 30, 0)), media::Error);
        EXPECT_THROW(w.AddJpegFrame(media::EncodeJpeg(Frame(40, 31, 0))), media::Error);
        EXPECT_THROW(w.AddJpegFrame({1, 2, 3}), media::Error);
        w.AddJpegFrame(media::EncodeJpeg(Frame(40, 30, 0)));
        EXPECT_EQ(w.FrameCount(), 1);
    }
    EXPECT_FALSE(fs::exists(Path("w.avi")));
    media::AviWriter empty(Path("e.avi"), 40, 30, 10);
    EXPECT_THROW(empty.Close(), media::Error);
    EXPECT_THROW(media::AviWriter(Path("x.avi"), 0, 30, 10), media::Error);
    EXPECT_THROW(media::AviWriter(Path("x.avi"), 40, 30, 0), media::Error);
}

TEST_F(AviTest, ReplacingAnAnimationKeepsOnlyTheNewOne)
{
    WriteSample(Path("a.avi"), 5);
    WriteSample(Path("a.avi"), 2);
    EXPECT_EQ(media::AviReader(Path("a.avi")).FrameCount(), 2);
    for (const auto& e : fs::directory_iterator(dir))
        EXPECT_EQ(e.path().filename(), "a.avi") << "left behind: " << e.path();
}

TEST_F(AviTest, AFailedReplaceKeepsTheOldAnimationAndLeavesNoTemporaryFile)
{
    WriteSample(Path("a.avi"), 3);
    const auto old = SetAtomicWriteHook([](const String& temp) {
        EXPECT_TRUE(fs::exists(temp));
        throw EInOutError("disk full");
    });
    EXPECT_THROW(WriteSample(Path("a.avi"), 2), media::Error);
    SetAtomicWriteHook(old);
    EXPECT_EQ(media::AviReader(Path("a.avi")).FrameCount(), 3);
    for (const auto& e : fs::directory_iterator(dir))
        EXPECT_EQ(e.path().filename(), "a.avi") << "left behind: " << e.path();
}

TEST_F(AviTest, PictureFilesReadAsPpmOrJpeg)
{
    const media::Image img = Frame(40, 30, 3);
    media::WritePpm(Path("p.ppm"), img);
    EXPECT_EQ(media::ReadImageFile(Path("p.ppm")).rgb, img.rgb);  // PPM is exact

    const auto jpeg = media::EncodeJpeg(img, 95);
    WriteAll(Path("p.jpg"), std::vector<char>(jpeg.begin(), jpeg.end()));
    const media::Image back = media::ReadImageFile(Path("p.jpg"));
    ASSERT_EQ(back.width, 40);
    EXPECT_LE(MaxDiff(back, img), 12);

    // A PPM comment in the header is allowed.
    WriteAll(Path("c.ppm"),
             {'P', '6', '\n', '#', ' ', 'x', '\n', '1', ' ', '1', '\n', '2', '5', '5', '\n', 'a', 'b', 'c'});
    EXPECT_EQ(media::ReadImageFile(Path("c.ppm")).rgb, (std::vector<std::uint8_t>{'a', 'b', 'c'}));
    // 16-bit samples (as ImageMagick writes them) are scaled to 8 bits.
    WriteAll(Path("w.ppm"), {'P', '6', ' ', '1', ' ', '1', ' ', '6', '5', '5', '3', '5', ' ', '\xff', '\xff',
                             '\x80', '\x00', 0, 0});
    EXPECT_EQ(media::ReadImageFile(Path("w.ppm")).rgb, (std::vector<std::uint8_t>{255, 127, 0}));

    const std::pair<const char*, std::vector<char>> bad[] = {
        {"short.ppm", {'P', '6', ' ', '4', ' ', '4', ' ', '2', '5', '5', ' ', 'x'}},
        {"zero.ppm", {'P', '6', ' ', '1', ' ', '1', ' ', '0', ' ', 0, 0, 0}},
        {"deep.ppm", {'P', '6', ' ', '1', ' ', '1', ' ', '6', '5', '5', '3', '5', ' ', 0, 0, 0, 0, 0}},
        {"ascii.ppm", {'P', '3', ' ', '1', ' ', '1', ' ', '2', '5', '5', ' ', '0', ' ', '0', ' ', '0'}},
        {"cut.jpg", std::vector<char>(jpeg.begin(), jpeg.begin() + 20)},
    };
    for (const auto& [name, bytes] : bad) {
        WriteAll(Path(name), bytes);
        EXPECT_THROW(media::ReadImageFile(Path(name)), media::Error) << name;
    }
}

}  // namespace
