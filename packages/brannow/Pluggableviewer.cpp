#include "Pluggableviewer.h"

#include <algorithm>

#include "rtl/Format.h"
#include "rtl/ScopeGuard.h"
#include "zub/Dialogs.h"

namespace Pluggableviewer {
std::function<void(TPopupMenu*)> RegisterMenu;
std::function<void(TPopupMenu*)> UnRegisterMenu;
}  // namespace Pluggableviewer

const char* const sInvalidNodeName = "%s is not a valid name";

// --- TPluggablePopupMenu ---

TPluggablePopupMenu::TPluggablePopupMenu(TComponent* owner) : FMenu(new TPopupMenu(owner)) {}

TPluggablePopupMenu::~TPluggablePopupMenu() = default;

HRESULT TPluggablePopupMenu::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IPluggablePopupMenu>(this, iid, obj)) return S_OK;
    return TInterfacedObject::QueryInterface(iid, obj);
}

void TPluggablePopupMenu::AddMenuItem(const String& caption, const TNotifyEvent& onClick, int imageIndex,
                                      const String& name)
{
    auto* item = new TMenuItem(FMenu);
    item->SetCaption(caption);
    item->OnClick = onClick;
    item->SetTag(imageIndex);  // the menu item keeps its image index in the tag
    if (!name.empty()) item->SetName(name);
    FMenu->Items()->Add(item);
}

void TPluggablePopupMenu::Clear()
{
    while (FMenu->Items()->Count() > 0) delete FMenu->Items()->Items(0);
}

// --- TPluggableTreeView ---

TPluggableTreeView::TPluggableTreeView(TComponent* AOwner) : TTreeView(AOwner)
{
    TTreeView::SetHideSelection(false);
    TTreeView::SetReadOnly(true);
    FPopup = TIntfPtr<TPluggablePopupMenu>(new TPluggablePopupMenu(this));
    TTreeView::SetPopupMenu(FPopup->GetPopupMenu());
    TTreeView::OnChange = [this](TObject*, TTreeNode* item) { SelectionChanged(item); };
    TTreeView::OnExpanding = [this](TObject*, TTreeNode* item, bool& allow) { ItemExpanding(item, allow); };
    TTreeView::OnEdited = [this](TObject*, TTreeNode* item, String& s) { LabelEdited(item, s); };
}

TPluggableTreeView::~TPluggableTreeView()
{
    TTreeView::OnChange = nullptr;
    TTreeView::OnExpanding = nullptr;
    TTreeView::OnEdited = nullptr;
    if (FPageControl) FPageControl->OnChange = FPreviousPageChange;
    FRequestedPages.clear();
    FCreatedPages.clear();
    FHistory.clear();
    FCurrentNode.reset();
    FRoots.clear();
    FPendingRoots.clear();
    FNodes.clear();
    FSources.clear();
}

HRESULT TPluggableTreeView::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IPluggableTreeManager>(this, iid, obj) || QueryAs<IPropertyPageManager>(this, iid, obj))
        return S_OK;
    if (iid == IInterface::IID) {
        *obj = static_cast<IInterface*>(static_cast<IPluggableTreeManager*>(this));
        return S_OK;
    }
    *obj = nullptr;
    return E_NOINTERFACE;
}

TInternalTreeNode* TPluggableTreeView::RecordOf(IPluggableTreeNode* node) const
{
    if (!node) return nullptr;
    const int i = node->GetIndex();
    if (i < 0 || i >= static_cast<int>(FNodes.size())) return nullptr;
    // a node kept from before Clear (history, a page's link) may carry an index that now
    // belongs to another node
    TInternalTreeNode* rec = FNodes[static_cast<std::size_t>(i)].get();
    return rec && rec->Node.get() == node ? rec : nullptr;
}

void TPluggableTreeView::MakeItem(TInternalTreeNode* rec)
{
    if (!rec || rec->Item) return;
    TTreeNode* parentItem = nullptr;
    if (rec->Parent) {
        parentItem = rec->Parent->Item;
        if (!parentItem) return;
    }
    TTreeNode* item = AddChild(parentItem, NodeCaption(rec->Node.get()));
    item->SetData(rec);
    item->SetImageIndex(rec->Node->GetImageIndex());
    item->SetSelectedIndex(rec->Node->GetSelectedIndex());
    rec->Item = item;
}

