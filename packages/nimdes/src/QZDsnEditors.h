#pragma once
// The editors of the package that the registration names. What each one does when used is its
// own unit's business; here they are the classes the host is given.
#include "QZDsnColorForm.h"
#include "QZDsnEventsEditor.h"
#include "QZDsnSmallEditors.h"
#include "QZDsnTreeEditor.h"
#include "QZHTMLManager.h"
#include "QZRuntime.h"
#include "host/ComponentEditors.h"

class TLayoutMgrHTMLProperty : public TClassProperty {
public:
    using TClassProperty::TClassProperty;
    TPropertyAttributes GetAttributes() override { return paDialog | paAutoUpdate; }
    String GetValue() override { return "(HTML)"; }
    void Edit() override { EditLayoutHTML(GetComponent(0), ActiveDesigner()); }
};

class TLayoutMgrHTMLComponent : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
    int GetVerbCount() override { return 1; }
    String GetVerb(int index) override { return index == 0 ? String("Edit HTML") : String(); }
    void ExecuteVerb(int index) override
    {
        if (index == 0) Edit();
    }
    void Edit() override { EditLayoutHTML(Component(), ActiveDesigner()); }
};
