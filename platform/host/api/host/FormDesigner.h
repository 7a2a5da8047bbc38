#pragma once
// The form designer of the form being designed: its selection, and what editors tell it when
// they changed the form.
#include <vector>

#include "host/Export.h"
#include "zub/Classes.h"

class HOST_API TFormDesigner : public TObject {
public:
    explicit TFormDesigner(TComponent* root) : FRoot(root) {}
    TComponent* Root() const { return FRoot; }
    // The form was changed by an editor.
    void Modified() { ++FModified; }
    int ModifiedCount() const { return FModified; }
    // nullptr clears the selection.
    void SelectComponent(TComponent* c)
    {
        FSelection.clear();
        if (c) FSelection.push_back(c);
    }
    void SetSelection(std::vector<TComponent*> s) { FSelection = std::move(s); }
    const std::vector<TComponent*>& Selection() const { return FSelection; }

private:
    TComponent* FRoot;
    int FModified = 0;
    std::vector<TComponent*> FSelection;
};

// The designer of the form being designed; nullptr when none is open.
HOST_API TFormDesigner* ActiveDesigner();
HOST_API void SetActiveDesigner(TFormDesigner* designer);
