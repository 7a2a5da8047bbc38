#include "PropertyPages.h"

#include <algorithm>

#include "zub/Graphics.h"
#include "zub/ImgList.h"

// --- common ---

TPagePlug::~TPagePlug() { delete FFrame; }

HRESULT TPagePlug::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IPluggablePropertyPage>(this, iid, obj)) return S_OK;
    return TInterfacedObject::QueryInterface(iid, obj);
}

bool TPagePlug::GetVisible() { return FManager && FManager->GetVisible(this); }

void TPagePlug::SetVisible(bool)
{
    if (FManager) FManager->SetVisible(this);
}

namespace {
TControl* MakeFrame(const char* name, int width, int height)
{
    auto* f = new TControl(nullptr);
    f->SetName(name);
    f->SetBounds(0, 0, width, height);
    return f;
}

// A child that fills its parent frame.
template <class C>
C* Filling(TControl* frame, const char* name)
{
    auto* c = new C(frame);
    c->SetName(name);
    c->SetParent(frame);
    c->SetBounds(0, 0, frame->Width(), frame->Height());
    return c;
}
}  // namespace

// --- list page ---

TUsesForm::TUsesForm(TComponent* AOwner) : TControl(AOwner) {}

int TUsesForm::RowAt(int y) const
{
    if (y < HeaderHeight) return -1;
    const int row = (y - HeaderHeight) / RowHeight;
    return row < static_cast<int>(Rows.size()) ? row : -1;
}

TRect TUsesForm::LabelRect(int row) const
{
    const int top = HeaderHeight + row * RowHeight;
    const int left = SmallImages ? SmallImages->Width() + TextMargin : 0;
    const int right = Columns.empty() ? Width() : Columns.front().Width;
    return Rect(left, top, std::max(left, right), top + RowHeight);
}

bool TUsesForm::OverLink(int x, int y)
{
    const int row = RowAt(y);
    if (row < 0 || !Rows[static_cast<std::size_t>(row)].Link) return false;
    const TRect r = LabelRect(row);
    const int textWidth = Canvas()->TextWidth(Rows[static_cast<std::size_t>(row)].Caption);
    return x >= r.Left && x < r.Left + textWidth && y >= r.Top && y < r.Bottom;
}

void TUsesForm::FollowSelected()
{
    if (ItemIndex < 0 || ItemIndex >= static_cast<int>(Rows.size())) return;
    TIntfPtr<IPluggableTreeNode> node = Rows[static_cast<std::size_t>(ItemIndex)].Link;
    if (!node) return;
    TIntfPtr<IPluggableTreeManager> tree;
    node->GetTreeManager(tree);
    if (tree) tree->Select(node, true);
}

void TUsesForm::Click()
{
    TControl::Click();
    // a click elsewhere on a row only selects it
    if (Enabled() && Cursor() == crHandPoint) FollowSelected();
}

void TUsesForm::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TControl::MouseDown(button, shift, x, y);
    if (!Enabled()) return;
    if (const int row = RowAt(y); row >= 0) ItemIndex = row;
    SetCursor(OverLink(x, y) ? crHandPoint : crDefault);
}

void TUsesForm::MouseMove(TShiftState shift, int x, int y)
{
    TControl::MouseMove(shift, x, y);
    SetCursor(OverLink(x, y) ? crHandPoint : crDefault);
}

void TUsesForm::MouseLeave()
{
    TControl::MouseLeave();
    SetCursor(crDefault);
}

void TUsesForm::Paint(TCanvas& canvas)
{
    int x = 0;
    canvas.Font().SetStyle(0);
    canvas.Font().SetColor(clBlack);
    for (const auto& c : Columns) {
        canvas.TextRect(Rect(x, 0, x + c.Width, HeaderHeight), x + TextMargin, 0, c.Caption);
        x += c.Width;
    }
    for (std::size_t i = 0; i < Rows.size(); ++i) {
        const TUsesRow& r = Rows[i];
        const TRect label = LabelRect(static_cast<int>(i));
        if (SmallImages && r.ImageIndex >= 0)
            canvas.DrawImage(0, label.Top, *SmallImages, r.ImageIndex, true);
        canvas.Font().SetStyle(r.Link ? TFontStyles(fsUnderline) : TFontStyles(0));
        canvas.Font().SetColor(r.Link ? clBlue : clBlack);
        canvas.TextRect(label, label.Left, label.Top, r.Caption);
        canvas.Font().SetStyle(0);
        canvas.Font().SetColor(clBlack);
        int left = label.Right;
        for (std::size_t c = 0; c < r.SubItems.size() && c + 1 < Columns.size(); ++c) {
            const int w = Columns[c + 1].Width;
            canvas.TextRect(Rect(left, label.Top, left + w, label.Bottom), left + TextMargin, label.Top,
                            r.SubItems[c]);
            left += w;
        }
    }
}

