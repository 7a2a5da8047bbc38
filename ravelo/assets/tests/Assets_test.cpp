#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "media/Avi.h"

namespace fs = std::filesystem;

namespace {

const fs::path kAssets = RAVELO_ASSETS_DIR;

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

std::vector<std::uint8_t> ReadAll(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Lines(const fs::path& p)
{
    std::ifstream in(p);
    std::vector<std::string> lines;
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
}

// The program opens picture names as they stand and the file system ignores case, so a name
// is found by its lower-case form.
std::map<std::string, fs::path> PicturesByLowerName()
{
    std::map<std::string, fs::path> byName;
    for (const auto& e : fs::directory_iterator(kAssets / "gifs"))
        byName[Lower(e.path().filename().string())] = e.path();
    return byName;
}

struct Size {
    int w, h;
};

// Pictures the program loads, with the size of the control that shows them.
const std::vector<std::pair<std::string, Size>>& Expected()
{
    static const std::vector<std::pair<std::string, Size>> list = [] {
        std::vector<std::pair<std::string, Size>> v;
        const Size mode{140, 48}, start{80, 36}, tab{100, 28}, icon{24, 24};
        for (const char* b : {"sarnik", "s1", "s2", "s3"})
            for (const char* s : {"", "_", "_u", "SW", "_SW"})
                v.push_back({std::string(b) + s + ".jpg", mode});
        for (const char* c : {"sw", "bl", "rt", "gn"})
            for (const char* s : {"", "_", "_u"})
                v.push_back({std::string("start_") + c + s + ".jpg", start});
        for (const char* b : {"archiv", "statistik"})
            for (const char* s : {"", "_", "_u"}) v.push_back({std::string(b) + s + ".jpg", tab});
        for (const char* b :
             {"save24", "delete_x24", "mail24", "help24", "print24", "web_download24",
              "edit_table_structure24", "web_search24", "up_blue24", "down_blue24", "favorites24"})
            for (const char* s : {"", "_h", "_d"}) v.push_back({std::string(b) + s + ".gif", icon});
        v.push_back({"calendar24.gif", icon});
        v.push_back({"hintergrund.gif", {660, 560}});
        v.push_back({"hintergrund_SW.gif", {660, 560}});
        v.push_back({"splash.gif", {400, 200}});
        v.push_back({"haken_blau.gif", {16, 16}});
        v.push_back({"haken_grau.gif", {16, 16}});
        return v;
    }();
    return list;
}

TEST(Pictures, EveryNameTheProgramLoadsIsThereInItsFormatAndSize)
{
    const auto byName = PicturesByLowerName();
    for (const auto& [name, size] : Expected()) {
        const auto it = byName.find(Lower(name));
        ASSERT_NE(it, byName.end()) << "missing gifs/" << name;
        const auto bytes = ReadAll(it->second);
        int w = 0, h = 0;
        if (Lower(name).ends_with(".gif")) {
            ASSERT_GE(bytes.size(), 10u) << name;
            ASSERT_TRUE(std::equal(bytes.begin(), bytes.begin() + 3, "GIF")) << name << " is no GIF";
            w = bytes[6] | bytes[7] << 8;
            h = bytes[8] | bytes[9] << 8;
        } else {
            ASSERT_NO_THROW(media::JpegSize(bytes.data(), bytes.size(), w, h)) << name << " is no JPEG";
            EXPECT_EQ(media::DecodeJpeg(bytes.data(), bytes.size()).width, size.w) << name;
        }
        EXPECT_EQ(w, size.w) << name;
        EXPECT_EQ(h, size.h) << name;
    }
    // The spellings the program uses elsewhere find the same files.
    for (const char* alias :
         {"S1_.jpg", "S2_.jpg", "S3_.jpg", "Archiv.jpg", "Statistik_.jpg", "Start_sw_.jpg"})
        EXPECT_TRUE(byName.count(Lower(alias))) << alias;
}

TEST(Pictures, NoTwoFilesDifferOnlyInCase)
{
    std::set<std::string> seen;
    for (const auto& e : fs::directory_iterator(kAssets / "gifs"))
        EXPECT_TRUE(seen.insert(Lower(e.path().filename().string())).second) << e.path();
}

TEST(Pictures, GreyVariantsHaveNoColour)
{
    // A grey picture that still shows colour would look enabled in a greyed-out window.
    for (const char* name : {"sarnikSW.jpg", "S1_SW.jpg", "S3SW.jpg"}) {
        const auto bytes = ReadAll(kAssets / "gifs" / name);
        const media::Image img = media::DecodeJpeg(bytes.data(), bytes.size());
        int worst = 0;
        for (std::size_t i = 0; i + 2 < img.rgb.size(); i += 3)
            worst = std::max(
                {worst, std::abs(img.rgb[i] - img.rgb[i + 1]), std::abs(img.rgb[i + 1] - img.rgb[i + 2])});
        EXPECT_LE(worst, 8) << name;
    }
}

TEST(Manifest, ListsExactlyTheFilesOfTheProgramFolder)
{
    std::set<std::string> listed;
    for (const auto& line : Lines(kAssets / "MANIFEST")) {
        if (line.empty() || line[0] == '#') continue;
        EXPECT_TRUE(listed.insert(line).second) << "listed twice: " << line;
        EXPECT_TRUE(fs::is_regular_file(kAssets / line)) << "listed but missing: " << line;
    }
    for (const char* dir : {"gifs", "avi", "help", "data"})
        for (const auto& e : fs::recursive_directory_iterator(kAssets / dir))
            if (e.is_regular_file()) {
                const std::string rel = fs::relative(e.path(), kAssets).generic_string();
                EXPECT_TRUE(listed.count(rel)) << "not in MANIFEST: " << rel;
            }
    for (const char* must :
         {"avi/rad123.avi", "avi/serverdownload.avi", "gifs/splash.gif", "data/dorov_zahlen.txt",
          "data/profile.txt", "data/Musterprofil.ini", "data/history.txt"})
        EXPECT_TRUE(listed.count(must)) << must;
}

TEST(DefaultData, MusterprofilIsTheCurrentProfileWithEveryKey)
{
    const auto profiles = Lines(kAssets / "data/profile.txt");
    ASSERT_FALSE(profiles.empty());
    EXPECT_EQ(profiles.back(), "Musterprofil");

    // Keys in the order a profile is written, with the main window's start states.
    std::vector<std::string> expected = {"[Sarnik]", "Edit1=6", "Edit2=6",   "Edit3=5",
                                         "Edit4=6",  "Edit5=6", "Edit7=250", "Edit8=12"};
    for (int i = 2; i <= 21; ++i) expected.push_back("CheckBox" + std::to_string(i) + "=true");
    expected.push_back("RadioButton1=true");
    for (int i = 2; i <= 5; ++i) expected.push_back("RadioButton" + std::to_string(i) + "=false");
    EXPECT_EQ(Lines(kAssets / "data/Musterprofil.ini"), expected);

    EXPECT_TRUE(Lines(kAssets / "data/history.txt").empty());
}

TEST(DefaultData, ArchiveHoldsDrawLines)
{
    const auto lines = Lines(kAssets / "data/dorov_zahlen.txt");
    ASSERT_GT(lines.size(), 5000u);
    for (const auto& l : {lines.front(), lines.back()}) {
        ASSERT_GE(l.size(), 9u) << l;
        EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(l[0])) && l[2] == '.' && l[5] == '.' &&
                    l[8] == ',')
            << l;
    }
    EXPECT_EQ(lines.front().substr(0, 8), "09.10.55");
}

