#include "host/MainMenu.h"

#include <algorithm>

#include "hostimpl/HostState.h"
#include "hostimpl/StateListing.h"

namespace {

TComponent* gMainForm = nullptr;
TMainMenu* gMenu = nullptr;

struct TItemDef {
    const char *Name, *Caption;
};
struct TMenuDef {
    const char *Name, *Caption;
    std::vector<TItemDef> Items;
};

const TMenuDef kMenus[] = {
    {"FileMenu",
     "&File",
     {{"FileNewItem", "&New..."}, {"FileOpenItem", "&Open..."}, {"FileSaveItem", "&Save"}}},
    {"EditMenu",
     "&Edit",
     {{"EditUndoItem", "&Undo"},
      {"EditCutItem", "Cu&t"},
      {"EditCopyItem", "&Copy"},
      {"EditPasteItem", "&Paste"},
      {"EditLockControlsItem", "Loc&k Controls"}}},
    {"ViewMenu", "&View", {{"ViewProjectManagerItem", "&Project Manager"}}},
    {"RunMenu",
     "&Run",
     {{"RunRunItem", "&Run"}, {"RunParametersSeparator", "-"}, {"RunParametersItem", "&Parameters..."}}},
    {"ToolsMenu",
     "&Tools",
     {{"ToolsOptionsItem", "&Environment Options..."},
      {"ToolsGalleryItem", "&Repository..."},
      {"ToolsToolsItem", "&Configure Tools..."}}},
};

TMenuItem* Find(TMenuItem* parent, const String& name)
{
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (SameText(item->Name(), name)) return item;
        if (TMenuItem* found = Find(item, name)) return found;
    }
    return nullptr;
}

void ListItems(TMenuItem* parent, const String& path, std::vector<String>& out)
{
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        out.push_back("main menu " + path + " #" + IntToStr(i) + " " + item->Name() + " \"" +
                      item->Caption() + "\"");
        ListItems(item, path + "/" + item->Name(), out);
    }
}

void ListMenu(std::vector<String>& out)
{
    if (!gMenu) return;
    ListItems(gMenu->Items(), "", out);
    for (TImageList* l : gMenu->ImageLists()) {
        const String owner = l->Owner() ? l->Owner()->Name() + "." : String();
        out.push_back("IDE images " + owner + l->Name() + " (" + IntToStr(l->Count()) + ")");
    }
}
const hostimpl::TStateSource kMenuSource("main menu", ListMenu);

class TNTAServices : public TAggregatedObject, public IQNTAServices {
public:
    using TAggregatedObject::TAggregatedObject;
    bool QueryOwnInterface(const TGUID& iid, void** obj) override
    {
        return QueryAs<IQNTAServices>(this, iid, obj);
    }
    TMainMenu* GetMainMenu() override { return Menu(); }
    int AddImages(TImageList* images) override { return Menu()->AddImages(images); }
    void InsertMenuItemAfter(TMenuItem* item, const String& after) override
    {
        TMenuItem* at = Menu()->FindItem(after);
        if (!at || !at->ParentItem()) throw EHostError("The main menu has no item " + after);
        TMenuItem* parent = at->ParentItem();
        parent->Insert(parent->IndexOf(at) + 1, item);
    }

private:
    static TMainMenu* Menu()
    {
        if (!gMenu) throw EHostError("The host has no main menu");
        return gMenu;
    }
};

}  // namespace

TMainMenu::TMainMenu(TComponent* AOwner) : TComponent(AOwner)
{
    SetName("MainMenu1");
    for (const TMenuDef& m : kMenus) {
        auto* top = new TMenuItem(this);
        top->SetName(m.Name);
        top->SetCaption(m.Caption);
        FItems.Add(top);
        for (const TItemDef& d : m.Items) {
            auto* item = new TMenuItem(this);
            item->SetName(d.Name);
            item->SetCaption(d.Caption);
            top->Add(item);
        }
    }
}

TMainMenu::~TMainMenu()
{
    for (TImageList* l : FImages) l->RemoveFreeNotification(this);
}

TMenuItem* TMainMenu::FindItem(const String& name) { return Find(&FItems, name); }

int TMainMenu::AddImages(TImageList* images)
{
    if (!images) return -1;
    int first = 0;
    for (TImageList* l : FImages) {
        if (l == images) return first;
        first += l->Count();
    }
    FImages.push_back(images);
    images->FreeNotification(this);
    return first;
}

void TMainMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove) std::erase(FImages, AComponent);
}

TMainMenu* IDEMainMenu() { return gMenu; }

namespace hostimpl {

std::unique_ptr<TAggregatedObject> NewNTAServices(IInterface* controller)
{
    return std::make_unique<TNTAServices>(controller);
}

void CreateMainMenu()
{
    if (gMenu) return;
    // the main window owns the menu (and what packages add to it); the application object
    // holds only the packages' own modules
    gMainForm = new TComponent(nullptr);
    gMainForm->SetName("AppBuilder");
    gMenu = new TMainMenu(gMainForm);
}

void FreeMainMenu()
{
    delete gMainForm;
    gMainForm = nullptr;
    gMenu = nullptr;
}

}  // namespace hostimpl
