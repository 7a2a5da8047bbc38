#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "QZDsnPreview.h"
#include "testsupport/TestDir.h"
#include "host/Registry.h"
#include "hostimpl/HostImpl.h"
#include "rtl/Files.h"
#include "rtl/ScopeGuard.h"
#include "zub/Dialogs.h"
#include "zub/Forms.h"

namespace {

const char* const kIE = "SOFTWARE\\Microsoft\\Internet Explorer";

TEST(nimdes_Preview, BrowserVersions)
{
    struct Row {
        const char* Version;
        const char* Build;
        bool WithBuild, Ok;
    } rows[] = {
        {"5.50.4134.0600", "", true, true}, {"5.50", "", false, true},     {"6.0.2800.1106", "", false, true},
        {"11.0", "", false, true},          {"5.01", "54134", true, true}, {"5.01", "54133", true, false},
        {"5.01", "54134", false, false},  // the preview's check has no build fallback
        {"5.01", "x", true, false},         {"4.72", "", true, false},     {"", "", true, false},
        {"5.", "", false, false},
    };
    for (const Row& r : rows) EXPECT_EQ(BrowserVersionOK(r.Version, r.Build, r.WithBuild), r.Ok) << r.Version;
}

TEST(nimdes_Preview, OutputFolderOfTheProject)
{
    setenv("QZ_PREVIEW_TEMP", "/var/tmp/t", 1);
    TScopeGuard unset([] { unsetenv("QZ_PREVIEW_TEMP"); });
    struct Row {
        const char* OutputDir;
        const char* Want;
    } rows[] = {
        {"$(QZ_PREVIEW_TEMP)\\out", "/var/tmp/t/out/"},
        {"bin", "/p/shop/bin/"},
        {"", "/p/shop/"},
        {"/srv/www", "/srv/www/"},
        {"C:\\web", "C:/web/"},
        {"\\web", "/web/"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(PreviewOutputDir(r.OutputDir, "/p/shop/Shop.cpp"), r.Want) << r.OutputDir;
}

struct PreviewHost : ::testing::Test {
    String dir = IncludeTrailingPathDelimiter(ScratchDir() + "preview");
    std::unique_ptr<hostimpl::THostSession> host;
    std::shared_ptr<THeadlessDialogs> dialogs = std::make_shared<THeadlessDialogs>();
    std::shared_ptr<IDialogs> oldDialogs;
    TForm form{nullptr};
    void SetUp() override
    {
        EXPECT_TRUE(ForceDirectories(dir + "tmp"));
        setenv("TMPDIR", (dir + "tmp").c_str(), 1);
        host = std::make_unique<hostimpl::THostSession>(dir);
        oldDialogs = SetDialogs(dialogs);
        form.SetName("QZForm1");
        auto add = [&](TComponentClass c, const char* name, TControl* parent, const char* caption) {
            auto* x = dynamic_cast<TQZControl*>(QZCreate(c, &form));
            x->SetName(name);
            x->SetParent(parent);
            x->SetCaption(caption);
            return x;
        };
        add(&qzc::TQZButton, "Button1", &form, "Send <now> & \"go\"");
        add(&qzc::TQZEdit, "Edit1", &form, "");
        TQZControl* region = add(&qzc::TQZRegion, "Region1", &form, "");
        add(&qzc::TQZLabel, "Label1", region, "Inside");
    }
    void TearDown() override
    {
        QZDsnPreview::Finalization();
        SetDialogs(oldDialogs);
        host.reset();
        unsetenv("TMPDIR");
    }
    void SetBrowser(const char* version) { TRegistry().WriteString(kIE, "Version", version); }
};

// The ids of the elements as python's HTML parser reads them; "error" when it fails.
String ParsedIds(const String& file)
{
    const String cmd =
        "python3 -c 'import sys, html.parser\n"
        "class P(html.parser.HTMLParser):\n"
        "    def handle_starttag(self, t, a):\n"
        "        d = dict(a)\n"
        "        if \"id\" in d: print(d[\"id\"], t, d.get(\"class\", \"\"))\n"
        "p = P(convert_charrefs=True)\np.feed(open(sys.argv[1], encoding=\"utf-8\").read())\np.close()\n' '" +
        file + "' 2>&1";
    FILE* f = popen(cmd.c_str(), "r");
    if (!f) return "error";
    String out;
    char buf[256];
    while (std::fgets(buf, sizeof buf, f)) out += buf;
    return pclose(f) == 0 ? out : "error: " + out;
}

TEST_F(PreviewHost, OldBrowserRefusesWithTheMessage)
{
    for (const char* v : {"", "5.01"}) {
        if (*v) SetBrowser(v);
        dialogs->Clear();
        EXPECT_EQ(RunPreview(&form), nullptr);
        ASSERT_EQ(dialogs->Shown().size(), 1u);
        EXPECT_EQ(dialogs->Shown()[0].Text, "The form preview needs Internet Explorer 5.5 or later.");
        EXPECT_EQ(dialogs->Shown()[0].Type, mtError);
        EXPECT_EQ(TQZFormPreviewGenerator::Count(), 0);
    }
}

TEST_F(PreviewHost, IndexHtmlHoldsEveryControlAndParses)
{
    SetBrowser("6.0");
    TQZFormPreviewGenerator* g = RunPreview(&form);
    ASSERT_NE(g, nullptr);
    const String area = dir + "tmp/Nimbrel/";
    EXPECT_TRUE(g->Window()->Showing());
    EXPECT_EQ(String(g->Window()->WorkArea()), area);
    const String html = ReadFileBytes(area + "index.html");
    EXPECT_NE(html.find("Send &lt;now&gt; &amp; &quot;go&quot;"), String::npos);
    EXPECT_EQ(ParsedIds(area + "index.html"),
              "Button1 div TQZButton\nEdit1 div TQZEdit\nRegion1 div TQZRegion\nLabel1 div TQZLabel\n");
    EXPECT_TRUE(DirectoryExists(area + "Cache"));
}

TEST_F(PreviewHost, TwoPreviewsShareTheLibraryAndTheWindowFreesItsGenerator)
{
    SetBrowser("5.5");
    TQZFormPreviewGenerator* a = RunPreview(&form);
    TQZFormPreviewGenerator* b = RunPreview(&form);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(TQZFormPreviewGenerator::Count(), 2);
    IHTMLLayoutMgr* wa = a->Window();
    wa->UserClose();  // frees a
    EXPECT_EQ(TQZFormPreviewGenerator::Count(), 1);
    EXPECT_TRUE(b->Window()->Showing());
    // The package's unload closes what is still open.
    QZDsnPreview::Finalization();
    EXPECT_EQ(TQZFormPreviewGenerator::Count(), 0);
}

TEST_F(PreviewHost, VerbRunsThePreview)
{
    SetBrowser("6.0");
    TQZPreviewForm editor(&form);
    ASSERT_EQ(editor.GetVerbCount(), 1);
    EXPECT_EQ(editor.GetVerb(0), "Preview");
    editor.ExecuteVerb(0);
    EXPECT_EQ(TQZFormPreviewGenerator::Count(), 1);
}

TEST_F(PreviewHost, FailedPreviewLeavesNothingRegistered)
{
    SetBrowser("6.0");
    // A plain file where the render's cache folder goes.
    const String area = dir + "tmp/Nimbrel/";
    ASSERT_TRUE(ForceDirectories(area));
    AtomicWriteFile(area + "Cache", "not a folder");
    try {
        RunPreview(&form);
        ADD_FAILURE() << "the preview ran";
    } catch (const EInOutError& e) {
        EXPECT_EQ(String(e.what()), "Cannot create the folder " + area + "Cache");
    }
    EXPECT_EQ(TQZFormPreviewGenerator::Count(), 0);
    EXPECT_FALSE(FileExists(area + "index.html"));
    // The package's unload finds nothing of it; a later preview works once the file is gone.
    QZDsnPreview::Finalization();
    ASSERT_TRUE(DeleteFile(area + "Cache"));
    ASSERT_NE(RunPreview(&form), nullptr);
    EXPECT_EQ(TQZFormPreviewGenerator::Count(), 1);
}

}  // namespace
