#include "host/SourceModule.h"

#include "host/Creators.h"

namespace {
// Hands the creator on, with another file name when one is given.
class TRenamedCreator : public TDefaultCreator {
public:
    TRenamedCreator(IQModuleCreator* inner, String fileName) : FInner(inner), FFileName(std::move(fileName))
    {
    }
    String GetFileName() override { return FFileName; }
    bool GetExisting() override { return FInner->GetExisting(); }
    TIntfPtr<IQSourceFile> GetSource() override { return FInner->GetSource(); }
    String GetLanguage() override { return FInner->GetLanguage(); }
    bool GetShowSource() override { return FInner->GetShowSource(); }
    bool GetIncludeInProject() override { return FInner->GetIncludeInProject(); }
    String GetAncestorName() override { return FInner->GetAncestorName(); }
    TIntfPtr<IQSourceFile> GetInterfaceSource() override { return FInner->GetInterfaceSource(); }
    TIntfPtr<IQSourceFile> GetForm() override { return FInner->GetForm(); }
    String GetFormName() override { return FInner->GetFormName(); }
    bool GetMainForm() override { return FInner->GetMainForm(); }
    String GetClasses() override { return FInner->GetClasses(); }
    String GetUnits() override { return FInner->GetUnits(); }
    String GetLicenseString() override { return FInner->GetLicenseString(); }
    bool GetShowForm() override { return FInner->GetShowForm(); }

private:
    TIntfPtr<IQModuleCreator> FInner;
    String FFileName;
};
}  // namespace

TSourceModule::TSourceModule(IQModuleCreator* creator, const String& fileName, IQDocumentModule* owner)
{
    TIntfPtr<IQModuleCreator> keep(creator);
    if (!creator) throw EHostError("No creator for the new source module");
    if (fileName.empty()) {
        FModule = ModuleServices()->CreateModule(creator, owner);
    } else {
        TIntfPtr<IQModuleCreator> renamed(new TRenamedCreator(creator, fileName));
        FModule = ModuleServices()->CreateModule(renamed.get(), owner);
    }
}
