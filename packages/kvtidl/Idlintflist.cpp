#include "Idlintflist.h"

#include <cctype>

#include "Idlopenfile.h"
#include "host/FileDialogs.h"
#include "zub/Dialogs.h"
#include "zub/Forms.h"

#include "rtl/Files.h"
#include "rtl/Resources.h"

namespace {
RTL_RESOURCESTRING(sServerUnitSuffix, "Server");
RTL_RESOURCESTRING(sImplClassSuffix, "Impl");
RTL_RESOURCESTRING(sObjectNameFormat, "%sObject");
RTL_RESOURCESTRING(sImplNeedsIdl,
                   "A CORBA object implementation cannot be created unless the project contains an "
                   "IDL file.  Choose Yes to add an IDL file to the project.");
RTL_RESOURCESTRING(sUseNeedsIdl,
                   "A project can't use a CORBA object unless the project contains an IDL file.  "
                   "Choose Yes to add an IDL file to the project.");
}  // namespace

TIdlInterfaceItem::TIdlInterfaceItem(TIdlInterfaceList* list, const String& name, const String& qualifiedName,
                                     const String& idlFile)
    : Name(name), QualifiedName(qualifiedName), IdlFile(idlFile)
{
    if (list) list->AddItem(this);
}

String TIdlInterfaceItem::GetTieTemplateName() const
{
    String s = StripClassPrefix(QualifiedName);
    std::size_t lastJoin = String::npos;
    for (std::size_t p; (p = s.find("::")) != String::npos;) {
        s.replace(p, 2, "_");
        lastJoin = p;
    }
    if (lastJoin == String::npos) return "_tie_" + s;
    return s.insert(lastJoin + 1, "tie_");
}

TIdlImplInterfaceItem::TIdlImplInterfaceItem(TIdlInterfaceList* list, const String& name,
                                             const String& qualifiedName, const String& idlFile)
    : TIdlInterfaceItem(list, name, qualifiedName, idlFile), UnitName(name + String(sServerUnitSuffix)),
      ClassName(name + String(sImplClassSuffix))
{
    ObjectNames.Add(Format(sObjectNameFormat, {name}));
}

String TIdlImplInterfaceItem::GetImplFileName(const String& projectFolder) const
{
    const String unit = ChangeFileExt(UnitName, ".cpp");
    if (!unit.empty() && unit[0] == '/') return unit;
    return IncludeTrailingPathDelimiter(projectFolder) + unit;
}

String TIdlImplInterfaceItem::GetObjectNamesString() const
{
    String out;
    for (int i = 0; i < ObjectNames.Count(); ++i) {
        if (i) out += ";";
        const String& n = ObjectNames[i];
        out += n.find(';') != String::npos ? "\"" + n + "\"" : n;
    }
    return out;
}

void TIdlImplInterfaceItem::SetObjectNamesString(const String& text)
{
    ObjectNames.Clear();
    String name;
    bool quoted = false, any = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (c == ';' && !quoted) {
            ObjectNames.Add(name);
            name.clear();
            any = false;
        } else {
            name += c;
            any = true;
        }
    }
    if (any || !name.empty()) ObjectNames.Add(name);
}

TIdlUseInterfaceItem::TIdlUseInterfaceItem(TIdlInterfaceList* list, const String& name,
                                           const String& qualifiedName, const String& idlFile)
    : TIdlInterfaceItem(list, name, qualifiedName, idlFile)
{
    VarName = VarNameFromIdlIntfName(name);
    if (VarName == name) VarName += "_";
    PropertyName = ObjectName = VarName;
}

TIdlInterfaceList::~TIdlInterfaceList() = default;

TIdlInterfaceItem* TIdlInterfaceList::Find(const String& idlFile, const String& qualifiedName) const
{
    for (auto& i : FItems)
        if (i->QualifiedName == qualifiedName && i->IdlFile == idlFile) return i.get();
    return nullptr;
}

TIdlInterfaceItem* TIdlImplInterfaceListHelper::NewItem(const String& name, const String& qualifiedName,
                                                        const String& idlFile)
{
    return new TIdlImplInterfaceItem(&FList, name, qualifiedName, idlFile);
}

String TIdlImplInterfaceListHelper::GetNeedsInterfacesWarning() const { return sImplNeedsIdl; }

TIdlInterfaceItem* TIdlUseInterfaceListHelper::NewItem(const String& name, const String& qualifiedName,
                                                       const String& idlFile)
{
    return new TIdlUseInterfaceItem(&FList, name, qualifiedName, idlFile);
}

String TIdlUseInterfaceListHelper::GetNeedsInterfacesWarning() const { return sUseNeedsIdl; }

namespace {
TOpenDialog* gIdlOpenDialog = nullptr;  // made on first use, kept until the unit goes
}

