#include "net/WebBrowser.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "TestServer.h"
#include "rtl/Clock.h"
#include "rtl/Files.h"

namespace {

// CR LF and LF mixed, UTF-8 text: the saved copy must keep every byte.
const String Page =
    "<html><body>\r\n<zahlen>\r\n1.1.2000 1 2 3 4 5 6\n</zahlen>\r\n<p>Glückwunsch</p>\n</body></html>";

class WebBrowserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FHome = IncludeTrailingPathDelimiter(std::getenv("HOME"));
        ASSERT_TRUE(ForceDirectories(FHome + "www/ftp"));
        AtomicWriteFile(FHome + "www/ftp/dorov_zahlen.html", Page);
        AtomicWriteFile(FHome + "www/other.html", "<html>anders</html>");
        FServer = std::make_unique<TestServer>("http_server.py", std::vector<std::string>{FHome + "www"});
    }
    String Url(const String& path) const { return "http://127.0.0.1:" + IntToStr(FServer->Port()) + path; }

    // A load against the local server ends quickly; the bound only keeps a broken run finite.
    static bool WaitIdle(const TCppWebBrowser& b)
    {
        return Clock().WaitUntil([&] { return !b.Busy(); }, 20000);
    }

    String FHome;
    std::unique_ptr<TestServer> FServer;
};

TEST_F(WebBrowserTest, PageAboveTheLimitIsNotLoadedAndSaysItWasTooLarge)
{
    TCppWebBrowser b;
    b.MaxPageBytes = Page.size() - 1;
    b.Navigate(Url("/ftp/dorov_zahlen.html"));
    ASSERT_TRUE(WaitIdle(b));
    EXPECT_FALSE(b.Document());
    EXPECT_TRUE(b.LastLoadTooLarge());
    // The next load within the limit, and one that fails otherwise, are not too large.
    b.MaxPageBytes = Page.size();
    b.Navigate(Url("/ftp/dorov_zahlen.html"));
    ASSERT_TRUE(WaitIdle(b));
    EXPECT_TRUE(b.Document());
    EXPECT_FALSE(b.LastLoadTooLarge());
    b.Navigate(Url("/fehlt.html"));
    ASSERT_TRUE(WaitIdle(b));
    EXPECT_FALSE(b.LastLoadTooLarge());
}

TEST_F(WebBrowserTest, LoadedPageIsADocumentThatSavesTheExactBytes)
{
    TCppWebBrowser b;
    EXPECT_FALSE(b.GetProperty(DISPID_BUSY).AsBool());
    EXPECT_FALSE(b.GetProperty(DISPID_DOCUMENT).AsInterface());
    EXPECT_EQ(b.GetProperty(DISPID_LOCATIONURL).AsString(), "about:blank");

    b.Navigate(Url("/ftp/dorov_zahlen.html"));
    EXPECT_TRUE(b.GetProperty(DISPID_BUSY).AsBool());
    EXPECT_EQ(b.LocationURL(), "about:blank");
    ASSERT_TRUE(WaitIdle(b));

    EXPECT_EQ(b.LastError(), "");
    EXPECT_EQ(b.GetProperty(DISPID_LOCATIONURL).AsString(), Url("/ftp/dorov_zahlen.html"));
    TIntfPtr<IInterface> doc = b.GetProperty(DISPID_DOCUMENT).AsInterface();
    ASSERT_TRUE(doc);
    TIntfPtr<IHTMLDocument2> html = QueryIntf<IHTMLDocument2>(doc);
    ASSERT_TRUE(html);
    EXPECT_EQ(html->Html(), Page);
    TIntfPtr<IPersistFile> file = QueryIntf<IPersistFile>(html);
    ASSERT_TRUE(file);
    AtomicWriteFile(FHome + "0.html", "alte Seite");
    EXPECT_EQ(file->Save(FHome + "0.html", true), S_OK);
    EXPECT_EQ(ReadFileBytes(FHome + "0.html"), Page);
}

TEST_F(WebBrowserTest, RedirectIsFollowedAndLocationIsTheFinalAddress)
{
    TCppWebBrowser b;
    b.Navigate(Url("/redirect/other.html"));
    ASSERT_TRUE(WaitIdle(b));
    EXPECT_EQ(b.LocationURL(), Url("/other.html"));
    TIntfPtr<IHTMLDocument2> html = QueryIntf<IHTMLDocument2>(b.Document());
    ASSERT_TRUE(html);
    EXPECT_EQ(html->Html(), "<html>anders</html>");
    EXPECT_EQ(html->URL(), Url("/other.html"));
}