void TPluggableTreeView::Add(const TIntfPtr<IPluggableSource>& source)
{
    if (!source) return;
    SetImages(source->GetImages());
    FSources.push_back(source);
    source->SetTreeManager(TIntfPtr<IPluggableTreeManager>(this));
    source->SetPageManager(TIntfPtr<IPropertyPageManager>(this));
    source->Populate();

    std::vector<std::pair<TInternalTreeNode*, std::pair<bool, String>>> order;
    for (TInternalTreeNode* r : FPendingRoots)
        order.push_back({r, {r->Node->GetKind() == kFirstRootKind, NodeCaption(r->Node.get())}});
    std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
        if (a.second.first != b.second.first) return a.second.first;
        return CompareText(a.second.second, b.second.second) < 0;
    });
    FPendingRoots.clear();
    for (auto& o : order) {
        FRoots.push_back(o.first);
        MakeItem(o.first);
        if (!o.first->Children.empty()) MakeItem(o.first->Children.front());
    }
    if (!order.empty()) {
        TIntfPtr<IPluggableTreeNode> first = order.front().first->Node;
        FHelpContext = first->GetHelpContext();
        Select(first, false);
    }
}

void TPluggableTreeView::Add(const TIntfPtr<IPluggableTreeNode>& parent,
                             const TIntfPtr<IPluggableTreeNode>& node)
{
    if (!node) return;
    auto rec = std::make_unique<TInternalTreeNode>();
    rec->Node = node;
    node->SetIndex(static_cast<int>(FNodes.size()));
    node->SetTreeManager(TIntfPtr<IPluggableTreeManager>(this));
    node->SetPageManager(TIntfPtr<IPropertyPageManager>(this));
    TInternalTreeNode* r = rec.get();
    FNodes.push_back(std::move(rec));
    if (!parent) {
        FPendingRoots.push_back(r);
    } else if (TInternalTreeNode* p = RecordOf(parent.get())) {
        p->Children.push_back(r);
        r->Parent = p;
    }
}

void TPluggableTreeView::Remove(const TIntfPtr<IPluggableSource>& source)
{
    auto it = std::find(FSources.begin(), FSources.end(), source);
    if (it != FSources.end()) {
        TIntfPtr<IPluggableSource> keep = *it;
        FSources.erase(it);
        if (OnClose) OnClose(nullptr, keep.get());
        for (auto& p : FCreatedPages) {
            p.Page->OnBegin();
            if (p.Sheet) p.Sheet->SetTabVisible(false);
            p.Page->OnEnd();
        }
        FHistory.clear();
        EnableButtons();
    }
    if (!FSources.empty()) SetImages(FSources.front()->GetImages());
}

void TPluggableTreeView::RemoveRecord(std::size_t index)
{
    std::unique_ptr<TInternalTreeNode> rec = std::move(FNodes[index]);
    if (rec->Item) {
        for (TInternalTreeNode* c : std::vector<TInternalTreeNode*>(rec->Children)) {
            const int ci = c->Node->GetIndex();
            if (ci >= 0 && ci < static_cast<int>(FNodes.size()) &&
                FNodes[static_cast<std::size_t>(ci)].get() == c)
                RemoveRecord(static_cast<std::size_t>(ci));
        }
        TTreeNode* item = rec->Item;
        rec->Item = nullptr;
        item->SetData(nullptr);
        TTreeView::Delete(item);
    }
    // Nothing may keep pointing at the freed record.
    for (TInternalTreeNode* c : rec->Children)
        if (c->Parent == rec.get()) c->Parent = nullptr;
    if (rec->Parent) {
        auto& sib = rec->Parent->Children;
        sib.erase(std::remove(sib.begin(), sib.end(), rec.get()), sib.end());
    }
    FRoots.erase(std::remove(FRoots.begin(), FRoots.end(), rec.get()), FRoots.end());
    FPendingRoots.erase(std::remove(FPendingRoots.begin(), FPendingRoots.end(), rec.get()),
                        FPendingRoots.end());
    if (FCurrentNode == rec->Node) FCurrentNode.reset();
}

