#include "testsupport/Pattern.h"

#include <gtest/gtest.h>

TEST(TestPattern, MatchesOnlyTheWholeText)
{
    EXPECT_TRUE(MatchesPattern("{AB12}", R"(\{[0-9A-F]{4}\})"));
    EXPECT_FALSE(MatchesPattern("x{AB12}", R"(\{[0-9A-F]{4}\})"));
    EXPECT_FALSE(MatchesPattern("{ab12}", R"(\{[0-9A-F]{4}\})"));
}

TEST(TestPattern, FindsTheFirstMatchAndLeavesTheResultAloneWithoutOne)
{
    std::string found = "before";
    EXPECT_FALSE(FindPattern("no hex here", "0x[0-9a-f]+", found));
    EXPECT_EQ(found, "before");
    EXPECT_TRUE(FindPattern("a 0x1f b 0x2e", "0x[0-9a-f]+", found));
    EXPECT_EQ(found, "0x1f");
}

TEST(TestPattern, ReplacesEveryMatch)
{
    EXPECT_EQ(ReplacePattern("uuid(1-2) x uuid(3-4)", R"(uuid\([0-9-]+\))", "uuid(*)"), "uuid(*) x uuid(*)");
    EXPECT_EQ(ReplacePattern("ab", "(a)(b)", "$2$1"), "ba");
}
