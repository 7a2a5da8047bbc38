#include <gtest/gtest.h>

#include "zub/Classes.h"

namespace {

// Records the notifications it gets and counts its destructions.
class TProbe : public TComponent {
public:
    TProbe(TComponent* owner, std::vector<String>* log = nullptr) : TComponent(owner), FLog(log) {}
    ~TProbe() override
    {
        if (FLog) FLog->push_back("free " + Name());
    }
    TComponent* Watched = nullptr;

protected:
    void Notification(TComponent* c, TOperation op) override
    {
        TComponent::Notification(c, op);
        if (FLog) FLog->push_back(Name() + (op == opInsert ? " +" : " -") + c->Name());
        if (op == opRemove && c == Watched) Watched = nullptr;
    }

private:
    std::vector<String>* FLog;
};

TEST(ZubComponent, OwnerListsFindsAndFreesItsComponents)
{
    std::vector<String> log;
    auto* owner = new TProbe(nullptr, &log);
    owner->SetName("Form1");
    auto* a = new TProbe(owner, &log);
    a->SetName("Label1");
    auto* b = new TProbe(owner, &log);
    b->SetName("Edit1");

    ASSERT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->Components(0), a);
    EXPECT_EQ(owner->Components(1), b);
    EXPECT_EQ(b->ComponentIndex(), 1);
    EXPECT_EQ(a->Owner(), owner);
    EXPECT_EQ(owner->FindComponent("edit1"), b);
    EXPECT_EQ(owner->FindComponent("LABEL1"), a);
    EXPECT_EQ(owner->FindComponent("Edit2"), nullptr);
    EXPECT_EQ(owner->FindComponent(""), nullptr);
    EXPECT_THROW(owner->Components(2), EListError);

    log.clear();
    auto* c = new TProbe(owner, &log);
    c->SetName("Extra");
    delete c;  // a live owner hears of the insertion (before the name is set) and the removal
    std::vector<String> expected{"Form1 +", "free Extra", "Form1 -Extra"};
    EXPECT_EQ(log, expected);

    log.clear();
    delete owner;
    // Last inserted first.
    expected = {"free Form1", "free Edit1", "free Label1"};
    EXPECT_EQ(log, expected);
}

TEST(ZubComponent, NamesAreIdentifiersAndUniqueAmongSiblings)
{
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    a->SetName("Button1");
    auto* b = new TComponent(&owner);
    EXPECT_THROW(b->SetName("button1"), EComponentError);
    EXPECT_THROW(b->SetName("1abc"), EComponentError);
    EXPECT_THROW(b->SetName("a b"), EComponentError);
    EXPECT_EQ(b->Name(), "");
    b->SetName("Button2");
    a->SetName("BUTTON1");  // its own name in another case is no clash
    EXPECT_EQ(a->Name(), "BUTTON1");
    // The same name under another owner is fine.
    TComponent other(nullptr);
    auto* c = new TComponent(&other);
    c->SetName("Button1");
    // ... but moving it into the first owner would clash.
    EXPECT_THROW(owner.InsertComponent(c), EComponentError);
    EXPECT_EQ(c->Owner(), &other);
}

TEST(ZubComponent, RemoveAndInsertMoveOwnership)
{
    TComponent first(nullptr);
    TComponent second(nullptr);
    auto* c = new TComponent(&first);
    second.InsertComponent(c);
    EXPECT_EQ(c->Owner(), &second);
    EXPECT_EQ(first.ComponentCount(), 0);
    EXPECT_EQ(second.ComponentCount(), 1);
    second.RemoveComponent(c);
    EXPECT_EQ(c->Owner(), nullptr);
    EXPECT_EQ(second.ComponentCount(), 0);
    delete c;  // nobody owns it any more, so nobody else frees it
}

TEST(ZubComponent, DeletingAnOwnedComponentLeavesTheOwnerList)
{
    TComponent owner(nullptr);
    auto* c = new TComponent(&owner);
    new TComponent(&owner);
    delete c;
    EXPECT_EQ(owner.ComponentCount(), 1);
}

TEST(ZubComponent, FreeNotificationTellsBothWays)
{
    std::vector<String> log;
    TProbe watcher(nullptr, &log);
    watcher.SetName("Watcher");
    auto* target = new TProbe(nullptr, &log);
    target->SetName("Target");
    watcher.Watched = target;
    target->FreeNotification(&watcher);
    delete target;
    EXPECT_EQ(watcher.Watched, nullptr);

    // The watcher going first must not leave the target calling a freed object.
    auto* w2 = new TProbe(nullptr, &log);
    TProbe t2(nullptr, &log);
    t2.FreeNotification(w2);
    delete w2;
    log.clear();
    // t2's destruction at scope end must notify nobody; checked by the sanitizer builds.
    t2.RemoveFreeNotification(&watcher);
    SUCCEED();
}

TEST(ZubComponent, RemovedFreeNotificationIsSilent)
{
    std::vector<String> log;
    TProbe watcher(nullptr, &log);
    auto* target = new TProbe(nullptr, &log);
    target->SetName("T");
    target->FreeNotification(&watcher);
    target->RemoveFreeNotification(&watcher);
    log.clear();
    delete target;
    EXPECT_EQ(log, std::vector<String>{"free T"});
}

TEST(ZubComponent, TagAndRegistry)
{
    TComponent c(nullptr);
    EXPECT_EQ(c.Tag(), 0);
    c.SetTag(-7);
    EXPECT_EQ(c.Tag(), -7);
    RegisterComponentClass<TProbe>("TProbeForTest");
    TComponentFactory f = FindClass("tprobefortest");
    ASSERT_NE(f, nullptr);
    TComponent owner(nullptr);
    TComponent* made = f(&owner);
    EXPECT_NE(dynamic_cast<TProbe*>(made), nullptr);
    EXPECT_EQ(made->Owner(), &owner);
    EXPECT_EQ(FindClass("TNoSuchClass"), nullptr);
}

}  // namespace