void TUsesForm::KeyDown(unsigned short& key, TShiftState shift)
{
    TControl::KeyDown(key, shift);
    if (key == VK_RETURN) FollowSelected();
}

TUsesPagePlug::TUsesPagePlug() : TPagePlug(GUID_UsesPagePlugID, MakeFrame("UsesForm", 400, 300))
{
    FForm = Filling<TUsesForm>(FFrame, "ListView");
}

void TUsesPagePlug::Clear()
{
    FForm->Rows.clear();
    FForm->ItemIndex = -1;
    for (auto& c : FForm->Columns) c.InUse = false;
    FForm->Invalidate();
}

void TUsesPagePlug::OnEnd()
{
    auto& cols = FForm->Columns;
    cols.erase(std::remove_if(cols.begin(), cols.end(), [](const TUsesColumn& c) { return !c.InUse; }),
               cols.end());
    FForm->Invalidate();
}

void TUsesPagePlug::AddColumn(const String& caption, int width)
{
    auto& cols = FForm->Columns;
    auto it = std::find_if(cols.begin(), cols.end(), [](const TUsesColumn& c) { return !c.InUse; });
    if (it == cols.end()) it = cols.insert(cols.end(), TUsesColumn{});
    it->Caption = caption;
    it->Width = width;
    it->InUse = true;
}

void TUsesPagePlug::AddRow(const std::vector<String>& values, int imageIndex,
                           const TIntfPtr<IPluggableTreeNode>& node)
{
    TUsesRow row;
    row.Caption = values.empty() ? String() : values[0];
    row.ImageIndex = imageIndex;
    for (std::size_t i = 1; i < FForm->Columns.size(); ++i)
        row.SubItems.push_back(i < values.size() ? values[i] : String());
    if (node) {
        row.Link = node;
        row.LinkCaption = NodeCaption(node.get());
    }
    FForm->Rows.push_back(std::move(row));
    if (!FForm->UpdateCount) FForm->Invalidate();
}

void TUsesPagePlug::BeginUpdate() { ++FForm->UpdateCount; }

void TUsesPagePlug::EndUpdate()
{
    if (FForm->UpdateCount > 0 && --FForm->UpdateCount == 0) FForm->Invalidate();
}

String TUsesPagePlug::Get(int row, int column)
{
    if (row < 0 || row >= GetRowCount() || column < 0) throw EListError("List row or column out of bounds");
    const TUsesRow& r = FForm->Rows[static_cast<std::size_t>(row)];
    if (column == 0) return r.Caption;
    if (column - 1 >= static_cast<int>(r.SubItems.size()))
        throw EListError("List row or column out of bounds");
    return r.SubItems[static_cast<std::size_t>(column - 1)];
}

int TUsesPagePlug::GetRowCount() { return static_cast<int>(FForm->Rows.size()); }

int TUsesPagePlug::GetColCount() { return static_cast<int>(FForm->Columns.size()); }

void TUsesPagePlug::SetImages(TImageList* images) { FForm->SmallImages = images; }

TImageList* TUsesPagePlug::GetImages() { return FForm->SmallImages; }

void TUsesPagePlug::RemoveRow(int row)
{
    if (row < 0 || row >= GetRowCount()) throw EListError("List row out of bounds");
    FForm->Rows.erase(FForm->Rows.begin() + row);
    if (FForm->ItemIndex >= GetRowCount()) FForm->ItemIndex = GetRowCount() - 1;
    FForm->Invalidate();
}

// --- check-box page ---

TFlagsPagePlug::TFlagsPagePlug() : TPagePlug(GUID_FlagsPagePlugID, MakeFrame("PlugForm", 400, 300))
{
    FPanel = Filling<TControl>(FFrame, "Panel");
}