void TPluggableTreeView::Remove(const TIntfPtr<IPluggableTreeNode>& node)
{
    if (RecordOf(node.get())) RemoveRecord(static_cast<std::size_t>(node->GetIndex()));
}

void TPluggableTreeView::ExpandNode(const TIntfPtr<IPluggableTreeNode>& node, bool)
{
    if (!node || node->GetIndex() == -1) return;
    TInternalTreeNode* rec = RecordOf(node.get());
    if (!rec) return;
    if (!rec->Item && rec->Parent && rec->Parent->Item) MakeItem(rec);
    if (rec->Item) rec->Item->Expand(false);
}

void TPluggableTreeView::AddMenuItem(const String& caption, const TNotifyEvent& onClick, int imageIndex,
                                     const String& name)
{
    FPopup->AddMenuItem(caption, onClick, imageIndex, name);
}

void TPluggableTreeView::SetTitle(const String& title)
{
    FTitle = title;
    if (OnTitleChange) OnTitleChange(title);
}

void TPluggableTreeView::Select(const TIntfPtr<IPluggableTreeNode>& node, bool expand)
{
    TInternalTreeNode* rec = RecordOf(node.get());
    if (!rec) return;
    if (!rec->Item) {
        std::vector<TInternalTreeNode*> chain;  // the node, then its ancestors
        TIntfPtr<IPluggableTreeNode> n = node;
        while (n) {
            TInternalTreeNode* r = RecordOf(n.get());
            // a source reporting a parent loop must not hang the tree
            if (!r || std::find(chain.begin(), chain.end(), r) != chain.end()) break;
            chain.push_back(r);
            TIntfPtr<IPluggableTreeNode> parent;
            n->GetParent(parent);
            n = parent;
        }
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) MakeItem(*it);
    }
    if (!rec->Item) return;
    SetSelected(rec->Item);
    if (expand) rec->Item->Expand(false);
}

void TPluggableTreeView::Select(int index, bool expand) { Select(GetItem(index), expand); }

void TPluggableTreeView::RefreshCurrentSelection() { SelectionChanged(Selected()); }

TIntfPtr<IPluggableTreeNode> TPluggableTreeView::GetItem(int index)
{
    if (index < 0 || index >= GetCount() || !FNodes[static_cast<std::size_t>(index)]) return nullptr;
    return FNodes[static_cast<std::size_t>(index)]->Node;
}

TIntfPtr<IPluggableSource> TPluggableTreeView::GetSourceItems(int index)
{
    if (index < 0 || index >= GetSourceItemsCount()) return nullptr;
    return FSources[static_cast<std::size_t>(index)];
}

TIntfPtr<IPluggableTreeNode> TPluggableTreeView::GetRootNodes(int index)
{
    if (index < 0 || index >= GetRootNodesCount()) return nullptr;
    return FRoots[static_cast<std::size_t>(index)]->Node;
}

void TPluggableTreeView::Clear()
{
    {
        TUpdateGuard update(*this);
        TTreeView::Clear();
        FRoots.clear();
        FPendingRoots.clear();
        FNodes.clear();
        FCurrentNode.reset();
    }
    EnableButtons();
    FHistory.clear();
    FHistoryIndex = 0;
}

void TPluggableTreeView::ItemExpanding(TTreeNode* item, bool& allow)
{
    allow = true;
    auto* rec = item ? static_cast<TInternalTreeNode*>(item->Data()) : nullptr;
    if (!rec || !rec->Node) return;
    rec->Node->Expanding();
    for (std::size_t i = 0; i < rec->Children.size(); ++i) {
        TInternalTreeNode* c = rec->Children[i];
        MakeItem(c);
        if (!c->Children.empty()) MakeItem(c->Children.front());
    }
}

void TPluggableTreeView::ShowSubChildren(TTreeNode* item)
{
    auto* rec = item ? static_cast<TInternalTreeNode*>(item->Data()) : nullptr;
    if (rec && !rec->Children.empty() && !rec->Children.front()->Item) MakeItem(rec->Children.front());
}

