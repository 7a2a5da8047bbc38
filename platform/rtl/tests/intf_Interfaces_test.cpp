#include <gtest/gtest.h>

#include "rtl/Intf.h"

namespace {

class IGreeter : public virtual IInterface {
public:
    RTL_IID("{0A1B2C3D-0000-4000-8000-000000000001}");
    virtual String Greet() = 0;
};

class ICounter : public virtual IInterface {
public:
    RTL_IID("{0A1B2C3D-0000-4000-8000-000000000002}");
    virtual int Next() = 0;
};

class IUnused : public virtual IInterface {
public:
    RTL_IID("{0A1B2C3D-0000-4000-8000-000000000003}");
};

int gAlive = 0;

class TBoth : public TInterfacedObject, public IGreeter, public ICounter {
public:
    TBoth() { ++gAlive; }
    ~TBoth() override { --gAlive; }
    HRESULT QueryInterface(const TGUID& iid, void** obj) override {
        if (QueryAs<IGreeter>(this, iid, obj) || QueryAs<ICounter>(this, iid, obj)) return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }
    String Greet() override { return "hallo"; }
    int Next() override { return ++FN; }

private:
    int FN = 0;
};

TEST(intf_Interfaces, LastReleaseFreesTheObject) {
    gAlive = 0;
    {
        TIntfPtr<IGreeter> g(new TBoth);
        EXPECT_EQ(gAlive, 1);
        TIntfPtr<ICounter> c;
        ASSERT_TRUE(Supports(g, c));
        EXPECT_EQ(c->Next(), 1);
        g.reset();
        EXPECT_EQ(gAlive, 1);  // c still holds it
        TIntfPtr<IGreeter> again = QueryIntf<IGreeter>(c);
        EXPECT_EQ(again->Greet(), "hallo");
    }
    EXPECT_EQ(gAlive, 0);
}

TEST(intf_Interfaces, SupportsAnswersByGuid) {
    TIntfPtr<IInterface> u(static_cast<IGreeter*>(new TBoth));
    EXPECT_TRUE(Supports(u, IGreeter::IID));
    EXPECT_TRUE(Supports(u, IInterface::IID));
    EXPECT_FALSE(Supports(u, IUnused::IID));
    TIntfPtr<IUnused> none(nullptr);
    EXPECT_FALSE(Supports(u, none));
    EXPECT_FALSE(none);
    EXPECT_FALSE(Supports(static_cast<IInterface*>(nullptr), IGreeter::IID));
    // a failed query leaves the count as it was
    auto* raw = dynamic_cast<TBoth*>(u.get());
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(raw->RefCount(), 1);
}

TEST(intf_Interfaces, CopiesAndMovesCountReferences) {
    gAlive = 0;
    auto* obj = new TBoth;
    TIntfPtr<ICounter> a(obj);
    {
        TIntfPtr<ICounter> b = a;
        EXPECT_EQ(obj->RefCount(), 2);
        TIntfPtr<ICounter> c = std::move(b);
        EXPECT_EQ(obj->RefCount(), 2);
        EXPECT_FALSE(b);
        c = a;  // self-family assignment keeps the count right
        EXPECT_EQ(obj->RefCount(), 2);
    }
    EXPECT_EQ(obj->RefCount(), 1);
    TIntfPtr<IInterface> base = a;  // converts to the base interface
    EXPECT_EQ(obj->RefCount(), 2);
    ICounter* detached = a.Detach();
    EXPECT_EQ(obj->RefCount(), 2);
    TIntfPtr<ICounter> back = TIntfPtr<ICounter>::Attach(detached);
    EXPECT_EQ(obj->RefCount(), 2);
    back.reset();
    base.reset();
    EXPECT_EQ(gAlive, 0);
}

}  // namespace
