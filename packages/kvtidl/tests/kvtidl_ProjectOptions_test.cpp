// The project side of the CORBA options: option names the personality asks for, the IDL page's
// two messages, and templates through the host's expert filter.
#include <gtest/gtest.h>

#include "Idlexpertfilter.h"
#include "Idlprojopts.h"
#include "IdlProjectHost.h"

namespace {

class KvtidlProjectOptions : public IdlProjectHost {
protected:
    KvtidlProjectOptions() : IdlProjectHost("kvtidl_projopts_") {}
};

TEST_F(KvtidlProjectOptions, OptionsByNameAreTheHelpersBooleans)
{
    TIdlProjOptsManagerHelper helper(project.get());
    TIdlProjectOptions options(project.get(), &helper);
    helper.AddClientUnit = false;
    struct Case {
        const char* name;
        bool value;
    };
    for (const Case& c :
         {Case{"AddServerUnit", true}, Case{"addclientunit", false}, Case{"PRECOMPILEDHEADERS", true}}) {
        TOptionValue v;
        options.GetOption(c.name, v);
        ASSERT_TRUE(std::holds_alternative<bool>(v)) << c.name;
        EXPECT_EQ(std::get<bool>(v), c.value) << c.name;
    }
    options.SetOption("AddServerUnit", TOptionValue(false));
    options.SetOption("precompiledheaders", TOptionValue(false));
    EXPECT_FALSE(helper.AddServerUnit);
    EXPECT_FALSE(helper.PrecompiledHeaders);

    // another name leaves the value as it was and sets nothing
    TOptionValue untouched = String("kept");
    options.GetOption("LibPath", untouched);
    EXPECT_EQ(std::get<String>(untouched), "kept");
    options.SetOption("LibPath", TOptionValue(true));
    EXPECT_EQ(project->GetOption("LibPath"), "");
    // a check box option takes a boolean, or 0 and 1 as the host stores them
    EXPECT_THROW(options.SetOption("AddClientUnit", TOptionValue(String("yes"))), EConvertError);
    EXPECT_THROW(options.SetOption("AddClientUnit", TOptionValue(2)), EConvertError);
    EXPECT_FALSE(helper.AddClientUnit);
    options.SetOption("AddClientUnit", TOptionValue(1));
    EXPECT_TRUE(helper.AddClientUnit);
    options.SetOption("AddClientUnit", TOptionValue(0));
    EXPECT_FALSE(helper.AddClientUnit);
}

// The personality's IDL page: shows the switches on 113, writes its edits into them on 114.
class TIdlPage : public TPropertySheet {
public:
    using TPropertySheet::TPropertySheet;
    String IncludePath;
    bool Tie = false;
    TIdlProjOptsManagerHelper* From = nullptr;
    std::vector<int> Messages;
    void Broadcast(int msg, std::intptr_t wParam, std::intptr_t lParam) override
    {
        Messages.push_back(msg);
        auto* options = dynamic_cast<TIdlCppOptions*>(reinterpret_cast<TIdlPageOptionsBase*>(wParam));
        From = reinterpret_cast<TIdlProjOptsManagerHelper*>(lParam);
        if (msg == TIdlProjOptsManagerHelper::CM_SHOWIDLOPTIONS) {
            IncludePath = options->IncludePath();
            Tie = options->GenTie();
        } else if (msg == TIdlProjOptsManagerHelper::CM_TAKEIDLOPTIONS) {
            options->SetIncludePath(IncludePath);
            options->SetGenTie(Tie);
        }
    }
};

TEST_F(KvtidlProjectOptions, TheIdlPageShowsAndTakesTheProjectSwitches)
{
    project->SetMakeSym("IDLCFLAGS", "-boa -Iinc -no_tie -keep_me");
    TIdlProjOptsManagerHelper helper(project.get());
    TIdlPage page(nullptr);
    helper.SetIdlOptions(&page);
    EXPECT_EQ(page.Messages, std::vector<int>{113});
    EXPECT_EQ(page.From, &helper);
    EXPECT_EQ(page.IncludePath, "inc");
    EXPECT_FALSE(page.Tie);
    EXPECT_EQ(project->GetMakeSym("IDLCFLAGS"), "-boa -Iinc -no_tie -keep_me") << "showing changes nothing";

    page.IncludePath = "inc;c:\\my dir\\";
    page.Tie = true;
    helper.GetIdlOptions(&page);
    EXPECT_EQ(page.Messages, (std::vector<int>{113, 114}));
    EXPECT_EQ(project->GetMakeSym("IDLCFLAGS"), "-Iinc -I\"c:\\my dir\\.\" -boa -keep_me");
}

class KvtidlExpertFilter : public ProjectTestHost {
protected:
    KvtidlExpertFilter() : ProjectTestHost("kvtidl_filter_", Templates()) {}
    static String Templates()
    {
        const String d = FreshDir(ScratchDir() + "kvtidl_filter_templates");
        AtomicWriteFile(
            d + "impl.cpp.tmpl",
            "class $(ClassName)\n$IF(Tie)\n  : public tie\n$ELSE\n  : public skeleton\n$ENDIF\n\n\n");
        return d;
    }
};

TEST_F(KvtidlExpertFilter, TemplatesFromTheHostsFolderWithTheVariablesSet)
{
    TIdlExpertFilter f;
    f.SetStringValue("ClassName", "AccountImpl");
    f.SetBoolValue("Tie", true);
    EXPECT_EQ(f.TemplateResult("impl.cpp.tmpl"), "class AccountImpl\n  : public tie");
    f.SetBoolValue("Tie", false);
    EXPECT_EQ(f.TemplateResult("impl.cpp.tmpl"), "class AccountImpl\n  : public skeleton");
    EXPECT_THROW(f.TemplateResult("missing.tmpl"), Exception);
}

}  // namespace
