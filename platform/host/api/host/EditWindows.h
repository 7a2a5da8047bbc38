#pragma once
// The editor windows and the views they show (one view current at a time), the frames views put
// into a window, and the registry of view kinds.
#include "host/Export.h"
#include <vector>

#include "rtl/Classes.h"
#include "zub/Controls.h"

class TEditWindow;

// A view inside an editor window. The window owns its views and frees them when it goes.
class HOST_API TCustomEditView : public TObject {
public:
    TCustomEditView(TEditWindow* window, const String& tabText);
    ~TCustomEditView() override;
    TEditWindow* EditWindow() const { return FWindow; }
    // Called by the window when it makes this view current.
    virtual void SelectView() {}
    virtual void Show() {}
    virtual String GetCaption() { return FTabText; }
    virtual void GetViewTabNames(TStrings& names) { names.Add(GetCaption()); }
    virtual String GetTabText() { return FTabText; }
    // A second view of the same thing, nullptr when the view cannot be cloned.
    virtual TCustomEditView* CloneEditView() { return nullptr; }
    // The host keeps the position of the view's child tab.
    virtual void SaveChildIndex(int index) { FChildIndex = index; }
    int HostChildIndex() const { return FChildIndex; }

private:
    friend class TEditWindow;
    TEditWindow* FWindow;
    String FTabText;
    int FChildIndex = -1;
};

// A frame that a view shows in the window's view area.
class HOST_API TViewFrame : public TControl {
public:
    using TControl::TControl;
};

class HOST_API TEditWindow : public TControl {
public:
    explicit TEditWindow(TComponent* AOwner);
    ~TEditWindow() override;
    // Where views put their frames.
    TControl* ViewArea() const { return FViewArea; }
    // Adds the view if it is new, makes it current and lets it select itself.
    void SelectView(TCustomEditView* view);
    TCustomEditView* CurrentView() const { return FCurrent; }
    int ViewCount() const { return static_cast<int>(FViews.size()); }
    TCustomEditView* Views(int index) const { return FViews.at(static_cast<std::size_t>(index)); }
    // Closes (frees) a view of this window.
    void CloseView(TCustomEditView* view);
    TControl* CurrentEditor() const { return FCurrentEditor; }
    void SetCurrentEditor(TControl* editor) { FCurrentEditor = editor; }

private:
    friend class TCustomEditView;
    TControl* FViewArea;
    std::vector<TCustomEditView*> FViews;
    TCustomEditView* FCurrent = nullptr;
    TControl* FCurrentEditor = nullptr;
};

// Every editor window, oldest first.
HOST_API const std::vector<TEditWindow*>& EditWindowList();

// The kinds of view packages added to the editor.
class HOST_API TEditViewManager {
public:
    void RegisterViewClass(const String& name);
    void UnregisterViewClass(const String& name);
    bool IsRegistered(const String& name) const;
    int Count() const { return static_cast<int>(FNames.size()); }

private:
    std::vector<String> FNames;
};
HOST_API TEditViewManager* EditViewManager();
