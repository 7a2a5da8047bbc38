#pragma once
// A tree of text items: nodes with children, expand/collapse, one selected node and the events
// around it. Items are kept in the model only; rows are counted in display order for hit tests.
#include <functional>
#include <memory>
#include <vector>

#include "zub/Controls.h"

class TTreeView;
class TPopupMenu;
class TImageList;

class TTreeNode {
public:
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;

    String Text() const { return FText; }
    void SetText(const String& s);
    void* Data() const { return FData; }
    void SetData(void* d) { FData = d; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int i) { FImageIndex = i; }
    int SelectedIndex() const { return FSelectedIndex; }
    void SetSelectedIndex(int i) { FSelectedIndex = i; }

    TTreeNode* Parent() const { return FParent; }
    TTreeView* TreeView() const { return FTree; }
    int Count() const { return static_cast<int>(FChildren.size()); }
    TTreeNode* Item(int index) const;  // EListError out of range
    bool HasChildren() const { return !FChildren.empty(); }
    int Index() const;  // position among its siblings
    int Level() const;

    bool Expanded() const { return FExpanded; }
    // Opens the node (asking OnExpanding first); recursive opens every descendant too.
    void Expand(bool recursive);
    void Collapse(bool recursive);
    bool Selected() const;
    // Frees the node and its children.
    void Delete();

private:
    friend class TTreeView;
    TTreeNode(TTreeView* tree, TTreeNode* parent) : FTree(tree), FParent(parent) {}
    TTreeView* FTree;
    TTreeNode* FParent;
    String FText;
    void* FData = nullptr;
    int FImageIndex = -1;
    int FSelectedIndex = -1;
    bool FExpanded = false;
    std::vector<std::unique_ptr<TTreeNode>> FChildren;
};

using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVExpandingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVEditedEvent = std::function<void(TObject* Sender, TTreeNode* Node, String& S)>;

class TTreeView : public TControl {
public:
    explicit TTreeView(TComponent* AOwner);
    ~TTreeView() override;

    // Appends a node as the last child of parent (a top-level node when parent is null).
    TTreeNode* AddChild(TTreeNode* parent, const String& text);
    int TopCount() const { return static_cast<int>(FRoots.size()); }
    TTreeNode* TopItem(int index) const;  // EListError out of range
    // Every node, depth first.
    int TotalCount() const;
    void Delete(TTreeNode* node);
    void Clear();
    // Brackets many changes; the view repaints once at the end.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    TTreeNode* Selected() const { return FSelected; }
    // Selects node (null: none) and fires OnChange when the selection changed.
    void SetSelected(TTreeNode* node);

    // The node on the visible row under (x, y), null when none; rows are ItemHeight high.
    TTreeNode* GetNodeAt(int x, int y) const;
    int ItemHeight() const { return 16; }

    // The end of an in-place label edit with text s (a read-only tree has none): OnEdited may
    // change s; the node then takes s.
    void EndLabelEdit(TTreeNode* node, const String& s);

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v) { FReadOnly = v; }
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool v) { FHideSelection = v; }
    bool ShowLines() const { return FShowLines; }
    void SetShowLines(bool v) { FShowLines = v; }
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* images);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* menu);

    // A right-button press selects the node under the pointer, then opens the popup menu.
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

    TTVChangedEvent OnChange;
    TTVExpandingEvent OnExpanding;
    TTVChangedEvent OnCollapsed;
    TTVEditedEvent OnEdited;
    TTVChangedEvent OnDeletion;

protected:
    void Notification(TComponent* c, TOperation op) override;

private:
    friend class TTreeNode;
    std::vector<std::unique_ptr<TTreeNode>>& SiblingsOf(TTreeNode* node);
    void Forget(TTreeNode* node);  // before node and its children are freed
    void VisibleRows(const std::vector<std::unique_ptr<TTreeNode>>& nodes,
                     std::vector<TTreeNode*>& out) const;

    std::vector<std::unique_ptr<TTreeNode>> FRoots;
    TTreeNode* FSelected = nullptr;
    int FUpdateCount = 0;
    bool FReadOnly = false;
    bool FHideSelection = true;
    bool FShowLines = true;
    bool FClearing = false;
    TImageList* FImages = nullptr;
    TPopupMenu* FPopupMenu = nullptr;
};
