#pragma once
// The C++ personality's project model: the items of a project with their option sets, the
// project's options and uses entries, and the project file the host reads and writes (a make
// file or an XML project).
#include "host/Export.h"
#include <vector>

#include "host/ModuleServices.h"

enum class TCppProjectForm { MakeFile, Xml };

// A unit the project uses, built by the compiler named.
struct HOST_API TUsesEntry {
    TUsesEntry(String fileName = "", String compiler = "", int kind = 0)
        : FileName(std::move(fileName)), Compiler(std::move(compiler)), Kind(kind)
    {
    }
    String FileName;
    String Compiler;  // "CCompiler" for C++ sources
    int Kind = 0;
    String FormName;
    // A CORBA implementation unit: it implements interfaces of these IDL files (full names).
    bool CorbaImpl = false;
    std::vector<String> IdlFiles;
    String UnitName() const;  // the file name without folder and extension
};

class HOST_API IQCppProject : public virtual IInterface {
public:
    RTL_IID("{6B1E2F0A-4C3D-4E59-9A7B-2D8C1F0E3A41}");
    virtual String FileName() = 0;  // the project file
    virtual String Directory() = 0;  // its folder, with a trailing delimiter
    virtual TCppProjectForm Form() = 0;
    virtual String Personality() = 0;

    // Items, by full file name; a relative name is taken against the project's folder.
    virtual std::vector<String> Items() = 0;
    virtual bool HasItem(const String& file) = 0;
    virtual void AddItem(const String& file) = 0;
    // Fires ProjectModuleRemoved; false when the project did not hold the file.
    virtual bool RemoveItem(const String& file) = 0;
    // Keeps the item's option sets, values and generated files under the new name.
    virtual bool RenameItem(const String& oldName, const String& newName) = 0;
    virtual String ItemCompiler(const String& file) = 0;
    virtual void SetItemCompiler(const String& file, const String& compiler) = 0;

    // Option sets ("krotex"): per item, or for the project with an empty file name.
    virtual bool HasOptionValue(const String& file, const String& set, const String& name) = 0;
    virtual String OptionValue(const String& file, const String& set, const String& name) = 0;
    virtual void SetOptionValue(const String& file, const String& set, const String& name,
                                const String& value) = 0;
    virtual bool HasLocalOptions(const String& file) = 0;
    virtual void RemoveLocalOptions(const String& file) = 0;

    // The project file's symbols of one item: its generated files and its name/value list.
    virtual std::vector<String> ItemGenFiles(const String& file) = 0;
    virtual void SetItemGenFiles(const String& file, const std::vector<String>& genFiles) = 0;
    virtual String ItemValue(const String& file, const String& name) = 0;
    virtual void SetItemValue(const String& file, const String& name, const String& value) = 0;

    // XML form: removes the project file's entries of the file whose element kind is `kind`
    // (letter case ignored) beside its items, e.g. a "depend" entry; false when there was none.
    virtual bool RemoveFileEntry(const String& file, const String& kind) = 0;

    // Project options: "LibPath", "IncludePath" (";"-lists), "Defines", "Libraries".
    virtual String GetOption(const String& name) = 0;
    virtual void SetOption(const String& name, const String& value) = 0;

    virtual void AddUsesEntry(const TUsesEntry& entry) = 0;
    virtual std::vector<TUsesEntry> UsesEntries() = 0;
    // The whole list, in its order.
    virtual void SetUsesEntries(const std::vector<TUsesEntry>& entries) = 0;

    // Macros of the project file (make symbols): IDLFILES, IDLGENFILES, IDLCFLAGS, ...
    virtual bool HasMakeSym(const String& name) = 0;
    virtual String GetMakeSym(const String& name) = 0;
    virtual void SetMakeSym(const String& name, const String& value) = 0;
    // The make file's whole text (make-file form): the IDL rules are edited in it.
    virtual String MakeFileText() = 0;
    virtual void SetMakeFileText(const String& text) = 0;

    // Writes the project file (the personality's project-file updaters run first).
    virtual void Save() = 0;
};

// The C++ project model of an open project; nullptr for a project of another kind.
HOST_API TIntfPtr<IQCppProject> CppProjectOf(IQProject* project);
HOST_API TIntfPtr<IQCppProject> ActiveCppProject();  // nullptr when none is open

// A list option with dir appended (after ";") unless it already occurs in it (case-sensitive);
// an empty list becomes ";" and dir.
HOST_API String AddPathOption(const String& paths, const String& dir);

// The folder new files go to: the active project's folder, else the folder the host was given
// (never the process's working folder).
HOST_API String NewFilesFolder();
