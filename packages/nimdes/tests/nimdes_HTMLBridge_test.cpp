#include <gtest/gtest.h>

#include <cstdlib>

#include "QZDsnEditors.h"
#include "QZHTMLManager.h"
#include "testsupport/TestDir.h"
#include "host/Registry.h"
#include "hostimpl/HostImpl.h"
#include "rtl/Files.h"
#include "zub/Dialogs.h"
#include "zub/Forms.h"

namespace {

struct HTMLBridge : ::testing::Test {
    String dir = IncludeTrailingPathDelimiter(ScratchDir() + "bridge");
    std::unique_ptr<hostimpl::THostSession> host;
    std::shared_ptr<THeadlessDialogs> dialogs = std::make_shared<THeadlessDialogs>();
    std::shared_ptr<IDialogs> oldDialogs;
    TForm form{nullptr};
    TFormDesigner designer{&form};
    TQZComponent* layout = nullptr;
    String area;

    void SetUp() override
    {
        EXPECT_TRUE(ForceDirectories(dir + "tmp"));
        setenv("TMPDIR", (dir + "tmp").c_str(), 1);
        area = dir + "tmp/Nimbrel/";
        host = std::make_unique<hostimpl::THostSession>(dir);
        oldDialogs = SetDialogs(dialogs);
        SetActiveDesigner(&designer);
        form.SetName("QZForm1");
        for (auto [cls, name] :
             {std::pair{&qzc::TQZButton, "Button1"}, std::pair{&qzc::TQZLabel, "Label1"}}) {
            auto* c = dynamic_cast<TQZControl*>(QZCreate(cls, &form));
            c->SetName(name);
            c->SetParent(&form);
            c->SetBounds(10, 20, 50, 25);
        }
        layout = dynamic_cast<TQZComponent*>(QZCreate(&qzc::TQZLayoutMgrHTML, &form));
        layout->SetName("LayoutMgr1");
        Browser("6.0", "");
    }
    void TearDown() override
    {
        QZHTMLManager::Finalization();
        SetActiveDesigner(nullptr);
        SetDialogs(oldDialogs);
        host.reset();
        unsetenv("TMPDIR");
    }
    void Browser(const char* version, const char* build)
    {
        TRegistry r;
        r.WriteString("SOFTWARE\\Microsoft\\Internet Explorer", "Version", version);
        r.WriteString("SOFTWARE\\Microsoft\\Internet Explorer", "Build", build);
    }
    IHTMLLayoutMgr* Window() { return LayoutManagerOf(layout)->HTMLDesigner(); }
    String Log() { return Window()->Log(); }
};

TEST_F(HTMLBridge, LaunchShowsTheDesignerOnceAndAgain)
{
    TLayoutMgrHTMLComponent editor(layout);
    ASSERT_EQ(editor.GetVerbCount(), 1);
    editor.ExecuteVerb(0);
    TQZHTMLManager* m = LayoutManagerOf(layout);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(String(Window()->WorkArea()), area);
    EXPECT_EQ(layout->LayoutWorkArea, area);
    EXPECT_TRUE(DirectoryExists(area));
    EXPECT_TRUE(Window()->Showing());
    // The property editor on a layout that has a manager shows the same designer.
    TLayoutMgrHTMLProperty prop(TPropertyTarget{{layout}, "HTML", {}, {}, {}});
    EXPECT_EQ(prop.GetValue(), "(HTML)");
    prop.Edit();
    EXPECT_EQ(LayoutManagerOf(layout), m);
    EXPECT_EQ(Log(), "show\nshow\n");
}

TEST_F(HTMLBridge, BrowserOlderThanTheCheckAllowsRefuses)
{
    struct Row {
        const char* Version;
        const char* Build;
        bool Launches;
    } rows[] = {{"5.01", "54133", false}, {"4.0", "", false}, {"5.01", "54134", true}};
    for (const Row& r : rows) {
        QZHTMLManager::Finalization();
        dialogs->Clear();
        Browser(r.Version, r.Build);
        EditLayoutHTML(layout, &designer);
        EXPECT_EQ(LayoutManagerOf(layout) != nullptr, r.Launches) << r.Version << " " << r.Build;
        if (!r.Launches) {
            ASSERT_EQ(dialogs->Shown().size(), 1u);
            EXPECT_EQ(dialogs->Shown()[0].Text, "The HTML designer needs Internet Explorer 5.5 or later.");
            EXPECT_EQ(dialogs->Shown()[0].Type, mtError);
        }
    }
}

TEST_F(HTMLBridge, RequestsOfTheHTMLDesignerChangeTheForm)
{
    TQZHTMLManager::RegisterComponents("QZ Standard", nullptr, {&qzc::TQZButton, &qzc::TQZLabel});
    EditLayoutHTML(layout, &designer);
    IHTMLLayoutHost* h = Window()->Host();
    ASSERT_NE(h, nullptr);
    auto* button = dynamic_cast<TControl*>(form.FindComponent("Button1"));
    struct Row {
        std::function<String()> Request;
        const char* Answer;
        std::function<bool()> Check;
        const char* Told;  // what the HTML designer hears of it
    } rows[] = {
        {[&] { return h->CreateComponent("TQZButton"); }, "QZButton1",
         [&] { return form.FindComponent("QZButton1") != nullptr; }, "inserted\n"},
        {[&] { return h->SelectComponent("Button1"); }, "Button1",
         [&] { return designer.Selection() == std::vector<TComponent*>{button}; }, "selected Button1\n"},
        {[&] { return h->SelectComponent("Nobody"); }, "",
         [&] { return designer.Selection() == std::vector<TComponent*>{button}; }, ""},
        {[&] {
             h->ResizeComponent("Button1", 120, 30);
             return String();
         },
         "", [&] { return button->BoundsRect() == Rect(10, 20, 130, 50); }, "repaint Button1\n"},
        {[&] {
             h->DeleteComponent("Label1");
             return String();
         },
         "", [&] { return form.FindComponent("Label1") == nullptr; },
         "selected Label1\ndeleted Label1\nselected \n"},
        {[&] {
             h->RenameComponent("Button1", "Send");
             return String();
         },
         "", [] { return true; }, "renamed Button1 Send\n"},
        {[&] { return h->GetComponentList(); }, "Button1\nQZButton1\n", [] { return true; }, ""},
        {[&] {
             h->BuildPalette();
             return String();
         },
         "", [] { return true; }, "palette QZ Standard TQZButton\npalette QZ Standard TQZLabel\n"},
        {[&] { return h->SelectComponent(""); }, "", [&] { return designer.Selection().empty(); },
         "selected \n"},
    };
    const int modified = designer.ModifiedCount();
    for (const Row& r : rows) {
        const String before = Log();
        EXPECT_EQ(r.Request(), r.Answer);
        EXPECT_TRUE(r.Check());
        EXPECT_EQ(Log().substr(before.size()), r.Told) << r.Answer;
    }
    EXPECT_EQ(designer.ModifiedCount(), modified + 1) << "the resize";
    // Two controls selected: the HTML designer hears of no single one.
    const String before = Log();
    designer.SetSelection({button, form.FindComponent("QZButton1")});
    EXPECT_EQ(Log().substr(before.size()), "selected \n");
}

// The user asks the HTML designer for a control's properties: it is selected, and the host's
// object inspector comes up on it.
TEST_F(HTMLBridge, ObjectInspectorComesUpOnTheControlTheDesignerSelected)
{
    EditLayoutHTML(layout, &designer);
    IHTMLLayoutHost* h = Window()->Host();
    auto inspector = RequireService<IQInspectorServices>("object inspector");
    EXPECT_FALSE(inspector->InspectorShowing());
    EXPECT_EQ(h->SelectComponent("Button1"), "Button1");
    h->ShowObjectInspector();
    EXPECT_TRUE(inspector->InspectorShowing());
    EXPECT_EQ(ActiveDesigner()->Selection(), std::vector<TComponent*>{form.FindComponent("Button1")});
}

TEST_F(HTMLBridge, ResultBecomesTheLayoutsTemplateAndReleaseLetsGo)
{
    EditLayoutHTML(layout, &designer);
    Window()->UserResult(("<p>\n<img src=\"" + area + "Button1.jpg\">\n</p>").c_str());
    ASSERT_EQ(layout->LayoutHTML.Count(), 3);
    EXPECT_EQ(layout->LayoutHTML[1], "<img src=\"Button1.jpg\">");
    layout->TakesResult = false;
    Window()->UserResult("<p>other</p>");
    EXPECT_EQ(layout->LayoutHTML.Count(), 3) << "a layout that takes no result keeps its HTML";
    // Released by the designer: the next edit makes a new manager with a new window.
    Window()->Host()->ReleaseComponent();
    EXPECT_EQ(LayoutManagerOf(layout)->HTMLDesigner(), nullptr);
    EditLayoutHTML(layout, &designer);
    ASSERT_NE(LayoutManagerOf(layout), nullptr);
    EXPECT_TRUE(Window()->Showing());
}

}  // namespace

namespace {

TEST_F(HTMLBridge, DesignerAndLayoutGoingFirstLeaveNothingDangling)
{
    auto* own = new TFormDesigner(&form);
    EditLayoutHTML(layout, own);
    IHTMLLayoutHost* h = Window()->Host();
    delete own;  // the form designer closes before the package goes
    EXPECT_EQ(h->CreateComponent("TQZButton"), "");
    EXPECT_EQ(h->GetComponentList(), "");
    delete layout;  // the layout goes: its manager lets its window go
    layout = nullptr;
    QZHTMLManager::Finalization();
}

}  // namespace
