#pragma once
// The host's C++ project model and its project files (make file, XML project).
#include <map>
#include <unordered_map>
#include <memory>

#include "host/CppProject.h"
#include "hostimpl/HostImpl.h"

namespace hostimpl {

class TCppProjectModel : public TInterfacedObject, public IQCppProject {
public:
    TCppProjectModel(String fileName, TCppProjectForm form, String personality);
    ~TCppProjectModel() override;
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    String FileName() override { return FFileName; }
    String Directory() override { return FDirectory; }
    TCppProjectForm Form() override { return FForm; }
    String Personality() override { return FPersonality; }
    void SetPersonality(const String& personality) { FPersonality = personality; }
    std::vector<String> Items() override;
    bool HasItem(const String& file) override;
    void AddItem(const String& file) override;
    bool RemoveItem(const String& file) override;
    bool RenameItem(const String& oldName, const String& newName) override;
    String ItemCompiler(const String& file) override;
    void SetItemCompiler(const String& file, const String& compiler) override;
    bool HasOptionValue(const String& file, const String& set, const String& name) override;
    String OptionValue(const String& file, const String& set, const String& name) override;
    void SetOptionValue(const String& file, const String& set, const String& name,
                        const String& value) override;
    bool HasLocalOptions(const String& file) override;
    void RemoveLocalOptions(const String& file) override;
    std::vector<String> ItemGenFiles(const String& file) override;
    void SetItemGenFiles(const String& file, const std::vector<String>& genFiles) override;
    String ItemValue(const String& file, const String& name) override;
    void SetItemValue(const String& file, const String& name, const String& value) override;
    bool RemoveFileEntry(const String& file, const String& kind) override;
    String GetOption(const String& name) override;
    void SetOption(const String& name, const String& value) override;
    void AddUsesEntry(const TUsesEntry& entry) override;
    std::vector<TUsesEntry> UsesEntries() override { return FUses; }
    void SetUsesEntries(const std::vector<TUsesEntry>& entries) override { FUses = entries; }
    bool HasMakeSym(const String& name) override;
    String GetMakeSym(const String& name) override;
    void SetMakeSym(const String& name, const String& value) override;
    String MakeFileText() override { return FMakeText; }
    void SetMakeFileText(const String& text) override { FMakeText = text; }
    void Save() override;

    using TSets = std::map<String, std::map<String, String>>;
    struct TItem {
        explicit TItem(String file = "") : File(std::move(file)) {}
        String File;
        String Compiler;
        TSets Sets;
        std::vector<String> GenFiles;
        std::vector<std::pair<String, String>> Values;
        String XmlName;  // FILENAME of its element as read (the element survives a rename)
    };
    // The full name of a project-relative name.
    String Full(const String& file) const;
    // A name as the project file holds it, and back: relative to the project's folder for a
    // file in it, or one the file named relatively; absolute for a file elsewhere.
    String Stored(const String& file) const;
    String FromFile(const String& stored);
    std::vector<TItem>& ItemList() { return FItems; }
    TSets& ProjectSets() { return FProjectSets; }
    std::vector<std::pair<String, String>>& Options() { return FOptions; }
    const std::vector<std::pair<String, String>>& MacroList() const { return FMacros; }
    std::vector<TUsesEntry>& UsesList() { return FUses; }
    // The XML document as read, so that what the host does not know survives a save.
    struct TXmlDoc;
    std::unique_ptr<TXmlDoc> Xml;

private:
    TItem* Find(const String& file);
    TSets* SetsOf(const String& file);
    String FFileName, FDirectory;
    TCppProjectForm FForm;
    String FPersonality;
    std::vector<TItem> FItems;
    TSets FProjectSets;
    std::vector<std::pair<String, String>> FOptions;  // LibPath, IncludePath, ...
    std::vector<std::pair<String, String>> FMacros;
    std::unordered_map<String, std::size_t> FMacroIndex;  // where each name stands in FMacros
    std::vector<TUsesEntry> FUses;
    String FMakeText;
    std::vector<String> FReadRelative;  // full names read as "../..."
};

TIntfPtr<TCppProjectModel> ModelOf(IQProject* project);
// The model that keeps a project of any personality in its project file.
TIntfPtr<TCppProjectModel> ProjectModelOf(IQProject* project);
std::vector<TIntfPtr<TCppProjectModel>> OpenCppProjects();
// Reads a project file into a new open project.
TIntfPtr<IQProject> OpenCppProject(const String& fileName);

// Keeps in the model what the project file holds of the project's open module.
void RecordProjectModule(TCppProjectModel& m);

void WriteMakeMacros(TCppProjectModel& m);
void SaveMakeFile(TCppProjectModel& m);
void LoadMakeFile(TCppProjectModel& m);
void SaveXmlProject(TCppProjectModel& m);
void LoadXmlProject(TCppProjectModel& m);

void FireProjectModuleRemoved(TObject* sender, const String& file);
void FireAfterCompile(TObject* sender, IQCppProject* project, bool success);

}  // namespace hostimpl
