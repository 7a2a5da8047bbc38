#pragma once
// Command data modules: actions, action lists, image lists and menus.
#include "host/Export.h"
#include "host/IDEControl.h"
#include "rtl/ScopeGuard.h"
#include "zub/ImgList.h"
#include "zub/Menus.h"

// A data module: a non-visual container of components. NewDataModule runs OnCreate after the
// object is fully constructed.
class HOST_API TDataModule : public TComponent {
public:
    explicit TDataModule(TComponent* AOwner) : TComponent(AOwner) {}
    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    void DoCreate()
    {
        if (OnCreate) OnCreate(this);
    }
    ~TDataModule() override
    {
        if (OnDestroy) OnDestroy(this);
    }
};

template <class T>
T* NewDataModule(TComponent* owner)
{
    T* m = new T(owner);
    TScopeGuard unmade([m] { delete m; });
    m->DoCreate();
    unmade.Dismiss();
    return m;
}

class TActionList;

class HOST_API TAction : public TComponent {
public:
    using TComponent::TComponent;
    ~TAction() override;
    String Caption, Hint, Category;
    int HelpContext = 0;
    int ImageIndex = -1;
    bool Enabled = true;
    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;

    TActionList* ActionList() const { return FList; }
    void SetActionList(TActionList* list);
    // Lets OnUpdate set the state, then shows it on the linked menu items.
    void Update();
    // Updates, then runs OnExecute when enabled; false when it did not run.
    bool Execute();

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TActionList;
    friend void AssignAction(TMenuItem*, TAction*);
    void ShowState();
    TActionList* FList = nullptr;
    std::vector<TMenuItem*> FItems;
};

class HOST_API TActionList : public TComponent {
public:
    using TComponent::TComponent;
    ~TActionList() override;
    TImageList* Images = nullptr;
    int ActionCount() const { return static_cast<int>(FActions.size()); }
    TAction* Actions(int index) const { return FActions.at(static_cast<std::size_t>(index)); }

private:
    friend class TAction;
    std::vector<TAction*> FActions;
};

// Lets a menu item run the action: the item takes the action's caption, hint and state (again at
// each Update) and its click executes the action. The link ends when either is freed.
HOST_API void AssignAction(TMenuItem* item, TAction* action);

// The action named name among the components owned (directly or through owned components) by
// root, nullptr when there is none.
HOST_API TAction* FindAction(TComponent* root, const String& name);
