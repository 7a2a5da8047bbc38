#pragma once
// The editors of the package that the registration names. What each one does when used is its
// own unit's business; here they are the classes the host is given.
#include "QZDsnColorForm.h"
#include "QZDsnEventsEditor.h"
#include "QZDsnSmallEditors.h"
#include "QZDsnTreeEditor.h"
#include "QZRuntime.h"
#include "host/ComponentEditors.h"

class TLayoutMgrHTMLProperty : public TClassProperty {
public:
    using TClassProperty::TClassProperty;
    TPropertyAttributes GetAttributes() override { return paDialog | paReadOnly; }
};

class TLayoutMgrHTMLComponent : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
};
