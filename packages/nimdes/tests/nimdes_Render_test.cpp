#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>

#include "hostimpl/Shell.h"
#include "host/Registry.h"
#include "media/Jpeg.h"
#include "media/Png.h"
#include "rtl/ScopeGuard.h"
#include "rtl/Files.h"
#include "testsupport/TestDir.h"

using namespace hostimpl;

namespace {

struct TRgb {
    int R, G, B;
    bool operator==(const TRgb&) const = default;
};
std::ostream& operator<<(std::ostream& o, const TRgb& c)
{
    return o << "(" << c.R << "," << c.G << "," << c.B << ")";
}

TRgb At(const media::Image& img, int x, int y)
{
    const std::uint8_t* p = img.Pixel(x, y);
    return {p[0], p[1], p[2]};
}

// idehost lays out the sample form (one control of each kind) and paints it as the form
// designer does; the picture is read back from the PNG file.
TEST(nimdes_Render, SampleFormIsPaintedByTheHandlersIntoAPng)
{
    const String out = ScratchDir() + "render/";
    const String picture = out + "sample.png";
    std::istringstream in;
    std::ostringstream text, err;
    const int status = RunIdeHost({"--packages", NIMDES_PACKAGE_DIR, "--dir", out, "load", "nimdes", "render",
                                   NIMDES_SAMPLE_FORM, picture, "unload"},
                                  in, text, err);
    ASSERT_EQ(status, 0) << err.str();
    EXPECT_EQ(text.str(), "loaded nimdes\nrendered " + picture + "\nunloaded all\n");
    const String bytes = ReadFileBytes(picture);
    const media::Image img =
        media::DecodePng(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    // The form's client size.
    ASSERT_EQ(img.width, 800);
    ASSERT_EQ(img.height, 560);

    const TRgb white{255, 255, 255}, black{0, 0, 0};
    struct {
        const char* What;
        int X, Y;
        TRgb Color;
    } samples[] = {
        {"form background", 790, 550, white},
        // Progress bar at (8, 242), 252 x 16, 60 percent in green: frame black, the bar fills
        // (1, 1) to (151, 15), the rest is white.
        {"progress bar frame", 8, 242, black},
        {"progress bar filled part", 8 + 75, 242 + 8, {0, 128, 0}},
        {"progress bar last filled column", 8 + 150, 242 + 8, {0, 128, 0}},
        {"progress bar empty part", 8 + 151, 242 + 8, white},
        // Rectangle at (8, 324), 120 x 40, yellow and without border: filled whole.
        {"rectangle corner", 8, 324, {255, 255, 0}},
        {"rectangle right of its caption", 8 + 110, 324 + 3, {255, 255, 0}},
        {"right of the rectangle", 8 + 120, 324 + 3, white},
        // Region at (136, 324) in light blue with a 3-D border of 4 pixels.
        {"region inside", 136 + 62, 324 + 20, {173, 216, 230}},
        // The radio picture of the radio button at (120, 64) lies on the form's white.
        {"radio picture corner", 122, 66, white},
        // The client-side navigator at (8, 456): its right-pointing arrows are solid.
        {"lower edge of the next arrow", 81, 468, black},
    };
    for (const auto& s : samples) EXPECT_EQ(At(img, s.X, s.Y), s.Color) << s.What;
}

TEST(nimdes_Render, ErrorsNameTheirCauseAndWriteNothing)
{
    const String out = FreshDir(ScratchDir() + "render_errors");
    const String layout = out + "bad.txt";
    AtomicWriteFile(layout, "object F: TQZAppForm\n  object X: TQZNoSuchControl\n  end\nend\n");
    const String badColour = out + "colour.txt";
    const String wideBorder = out + "border.txt";
    AtomicWriteFile(wideBorder,
                    "object F: TQZAppForm\n  object R: TQZRegion\n    BorderOptions.PixelWidth = 2000000000\n"
                    "  end\nend\n");
    AtomicWriteFile(badColour,
                    "object F: TQZAppForm\n  object B: TQZButton\n    Color = Mauve\n  end\nend\n");
    struct {
        std::vector<String> Args;
        const char* Error;
    } cases[] = {
        {{"render", layout, out + "a.png"}, "unknown class TQZNoSuchControl"},
        {{"render", badColour, out + "a.png"}, "Layout line 3: unknown colour Mauve"},
        {{"render", out + "missing.txt", out + "b.png"}, "missing.txt"},
        {{"render", layout}, "render needs LAYOUT PICTURE"},
        {{"render", wideBorder, out + "a.png"},
         "Layout line 3: border width out of range 0 .. 1000: 2000000000"},
    };
    for (const auto& k : cases) {
        std::vector<String> args{"--packages", NIMDES_PACKAGE_DIR, "--dir", out, "load", "nimdes"};
        args.insert(args.end(), k.Args.begin(), k.Args.end());
        std::istringstream in;
        std::ostringstream text, err;
        EXPECT_EQ(RunIdeHost(args, in, text, err), 1);
        EXPECT_NE(err.str().find(k.Error), String::npos) << err.str();
    }
    EXPECT_FALSE(FileExists(out + "a.png"));
    EXPECT_FALSE(FileExists(out + "b.png"));
}

// A control as large as a layout allows would take the painting beyond int: a clear error, no
// picture.
TEST(nimdes_Render, ControlsOfAbsurdSizeAreRefused)
{
    const String out = FreshDir(ScratchDir() + "render_huge");
    const String layout = out + "huge.txt";
    AtomicWriteFile(layout, "object F: TQZAppForm\n  ClientWidth = 100\n  ClientHeight = 80\n"
                            "  object Memo1: TQZMemo\n    Left = -1000000000\n    Width = 2147483647\n"
                            "    Height = 50\n  end\nend\n");
    std::istringstream in;
    std::ostringstream shown, err;
    const int status = RunIdeHost({"--packages", NIMDES_PACKAGE_DIR, "--dir", out, "load", "nimdes", "render",
                                   layout, out + "huge.png"},
                                  in, shown, err);
    EXPECT_EQ(status, 1);
    EXPECT_NE(err.str().find("Arithmetic overflow painting Memo1 (TQZMemo)"), String::npos) << err.str();
    EXPECT_FALSE(FileExists(out + "huge.png"));
}

// The HTML designer opened on the sample form shows each control by its picture in the work
// area; a picture is the control as `render` paints it.
TEST(nimdes_Render, HTMLDesignerWorkAreaHoldsAPictureOfEachControl)
{
    const String out = FreshDir(ScratchDir() + "render_html");
    ASSERT_TRUE(ForceDirectories(out + "tmp"));
    setenv("TMPDIR", (out + "tmp").c_str(), 1);
    const char* ie = "SOFTWARE\\Microsoft\\Internet Explorer";
    TRegistry().WriteString(ie, "Version", "6.0");
    TScopeGuard restore([&] {
        TRegistry().DeleteKey(ie);
        unsetenv("TMPDIR");
    });
    const String picture = out + "sample.png";
    std::istringstream in;
    std::ostringstream text, err;
    const int status = RunIdeHost({"--packages", NIMDES_PACKAGE_DIR, "--dir", out, "load", "nimdes", "design",
                                   NIMDES_SAMPLE_FORM, "place", "TQZLayoutMgrHTML", "Layout1", "verb",
                                   "Layout1", "0", "render", NIMDES_SAMPLE_FORM, picture, "unload"},
                                  in, text, err);
    ASSERT_EQ(status, 0) << err.str();
    const String area = out + "tmp/Nimbrel/";
    std::set<String> pictures;
    for (const auto& e : std::filesystem::directory_iterator(area))
        if (e.path().extension() == ".jpg") pictures.insert(e.path().stem().string());
    const std::set<String> controls{
        "Heading40",        "QZButton1",       "QZEdit1",           "QZCheckBox1",    "QZRadioButton1",
        "QZRadioGroup1",    "QZComboBox1",     "QZFile1",           "QZListbox1",     "QZMemo1",
        "QZLink1",          "QZProgressBar1",  "QZText1",           "QZList1",        "QZHRule1",
        "QZRectangle1",     "QZImage1",        "QZApplet1",         "QZTimer1",       "QZDBNavigator1",
        "QZCSNavigator1",   "Heading32",       "QZButton321",       "QZEdit321",      "QZCheckBox321",
        "QZRadioButton321", "QZRadioGroup321", "QZComboBox321",     "QZFile321",      "QZListbox321",
        "QZMemo321",        "QZURL321",        "QZLabel321",        "QZText321",      "QZList321",
        "QZRectangle321",   "QZImage321",      "QZHRule321",        "HeadingWAP",     "QZButtonWAP1",
        "QZEditWAP1",       "QZCheckBoxWAP1",  "QZRadioButtonWAP1", "QZComboBoxWAP1", "QZListBoxWAP1",
        "QZLinkWAP1",       "QZLabelWAP1",     "QZImageWAP1"};
    EXPECT_EQ(pictures, controls);
    // Regions and the tab control hold controls: they are no controls of the HTML designer.
    // The button at (8, 30), 100 x 25, against the same place of the form's picture.
    const String png = ReadFileBytes(picture), jpg = ReadFileBytes(area + "QZButton1.jpg");
    const media::Image form = media::DecodePng(reinterpret_cast<const std::uint8_t*>(png.data()), png.size());
    const media::Image button =
        media::DecodeJpeg(reinterpret_cast<const std::uint8_t*>(jpg.data()), jpg.size());
    ASSERT_EQ(button.width, 100);
    ASSERT_EQ(button.height, 25);
    long long total = 0;
    int far = 0;
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 100; ++x)
            for (int k = 0; k < 3; ++k) {
                const int d = std::abs(button.Pixel(x, y)[k] - form.Pixel(8 + x, 30 + y)[k]);
                total += d;
                if (d > 48) ++far;
            }
    // JPEG blurs the edges of the text a little, nothing more.
    EXPECT_LT(total / (100.0 * 25 * 3), 3.0);
    EXPECT_LT(far, 25);
    const std::uint8_t* mid = button.Pixel(5, 12);
    EXPECT_NEAR(mid[0], form.Pixel(13, 42)[0], 8);
}

}  // namespace
