#pragma once
// The editors of the package that the registration names. What each one does when used is its
// own unit's business; here they are the classes the host is given.
#include "QZDsnColorForm.h"
#include "QZRuntime.h"
#include "host/ComponentEditors.h"

class TTreeViewItemsProperty : public TStringProperty {
public:
    using TStringProperty::TStringProperty;
    TPropertyAttributes GetAttributes() override { return paDialog | paReadOnly; }
};

class TLayoutMgrHTMLProperty : public TClassProperty {
public:
    using TClassProperty::TClassProperty;
    TPropertyAttributes GetAttributes() override { return paDialog | paReadOnly; }
};

class TQZControlAbout : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
};

class TQZTreeViewComponent : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
};

class TQZDsnTabControl : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
};

class TLayoutMgrHTMLComponent : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
};

// The script events editor; true when the user changed the control's events.
bool EditScriptEvents(TQZControl* control);
