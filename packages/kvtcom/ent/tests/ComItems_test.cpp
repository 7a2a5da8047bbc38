// Every COM item of both packages, created with dialog values that are not the defaults: its
// units compile against the header of the library it entered, and so they do after a member edit
// is applied, which a second apply leaves alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "ComLibraryStub.h"
#include "ComPackagesHost.h"
#include "host/CppBrowse.h"
#include "host/TypeLibrary.h"
#include "hostimpl/HostImpl.h"
#include "rtl/Files.h"

using namespace hostimpl;

namespace {

class kvtcom_ComItems : public ComPackagesHost {
protected:
    kvtcom_ComItems() : ComPackagesHost("kvtcom_items_") {}
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
    bool description;  // the item takes the dialog's description
    // the new unit is as the library's first apply leaves it; a control's registry entry gets its
    // ProgID only then
    bool inStep;
};

// Every file below dir (relative name, bytes).
std::map<String, String> FilesIn(const String& dir)
{
    std::map<String, String> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir.c_str()))
        if (e.is_regular_file())
            files[std::filesystem::relative(e.path(), dir.c_str()).string()] =
                ReadFileBytes(e.path().string());
    return files;
}

// The names of the files that differ between two looks at a folder.
String Changed(const std::map<String, String>& before, const std::map<String, String>& after)
{
    String changed;
    for (const auto& [name, text] : after)
        if (auto it = before.find(name); it == before.end() || it->second != text) changed += " " + name;
    for (const auto& [name, text] : before)
        if (!after.count(name)) changed += " " + name + " (gone)";
    return changed;
}

TEST_F(kvtcom_ComItems, EachItemsUnitsCompileAgainstItsLibraryBeforeAndAfterAnEdit)
{
    const char* const activeX = "Quistor.Tolvane.ActiveX";
    const char* const multitier = "Quistor.Tolvane.Multitier";
    const TItem items[] = {
        {activeX, "COM Object", "", "IFoo", true, true, true},
        {activeX, "Automation Object", "", "IOrders", true, true, true},
        {activeX, "COM+ Event Object", "", "IOrders", false, false, true},
        {activeX, "COM+ Subscription Object", "", "IFoo", false, true, true},
        {activeX, "Active Server Object", "", "IOrders", false, false, true},
        {activeX, "Active Server Object", "com.servertype=Object Context\n", "IOrders", false, false, true},
        {activeX, "ActiveX Control", "com.control=TButton\ncom.licensed=true\n", "IOrders", true, false,
         false},
        {activeX, "Active Form", "com.licensed=true\n", "IOrders", true, false, false},
        {activeX, "Property Page", "", nullptr, false, false, true},
        {multitier, "Remote Data Module", "", "IOrders", false, true, true},
        {multitier, "Transactional Data Module", "", "IOrders", false, true, true},
        {activeX, "Transactional Object", "", "IOrders", false, true, true},
    };
    // every COM item of the gallery is here; the library items make no object (each row starts
    // with the ActiveX library, the type library item is the project's library)
    for (const TGalleryEntry& e : GalleryEntries()) {
        if (e.CategoryId != activeX && e.CategoryId != multitier) continue;
        const bool listed = std::any_of(std::begin(items), std::end(items), [&](const TItem& i) {
            return e.CategoryId == i.category && e.Caption == i.caption;
        });
        EXPECT_TRUE(listed || e.Caption == "ActiveX Library" || e.Caption == "Type Library") << e.Caption;
    }
    const String description = "The \"main\" orders C:\\tmp";
    for (const TItem& item : items) {
        SCOPED_TRACE(String(item.caption) + " " + item.answers);
        MainProjectGroup()->CloseAll(0);
        ClearReceivedFiles();
        ClearDialogAnswers();
        FreshDir(dir);
        ASSERT_TRUE(RunGalleryItem(activeX, "ActiveX Library"));
        const std::size_t before = ReceivedFiles().size();
        const String answers =
            "com.coclass=Orders\ncom.interface=IFoo\ncom.events=true\ncom.description=" + description +
            "\ncom.threading=Free\ncom.instancing=Single Instance\n" + "com.testpage=false\n" + item.answers;
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
        String text;
        for (const String& unit : units) {
            ASSERT_EQ(CompileErrors(unit), "");
            text += ReadFileBytes(unit) + ReadFileBytes(ChangeFileExt(unit, ".h"));
        }
        // the dialog's values reach the unit: its threading model, and the description the item
        // takes as the C string it was typed
        const auto threading = text.find("DECLARE_THREADING_MODEL(");
        EXPECT_TRUE(threading == String::npos || text.find("DECLARE_THREADING_MODEL(otFree)") != String::npos)
            << text;
        EXPECT_EQ(text.find("\"The \\\"main\\\" orders C:\\\\tmp\"") != String::npos, item.description)
            << text;
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
        EXPECT_EQ(co->HelpString, item.description ? description : "Orders Object");
        const auto made = FilesIn(dir);
        const String none = TypeLib({"apply"});
        EXPECT_EQ(none.find("updated ") == String::npos, item.inStep) << none;
        if (item.inStep) {
            EXPECT_EQ(Changed(made, FilesIn(dir)), "");
        }

        // a member edit applied: the units follow and still compile; a second apply changes nothing
        TypeLib({"edit"});
        TypeLib({"method", item.interfaceName, "Ship", "long:Count", "BSTR:Note"});
        TypeLib({"prop", item.interfaceName, "Total", "long"});
        if (item.events) TypeLib({"event", "IOrdersEvents", "OnShipped", "long:Count"});
        const String first = TypeLib({"apply"});
        // the project knows each CoClass's unit, so the edit reaches it
        EXPECT_NE(first.find("updated "), String::npos) << first;
        writeHeader();
        for (const String& unit : units) ASSERT_EQ(CompileErrors(unit), "");
        const auto applied = FilesIn(dir);
        const String second = TypeLib({"apply"});
        EXPECT_EQ(second.find("updated "), String::npos) << second;
        EXPECT_EQ(Changed(applied, FilesIn(dir)), "");
    }
}

