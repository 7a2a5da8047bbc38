#include <gtest/gtest.h>

#include "Cppcomexpertcodegen.h"
#include "ProjectTestHost.h"
#include "hostimpl/HostImpl.h"
#include "hostimpl/IDEServicesImpl.h"
#include "rtl/Files.h"

using namespace hostimpl;

namespace {

// The scratch folder is the template folder too.
class kvtcompro_Filter : public ProjectTestHost {
protected:
    kvtcompro_Filter() : ProjectTestHost("kvtcompro_filter_", ScratchTemplateDir()) {}
    static String ScratchTemplateDir()
    {
        return IncludeTrailingPathDelimiter(ScratchDir() + "kvtcompro_filter_" +
                                            testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    TIntfPtr<IExpertFilter> filter = CoExpertFilter::Create();

    void SetUp() override
    {
        ASSERT_TRUE(ForceDirectories(dir + "cpp"));
        ProjectTestHost::SetUp();
    }
    void Template(const String& name, const String& text) { AtomicWriteFile(dir + "cpp/" + name, text); }
};

TEST_F(kvtcompro_Filter, VariablesAndConditionalBlocks)
{
    struct Case {
        const char *templ, *events, *want;
    };
    const Case cases[] = {
        {"class $(ClassName);\r\n", "FALSE", "class TFooImpl;\r\n"},
        {"a\r\n$IF(Events)\r\nyes $(ClassName)\r\n$ELSE\r\nno\r\n$ENDIF\r\nb\r\n", "TRUE",
         "a\r\nyes TFooImpl\r\nb\r\n"},
        {"a\r\n$IF(Events)\r\nyes\r\n$ELSE\r\nno\r\n$ENDIF\r\nb\r\n", "FALSE", "a\r\nno\r\nb\r\n"},
        {"$IF(Events)\r\n  $IF(ClassName)\r\nx\r\n  $ENDIF\r\ny\r\n$ENDIF\r\n", "true", "y\r\n"},
        {"$IF(Events)\r\n$IF(Events)\r\nx\r\n$ENDIF\r\n$ENDIF\r\nz", "FALSE", "z"},
        {"$IF(Unset)\r\nx\r\n$ELSE\r\ny\r\n$ENDIF\r\n", "TRUE", "y\r\n"},
    };
    for (const auto& c : cases) {
        Template("t.h", c.templ);
        filter->SetVariable("ClassName", "TFooImpl");
        filter->SetVariable("Events", c.events);
        auto f = FilterExpertFile(filter.get(), "t.h", "C:\\proj\\Unit1.cpp", ".h");
        EXPECT_EQ(f->Source(), c.want) << c.templ;
        EXPECT_EQ(f->FileName(), "C:\\proj\\Unit1.h");
    }
}

TEST_F(kvtcompro_Filter, LiteralsHoldTheValueEscaped)
{
    struct Case {
        const char *value, *want;
    };
    const Case cases[] = {
        {"Orders", "DECLARE_DESCRIPTION(\"Orders\");\r\n"},
        {"", "DECLARE_DESCRIPTION(\"\");\r\n"},
        {"The \"main\" orders C:\\tmp", "DECLARE_DESCRIPTION(\"The \\\"main\\\" orders C:\\\\tmp\");\r\n"},
        {"two\r\nlines\tand a bell\a7", "DECLARE_DESCRIPTION(\"two\\r\\nlines\\tand a bell\\0077\");\r\n"},
        {"Grüße $(X)", "DECLARE_DESCRIPTION(\"Grüße $(X)\");\r\n"},
    };
    Template("lit.h", "DECLARE_DESCRIPTION($CSTR(Description));\r\n");
    for (const auto& c : cases) {
        filter->SetVariable("Description", c.value);
        EXPECT_EQ(FilterExpertFile(filter.get(), "lit.h", dir + "U.cpp", ".h")->Source(), c.want) << c.value;
    }
}

TEST_F(kvtcompro_Filter, FaultyTemplatesNameTheFile)
{
    const char* const bad[] = {
        "$(Missing)\r\n", "$IF(X)\r\n",  "$ENDIF\r\n",        "$IF(X)\r\n$ELSE\r\n$ELSE\r\n$ENDIF\r\n",
        "$(X\r\n",        "$CSTR(X\r\n", "$CSTR(Missing)\r\n"};
    filter->SetVariable("X", "TRUE");
    for (const char* t : bad) {
        Template("bad.cpp", t);
        try {
            FilterExpertFile(filter.get(), "bad.cpp", dir + "U.cpp", ".cpp");
            ADD_FAILURE() << t;
        } catch (const EHostError& e) {
            EXPECT_NE(String(e.what()).find("bad.cpp"), String::npos) << e.what();
        }
    }
}

TEST_F(kvtcompro_Filter, MissingTemplateFileRaisesWithTheFullPath)
{
    try {
        FilterExpertFile(filter.get(), "comobject.h", dir + "U.cpp", ".h");
        FAIL();
    } catch (const EHostError& e) {
        EXPECT_EQ(String(e.what()), "Wizard file " + dir + "cpp\\comobject.h not found");
    }
}

TEST_F(kvtcompro_Filter, TemplateFolderIsHostFolderPlusCppAlsoWithoutTrailingDelimiter)
{
    Template("x.h", "$(A)");
    filter->SetVariable("A", "ok");
    for (String folder : {dir, dir.substr(0, dir.size() - 1)}) {
        SetTemplateDirectory(folder);
        EXPECT_EQ(FilterExpertFile(filter.get(), "x.h", dir + "U.cpp", ".h")->Source(), "ok");
    }
}

}  // namespace
