#include "host/FormDesigner.h"

#include "host/ToolsAPI.h"
#include "hostimpl/HostImpl.h"
#include "zub/Controls.h"

namespace {
TFormDesigner* gDesigner = nullptr;
hostimpl::TDesignPaint gDesignPaint = nullptr;
}

TFormDesigner* ActiveDesigner() { return gDesigner; }
void SetActiveDesigner(TFormDesigner* designer) { gDesigner = designer; }

void SaveDesignPictureJpeg(TControl* control, const String& fileName)
{
    if (!gDesignPaint) throw EHostError("The host draws no pictures");
    gDesignPaint(control, fileName);
}

namespace hostimpl {
void SetDesignPaint(TDesignPaint paint) { gDesignPaint = paint; }

namespace {
// Closed when the host starts; once brought up it stays (the user closes it, not a package).
class TInspectorServices : public TAggregatedObject, public IQInspectorServices {
public:
    using TAggregatedObject::TAggregatedObject;
    bool QueryOwnInterface(const TGUID& iid, void** obj) override
    {
        return QueryAs<IQInspectorServices>(this, iid, obj);
    }
    void ShowObjectInspector() override { FShowing = true; }
    bool InspectorShowing() override { return FShowing; }

private:
    bool FShowing = false;
};
}  // namespace

std::unique_ptr<TAggregatedObject> NewInspectorServices(IInterface* controller)
{
    return std::make_unique<TInspectorServices>(controller);
}
}  // namespace hostimpl

TFormDesigner::~TFormDesigner()
{
    for (IDesignNotification* n : std::vector(FListeners)) n->DesignerClosed();
}

void TFormDesigner::Modified()
{
    ++FModified;
    for (IDesignNotification* n : std::vector(FListeners)) n->ItemsModified();
}

void TFormDesigner::SelectComponent(TComponent* c)
{
    SetSelection(c ? std::vector<TComponent*>{c} : std::vector<TComponent*>{});
}

void TFormDesigner::SetSelection(std::vector<TComponent*> s)
{
    FSelection = std::move(s);
    for (IDesignNotification* n : std::vector(FListeners)) n->SelectionChanged(FSelection);
}

TComponent* TFormDesigner::CreateComponent(TComponentClass cls, TControl* parent)
{
    if (!cls || !cls->Create) throw EComponentError("A component of that class cannot be made");
    const String base = String(cls->ClassName).substr(cls->ClassName[0] == 'T' ? 1 : 0);
    String name;
    for (int n = 1;; ++n) {
        name = base + IntToStr(n);
        if (!FRoot->FindComponent(name)) break;
    }
    TComponent* c = cls->Create(FRoot);
    c->SetName(name);
    if (auto* ctl = dynamic_cast<TControl*>(c); ctl && parent) ctl->SetParent(parent);
    for (IDesignNotification* n : std::vector(FListeners)) n->ItemInserted(c);
    return c;
}

void TFormDesigner::DeleteSelection()
{
    const std::vector<TComponent*> gone = FSelection;
    FSelection.clear();
    for (TComponent* c : gone) {
        for (IDesignNotification* n : std::vector(FListeners)) n->ItemDeleted(c);
        delete c;
    }
    for (IDesignNotification* n : std::vector(FListeners)) n->SelectionChanged(FSelection);
}