void TFlagsPagePlug::Clear()
{
    FModified = false;
    for (auto& i : FItems) i.InUse = false;
}

void TFlagsPagePlug::OnEnd()
{
    for (auto& i : FItems)
        if (!i.InUse) i.CheckBox->Hide();
    FModified = false;
}

void TFlagsPagePlug::AddCheckBox(const String& caption, bool checked, bool readOnly)
{
    auto it = std::find_if(FItems.begin(), FItems.end(), [](const TCheckBoxItem& i) { return !i.InUse; });
    TCheckBox* cb;
    if (it != FItems.end()) {
        it->InUse = true;
        cb = it->CheckBox;
        cb->Show();
    } else {
        const int n = static_cast<int>(FItems.size()) + 1;
        cb = new TCheckBox(FFrame);
        cb->SetParent(FPanel);
        if (n % 2 == 0)
            cb->SetBounds(208, (n - 1) * 12, 180, cb->Height() ? cb->Height() : 17);
        else
            cb->SetBounds(8, n * 12, 180, cb->Height() ? cb->Height() : 17);
        cb->OnClick = [this](TObject*) { FModified = true; };
        FItems.push_back({cb, true});
    }
    cb->SetCaption(caption);
    cb->SetEnabled(!readOnly);
    cb->SetChecked(checked);
}

bool TFlagsPagePlug::GetCheckBox(const String& caption)
{
    for (auto& i : FItems)
        if (i.CheckBox->Caption() == caption) return i.CheckBox->Checked();
    return false;
}

// --- name/value page ---

TAttributePagePlug::TAttributePagePlug()
    : TPagePlug(GUID_AttributePagePlugID, MakeFrame("PlugForm", 400, 300))
{
    FPanel = Filling<TControl>(FFrame, "Panel");
}

TAttributePagePlug::~TAttributePagePlug() = default;

void TAttributePagePlug::Clear()
{
    FModified = false;
    for (auto& i : FItems) i->InUse = false;
}

void TAttributePagePlug::OnEnd()
{
    int w = 0;
    for (auto& i : FItems) {
        if (!i->InUse) {
            for (TControl* c : {static_cast<TControl*>(i->NameLabel), static_cast<TControl*>(i->ValueEdit),
                                static_cast<TControl*>(i->Combo), static_cast<TControl*>(i->LinkLabel)})
                if (c) c->Hide();
        } else {
            w = std::max(w, i->NameLabel->Width());
        }
    }
    for (auto& i : FItems) {
        if (!i->InUse) continue;
        i->ValueEdit->SetLeft(w + 20);
        i->ValueEdit->SetWidth(FPanel->Width() - w - 40);
        if (i->LinkLabel) i->LinkLabel->SetLeft(i->ValueEdit->Left());
        if (i->Combo) {
            i->Combo->SetLeft(i->ValueEdit->Left());
            i->Combo->SetWidth(i->ValueEdit->Width());
        }
    }
    FModified = false;
}

TNameValueItem* TAttributePagePlug::Find(const String& name)
{
    for (auto& i : FItems)
        if (i->Name == name) return i.get();
    return nullptr;
}

TNameValueItem* TAttributePagePlug::PlainRow(const String& name, const String& value, bool readOnly)
{
    auto it = std::find_if(FItems.begin(), FItems.end(), [](const auto& i) { return !i->InUse; });
    TNameValueItem* row;
    if (it != FItems.end()) {
        row = it->get();
        row->InUse = true;
        row->NameLabel->Show();
        row->ValueEdit->Show();
        // what the row showed for its former attribute goes; the other forms bring their own
        if (row->Combo) {
            row->Combo->Hide();
            row->Combo->Items()->Clear();
        }
        if (row->LinkLabel) row->LinkLabel->Hide();
        row->Tree.reset();
        row->Node.reset();
    } else {
        const int n = static_cast<int>(FItems.size()) + 1;
        auto item = std::make_unique<TNameValueItem>();
        item->ScrollBox = FPanel;
        item->NameLabel = new TLabel(FFrame);
        item->NameLabel->SetParent(FPanel);
        item->NameLabel->SetLeft(8);
        item->NameLabel->SetTop(32 * n + 3);
        item->ValueEdit = new TEdit(FFrame);
        item->ValueEdit->SetParent(FPanel);
        item->ValueEdit->SetTop(32 * n);
        item->ValueEdit->OnChange = [this](TObject*) { FModified = true; };
        item->InUse = true;
        row = item.get();
        FItems.push_back(std::move(item));
    }
    row->ValueEdit->SetReadOnly(readOnly);
    row->ValueEdit->SetColor(readOnly ? clBtnFace : clWindow);
    if (row->Combo) row->Combo->SetColor(row->ValueEdit->Color());
    row->Name = name;
    row->NameLabel->SetCaption(name + ":");
    row->ValueEdit->SetText(value);
    if (row->Combo) row->Combo->SetText(value);
    return row;
}

