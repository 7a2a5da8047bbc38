#include "host/Actions.h"

#include <algorithm>

void TAction::SetActionList(TActionList* list)
{
    if (FList == list) return;
    if (FList) std::erase(FList->FActions, this);
    FList = list;
    if (FList) FList->FActions.push_back(this);
}

TAction::~TAction()
{
    SetActionList(nullptr);
    for (TMenuItem* item : FItems) {
        item->OnClick = nullptr;
        item->RemoveFreeNotification(this);
    }
}

void TAction::Update()
{
    if (OnUpdate) OnUpdate(this);
    ShowState();
}

void TAction::ShowState()
{
    for (TMenuItem* item : FItems) {
        item->SetCaption(Caption);
        item->SetHint(Hint);
        item->SetEnabled(Enabled);
    }
}

void TAction::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove) std::erase(FItems, AComponent);
}

void AssignAction(TMenuItem* item, TAction* action)
{
    if (!item || !action) return;
    action->FItems.push_back(item);
    action->FreeNotification(item);
    item->OnClick = [action](TObject*) { action->Execute(); };
    action->ShowState();
}

bool TAction::Execute()
{
    Update();
    if (!Enabled || !OnExecute) return false;
    OnExecute(this);
    return true;
}

TActionList::~TActionList()
{
    for (TAction* a : FActions) a->FList = nullptr;
}

TAction* FindAction(TComponent* root, const String& name)
{
    if (!root) return nullptr;
    for (int i = 0; i < root->ComponentCount(); ++i) {
        TComponent* c = root->Components(i);
        if (auto* a = dynamic_cast<TAction*>(c); a && SameText(a->Name(), name)) return a;
        if (TAction* a = FindAction(c, name)) return a;
    }
    return nullptr;
}
