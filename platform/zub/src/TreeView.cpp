#include "zub/TreeView.h"

#include <algorithm>

#include "zub/ImgList.h"
#include "zub/Menus.h"

void TTreeNode::SetText(const String& s)
{
    FText = s;
    FTree->Invalidate();
}

TTreeNode* TTreeNode::Item(int index) const
{
    if (index < 0 || index >= Count()) throw EListError("Tree node index out of bounds");
    return FChildren[static_cast<std::size_t>(index)].get();
}

int TTreeNode::Index() const
{
    const auto& sib = FTree->SiblingsOf(const_cast<TTreeNode*>(this));
    for (std::size_t i = 0; i < sib.size(); ++i)
        if (sib[i].get() == this) return static_cast<int>(i);
    return -1;
}

int TTreeNode::Level() const
{
    int n = 0;
    for (TTreeNode* p = FParent; p; p = p->FParent) ++n;
    return n;
}

void TTreeNode::Expand(bool recursive)
{
    if (!FExpanded) {
        bool allow = true;
        if (FTree->OnExpanding) FTree->OnExpanding(FTree, this, allow);
        if (!allow) return;
        FExpanded = true;
        FTree->Invalidate();
    }
    if (recursive)
        for (std::size_t i = 0; i < FChildren.size(); ++i) FChildren[i]->Expand(true);
}

void TTreeNode::Collapse(bool recursive)
{
    if (FExpanded) {
        FExpanded = false;
        if (FTree->OnCollapsed) FTree->OnCollapsed(FTree, this);
        FTree->Invalidate();
    }
    if (recursive)
        for (auto& c : FChildren) c->Collapse(true);
}

bool TTreeNode::Selected() const { return FTree->Selected() == this; }

void TTreeNode::Delete() { FTree->Delete(this); }

TTreeView::TTreeView(TComponent* AOwner) : TControl(AOwner) {}

TTreeView::~TTreeView()
{
    // No events while the control goes away.
    OnChange = nullptr;
    OnDeletion = nullptr;
    FSelected = nullptr;
    FRoots.clear();
}

TTreeNode* TTreeView::AddChild(TTreeNode* parent, const String& text)
{
    auto& list = parent ? parent->FChildren : FRoots;
    list.push_back(std::unique_ptr<TTreeNode>(new TTreeNode(this, parent)));
    TTreeNode* n = list.back().get();
    n->FText = text;
    if (!FUpdateCount) Invalidate();
    return n;
}

TTreeNode* TTreeView::TopItem(int index) const
{
    if (index < 0 || index >= TopCount()) throw EListError("Tree node index out of bounds");
    return FRoots[static_cast<std::size_t>(index)].get();
}

int TTreeView::TotalCount() const
{
    int n = 0;
    std::vector<const TTreeNode*> stack;
    for (const auto& r : FRoots) stack.push_back(r.get());
    while (!stack.empty()) {
        const TTreeNode* t = stack.back();
        stack.pop_back();
        ++n;
        for (int i = 0; i < t->Count(); ++i) stack.push_back(t->Item(i));
    }
    return n;
}

std::vector<std::unique_ptr<TTreeNode>>& TTreeView::SiblingsOf(TTreeNode* node)
{
    return node->FParent ? node->FParent->FChildren : FRoots;
}

void TTreeView::Forget(TTreeNode* node)
{
    for (auto& c : node->FChildren) Forget(c.get());
    if (OnDeletion) OnDeletion(this, node);
    if (FSelected == node) {
        FSelected = nullptr;
        // Losing the selection by deletion is a change the owner must hear of, except while clearing.
        if (!FClearing && OnChange) OnChange(this, nullptr);
    }
}

void TTreeView::Delete(TTreeNode* node)
{
    if (!node || node->FTree != this) return;
    Forget(node);
    auto& sib = SiblingsOf(node);
    auto it = std::find_if(sib.begin(), sib.end(), [node](const auto& p) { return p.get() == node; });
    if (it != sib.end()) sib.erase(it);
    if (!FUpdateCount) Invalidate();
}

void TTreeView::Clear()
{
    FClearing = true;
    for (auto& r : FRoots) Forget(r.get());
    FRoots.clear();
    FClearing = false;
    FSelected = nullptr;
    if (!FUpdateCount) Invalidate();
}

void TTreeView::BeginUpdate()
{
    if (FUpdateCount++ == 0) SetRedraw(false);
}

void TTreeView::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0) SetRedraw(true);
}

void TTreeView::SetSelected(TTreeNode* node)
{
    if (node && node->FTree != this) return;
    if (node == FSelected) return;
    FSelected = node;
    Invalidate();
    if (OnChange) OnChange(this, node);
}

void TTreeView::VisibleRows(const std::vector<std::unique_ptr<TTreeNode>>& nodes,
                            std::vector<TTreeNode*>& out) const
{
    for (const auto& n : nodes) {
        out.push_back(n.get());
        if (n->FExpanded) VisibleRows(n->FChildren, out);
    }
}

TTreeNode* TTreeView::GetNodeAt(int x, int y) const
{
    if (x < 0 || y < 0 || (Width() > 0 && x >= Width())) return nullptr;
    std::vector<TTreeNode*> rows;
    VisibleRows(FRoots, rows);
    const std::size_t row = static_cast<std::size_t>(y / ItemHeight());
    return row < rows.size() ? rows[row] : nullptr;
}

void TTreeView::EndLabelEdit(TTreeNode* node, const String& s)
{
    if (FReadOnly || !node || node->FTree != this) return;
    String text = s;
    if (OnEdited) OnEdited(this, node, text);
    node->SetText(text);
}

void TTreeView::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (!Enabled()) return;
    if (button == mbRight) {
        if (TTreeNode* n = GetNodeAt(x, y)) SetSelected(n);
        TControl::MouseDown(button, shift, x, y);
        if (FPopupMenu && FPopupMenu->AutoPopup()) {
            FPopupMenu->SetPopupComponent(this);
            FPopupMenu->Popup(Left() + x, Top() + y);
        }
        return;
    }
    if (TTreeNode* n = GetNodeAt(x, y)) SetSelected(n);
    TControl::MouseDown(button, shift, x, y);
}

void TTreeView::SetImages(TImageList* images) { SetReference(FImages, images); }

void TTreeView::SetPopupMenu(TPopupMenu* menu) { SetReference(FPopupMenu, menu); }

void TTreeView::Notification(TComponent* c, TOperation op)
{
    TControl::Notification(c, op);
    if (op == opRemove) {
        DropReference(FImages, c);
        DropReference(FPopupMenu, c);
    }
}