void TAttributePagePlug::AddAttribute(const String& name, const String& value, bool readOnly)
{
    PlainRow(name, value, readOnly);
}

void TAttributePagePlug::AddAttribute(const String& name, const String& value, const TStrings& choices,
                                      bool readOnly)
{
    TNameValueItem* row = PlainRow(name, value, readOnly);
    if (!row->Combo) {
        row->Combo = new TComboBox(FFrame);
        row->Combo->SetParent(FPanel);
        row->Combo->SetBounds(row->ValueEdit->Left(), row->ValueEdit->Top(), row->ValueEdit->Width(),
                              row->ValueEdit->Height());
        row->Combo->SetColor(row->ValueEdit->Color());
    }
    row->Combo->Show();
    row->Combo->SetText(row->ValueEdit->Text());
    for (int i = 0; i < choices.Count(); ++i) row->Combo->Items()->Add(choices.Get(i));
}

void TAttributePagePlug::AddAttribute(const String& name, const String& value,
                                      const TIntfPtr<IPluggableTreeManager>& tree,
                                      const TIntfPtr<IPluggableTreeNode>& node, bool readOnly)
{
    TNameValueItem* row = PlainRow(name, value, readOnly);
    row->Tree = tree;
    row->Node = node;
    if (!row->LinkLabel) {
        auto* l = new TLabel(FFrame);
        l->SetParent(FPanel);
        l->Font()->SetStyle(fsUnderline);
        l->Font()->SetColor(clBlue);
        l->SetBounds(row->ValueEdit->Left(), row->ValueEdit->Top() + 3, row->ValueEdit->Width(), l->Height());
        l->OnMouseMove = [l](TObject*, TShiftState, int, int) { l->SetCursor(crHandPoint); };
        l->OnMouseLeave = [l](TObject*) { l->SetCursor(crDefault); };
        l->OnClick = [row](TObject*) {
            if (row->Tree && row->Node) row->Tree->Select(row->Node, true);
        };
        row->LinkLabel = l;
    }
    row->ValueEdit->Hide();
    row->LinkLabel->Show();
    row->LinkLabel->SetCaption(row->ValueEdit->Text());
}

String TAttributePagePlug::GetAttribute(const String& name)
{
    TNameValueItem* row = Find(name);
    return row ? row->ValueEdit->Text() : String();
}

// --- text page ---

TTextPagePlug::TTextPagePlug() : TPagePlug(GUID_TextPagePlugID, MakeFrame("TextPageForm", 408, 327))
{
    TControl* panel = Filling<TControl>(FFrame, "Panel");
    FMemo = Filling<TMemo>(panel, "Source");
    FMemo->SetParent(panel);
    FMemo->Font()->SetName("Courier New");
    FMemo->Font()->SetStyle(fsBold);
    FMemo->Font()->SetHeight(-13);
    FMemo->SetScrollBars(ssBoth);
    // The memo tells of text changes through its lines.
    FMemo->Lines()->OnChange = [this](TObject*) { FModified = true; };
}

void TTextPagePlug::Clear()
{
    FMemo->Hide();
    FMemo->Clear();
}

void TTextPagePlug::OnEnd()
{
    FMemo->Show();
    FModified = false;
}

void TTextPagePlug::SetReadOnly(bool value)
{
    TPagePlug::SetReadOnly(value);
    FMemo->SetReadOnly(value);
    FMemo->SetColor(value ? clBtnFace : clWindow);
}

TStrings* TTextPagePlug::GetLines() { return FMemo->Lines(); }