bool AddIdlFilesToProject()
{
    if (!gIdlOpenDialog) {
        gIdlOpenDialog = new TOpenDialog(nullptr);
        gIdlOpenDialog->Filter = sIdlFileFilter;
        gIdlOpenDialog->Options = ofAllowMultiSelect | ofFileMustExist;
    }
    if (!gIdlOpenDialog->Execute()) return false;
    TIDLFileHandler opener;
    for (int i = 0; i < gIdlOpenDialog->Files.Count(); ++i) {
        try {
            opener.FileOpen(gIdlOpenDialog->Files[i]);
        } catch (const std::exception& e) {
            if (Application) Application->ShowException(e);
        }
    }
    if (Application) Application->ProcessMessages();
    return true;
}

bool EnsureProjectIdlFiles(IQCppProject* project, const TIdlInterfaceListHelper& helper)
{
    if (!project) return false;
    for (const String& item : project->Items())
        if (SameText(ExtractFileExt(item), ".idl")) return true;
    if (MessageDlg(helper.GetNeedsInterfacesWarning(), mtConfirmation, mbYes | mbNo) != mrYes) return false;
    return AddIdlFilesToProject();
}

String VarNameFromIdlIntfName(const String& name)
{
    if (name.empty()) return name;
    String v = name;
    v[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(v[0])));
    return v;
}

String IdlBrowseHeader(const String& file)
{
    if (!SameText(ExtractFileExt(file), ".idl")) return file;
    if (auto project = ActiveCppProject())
        if (project->HasItem(file))
            for (const String& gen : project->ItemGenFiles(file)) {
                const String base = ChangeFileExt(gen, "");
                if (base.size() < 2 || base.compare(base.size() - 2, 2, "_c") != 0) continue;
                const String folder = project->Directory();
                for (const char* ext : {".hh", ".h", ".hpp"}) {
                    String header = base + ext;
                    if (header[0] != '/') header = folder + header;
                    if (FileExists(header)) return header;
                }
            }
    return ChangeFileExt(file, "") + "_c.hh";
}

namespace {

void ListScope(TIdlScopeSymbol& scope, const String& idlFile, int depth, std::vector<String>& out)
{
    const String indent(static_cast<std::size_t>(depth) * 2, ' ');
    for (int i = 0; i < scope.Modules().Count(); ++i) {
        TIdlModuleSymbol* m = scope.Modules().Items(i);
        out.push_back(indent + "module " + m->Name());
        ListScope(*m, idlFile, depth + 1, out);
    }
    for (int i = 0; i < scope.Classes().Count(); ++i) {
        TIdlClassSymbol* c = scope.Classes().Items(i);
        out.push_back(indent + "interface " + c->Name() + "  skeleton " + c->GetQualifiedName());
        const String in = indent + "  ";
        for (int j = 0; j < c->Methods().Count(); ++j) {
            TIdlMethodSymbol* m = c->Methods().Items(j);
            if (m->IsAttribute) {
                if (m->GetIsAttributeGet())
                    out.push_back(in + "attribute " + m->Name() + ": " + m->GetAttributeType());
                continue;
            }
            String params = m->Params;
            for (std::size_t p; (p = params.find(",| ")) != String::npos;) params.replace(p, 3, ", ");
            out.push_back(in + "operation " + m->ResultType + " " + m->Name() + "(" + params + ")");
        }
        TIdlImplInterfaceItem impl(nullptr, c->Name(), c->GetQualifiedName(), idlFile);
        TIdlUseInterfaceItem use(nullptr, c->Name(), c->GetQualifiedName(), idlFile);
        out.push_back(in + "implementation " + impl.ClassName + " in " + impl.UnitName + ".cpp, object " +
                      impl.GetObjectNamesString() + ", tie " + impl.GetTieTemplateName());
        out.push_back(in + "client variable " + use.VarName);
    }
}

}  // namespace

std::vector<String> IdlSymbolListing(const String& file)
{
    // the user's file, not the header that would have been made from it
    if (SameText(ExtractFileExt(file), ".idl") && !FileExists(file)) throw Exception("No IDL file " + file);
    TIdlFileSymbol symbols(IdlBrowseHeader(file));
    symbols.PopulateClasses();
    std::vector<String> out = {"file " + symbols.Name()};
    ListScope(symbols, file, 0, out);
    return out;
}

namespace Idlintflist {
int UseCount = 0;
namespace {
TIdlBrowseProc gPrevious = nullptr;
}

void Initialization()
{
    gPrevious = IdlBrowseProc;
    IdlBrowseProc = IdlSymbolListing;
}

void Finalization()
{
    IdlBrowseProc = gPrevious;
    delete gIdlOpenDialog;
    gIdlOpenDialog = nullptr;
}
}  // namespace Idlintflist