TEST(Help, PageIsGermanHtmlAndItsPicturesExist)
{
    const auto bytes = ReadAll(kAssets / "help/Quenzel_2009.html");
    const std::string html(bytes.begin(), bytes.end());
    EXPECT_NE(html.find("<html lang=\"de\">"), std::string::npos);
    EXPECT_NE(html.find("charset=\"utf-8\""), std::string::npos);
    for (const char* word : {"Sarnik", "Schritt 1", "Schritt 2", "Schritt 3", "Drucken", "Experten"})
        EXPECT_NE(html.find(word), std::string::npos) << word;
    for (std::size_t pos = html.find("src=\""); pos != std::string::npos;
         pos = html.find("src=\"", pos + 1)) {
        const std::size_t end = html.find('"', pos + 5);
        const std::string src = html.substr(pos + 5, end - pos - 5);
        EXPECT_TRUE(fs::is_regular_file(kAssets / "help" / src)) << src;
    }
}

// The animations the program ships: the run animation plays frames 1-35, 36-70 and 71-105 in
// its 206 x 206 control; the download animation loops all of its frames.
TEST(CommittedAnimations, HaveTheFramesTheProgramPlays)
{
    const std::string assets = kAssets.string();
    const media::AviReader rad(assets + "/avi/rad123.avi");
    EXPECT_GE(rad.FrameCount(), 105);
    EXPECT_EQ(rad.Width(), 206);
    EXPECT_EQ(rad.Height(), 206);
    EXPECT_GT(rad.FrameRate(), 0.0);
    for (int i : {0, 34, 35, 69, 70, 104}) EXPECT_EQ(rad.DecodeFrame(i).width, 206) << "frame " << i;

    const media::AviReader down(assets + "/avi/serverdownload.avi");
    EXPECT_GE(down.FrameCount(), 2);
    EXPECT_GT(down.FrameRate(), 0.0);
    const media::Image last = down.DecodeFrame(down.FrameCount() - 1);
    EXPECT_EQ(last.width, down.Width());
}

}  // namespace
