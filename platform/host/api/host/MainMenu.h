#pragma once
// The IDE's main menu and the services of its main window: packages hand the IDE their images
// and put their own items after a named item of the menu.
#include "host/Export.h"
#include "host/ToolsAPI.h"
#include "zub/ImgList.h"
#include "zub/Menus.h"

// Top-level menus (FileMenu, EditMenu, ViewMenu, ToolsMenu) holding named items. The menu owns
// the host's items; an item a package adds is owned by the menu's owner and freed by the package.
class HOST_API TMainMenu : public TComponent {
public:
    explicit TMainMenu(TComponent* AOwner);
    ~TMainMenu() override;
    TMenuItem* Items() { return &FItems; }
    // The item of that name at any depth; nullptr when there is none.
    TMenuItem* FindItem(const String& name);
    // The image lists handed to the IDE, each while it exists.
    const std::vector<TImageList*>& ImageLists() const { return FImages; }
    int AddImages(TImageList* images);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TMenuItem FItems{nullptr};
    std::vector<TImageList*> FImages;
};

class HOST_API IQNTAServices : public virtual IInterface {
public:
    RTL_IID("{26B056B7-FB49-41BC-A8C2-151DE1EBF465}");
    virtual TMainMenu* GetMainMenu() = 0;
    // The IDE shows the list's images for as long as the list exists; the answer is the index
    // its first image has among the IDE's images.
    virtual int AddImages(TImageList* images) = 0;
    // Puts item right after the item named `after`, at that item's level (not below it);
    // EHostError when the menu has no such item.
    virtual void InsertMenuItemAfter(TMenuItem* item, const String& after) = 0;
};

// The running host's main menu; nullptr while the host is not running.
HOST_API TMainMenu* IDEMainMenu();
