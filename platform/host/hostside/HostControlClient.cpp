// The host's own side for idehost and the tests: each function calls the host library's.
#include "hostimpl/HostControl.h"
#include "raster/PixelCanvas.h"

namespace hostimpl {
namespace {

const THostControl& Control()
{
    static const THostControl* c = [] {
        const THostControl* t = QuistorHostControl();
        if (!t || t->Size != sizeof(THostControl)) throw EHostError("The host library is of another build");
        return t;
    }();
    return *c;
}

}  // namespace

void StartHost(const String& projectFolder)
{
    Control().StartHost(projectFolder);
    Control().SetDesignPaint(
        [](TControl* control, const String& file) { PaintControlPicture(control).SaveToJpegFile(file, 95); });
}
void StopHost() { Control().StopHost(); }
bool HostRunning() { return Control().HostRunning(); }
void SetProjectFolder(const String& folder) { Control().SetProjectFolder(folder); }
void SetDesignPaint(TDesignPaint paint) { Control().SetDesignPaint(paint); }
String ProjectFolder() { return Control().ProjectFolder(); }
std::vector<TReceivedFile> ReceivedFiles() { return Control().ReceivedFiles(); }
void ClearReceivedFiles() { Control().ClearReceivedFiles(); }
std::vector<TGalleryEntry> GalleryEntries() { return Control().GalleryEntries(); }
bool RunGalleryItem(const String& categoryId, const String& caption)
{
    return Control().RunGalleryItem(categoryId, caption);
}
bool GalleryItemAvailable(int handle) { return Control().GalleryItemAvailable(handle); }
bool InheritProjectForm(const String& personality, const String& ancestorName)
{
    return Control().InheritProjectForm(personality, ancestorName);
}
const TGalleryItemClass* ProjFormTemplateClass(const String& personality)
{
    return Control().ProjFormTemplateClass(personality);
}
int RegisteredClassCount() { return Control().RegisteredClassCount(); }
String ClassGroup(const String& className) { return Control().ClassGroup(className); }
void ShowMainForm() { Control().ShowMainForm(); }
bool MainFormShown() { return Control().MainFormShown(); }
void SetZubDesignerActive(bool active) { Control().SetZubDesignerActive(active); }
void SetCompilerState(TCompilerState state) { Control().SetCompilerState(state); }
void SetDialogAnswer(const String& key, const String& value) { Control().SetDialogAnswer(key, value); }
void ClearDialogAnswers() { Control().ClearDialogAnswers(); }
void LoadDialogAnswers(const String& fileName) { Control().LoadDialogAnswers(fileName); }
void SetTraitSupported(const String& personality, const TGUID& trait, bool supported)
{
    Control().SetTraitSupported(personality, trait, supported);
}
std::vector<String> RemoveResidue(const std::function<bool(const void*)>& inModule)
{
    return Control().RemoveResidue(inModule);
}
int GalleryHandlerCount() { return Control().GalleryHandlerCount(); }
int GalleryCategoryCount() { return Control().GalleryCategoryCount(); }
void SetTraitObject(const String& personality, const TGUID& trait, TIntfPtr<IInterface> object)
{
    Control().SetTraitObject(personality, trait, std::move(object));
}
TIntfPtr<IInterface> TraitObject(const String& personality, const TGUID& trait)
{
    return Control().TraitObject(personality, trait);
}
void ClearTraitObjects() { Control().ClearTraitObjects(); }
void SetTemplateDirectory(const String& folder) { Control().SetTemplateDirectory(folder); }
String TemplateDirectory() { return Control().TemplateDirectory(); }
std::vector<String> HostStateListing() { return Control().HostStateListing(); }

TIntfPtr<IQProject> NewCppProject(const String& fileName) { return Control().NewCppProject(fileName); }
void RunProjectCommand(std::vector<String> args, std::ostream& out)
{
    Control().RunProjectCommand(std::move(args), out);
}
void EditFile(const String& fileName, const String& text) { Control().EditFile(fileName, text); }
void RunMessagesCommand(std::ostream& out) { Control().RunMessagesCommand(out); }
void RunBrowseCommand(std::vector<String> args, std::ostream& out)
{
    Control().RunBrowseCommand(std::move(args), out);
}
void RunComponentCommand(std::vector<String> args, std::ostream& out)
{
    Control().RunComponentCommand(std::move(args), out);
}
void RunTypeLibCommand(std::vector<String> args, std::ostream& out)
{
    Control().RunTypeLibCommand(std::move(args), out);
}
void RunToDoCommand(std::vector<String> args, std::ostream& out)
{
    Control().RunToDoCommand(std::move(args), out);
}

}  // namespace hostimpl
