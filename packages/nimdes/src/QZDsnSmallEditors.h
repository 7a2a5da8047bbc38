#pragma once
// The framework controls' component editors: the about verb, the tab control's pages, and a
// component that closes a form when it goes.
#include "QZRuntime.h"
#include "host/ComponentEditors.h"
#include "zub/Forms.h"

// One verb naming the framework and the product it runs in; it does nothing else.
class TQZControlAbout : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
    int GetVerbCount() override { return 1; }
    String GetVerb(int index) override;
    void ExecuteVerb(int) override {}
};

// "Add page" and "Remove page" on a tab control.
class TQZDsnTabControl : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
    int GetVerbCount() override { return 2; }
    String GetVerb(int index) override;
    void ExecuteVerb(int index) override;
    // The page made; nullptr for a verb that made none.
    static TQZControl* AddPage(TQZControl& tabs);
    static void RemovePage(TQZControl& tabs);
};

// Holds a form and closes it before it goes itself.
class TQZDesignerDestroyer : public TComponent {
public:
    TQZDesignerDestroyer(TComponent* owner, TForm* form);
    ~TQZDesignerDestroyer() override;
    TForm* Form() const { return FForm; }

protected:
    void Notification(TComponent* c, TOperation op) override;

private:
    TForm* FForm;
};
