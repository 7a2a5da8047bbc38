#include "host/Actions.h"

#include <algorithm>

void TAction::SetActionList(TActionList* list) {
    if (FList == list) return;
    if (FList) std::erase(FList->FActions, this);
    FList = list;
    if (FList) FList->FActions.push_back(this);
}

bool TAction::Execute() {
    Update();
    if (!Enabled || !OnExecute) return false;
    OnExecute(this);
    return true;
}

TActionList::~TActionList() {
    for (TAction* a : FActions) a->FList = nullptr;
}

TAction* FindAction(TComponent* root, const String& name) {
    if (!root) return nullptr;
    for (int i = 0; i < root->ComponentCount(); ++i) {
        TComponent* c = root->Components(i);
        if (auto* a = dynamic_cast<TAction*>(c); a && SameText(a->Name(), name)) return a;
        if (TAction* a = FindAction(c, name)) return a;
    }
    return nullptr;
}
