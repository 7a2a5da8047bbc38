#pragma once
// The form designer of the form being designed: its selection, components made and deleted on
// it, and what editors tell it when they changed the form. Listeners hear of each change.
#include <algorithm>
#include <vector>

#include "host/ComponentClasses.h"
#include "host/Export.h"
#include "rtl/Intf.h"
#include "zub/Classes.h"

class TControl;

class HOST_API IDesignNotification {
public:
    virtual ~IDesignNotification() = default;
    virtual void ItemDeleted(TComponent* c) = 0;
    virtual void ItemInserted(TComponent* c) = 0;
    virtual void ItemsModified() = 0;
    virtual void SelectionChanged(const std::vector<TComponent*>& selection) = 0;
    // The designer goes: nothing may be asked of it after.
    virtual void DesignerClosed() = 0;
};

class HOST_API TFormDesigner : public TObject {
public:
    explicit TFormDesigner(TComponent* root) : FRoot(root) {}
    ~TFormDesigner() override;
    TComponent* Root() const { return FRoot; }
    // The form was changed by an editor.
    void Modified();
    int ModifiedCount() const { return FModified; }
    // nullptr clears the selection.
    void SelectComponent(TComponent* c);
    void SetSelection(std::vector<TComponent*> s);
    const std::vector<TComponent*>& Selection() const { return FSelection; }
    // A component of the class on the form, in parent when it is a control, named after its class
    // with the first free number (TQZButton: QZButton1, QZButton2, ...).
    TComponent* CreateComponent(TComponentClass cls, TControl* parent);
    // Frees the selected components; the selection is empty after.
    void DeleteSelection();
    // The form's component of that name; nullptr when none.
    TComponent* FindComponent(const String& name) const { return FRoot->FindComponent(name); }
    void AddNotification(IDesignNotification* n) { FListeners.push_back(n); }
    void RemoveNotification(IDesignNotification* n) { std::erase(FListeners, n); }

private:
    TComponent* FRoot;
    int FModified = 0;
    std::vector<TComponent*> FSelection;
    std::vector<IDesignNotification*> FListeners;
};

// The designer of the form being designed; nullptr when none is open.
HOST_API TFormDesigner* ActiveDesigner();
HOST_API void SetActiveDesigner(TFormDesigner* designer);

// The design-time paint: the control drawn as the form designer shows it (its children on it, on
// the colour behind it), written as a JPEG file, replaced atomically. EHostError when the host
// draws no pictures.
HOST_API void SaveDesignPictureJpeg(TControl* control, const String& fileName);

// The object inspector: it shows the properties of what the active designer has selected.
class HOST_API IQInspectorServices : public virtual IInterface {
public:
    RTL_IID("{16B8DC3A-ABB5-4372-97AA-A940F0232F0A}");
    // Brings the inspector up: shown, in front of the IDE's other windows.
    virtual void ShowObjectInspector() = 0;
    virtual bool InspectorShowing() = 0;
};
