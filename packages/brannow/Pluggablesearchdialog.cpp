#include "Pluggablesearchdialog.h"

#include <algorithm>

#include "rtl/ScopeGuard.h"
#include "zub/StdCtrls.h"

TSearchDialog* SearchDialog = nullptr;

void TSortButton::Click()
{
    TControl::Click();
    if (Enabled() && DropdownMenu) DropdownMenu->Popup(Left(), Top() + Height());
}

namespace {
template <class C>
C* Make(TForm* form, TControl* parent, const char* name, const String& caption, int left, int top, int width,
        int height)
{
    auto* c = new C(form);
    c->SetName(name);
    c->SetParent(parent);
    c->SetBounds(left, top, width, height);
    if (!caption.empty()) c->SetCaption(caption);
    return c;
}
}  // namespace

TSearchDialog::TSearchDialog(TComponent* AOwner) : TForm(AOwner)
{
    SetName("SearchDialog");
    SetCaption("Search");
    SetFormStyle(fsStayOnTop);
    SetPosition(poScreenCenter);
    SetBounds(0, 0, 433, 363);
    SetKeyPreview(true);
    TControl* top = Make<TControl>(this, this, "TopPanel", "", 0, 0, 433, 39);
    Make<TLabel>(this, top, "Label1", "Text to find:", 8, 12, 70, 13);
    SearchEdit = Make<TEdit>(this, top, "SearchEdit", "", 84, 8, 250, 21);
    SearchButton = Make<TButton>(this, top, "SearchButton", "&Search", 344, 6, 75, 25);
    TControl* bottom = Make<TControl>(this, this, "BottomPanel", "", 0, 39, 433, 32);
    Make<TLabel>(this, bottom, "Label2", "Type to find:", 8, 9, 70, 13);
    TControl* toolBar = Make<TControl>(this, bottom, "ToolBar", "", 84, 4, 120, 24);
    SortButton = Make<TSortButton>(this, toolBar, "SortButton", "&TypeSort", 0, 0, 120, 24);
    CaseCheckBox = Make<TCheckBox>(this, bottom, "CaseCheckBox", "&Case sensitive", 214, 8, 120, 17);
    HostPanel = Make<TControl>(this, this, "HostPanel", "", 0, 71, 433, 292);
    PopupMenu = new TPopupMenu(this);
    PopupMenu->SetName("PopupMenu");
    SortButton->DropdownMenu = PopupMenu;

    FResult = TIntfPtr<TUsesPagePlug>(new TUsesPagePlug);
    TControl* page = FResult->GetPage();
    page->SetParent(HostPanel);
    page->SetBounds(0, 0, HostPanel->Width(), HostPanel->Height());

    SearchButton->OnClick = [this](TObject*) { Render(); };
    OnShow = [this](TObject*) { FormShow(); };
    OnKeyDown = [this](TObject*, unsigned short& key, TShiftState) { FormKeyDown(key); };
}

TSearchDialog::~TSearchDialog()
{
    if (SearchDialog == this) SearchDialog = nullptr;
    FCandidates.clear();
    // The page's frame sits on our panel: take it off before the panel goes.
    if (FResult) FResult->GetPage()->SetParent(nullptr);
    FResult.reset();
}

HRESULT TSearchDialog::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IPluggableSearch>(this, iid, obj)) return S_OK;
    if (iid == IInterface::IID) {
        *obj = static_cast<IInterface*>(static_cast<IPluggableSearch*>(this));
        return S_OK;
    }
    *obj = nullptr;
    return E_NOINTERFACE;
}

void TSearchDialog::SetTree(const TIntfPtr<IPluggableTreeManager>& tree)
{
    FTree = tree;
    TImageList* images = tree ? tree->GetImages() : nullptr;
    FResult->SetImages(images);
    SortButton->Images = images;
}

void TSearchDialog::AddSearchType(const String& caption, int type, TSearchColumnsProc columns,
                                  TSearchRowProc row)
{
    if (PopupMenu->Items()->Count() == 0) {
        FSearchType = type;
        FColumns = columns;
        FRow = row;
    }
    FTypes.push_back(std::make_unique<TInternalSearchType>(TInternalSearchType{caption, type, columns, row}));
    const TInternalSearchType* rec = FTypes.back().get();
    auto* item = new TMenuItem(PopupMenu);
    item->SetCaption(caption);
    item->SetTag(type);  // its image index is the type number
    item->OnClick = [this, rec](TObject*) { ChooseType(*rec); };
    PopupMenu->Items()->Add(item);
}

void TSearchDialog::ChooseType(const TInternalSearchType& type)
{
    FCandidates.clear();
    FSearchType = type.SearchType;
    FColumns = type.Columns;
    FRow = type.Row;
    SortButton->ImageIndex = type.SearchType;
    Execute();
}

void TSearchDialog::Execute()
{
    FCandidates.clear();
    if (FTree) {
        const int n = FTree->GetCount();
        for (int i = 0; i < n; ++i) {
            TIntfPtr<IPluggableTreeNode> node = FTree->GetItem(i);
            if (node && node->GetKind() == FSearchType) FCandidates.push_back(node);
        }
    }
    std::vector<std::pair<String, TIntfPtr<IPluggableTreeNode>>> keyed;
    for (auto& c : FCandidates) keyed.push_back({NodeCaption(c.get()), c});
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < keyed.size(); ++i) FCandidates[i] = keyed[i].second;

    FResult->OnBegin();
    FResult->Clear();
    if (FColumns && FRow)
        FColumns(this);
    else
        FResult->AddColumn("", 400);
    FResult->OnEnd();
}

void TSearchDialog::Render()
{
    const String text = SearchEdit->Text();
    const bool exact = CaseCheckBox->Checked();
    const String upper = AnsiUpperCase(text);
    std::vector<TIntfPtr<IPluggableTreeNode>> hits;
    for (auto& c : FCandidates) {
        const String caption = NodeCaption(c.get());
        if (text.empty() ||
            (exact ? caption.find(text) != String::npos : AnsiUpperCase(caption).find(upper) != String::npos))
            hits.push_back(c);
    }
    TUpdateGuard update(*FResult);
    FResult->Clear();
    for (auto& h : hits) {
        if (FColumns && FRow)
            FRow(this, h.get());
        else
            FResult->AddRow({NodeCaption(h.get())}, h->GetImageIndex(), h);
    }
}

void TSearchDialog::Clear()
{
    FResult->Clear();
    SortButton->ImageIndex = 0;
    while (PopupMenu->Items()->Count() > 0) delete PopupMenu->Items()->Items(0);
    FTypes.clear();
    FColumns = nullptr;
    FRow = nullptr;
}

void TSearchDialog::AddColumn(const String& caption, int width) { FResult->AddColumn(caption, width); }

void TSearchDialog::AddRow(const std::vector<String>& values, int imageIndex,
                           const TIntfPtr<IPluggableTreeNode>& node)
{
    FResult->AddRow(values, imageIndex, node);
}

void TSearchDialog::FormShow()
{
    if (SortButton->ImageIndex == 0 && PopupMenu->Items()->Count() > 0)
        SortButton->ImageIndex = static_cast<int>(PopupMenu->Items()->Items(0)->Tag());
    Execute();
}

void TSearchDialog::FormKeyDown(unsigned short& key)
{
    if (key == VK_RETURN) {
        key = 0;
        Render();
    } else if (key == VK_ESCAPE) {
        key = 0;
        Close();
    }
}