TEST_F(WebBrowserTest, FailedLoadLeavesNoDocument)
{
    const struct {
        const char* name;
        String url;
    } cases[] = {
        {"not found", Url("/fehlt.html")},
        {"redirect to nothing", Url("/redirect/fehlt.html")},
        {"refused", "http://127.0.0.1:" + IntToStr(UnusedPort()) + "/ftp/dorov_zahlen.html"},
        {"other scheme", "file://" + FHome + "www/other.html"},
        {"no address", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TCppWebBrowser b;
        b.Navigate(c.url);
        ASSERT_TRUE(WaitIdle(b));
        EXPECT_FALSE(b.Document());
        EXPECT_FALSE(b.GetProperty(DISPID_DOCUMENT).AsInterface());
        EXPECT_EQ(b.LocationURL(), "about:blank");
        EXPECT_NE(b.LastError(), "");
    }
}

TEST_F(WebBrowserTest, NextNavigateDropsThePageButAHeldDocumentStaysUsable)
{
    TCppWebBrowser b;
    b.Navigate(Url("/other.html"));
    ASSERT_TRUE(WaitIdle(b));
    TIntfPtr<IInterface> held = b.Document();
    ASSERT_TRUE(held);

    b.Navigate(Url("/fehlt.html"));
    ASSERT_TRUE(WaitIdle(b));
    EXPECT_FALSE(b.Document());
    EXPECT_EQ(b.LocationURL(), "about:blank");
    EXPECT_EQ(QueryIntf<IHTMLDocument2>(held)->Html(), "<html>anders</html>");

    b.Navigate("about:blank");
    EXPECT_FALSE(b.Busy());
    EXPECT_FALSE(b.Document());
}

TEST_F(WebBrowserTest, NavigateDuringALoadAbandonsIt)
{
    TCppWebBrowser b;
    b.Navigate(Url("/slow/ftp/dorov_zahlen.html"));
    b.Navigate(Url("/other.html"));
    ASSERT_TRUE(WaitIdle(b));
    EXPECT_EQ(b.LocationURL(), Url("/other.html"));
    EXPECT_EQ(QueryIntf<IHTMLDocument2>(b.Document())->Html(), "<html>anders</html>");
}

// The update job polls Busy with Sleep on the virtual clock: virtual time must not run out while
// the page is still on its way.
TEST_F(WebBrowserTest, PollerOnVirtualTimeSeesTheSlowPageArrive)
{
    TVirtualClockGuard guard(EncodeDate(2009, 1, 1));
    TCppWebBrowser b;
    b.Navigate(Url("/slow/ftp/dorov_zahlen.html"));
    int polls = 0;
    while (b.GetProperty(DISPID_BUSY).AsBool() && polls < 41) {
        Sleep(500);
        ++polls;
    }
    EXPECT_LT(polls, 41);
    EXPECT_FALSE(b.Busy());
    EXPECT_TRUE(b.Document());
}

TEST_F(WebBrowserTest, SaveIntoAMissingFolderRaises)
{
    TCppWebBrowser b;
    b.Navigate(Url("/other.html"));
    ASSERT_TRUE(WaitIdle(b));
    TIntfPtr<IPersistFile> file = QueryIntf<IPersistFile>(b.Document());
    ASSERT_TRUE(file);
    EXPECT_THROW(file->Save(FHome + "fehlt/0.html", true), Exception);
}

TEST(WebBrowserProperties, VisibleIsWritableOtherIdentifiersAreNot)
{
    TCppWebBrowser b;
    EXPECT_TRUE(b.GetProperty(DISPID_VISIBLE).AsBool());
    b.SetProperty(DISPID_VISIBLE, false);
    EXPECT_FALSE(b.Visible());
    EXPECT_THROW(b.SetProperty(DISPID_BUSY, true), EOleError);
    EXPECT_THROW(b.SetProperty(DISPID_VISIBLE, "ja"), EOleError);
    EXPECT_THROW(b.GetProperty(999), EOleError);
    EXPECT_THROW(b.GetProperty(DISPID_BUSY).AsString(), EOleError);
}

}  // namespace
