#include <gtest/gtest.h>

#include "TestSupport.h"
#include "rtl/Clock.h"
#include "zub/Forms.h"
#include "zub/StdCtrls.h"

namespace {

constexpr int kLines = 10000;

String Line(int i) { return "Tipp " + IntToStr(i); }

class TLineWriter : public TThread {
public:
    TLineWriter(TListBox* list, TLabel* label) : TThread(true), FList(list), FLabel(label) {}

protected:
    void Execute() override
    {
        for (int i = 0; i < kLines; ++i) {
            FList->Items()->Add(Line(i));
            if (i % 1000 == 0) FLabel->SetCaption("bei " + IntToStr(i));
        }
        FLabel->SetCaption("fertig");
    }

private:
    TListBox* FList;
    TLabel* FLabel;
};

TEST(ZubThreads, WorkerLinesArriveCompleteAndInOrderWhileTheUserInterfaceReads)
{
    Application->Initialize();
    TForm form(nullptr);
    auto* list = new TListBox(&form);
    auto* label = new TLabel(&form);
    // The view's side: a mirror kept only from the notices.
    std::vector<String> mirror;
    std::vector<String> captions;
    auto previous = Notices().SetObserver([&](const TNotice& n) {
        if (n.Sender == list && n.Kind == TNoticeKind::ItemInserted)
            mirror.insert(mirror.begin() + n.Index, n.Text);
        if (n.Sender == label && n.Prop == TProp::Text) captions.push_back(label->Caption());
    });

    TLineWriter writer(list, label);
    writer.Resume();
    int reads = 0;
    int lastCount = 0;
    bool ordered = true;
    // Read at least once: a fast writer may be done before the first look.
    do {
        Application->ProcessMessages();
        // What the user-interface thread reads is always a whole prefix of the lines.
        int count = list->Items()->Count();
        if (count < lastCount) ordered = false;
        if (count > 0 && list->Items()->Get(count - 1) != Line(count - 1)) ordered = false;
        lastCount = count;
        ++reads;
    } while (!writer.Finished());
    writer.WaitFor();
    Application->ProcessMessages();
    Notices().SetObserver(previous);

    EXPECT_TRUE(ordered);
    EXPECT_GT(reads, 0);
    ASSERT_EQ(list->Items()->Count(), kLines);
    ASSERT_EQ(mirror.size(), static_cast<std::size_t>(kLines));
    for (int i = 0; i < kLines; ++i) ASSERT_EQ(mirror[static_cast<std::size_t>(i)], Line(i)) << i;
    ASSERT_FALSE(captions.empty());
    EXPECT_EQ(captions.back(), "fertig");
}

TEST(ZubThreads, BulkChangesAreSeenWholeOrNotAtAll)
{
    Application->Initialize();
    TListBox list(nullptr);
    class TReplacer : public TThread {
    public:
        explicit TReplacer(TListBox* l) : TThread(true), FList(l) {}

    protected:
        void Execute() override
        {
            for (int round = 0; round < 200; ++round) FList->Items()->SetText("a\nb\nc\nd\n");
        }

    private:
        TListBox* FList;
    } replacer(&list);
    replacer.Resume();
    bool torn = false;
    while (!replacer.Finished()) {
        std::vector<String> snapshot = list.Items()->ToVector();
        if (!snapshot.empty() && snapshot.size() != 4) torn = true;
    }
    replacer.WaitFor();
    EXPECT_FALSE(torn);
    EXPECT_EQ(list.Items()->Count(), 4);
}

}  // namespace
