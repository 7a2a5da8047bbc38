// Every COM item of both packages, created with dialog values that are not the defaults: its
// units compile against the header of the library it entered, and so they do after a member edit
// is applied, which a second apply leaves alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "ComLibraryStub.h"
#include "Cppentreg.h"
#include "UpdaterHost.h"
#include "host/AppIniFile.h"
#include "host/CppBrowse.h"
#include "host/TypeLibrary.h"
#include "hostimpl/HostImpl.h"
#include "rtl/Files.h"

using namespace hostimpl;

namespace {

class kvtcom_ComItems : public UpdaterHost {
protected:
    kvtcom_ComItems() : UpdaterHost("kvtcom_items_") {}
    void SetUp() override
    {
        UpdaterHost::SetUp();
        // the host's settings offer the ActiveX control item too
        AppIniFile().WriteString("Type Library", "ActiveXWizard", "True");
        Cppproreg::Finalization();
        Cppproreg_IDERegister();
        Cppentreg_IDERegister();
        MainFormCreated().FirePending(IDEApplication());
    }
    void TearDown() override
    {
        Cppentreg::Finalization();
        AppIniFile().EraseSection("Type Library");
        UpdaterHost::TearDown();
    }
    static String TypeLib(std::vector<String> args)
    {
        std::ostringstream out;
        RunTypeLibCommand(std::move(args), out);
        return out.str();
    }
    // "" when the compiler reads the unit without an error, else the unit's name.
    String CompileErrors(const String& unit)
    {
        TEditBuffer buffer(dir + "Check.cpp");
        buffer.Write(ReadFileBytes(unit));
        return DefaultCompileAndBrowse(buffer) ? "" : unit + " does not compile";
    }
};

struct TItem {
    const char* category;
    const char* caption;
    const char* answers;  // beside the ones every item gets
    const char* interfaceName;  // the CoClass's default interface; nullptr: the item makes no CoClass
    bool events;  // the library has the CoClass's events interface
    bool applied = true;  // the project knows the unit as the CoClass's, so edits reach it
};

TEST_F(kvtcom_ComItems, EachItemsUnitsCompileAgainstItsLibraryBeforeAndAfterAnEdit)
{
    const char* const activeX = "Quistor.Tolvane.ActiveX";
    const char* const multitier = "Quistor.Tolvane.Multitier";
    const TItem items[] = {
        {activeX, "COM Object", "", "IFoo", true},
        {activeX, "Automation Object", "", "IOrders", true},
        {activeX, "COM+ Event Object", "", "IOrders", false},
        // its wizard (as the transactional data module's) does not tell the project which unit
        // implements the CoClass
        {activeX, "COM+ Subscription Object", "", "IFoo", false, false},
        {activeX, "Active Server Object", "", "IOrders", false},
        {activeX, "Active Server Object", "com.servertype=Object Context\n", "IOrders", false},
        {activeX, "ActiveX Control", "com.control=TButton\ncom.licensed=true\n", "IOrders", true},
        {activeX, "Active Form", "com.licensed=true\n", "IOrders", true},
        {activeX, "Property Page", "", nullptr, false},
        {multitier, "Remote Data Module", "", "IOrders", false},
        {multitier, "Transactional Data Module", "", "IOrders", false, false},
        {activeX, "Transactional Object", "", "IOrders", false},
    };
    for (const TItem& item : items) {
        SCOPED_TRACE(String(item.caption) + " " + item.answers);
        MainProjectGroup()->CloseAll(0);
        ClearReceivedFiles();
        ClearDialogAnswers();
        FreshDir(dir);
        ASSERT_TRUE(RunGalleryItem(activeX, "ActiveX Library"));
        const std::size_t before = ReceivedFiles().size();
        const String answers = String("com.coclass=Orders\ncom.interface=IFoo\ncom.events=true\n"
                                      "com.description=The \"main\" orders C:\\tmp\ncom.threading=Free\n"
                                      "com.testpage=false\n") +
                               item.answers;
        for (std::size_t at = 0, nl; (nl = answers.find('\n', at)) != String::npos; at = nl + 1) {
            const String line = answers.substr(at, nl - at);
            SetDialogAnswer(line.substr(0, line.find('=')), line.substr(line.find('=') + 1));
        }
        ASSERT_TRUE(RunGalleryItem(item.category, item.caption));
        std::vector<String> units;
        const auto received = ReceivedFiles();
        for (std::size_t i = before; i < received.size(); ++i) {
            AtomicWriteFileNoSync(received[i].FileName, received[i].Text);
            // the item's own units; the project source only gains its object map line
            if (ExtractFileExt(received[i].FileName) == ".cpp" &&
                received[i].FileName.find("_ATL") == String::npos &&
                ExtractFileName(received[i].FileName) != "Project1.cpp")
                units.push_back(received[i].FileName);
        }
        ASSERT_FALSE(units.empty());
        // as they are named, not as the host's file names match
        for (const auto& [file, text] : ComLibraryStub()) {
            std::filesystem::create_directories(std::filesystem::path(dir + file).parent_path());
            std::ofstream(dir + file, std::ios::binary) << text;
        }
        TTypeLibrary* lib = GetTypeLibrary(ActiveProject().get());
        ASSERT_NE(lib, nullptr);
        const auto writeHeader = [&] { AtomicWriteFileNoSync(dir + "Project1_TLB.h", TypeLib({"header"})); };
        writeHeader();
        for (const String& unit : units) ASSERT_EQ(CompileErrors(unit), "");
        if (!item.interfaceName) {
            EXPECT_EQ(lib->FindType("Orders"), nullptr);
            continue;
        }
        // the library holds what the unit implements
        TTypeObject* co = lib->FindType("Orders", tkCoClass);
        ASSERT_NE(co, nullptr);
        ASSERT_NE(co->DefaultInterface(), nullptr);
        EXPECT_EQ(co->DefaultInterface()->Name(), item.interfaceName);
        EXPECT_EQ(lib->FindType("IOrdersEvents") != nullptr, item.events);
        EXPECT_EQ(lib->FindType(item.interfaceName == String("IFoo") ? "IOrders" : "IFoo"), nullptr);

        // a member edit applied: the units follow and still compile; a second apply changes nothing
        TypeLib({"edit"});
        TypeLib({"method", item.interfaceName, "Ship", "long:Count", "BSTR:Note"});
        TypeLib({"prop", item.interfaceName, "Total", "long"});
        if (item.events) TypeLib({"event", "IOrdersEvents", "OnShipped", "long:Count"});
        const String first = TypeLib({"apply"});
        EXPECT_EQ(first.find("updated ") != String::npos, item.applied) << first;
        writeHeader();
        std::vector<String> texts;
        for (const String& unit : units) {
            ASSERT_EQ(CompileErrors(unit), "");
            texts.push_back(ReadFileBytes(unit) + ReadFileBytes(ChangeFileExt(unit, ".h")));
        }
        const String second = TypeLib({"apply"});
        EXPECT_EQ(second.find("updated "), String::npos) << second;
        for (std::size_t i = 0; i < units.size(); ++i)
            EXPECT_EQ(ReadFileBytes(units[i]) + ReadFileBytes(ChangeFileExt(units[i], ".h")), texts[i])
                << units[i];
    }
}

}  // namespace
