#pragma once
// The four kinds of property page: a list (uses), check boxes (flags), names with values
// (attributes) and a text. Each is a factory, a plug and the frame the plug shows.
#include <memory>
#include <vector>

#include "PluggableIntf.h"
#include "zub/StdCtrls.h"

class IUsesPagePlug : public virtual IPluggablePropertyPage {
public:
    virtual void AddColumn(const String& caption, int width) = 0;
    virtual void AddRow(const std::vector<String>& values, int imageIndex,
                        const TIntfPtr<IPluggableTreeNode>& node) = 0;
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    virtual String Get(int row, int column) = 0;
    virtual int GetRowCount() = 0;
    virtual int GetColCount() = 0;
    virtual void SetImages(TImageList* images) = 0;
    virtual TImageList* GetImages() = 0;
    virtual void RemoveRow(int row) = 0;
};

class IFlagsPagePlug : public virtual IPluggablePropertyPage {
public:
    virtual void AddCheckBox(const String& caption, bool checked, bool readOnly) = 0;
    virtual bool GetCheckBox(const String& caption) = 0;
};

class IAttributePagePlug : public virtual IPluggablePropertyPage {
public:
    virtual void AddAttribute(const String& name, const String& value, bool readOnly) = 0;
    virtual void AddAttribute(const String& name, const String& value, const TStrings& choices,
                              bool readOnly) = 0;
    virtual void AddAttribute(const String& name, const String& value,
                              const TIntfPtr<IPluggableTreeManager>& tree,
                              const TIntfPtr<IPluggableTreeNode>& node, bool readOnly) = 0;
    virtual String GetAttribute(const String& name) = 0;
};

class ITextPagePlug : public virtual IPluggablePropertyPage {
public:
    virtual TStrings* GetLines() = 0;
};

// What every plug shares: caption, manager, read-only and modified flags, and its frame.
class TPagePlug : public TInterfacedObject, public virtual IPluggablePropertyPage {
public:
    TPagePlug(const TGUID& id, TControl* frame) : FID(id), FFrame(frame) {}
    ~TPagePlug() override;
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int AddRef() override { return TInterfacedObject::AddRef(); }
    int Release() override { return TInterfacedObject::Release(); }

    String GetCaption() override { return FCaption; }
    void SetCaption(const String& caption) override { FCaption = caption; }
    void OnSelect() override {}
    void OnBegin() override {}
    bool GetVisible() override;
    void SetVisible(bool) override;
    TGUID GetID() override { return FID; }
    bool Modified() override { return FModified; }
    TControl* GetPage() override { return FFrame; }
    TIntfPtr<IPropertyPageManager> GetPageManager() override { return FManager; }
    void SetPageManager(const TIntfPtr<IPropertyPageManager>& manager) override { FManager = manager; }
    bool GetReadOnly() override { return FReadOnly; }
    void SetReadOnly(bool value) override { FReadOnly = value; }

protected:
    TGUID FID;
    TControl* FFrame;  // owned
    String FCaption;
    TIntfPtr<IPropertyPageManager> FManager;
    bool FReadOnly = false;
    bool FModified = false;
};

// --- list page ---

struct TUsesColumn {
    String Caption;
    int Width = 0;
    bool InUse = false;
};

struct TUsesRow {
    String Caption;
    int ImageIndex = -1;
    std::vector<String> SubItems;
    TIntfPtr<IPluggableTreeNode> Link;  // the node the row leads to, if any
    String LinkCaption;
};

// The report-style list of the list page: a header line, then one line per row; a row's label
// starts after its icon. Only the caption text of a linked row is a link.
class TUsesForm : public TControl {
public:
    static constexpr int HeaderHeight = 17;
    static constexpr int RowHeight = 17;
    static constexpr int TextMargin = 2;

    explicit TUsesForm(TComponent* AOwner);
    std::vector<TUsesColumn> Columns;
    std::vector<TUsesRow> Rows;
    int ItemIndex = -1;  // the selected row
    TImageList* SmallImages = nullptr;
    int UpdateCount = 0;

    // The row at y, -1 for none.
    int RowAt(int y) const;
    // The label rectangle of the row's caption (its icon left of it).
    TRect LabelRect(int row) const;
    // Whether (x, y) lies on the caption text of a linked row.
    bool OverLink(int x, int y);
    // Follows the selected row to its node.
    void FollowSelected();
    void Click() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseLeave() override;
    void KeyDown(unsigned short& key, TShiftState shift) override;

protected:
    void Paint(TCanvas& canvas) override;
};