void TPluggableTreeView::SelectionChanged(TTreeNode* item)
{
    auto* rec = item ? static_cast<TInternalTreeNode*>(item->Data()) : nullptr;
    TIntfPtr<IPluggableTreeNode> newNode = rec ? rec->Node : nullptr;
    TIntfPtr<IPluggableTreeNode> oldNode = FCurrentNode;
    FCurrentNode = newNode;
    TPopupMenu* menu = FPopup->GetPopupMenu();
    if (Pluggableviewer::UnRegisterMenu) Pluggableviewer::UnRegisterMenu(menu);
    FPopup->Clear();
    FRequestedPages.clear();
    if (oldNode) {
        for (std::size_t i = 0; i < FCreatedPages.size(); ++i) {
            TIntfPtr<IPluggablePropertyPage> page = FCreatedPages[i].Page;
            if (page->Modified() && page->GetVisible()) oldNode->PageModified(page->GetID());
            page->Clear();
        }
    }
    if (newNode) {
        FHelpContext = newNode->GetHelpContext();
        if (OnSelect) OnSelect(this, oldNode.get(), newNode.get());
        newNode->Selected();
        if (Pluggableviewer::RegisterMenu) Pluggableviewer::RegisterMenu(menu);
        if (!FGoingBack && !FGoingForeward) {
            if (FHistoryIndex >= 0 && !FHistory.empty())
                FHistory.erase(FHistory.begin() +
                                   std::min<std::ptrdiff_t>(FHistoryIndex + 1, FHistory.size()),
                               FHistory.end());
            FHistory.push_back(newNode);
            FHistoryIndex = static_cast<int>(FHistory.size()) - 1;
        }
    }
    ShowPages();
    EnableButtons();
}

bool TPluggableTreeView::CanGoBack() const
{
    return FHistory.size() >= 2 && FHistoryIndex >= 1 && !FNodes.empty();
}

bool TPluggableTreeView::CanGoForeward() const
{
    return FHistoryIndex < static_cast<int>(FHistory.size()) - 1 && !FNodes.empty();
}

void TPluggableTreeView::Step(int delta, bool& going)
{
    FHistoryIndex += delta;
    going = true;
    try {
        Select(FHistory[static_cast<std::size_t>(FHistoryIndex)], false);
    } catch (...) {
        going = false;
        throw;
    }
    going = false;
}

void TPluggableTreeView::GoBack()
{
    if (CanGoBack()) Step(-1, FGoingBack);
    EnableButtons();
}

void TPluggableTreeView::GoForeward()
{
    if (CanGoForeward()) Step(1, FGoingForeward);
    EnableButtons();
}

void TPluggableTreeView::EnableButtons()
{
    if (FBackButton) FBackButton->SetEnabled(CanGoBack());
    if (FForewardButton) FForewardButton->SetEnabled(CanGoForeward());
}

void TPluggableTreeView::SetBackButton(TControl* button)
{
    SetReference(FBackButton, button);
    EnableButtons();
}

void TPluggableTreeView::SetForewardButton(TControl* button)
{
    SetReference(FForewardButton, button);
    EnableButtons();
}

void TPluggableTreeView::LabelEdited(TTreeNode* item, String& s)
{
    auto* rec = item ? static_cast<TInternalTreeNode*>(item->Data()) : nullptr;
    if (!rec || !rec->Node) return;
    if (rec->Node->CanRename(s)) {
        rec->Node->Rename(s);
    } else {
        ShowMessage(Format(sInvalidNodeName, {s}));
        s = item->Text();
    }
}

// --- pages ---

void TPluggableTreeView::RegisterPageFactory(const TIntfPtr<IPluggablePropertyPageFactory>& factory)
{
    if (factory) FFactories.push_back(factory);
}

