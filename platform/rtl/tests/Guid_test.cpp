#include <gtest/gtest.h>

#include <set>

#include "rtl/Guid.h"

namespace {

constexpr TGUID Sample = TGUID::Parse("{19EF6DA1-DB6F-11D0-9EDB-00A02457621F}");

TEST(intf_Guid, ParsesAndPrints)
{
    EXPECT_EQ(Sample.D1, 0x19EF6DA1u);
    EXPECT_EQ(Sample.D2, 0xDB6F);
    EXPECT_EQ(Sample.D3, 0x11D0);
    EXPECT_EQ(Sample.D4[0], 0x9E);
    EXPECT_EQ(Sample.D4[7], 0x1F);
    EXPECT_EQ(GUIDToString(Sample), "{19EF6DA1-DB6F-11D0-9EDB-00A02457621F}");
    // lower-case input is the same GUID, printed upper-case
    EXPECT_EQ(StringToGUID("{19ef6da1-db6f-11d0-9edb-00a02457621f}"), Sample);
}

TEST(intf_Guid, Compares)
{
    TGUID other = StringToGUID("{19EF6DA3-DB6F-11D0-9EDB-00A02457621F}");
    EXPECT_NE(other, Sample);
    EXPECT_TRUE(Sample < other);
    EXPECT_TRUE(IsEqualGUID(Sample, StringToGUID(GUIDToString(Sample))));
}

TEST(intf_Guid, RejectsMalformedText)
{
    for (const char* s : {"", "19EF6DA1-DB6F-11D0-9EDB-00A02457621F", "{19EF6DA1-DB6F-11D0-9EDB-00A02457621}",
                          "{19EF6DA1-DB6F-11D0-9EDB-00A02457621FF}", "{19EF6DA1DDB6F-11D0-9EDB-00A02457621F}",
                          "{19EF6DA1-DB6F-11D0-9EDB-00A02457621G}"}) {
        TGUID g;
        EXPECT_FALSE(TryStringToGUID(s, g)) << s;
        EXPECT_THROW(StringToGUID(s), EConvertError) << s;
    }
}

TEST(intf_Guid, CreatesDistinctVersion4Guids)
{
    std::set<TGUID> seen;
    for (int i = 0; i < 100; ++i) {
        TGUID g = CreateGUID();
        EXPECT_EQ(g.D3 >> 12, 4);
        EXPECT_EQ(g.D4[0] >> 6, 2);  // RFC 4122 variant
        seen.insert(g);
    }
    EXPECT_EQ(seen.size(), 100u);
    TGUID back;
    EXPECT_TRUE(TryStringToGUID(CreateClassID(), back));
}

}  // namespace
