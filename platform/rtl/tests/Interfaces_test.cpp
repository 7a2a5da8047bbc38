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
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        if (QueryAs<IGreeter>(this, iid, obj) || QueryAs<ICounter>(this, iid, obj)) return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }
    String Greet() override { return "hallo"; }
    int Next() override { return ++FN; }

private:
    int FN = 0;
};

TEST(intf_Interfaces, LastReleaseFreesTheObject)
{
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

TEST(intf_Interfaces, SupportsAnswersByGuid)
{
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

TEST(intf_Interfaces, CopiesAndMovesCountReferences)
{
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

// A whole made of parts: every interface counts on the whole.
class TPartGreeter : public TAggregatedObject, public IGreeter {
public:
    using TAggregatedObject::TAggregatedObject;
    bool QueryOwnInterface(const TGUID& iid, void** obj) override
    {
        return QueryAs<IGreeter>(this, iid, obj);
    }
    String Greet() override { return "part"; }
};

class TWhole : public TInterfacedObject {
public:
    TWhole() : FPart(static_cast<IInterface*>(this)) { ++gAlive; }
    ~TWhole() override { --gAlive; }
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        if (FPart.QueryOwnInterface(iid, obj)) return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }

private:
    TPartGreeter FPart;
};

TEST(intf_Interfaces, AggregatedPartsCountOnTheWhole)
{
    gAlive = 0;
    auto* whole = new TWhole;
    TIntfPtr<IInterface> w(static_cast<IInterface*>(whole));
    {
        TIntfPtr<IGreeter> g;
        ASSERT_TRUE(Supports(w, g));
        EXPECT_EQ(g->Greet(), "part");
        EXPECT_EQ(whole->RefCount(), 2);
        EXPECT_TRUE(Supports(g, IInterface::IID));  // back to the whole through the part
        EXPECT_TRUE(Supports(w, IGreeter::IID));
        EXPECT_EQ(whole->RefCount(), 2);
        w.reset();
        EXPECT_EQ(gAlive, 1);  // the part's reference keeps the whole
    }
    EXPECT_EQ(gAlive, 0);
}

}  // namespace
