// A package outside the product that uses Brannow100's open-browser dialog as other packages
// would: two source factories, and a command that lets the user choose a file with the dialog.
// It reports what happened to the host's message view.
#include "Browserdialogs.h"
#include "Plugs.h"
#include "host/Actions.h"
#include "host/IDEControl.h"
#include "host/MessageServices.h"
#include "host/Package.h"
#include "rtl/Files.h"

namespace {

void Report(const String& fileName, const String& text) { BMSG(0, 0, fileName, 0, 0, 0, text); }

// Takes the files of one extension.
class TTestSourceFactory : public TTestSourceFactoryBase {
public:
    TTestSourceFactory(String caption, String ext) : FCaption(std::move(caption)), FExt(std::move(ext)) {}
    void GetFilter(String& f) override { f = FCaption + " (*" + FExt + ")|*" + FExt; }
    bool CanLoad(const String& name) override
    {
        const bool can = SameText(ExtractFileExt(name), FExt);
        Report(name, FCaption + (can ? " can load it" : " cannot load it"));
        return can;
    }

private:
    String FCaption, FExt;
};

TDataModule* gCommands = nullptr;
int gCookie = 0;

void BrowseTestSources(TObject*)
{
    TOpenBrowserDialog dialog(nullptr);
    dialog.AddType(TIntfPtr<IPluggableSourceFactory>(new TTestSourceFactory("Test sources", ".tsrc")));
    dialog.AddType(TIntfPtr<IPluggableSourceFactory>(new TTestSourceFactory("Test trees", ".ttree")));
    const bool chosen = dialog.Execute();
    Report(dialog.FileName, chosen ? "chosen with filter " + IntToStr(dialog.FilterIndex) + ", preview " +
                                         dialog.PictureLabel->Caption()
                                   : String("cancelled"));
}

void MakeCommands(TObject*)
{
    if (gCommands) return;
    gCommands = NewDataModule<TDataModule>(IDEApplication());
    gCommands->SetName("BrannowTestCommands");
    auto* a = new TAction(gCommands);
    a->SetName("BrowseTestSourcesCmd");
    a->Caption = "Browse test sources...";
    a->OnExecute = BrowseTestSources;
}

}  // namespace

namespace BrannowTestSources {
int UseCount = 0;
void Initialization() {}
void Finalization()
{
    if (gCookie) MainFormCreated().Remove(gCookie);
    gCookie = 0;
    delete gCommands;
    gCommands = nullptr;
}
}  // namespace BrannowTestSources

extern "C" void BrannowTestSources_IDERegister() { gCookie = MainFormCreated().Add(MakeCommands); }

namespace {
const char* const kRequires[] = {"Brannow100"};
const TPackageUnitEntry kUnits[] = {HOST_UNIT_ENTRY(BrannowTestSources)};
const char* const kProcs[] = {"BrannowTestSources_IDERegister"};
const TPackageInfoTable kTable = {"BrannowTestSources", kRequires, 1, kUnits, 1, kProcs, 1};
}  // namespace
HOST_PACKAGE_ENTRY(kTable)