TIntfPtr<IPluggablePropertyPage> TPluggableTreeView::GetPropertyPage(const TGUID& pageID,
                                                                     const String& caption)
{
    const String id = GUIDToString(pageID);
    for (auto& p : FCreatedPages)
        if (GUIDToString(p.Page->GetID()) == id && p.Page->GetCaption() == caption) return p.Page;
    for (auto& f : FFactories) {
        if (GUIDToString(f->GetID()) != id) continue;
        TIntfPtr<IPluggablePropertyPage> page = f->CreateInstance(caption);
        if (!page) return nullptr;
        page->SetCaption(caption);
        if (FPageControl) {
            auto* sheet = new TTabSheet(FPageControl);
            sheet->SetCaption(page->GetCaption());
            sheet->SetTabVisible(false);
            sheet->SetBounds(0, 0, FPageControl->Width(), FPageControl->Height());
            page->SetPageManager(TIntfPtr<IPropertyPageManager>(this));
            FCreatedPages.push_back({sheet, page});
            if (TControl* c = page->GetPage()) {
                c->SetParent(sheet);
                c->SetBounds(0, 0, sheet->Width(), sheet->Height());
            }
        }
        return page;
    }
    return nullptr;
}

void TPluggableTreeView::SetVisible(IPluggablePropertyPage* page)
{
    for (std::size_t i = 0; i < FCreatedPages.size(); ++i)
        if (FCreatedPages[i].Page.get() == page) {
            FRequestedPages.push_back(i);
            return;
        }
}

bool TPluggableTreeView::GetVisible(IPluggablePropertyPage* page)
{
    for (auto& p : FCreatedPages)
        if (p.Page.get() == page) return p.Sheet && p.Sheet->TabVisible();
    return false;
}

void TPluggableTreeView::ShowPages()
{
    TTabSheet* remembered = FPageControl ? FPageControl->ActivePage() : nullptr;
    for (auto& p : FCreatedPages) {
        const String id = GUIDToString(p.Page->GetID());
        const String caption = p.Page->GetCaption();
        const TInternalPropertyNode* req = nullptr;
        for (std::size_t r : FRequestedPages) {
            const auto& q = FCreatedPages[r];
            if (GUIDToString(q.Page->GetID()) == id && q.Page->GetCaption() == caption) {
                req = &q;
                break;
            }
        }
        if (req) {
            req->Page->OnBegin();
            if (req->Sheet) {
                req->Sheet->SetTabVisible(true);
                req->Sheet->SetCaption(req->Page->GetCaption());
            }
            req->Page->OnEnd();
        } else if (p.Sheet) {
            p.Sheet->SetTabVisible(false);
        }
    }
    if (FPageControl) {
        if (!(remembered && remembered->TabVisible()) && !FRequestedPages.empty())
            FPageControl->SetActivePage(FCreatedPages[FRequestedPages.front()].Sheet);
    }
    PageChanged(this);
}

void TPluggableTreeView::PageChanged(TObject* sender)
{
    if (!FPageControl) return;
    if (FPreviousPageChange) FPreviousPageChange(sender);
    const int tab = FPageControl->TabIndex();
    if (tab < 0) return;
    String caption;
    bool found = false;
    for (int i = 0; i < FPageControl->PageCount() && !found; ++i)
        if (FPageControl->Pages(i)->TabIndex() == tab) {
            caption = FPageControl->Pages(i)->Caption();
            found = true;
        }
    if (!found) return;
    for (auto& p : FCreatedPages)
        if (p.Page->GetCaption() == caption) {
            p.Page->OnSelect();
            return;
        }
}

void TPluggableTreeView::SetPageControl(TPageControl* control)
{
    if (!control || control == FPageControl) return;
    if (FPageControl) FPageControl->OnChange = FPreviousPageChange;
    FPreviousPageChange = control->OnChange;
    SetReference(FPageControl, control);
    control->OnChange = [this](TObject* sender) { PageChanged(sender); };
}

void TPluggableTreeView::Notification(TComponent* c, TOperation op)
{
    TTreeView::Notification(c, op);
    if (op != opRemove) return;
    if (c == FPageControl) {
        FPageControl = nullptr;
        FPreviousPageChange = nullptr;
        for (auto& p : FCreatedPages) p.Sheet = nullptr;  // the sheets go with their control
    }
    DropReference(FBackButton, c);
    DropReference(FForewardButton, c);
}
