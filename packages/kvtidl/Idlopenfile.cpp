#include "Idlopenfile.h"

#include "Idlcppreg.h"
#include "Idldepends.h"
#include "host/ModuleServices.h"
#include "host/SourceModule.h"
#include "rtl/Files.h"

namespace {

TIDLFileHandler* gHandler = nullptr;

// An IDL file that exists already: its text as it stands, shown, kept out of the project.
class TExistingIdlFile : public TCppIdlFileCreator {
public:
    using TCppIdlFileCreator::TCppIdlFileCreator;
    bool GetExisting() override { return true; }
    TIntfPtr<IQSourceFile> GetSource() override
    {
        return TIntfPtr<IQSourceFile>(new TStringFile(FileName(), ReadIdlFile(FileName())));
    }
    bool GetShowSource() override { return true; }
    bool GetIncludeInProject() override { return false; }
};

TIntfPtr<IQModule> FindOpenModule(const String& fileName)
{
    TIntfPtr<IQProjectGroup> group = MainProjectGroup();
    for (int i = 0; i < group->OpenModuleCount(); ++i) {
        TIntfPtr<IQModule> m = group->OpenModule(i);
        if (SameFileName(m->FileName(), fileName)) return m;
    }
    return nullptr;
}

}  // namespace

bool TIDLFileHandler::CanOpen(const String& fileName) { return IsIdlFile(fileName); }

void TIDLFileHandler::GetFilters(TFilterList* list, bool)
{
    // the IDL filter is this handler's only one, so it is also its default
    if (list) list->push_back({sIdlFileFilter, this});
}

void TIDLFileHandler::FileOpen(const String& fileName)
{
    TIntfPtr<IQModule> m = FindOpenModule(fileName);
    if (!m) {
        if (!FileExists(fileName)) throw EHostError("No file " + fileName);
        TIntfPtr<IQModuleCreator> creator(new TExistingIdlFile(fileName));
        m = TSourceModule(creator.get(), fileName, nullptr).Module();
    }
    m->Show(0);
}

void RegisterIDLFileHandler() { RegisterOpenHandler(gHandler); }

namespace Idlopenfile {

int UseCount = 0;

void Initialization() { gHandler = new TIDLFileHandler; }

void Finalization()
{
    UnregisterOpenHandler(gHandler);
    delete gHandler;
    gHandler = nullptr;
}

}  // namespace Idlopenfile
