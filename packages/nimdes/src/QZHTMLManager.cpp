#include "QZHTMLManager.h"

#include "QZDsnPreview.h"
#include "host/ToolsAPI.h"
#include "rtl/Files.h"
#include "zub/Dialogs.h"

#include "rtl/Debug.h"

namespace {
std::vector<THTMLPaletteItem>& Items()
{
    static std::vector<THTMLPaletteItem> items;
    return items;
}
}  // namespace

void TQZHTMLManager::RegisterComponents(const String& page, HMODULE module,
                                        const std::vector<TComponentClass>& classes)
{
    // Beside the host's own registration lines, so a registration reads as one transcript.
    OutputDebugStringA("register: TQZHTMLManager.RegisterComponents " + page + ", " +
                       IntToStr(static_cast<int>(classes.size())) + " classes");
    auto& items = Items();
    auto it = std::find_if(items.begin(), items.end(),
                           [&](const THTMLPaletteItem& i) { return SameText(i.Page, page); });
    if (it == items.end()) it = items.insert(items.end(), THTMLPaletteItem{page, module, {}});
    for (TComponentClass c : classes) it->ClassNames.push_back(c->ClassName);
}

const std::vector<THTMLPaletteItem>& TQZHTMLManager::Palette() { return Items(); }

namespace {
RTL_RESOURCESTRING(RSHTMLEditorError, "The HTML designer library QZHTMLLayoutMgr could not be loaded.");
RTL_RESOURCESTRING(RSOldBrowser, "The HTML designer needs Internet Explorer 5.5 or later.");

std::unique_ptr<TQZDesignerLibrary> gLibrary;
bool gBusy = false;
bool gRepainting = false;
std::vector<TQZHTMLManager*> gManagers;

bool IsBaseControl(TComponent* c)
{
    auto* q = dynamic_cast<TQZControl*>(c);
    return q && q->InheritsFrom(&qzc::TQZBaseControl);
}

TQZComponent* LayoutOf(TComponent* c)
{
    auto* l = dynamic_cast<TQZComponent*>(c);
    if (!l || !(l->InheritsFrom(&qzc::TQZLayoutMgrHTML) || l->InheritsFrom(&qzc::TQZLayoutMgrHTML32)))
        throw EInvalidCast("Invalid class typecast");
    return l;
}
}  // namespace

TQZHTMLManager::TQZHTMLManager(TQZComponent* layout, TFormDesigner* designer, const String& workArea)
    : TComponent(nullptr), FLayout(layout), FDesigner(designer), FWorkArea(workArea)
{
    FLayout->LayoutManager = this;
    FLayout->FreeNotification(this);
    FHTML = static_cast<IHTMLLayoutMgr*>(gLibrary->GetManager(nullptr));
    if (FDesigner) FDesigner->AddNotification(this);
    gManagers.push_back(this);
}

TQZHTMLManager::~TQZHTMLManager()
{
    ReleaseComponent();
    std::erase(gManagers, this);
    if (FLayout) {
        FLayout->RemoveFreeNotification(this);
        if (FLayout->LayoutManager == this) FLayout->LayoutManager = nullptr;
    }
}

void TQZHTMLManager::Notification(TComponent* c, TOperation op)
{
    TComponent::Notification(c, op);
    // The layout goes: its designer window goes with it.
    if (op == opRemove && c == FLayout) {
        FLayout = nullptr;
        ReleaseComponent();
    }
}

TQZHTMLManager* LayoutManagerOf(TComponent* layout)
{
    auto* l = dynamic_cast<TQZComponent*>(layout);
    return l ? static_cast<TQZHTMLManager*>(l->LayoutManager) : nullptr;
}

std::string TQZHTMLManager::CreateComponent(const std::string& className)
{
    TComponentClass cls = GetComponentClass(className);
    if (!cls) cls = QZFindClass(className);
    if (!cls || !FDesigner) return std::string();
    TControl* parent = FLayout && FLayout->LayoutContainer ? FLayout->LayoutContainer
                                                           : dynamic_cast<TControl*>(FDesigner->Root());
    TComponent* c = FDesigner->CreateComponent(cls, parent);
    return c->Name();
}

std::string TQZHTMLManager::SelectComponent(const std::string& name)
{
    if (!FDesigner) return std::string();
    if (name.empty()) {
        FDesigner->SelectComponent(nullptr);
        return std::string();
    }
    TComponent* c = FDesigner->FindComponent(name);
    if (!c) return std::string();
    FDesigner->SelectComponent(c);
    return c->Name();
}

void TQZHTMLManager::DeleteComponent(const std::string& name)
{
    if (!FDesigner) return;
    if (TComponent* c = FDesigner->FindComponent(name)) {
        FDesigner->SelectComponent(c);
        FDesigner->DeleteSelection();
    }
}

void TQZHTMLManager::RepaintComponent(const std::string& name)
{
    if (!FDesigner) return;
    // The HTML designer shows the control as this picture in the work area.
    if (auto* c = dynamic_cast<TControl*>(FDesigner->FindComponent(name)))
        SaveDesignPictureJpeg(c, IncludeTrailingPathDelimiter(FWorkArea) + name + ".jpg");
}

void TQZHTMLManager::RenameComponent(const std::string& oldName, const std::string& newName)
{
    if (FHTML) FHTML->ComponentRenamed(oldName.c_str(), newName.c_str());
}