TEST_F(kvtcom_ComItems, LibraryWithEveryItemListsItsUnitsAndItsObjectMapCompiles)
{
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.ActiveX", "ActiveX Library"));
    SetDialogAnswer("com.testpage", "false");
    SetDialogAnswer("com.control", "TButton");
    const std::pair<const char*, const char*> items[] = {
        {"Quistor.Tolvane.ActiveX", "COM Object"},
        {"Quistor.Tolvane.ActiveX", "Automation Object"},
        {"Quistor.Tolvane.ActiveX", "COM+ Event Object"},
        {"Quistor.Tolvane.ActiveX", "COM+ Subscription Object"},
        {"Quistor.Tolvane.ActiveX", "Active Server Object"},
        {"Quistor.Tolvane.ActiveX", "ActiveX Control"},
        {"Quistor.Tolvane.ActiveX", "Active Form"},
        {"Quistor.Tolvane.ActiveX", "Property Page"},
        {"Quistor.Tolvane.Multitier", "Remote Data Module"},
        {"Quistor.Tolvane.Multitier", "Transactional Data Module"},
        {"Quistor.Tolvane.ActiveX", "Transactional Object"},
    };
    std::vector<String> names;
    for (const auto& [category, caption] : items) {
        names.push_back("Obj" + IntToStr(static_cast<int>(names.size()) + 1));
        SetDialogAnswer("com.coclass", names.back());
        ASSERT_TRUE(RunGalleryItem(category, caption)) << caption;
    }
    for (const auto& f : ReceivedFiles()) AtomicWriteFileNoSync(f.FileName, f.Text);
    for (const auto& [file, text] : ComLibraryStub()) {
        std::filesystem::create_directories(std::filesystem::path(dir + file).parent_path());
        std::ofstream(dir + file, std::ios::binary) << text;
    }
    AtomicWriteFileNoSync(dir + "Project1_TLB.h", TypeLib({"header"}));
    // every unit the items wrote is the project's, with its form file where it has a form
    auto cpp = CppProjectOf(ActiveProject().get());
    ASSERT_TRUE(cpp);
    for (const auto& f : ReceivedFiles()) {
        const String ext = ExtractFileExt(f.FileName);
        const String unit = ext == ".cpp"   ? f.FileName
                            : ext == ".zfm" ? ChangeFileExt(f.FileName, ".cpp")
                                            : "";
        EXPECT_TRUE(unit.empty() || cpp->HasItem(unit)) << f.FileName;
    }
    for (const char* unit : {"About1.cpp", "About2.cpp", "Obj4Impl1.cpp", "Obj10Impl1.cpp", "Obj11Impl1.cpp"})
        EXPECT_TRUE(cpp->HasItem(dir + unit)) << unit;
    for (const auto& f : ReceivedFiles()) {
        const bool form = ReadFileBytes(f.FileName).find("#pragma resource \"*.zfm\"") != String::npos;
        EXPECT_TRUE(!form || FileExists(ChangeFileExt(f.FileName, ".zfm"))) << f.FileName;
    }
    // one entry per object, in the order they were made, and the source compiles with them
    const String source = ReadFileBytes(dir + "Project1.cpp");
    String map = "BEGIN_OBJECT_MAP(ObjectMap)\r\n";
    for (const String& n : names) map += "  OBJECT_ENTRY(CLSID_" + n + ", T" + n + "Impl)\r\n";
    EXPECT_NE(source.find(map + "END_OBJECT_MAP()"), String::npos) << source;
    EXPECT_EQ(CompileErrors(dir + "Project1.cpp"), "");
}

}  // namespace
