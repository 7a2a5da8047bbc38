#include "host/EditWindows.h"

#include <algorithm>

namespace {
std::vector<TEditWindow*>& Windows()
{
    static std::vector<TEditWindow*> list;
    return list;
}
}  // namespace

const std::vector<TEditWindow*>& EditWindowList() { return Windows(); }

TCustomEditView::TCustomEditView(TEditWindow* window, const String& tabText)
    : FWindow(window), FTabText(tabText)
{
}

TCustomEditView::~TCustomEditView()
{
    if (!FWindow) return;
    std::erase(FWindow->FViews, this);
    if (FWindow->FCurrent == this) FWindow->FCurrent = nullptr;
}

TEditWindow::TEditWindow(TComponent* AOwner) : TControl(AOwner)
{
    SetName("EditWindow" + std::to_string(Windows().size() + 1));
    SetVisible(false);
    FViewArea = new TControl(this);
    FViewArea->SetName("ViewArea");
    FViewArea->SetParent(this);
    Windows().push_back(this);
}

TEditWindow::~TEditWindow()
{
    std::erase(Windows(), this);
    while (!FViews.empty()) delete FViews.back();  // each view leaves the list
    FCurrent = nullptr;
}

void TEditWindow::SelectView(TCustomEditView* view)
{
    if (!view || view->FWindow != this) return;
    if (std::find(FViews.begin(), FViews.end(), view) == FViews.end()) FViews.push_back(view);
    FCurrent = view;
    view->SelectView();
}

void TEditWindow::CloseView(TCustomEditView* view)
{
    if (view && view->FWindow == this) delete view;
}

void TEditViewManager::RegisterViewClass(const String& name)
{
    if (!IsRegistered(name)) FNames.push_back(name);
}

void TEditViewManager::UnregisterViewClass(const String& name) { std::erase(FNames, name); }

bool TEditViewManager::IsRegistered(const String& name) const
{
    return std::find(FNames.begin(), FNames.end(), name) != FNames.end();
}

TEditViewManager* EditViewManager()
{
    static TEditViewManager manager;
    return &manager;
}
