#pragma once
// Command data modules: actions, action lists, image lists and menus.
#include "host/IDEControl.h"

// A data module: a non-visual container of components. NewDataModule runs OnCreate after the
// object is fully constructed.
class TDataModule : public TComponent {
public:
    explicit TDataModule(TComponent* AOwner) : TComponent(AOwner) {}
    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    void DoCreate() { if (OnCreate) OnCreate(this); }
    ~TDataModule() override { if (OnDestroy) OnDestroy(this); }
};

template <class T>
T* NewDataModule(TComponent* owner) {
    T* m = new T(owner);
    try {
        m->DoCreate();
    } catch (...) {
        delete m;
        throw;
    }
    return m;
}

class TImageList : public TComponent {
public:
    using TComponent::TComponent;
    int Count() const { return FCount; }
    void SetCount(int n) { FCount = n; }

private:
    int FCount = 0;
};

class TActionList;

class TAction : public TComponent {
public:
    using TComponent::TComponent;
    ~TAction() override { SetActionList(nullptr); }
    String Caption, Hint, Category;
    int HelpContext = 0;
    int ImageIndex = -1;
    bool Enabled = true;
    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;

    TActionList* ActionList() const { return FList; }
    void SetActionList(TActionList* list);
    // Lets OnUpdate set the state.
    void Update() { if (OnUpdate) OnUpdate(this); }
    // Updates, then runs OnExecute when enabled; false when it did not run.
    bool Execute();

private:
    friend class TActionList;
    TActionList* FList = nullptr;
};

class TActionList : public TComponent {
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

class TMenuItem : public TComponent {
public:
    using TComponent::TComponent;
    TAction* Action = nullptr;
    String Caption() const { return Action ? Action->Caption : FCaption; }
    void SetCaption(const String& c) { FCaption = c; }
    bool Click() { return Action && Action->Execute(); }

private:
    String FCaption;
};

class TPopupMenu : public TComponent {
public:
    using TComponent::TComponent;
    // Items are owned by the menu's owner, as the form reader creates them; the menu lists them.
    std::vector<TMenuItem*> Items;
};

// The action named name among the components owned (directly or through owned components) by
// root, nullptr when there is none.
TAction* FindAction(TComponent* root, const String& name);
