#include <gtest/gtest.h>

#include "rtl/Resources.h"

#include <cstdio>

namespace {

const char kTemplates[] = "first %0:s\r\n|\r\nsecond\r\n|\r\nthird|\r\n";

TEST(host_Resources, RegistrarEntersAndRemoves)
{
    const int before = ModuleResourceCount(HInstance);
    {
        TResourceRegistrar r(HInstance, RT_RCDATA, "TestTemplates", kTemplates, sizeof kTemplates - 1);
        EXPECT_EQ(ModuleResourceCount(HInstance), before + 1);
        // names compare without regard to case
        EXPECT_EQ(LoadResourceData(HInstance, "rcdata", "TESTTEMPLATES"), String(kTemplates));
        // another module does not see it
        int other = 0;
        String bytes;
        EXPECT_FALSE(FindResourceData(&other, RT_RCDATA, "TestTemplates", bytes));
        auto t = InitModuleSources(HInstance, "testtemplates", 2);
        ASSERT_EQ(t.size(), 3u);
        EXPECT_EQ(t[0], "first %0:s\r\n");
        EXPECT_EQ(t[1], "second\r\n");
        EXPECT_EQ(t[2], "third");
    }
    EXPECT_EQ(ModuleResourceCount(HInstance), before);
    EXPECT_THROW(InitModuleSources(HInstance, "TestTemplates", 2), EResNotFound);
}

TEST(host_Resources, TemplateCountMustMatch)
{
    EXPECT_THROW(SplitModuleSources("a|b|", 2, "X"), EResNotFound);  // too few
    EXPECT_THROW(SplitModuleSources("a|b|c|d|", 2, "X"), EResNotFound);  // too many
    EXPECT_THROW(SplitModuleSources("a|b|c", 1, "X"), EResNotFound);  // text after the last
    auto t = SplitModuleSources("a\n|\nb|\r\n", 1, "X");  // LF only is accepted
    EXPECT_EQ(t, (std::vector<String>{"a\n", "b"}));
}

TEST(host_Resources, AnAddressBelongsToTheModuleThatHoldsIt)
{
    static const int data = 0;
    const int onStack = 0;
    EXPECT_EQ(ModuleOfAddress(reinterpret_cast<const void*>(&ModuleHandle)), HInstance);
    EXPECT_EQ(ModuleOfAddress(&data), HInstance);
    EXPECT_NE(ModuleOfAddress(reinterpret_cast<const void*>(&std::printf)), HInstance);  // the C library's
    EXPECT_EQ(ModuleOfAddress(&onStack), nullptr);
    EXPECT_EQ(ModuleOfAddress(nullptr), nullptr);
}

RTL_RESOURCESTRING(sSample, "Größe");

TEST(host_Resources, ResourceStringsConvert)
{
    String s = sSample;
    EXPECT_EQ(s, "Größe");
    EXPECT_STREQ(sSample.Name, "sSample");
}

}  // namespace