void TQZHTMLManager::ResizeComponent(const std::string& name, int width, int height)
{
    if (!FDesigner) return;
    auto* c = dynamic_cast<TControl*>(FDesigner->FindComponent(name));
    if (!c) return;
    c->SetBounds(c->Left(), c->Top(), width, height);
    FDesigner->Modified();
}

void TQZHTMLManager::ReleaseComponent()
{
    if (FDesigner) FDesigner->RemoveNotification(this);
    if (FHTML) {
        FHTML->Close();
        void* w = FHTML;
        FHTML = nullptr;
        gLibrary->ReleaseManager(w);
    }
    FDesigner = nullptr;
    // The library goes with the last manager.
    if (gManagers.size() <= 1) gLibrary.reset();
}

void TQZHTMLManager::BuildPalette()
{
    if (!FHTML) return;
    for (const THTMLPaletteItem& item : Items())
        for (const String& c : item.ClassNames)
            FHTML->AddPaletteItem(item.Page.c_str(), c.c_str(), item.Module);
}

void TQZHTMLManager::ShowObjectInspector()
{
    RequireService<IQInspectorServices>("object inspector")->ShowObjectInspector();
}

std::string TQZHTMLManager::GetComponentList()
{
    if (!FDesigner) return std::string();
    String list;
    TComponent* root = FDesigner->Root();
    for (int i = 0; i < root->ComponentCount(); ++i)
        if (IsBaseControl(root->Components(i))) list += root->Components(i)->Name() + "\n";
    return list;
}

String ConvertToTemplate(const String& html, const String& workArea)
{
    // The designer refers to its pictures in the work area; the template names them alone.
    String out = html;
    for (std::size_t p; !workArea.empty() && (p = out.find(workArea)) != String::npos;)
        out.erase(p, workArea.size());
    return out;
}

void TQZHTMLManager::SetResult(const String& html)
{
    if (!FHTML || !FLayout || !FLayout->TakesResult) return;
    FLayout->LayoutHTML.SetText(ConvertToTemplate(html, FWorkArea));
    if (FDesigner) FDesigner->Modified();
}

void TQZHTMLManager::Destroying() { FHTML = nullptr; }

void TQZHTMLManager::ItemDeleted(TComponent* c)
{
    if (FHTML && IsBaseControl(c) && !c->Destroying()) FHTML->ComponentDeleted(c->Name().c_str());
}

void TQZHTMLManager::ItemInserted(TComponent* c)
{
    if (FHTML && IsBaseControl(c)) FHTML->ComponentsInserted();
}

void TQZHTMLManager::ItemsModified()
{
    // Repainting can modify again: one round at a time.
    if (!FHTML || !FDesigner || gRepainting) return;
    gRepainting = true;
    for (TComponent* c : FDesigner->Selection())
        if (IsBaseControl(c)) {
            RepaintComponent(c->Name());
            FHTML->RepaintComponent(c->Name().c_str());
        }
    gRepainting = false;
}

void TQZHTMLManager::SelectionChanged(const std::vector<TComponent*>& selection)
{
    if (!FHTML) return;
    std::vector<TComponent*> controls;
    for (TComponent* c : selection)
        if (IsBaseControl(c)) controls.push_back(c);
    FHTML->ComponentSelected(controls.size() == 1 ? controls[0]->Name().c_str() : "");
}

void EditLayoutHTML(TComponent* component, TFormDesigner* designer)
{
    if (gBusy) return;
    gBusy = true;
    struct Clear {
        ~Clear() { gBusy = false; }
    } clear;
    if (!BrowserRecentEnough(true)) {
        MessageDlg(RSOldBrowser, mtError, mbOK);
        return;
    }
    TQZComponent* layout = LayoutOf(component);
    const String area = WorkArea();
    LoadDesignerLibrary(gLibrary, "QZHTMLLayoutMgr", RSHTMLEditorError);
    if (auto* m = LayoutManagerOf(layout)) {
        if (m->HTMLDesigner()) {
            m->HTMLDesigner()->Show();
            return;
        }
        // Its designer went (closed or released): a new manager takes over.
        delete m;
        LoadDesignerLibrary(gLibrary, "QZHTMLLayoutMgr", RSHTMLEditorError);
    }
    layout->LayoutWorkArea = area;
    auto* m = new TQZHTMLManager(layout, designer, area);
    IHTMLLayoutMgr* w = m->HTMLDesigner();
    w->SetWorkArea(area.c_str());
    w->SetDestroyNotify([](void* self) { static_cast<TQZHTMLManager*>(self)->Destroying(); }, m);
    w->SetResultNotify(
        [](void* self, const char* html) { static_cast<TQZHTMLManager*>(self)->SetResult(html); }, m);
    const bool html32 = layout->InheritsFrom(&qzc::TQZLayoutMgrHTML32);
    w->SetHost(static_cast<IHTMLLayoutHost*>(m),
               html32 ? "QZ Standard 3.2\nQZ Data 3.2" : "QZ Standard\nQZ Data\nQZ Client Side");
    w->Show();
}

namespace QZHTMLManager {
namespace {
// Made only by the launcher, on a layout: the class is known by name but makes no objects.
const TComponentClassInfo ClassTQZHTMLManager{"TQZHTMLManager", &ClassTComponent, nullptr, "QZHTMLManager"};
}  // namespace
int UseCount = 0;
void Initialization() { RegisterClasses({&ClassTQZHTMLManager}); }
void Finalization()
{
    UnRegisterClasses({&ClassTQZHTMLManager});
    while (!gManagers.empty()) delete gManagers.back();
    gLibrary.reset();
    Items().clear();
}
}  // namespace QZHTMLManager