class TUsesPagePlug : public TPagePlug, public virtual IUsesPagePlug {
public:
    TUsesPagePlug();
    void Clear() override;
    void OnEnd() override;
    void AddColumn(const String& caption, int width) override;
    void AddRow(const std::vector<String>& values, int imageIndex,
                const TIntfPtr<IPluggableTreeNode>& node) override;
    void BeginUpdate() override;
    void EndUpdate() override;
    String Get(int row, int column) override;
    int GetRowCount() override;
    int GetColCount() override;
    void SetImages(TImageList* images) override;
    TImageList* GetImages() override;
    void RemoveRow(int row) override;
    TUsesForm* Form() const { return FForm; }

private:
    TUsesForm* FForm;
};

// --- check-box page ---

struct TCheckBoxItem {
    TCheckBox* CheckBox;
    bool InUse;
};

class TFlagsPagePlug : public TPagePlug, public virtual IFlagsPagePlug {
public:
    TFlagsPagePlug();
    void Clear() override;
    void OnEnd() override;
    void AddCheckBox(const String& caption, bool checked, bool readOnly) override;
    bool GetCheckBox(const String& caption) override;
    int CheckBoxCount() const { return static_cast<int>(FItems.size()); }
    TCheckBox* CheckBox(int index) const { return FItems.at(static_cast<std::size_t>(index)).CheckBox; }

private:
    TControl* FPanel;
    std::vector<TCheckBoxItem> FItems;
};

// --- name/value page ---

struct TNameValueItem {
    String Name;
    TLabel* NameLabel = nullptr;
    TLabel* LinkLabel = nullptr;
    TEdit* ValueEdit = nullptr;
    TComboBox* Combo = nullptr;
    bool InUse = false;
    TIntfPtr<IPluggableTreeManager> Tree;
    TIntfPtr<IPluggableTreeNode> Node;
    TControl* ScrollBox = nullptr;
};

class TAttributePagePlug : public TPagePlug, public virtual IAttributePagePlug {
public:
    TAttributePagePlug();
    ~TAttributePagePlug() override;
    void Clear() override;
    void OnEnd() override;
    void AddAttribute(const String& name, const String& value, bool readOnly) override;
    void AddAttribute(const String& name, const String& value, const TStrings& choices,
                      bool readOnly) override;
    void AddAttribute(const String& name, const String& value, const TIntfPtr<IPluggableTreeManager>& tree,
                      const TIntfPtr<IPluggableTreeNode>& node, bool readOnly) override;
    String GetAttribute(const String& name) override;
    int RowCount() const { return static_cast<int>(FItems.size()); }
    const TNameValueItem& Row(int index) const { return *FItems.at(static_cast<std::size_t>(index)); }
    TControl* ScrollBox() const { return FPanel; }

private:
    TNameValueItem* Find(const String& name);
    // The row for the attribute as a plain name and value: a free row is reused, shown without
    // the combo box or link it had before.
    TNameValueItem* PlainRow(const String& name, const String& value, bool readOnly);
    TControl* FPanel;
    std::vector<std::unique_ptr<TNameValueItem>> FItems;
};

// --- text page ---

class TTextPagePlug : public TPagePlug, public virtual ITextPagePlug {
public:
    TTextPagePlug();
    void Clear() override;
    void OnEnd() override;
    void SetReadOnly(bool value) override;
    TStrings* GetLines() override;
    TMemo* Memo() const { return FMemo; }

private:
    TMemo* FMemo;
};

// A factory for the plug kind P with page ID id.
template <class P>
class TPageFactory : public TInterfacedObject, public virtual IPluggablePropertyPageFactory {
public:
    explicit TPageFactory(const TGUID& id) : FID(id) {}
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        if (QueryAs<IPluggablePropertyPageFactory>(this, iid, obj)) return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }
    int AddRef() override { return TInterfacedObject::AddRef(); }
    int Release() override { return TInterfacedObject::Release(); }
    TIntfPtr<IPluggablePropertyPage> CreateInstance(const String&) override
    {
        return TIntfPtr<IPluggablePropertyPage>(new P);
    }
    TGUID GetID() override { return FID; }

private:
    TGUID FID;
};

class TUsesPageFactory : public TPageFactory<TUsesPagePlug> {
public:
    TUsesPageFactory() : TPageFactory(GUID_UsesPagePlugID) {}
};
class TFlagsPageFactory : public TPageFactory<TFlagsPagePlug> {
public:
    TFlagsPageFactory() : TPageFactory(GUID_FlagsPagePlugID) {}
};
class TAttributePageFactory : public TPageFactory<TAttributePagePlug> {
public:
    TAttributePageFactory() : TPageFactory(GUID_AttributePagePlugID) {}
};
class TTextPageFactory : public TPageFactory<TTextPagePlug> {
public:
    TTextPageFactory() : TPageFactory(GUID_TextPagePlugID) {}
};
