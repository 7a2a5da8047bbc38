#include "host/ImportComponent.h"

#include "host/ComWizard.h"
#include "host/Creators.h"
#include "host/FileOpenHandlers.h"
#include "host/PersonalityServices.h"
#include "host/SourceModule.h"
#include "host/ToolsAPI.h"
#include "host/TypeLibrary.h"
#include "rtl/Files.h"

namespace {

std::vector<const TTypeObject*> CoClasses(const TTypeLibrary& lib)
{
    std::vector<const TTypeObject*> r;
    for (int i = 0; i < lib.TypeCount(); ++i)
        if (lib.Type(i)->Kind() == tkCoClass) r.push_back(lib.Type(i));
    return r;
}

String Title(const TTypeLibrary& lib, const String& unitName, const char* ext)
{
    return "// " + unitName + ext + ": component wrappers of the type library " + lib.Name + " " +
           lib.Version + "\n";
}

class TImportUnitCreator : public TDefaultCreator {
public:
    TImportUnitCreator(String fileName, String unit, String header)
        : FFileName(std::move(fileName)), FUnit(std::move(unit)), FHeader(std::move(header))
    {
    }
    String GetFileName() override { return FFileName; }
    String GetLanguage() override { return "C++"; }
    bool GetIncludeInProject() override { return false; }
    TIntfPtr<IQSourceFile> GetSource() override
    {
        return TIntfPtr<IQSourceFile>(new TStringFile(FFileName, FUnit));
    }
    TIntfPtr<IQSourceFile> GetInterfaceSource() override
    {
        return TIntfPtr<IQSourceFile>(new TStringFile(ChangeFileExt(FFileName, ".h"), FHeader));
    }

private:
    String FFileName, FUnit, FHeader;
};

}  // namespace

TDTLWriterClass TCPPDTLWriter::Class()
{
    return {"TCPPDTLWriter", [] { return std::unique_ptr<TDTLWriter>(new TCPPDTLWriter); }};
}

String TCPPDTLWriter::HeaderText(const TTypeLibrary& lib, const String& unitName)
{
    String t = Title(lib, unitName, ".h") + "#ifndef " + unitName + "H\n#define " + unitName + "H\n\n" +
               "#include <zub.h>\n";
    for (const TTypeObject* c : CoClasses(lib)) {
        const TTypeObject* intf = c->DefaultInterface();
        t += "\n// CoClass " + c->Name() + ", default interface " + (intf ? intf->Name() : String("none")) +
             "\n" + "class T" + c->Name() + " : public TOleServer\n{\npublic:\n  __fastcall T" + c->Name() +
             "(TComponent* owner);\n};\n";
    }
    return CodeFix(t + "\n#endif\n");
}

String TCPPDTLWriter::UnitText(const TTypeLibrary& lib, const String& unitName, const String& palettePage)
{
    const auto coClasses = CoClasses(lib);
    String t = Title(lib, unitName, ".cpp") + "#include \"" + unitName + ".h\"\n";
    String classes;
    for (const TTypeObject* c : coClasses) {
        t += "\n__fastcall T" + c->Name() + "::T" + c->Name() +
             "(TComponent* owner) : TOleServer(owner)\n{\n}\n";
        classes += String(classes.empty() ? "" : ", ") + "__classid(T" + c->Name() + ")";
    }
    t += "\nnamespace " + unitName + "\n{\n  void __fastcall PACKAGE Register()\n  {\n" +
         "    TComponentClass classes[] = {" + classes + "};\n" + "    RegisterComponents(\"" + palettePage +
         "\", classes, " + IntToStr(static_cast<int>(coClasses.size()) - 1) + ");\n  }\n}\n";
    return CodeFix(t);
}

String ImportTLB(const String& typeLibFile, const String& unitDir, const String& palettePage,
                 const String& ext, const String& personality)
{
    auto ps = RequireService<IQPersonalityServices>("personality services");
    TIntfPtr<IInterface> trait = ps->GetTrait(personality, IQImportComponentTrait3::IID);
    TIntfPtr<IQImportComponentTrait3> importer;
    if (!trait || !Supports(trait.get(), importer))
        throw EHostError("The personality " + personality + " cannot import type libraries");
    if (!FileExists(typeLibFile)) throw EHostError("The type library " + typeLibFile + " does not exist");
    std::unique_ptr<TTypeLibrary> lib = TTypeLibrary::Load(typeLibFile);
    if (CoClasses(*lib).empty())
        throw EHostError("The type library " + lib->Name + " has no CoClass to make a component of");
    const String unitName = lib->Name + "_OCX";
    const String fileName = IncludeTrailingPathDelimiter(unitDir) + unitName + ext;
    TDTLWriterClass cls = importer->GetDTLWriter();
    if (!cls.Create) throw EHostError("The personality " + personality + " has no DTL writer");
    std::unique_ptr<TDTLWriter> writer = cls.Create();
    TIntfPtr<IQModuleCreator> creator(new TImportUnitCreator(
        fileName, writer->UnitText(*lib, unitName, palettePage.empty() ? String("ActiveX") : palettePage),
        writer->HeaderText(*lib, unitName)));
    TSourceModule module(creator.get(), fileName, nullptr);
    return fileName;
}

String CreateUnit(const String& assemblyFile, const String&, const String&, int, const String&)
{
    throw EHostError("The assembly " + ExtractFileName(assemblyFile) +
                     " cannot be imported: this host reads no assemblies");
}

bool FindAndOpenFile(const String& fileName)
{
    if (!FileExists(fileName)) return false;
    return OpenFileWithHandlers(fileName);
}
