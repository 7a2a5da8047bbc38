#pragma once
// The bridge to the external HTML layout designer (library "QZHTMLLayoutMgr", loaded on first
// use): the palette of the package's pages, and one manager per edited layout between the form
// designer and the HTML designer.
#include "QZDesignerIntf.h"
#include "QZRuntime.h"
#include "host/ComponentEditors.h"
#include "host/FormDesigner.h"
#include "host/PropertyEditors.h"
#include "rtl/Resources.h"

// One page of the HTML designer's palette.
struct THTMLPaletteItem {
    String Page;
    HMODULE Module;  // where the designer loads the class pictures from
    std::vector<String> ClassNames;
};

class TQZHTMLManager : public TComponent, public IHTMLLayoutHost, public IDesignNotification {
public:
    // Attaches itself to the layout and gets the HTML designer from the library.
    TQZHTMLManager(TQZComponent* layout, TFormDesigner* designer, const String& workArea);
    ~TQZHTMLManager() override;
    IHTMLLayoutMgr* HTMLDesigner() const { return FHTML; }
    TQZComponent* Layout() const { return FLayout; }

    // Requests of the HTML designer.
    std::string CreateComponent(const std::string& className) override;
    std::string SelectComponent(const std::string& name) override;
    void DeleteComponent(const std::string& name) override;
    void RepaintComponent(const std::string& name) override;
    void RenameComponent(const std::string& oldName, const std::string& newName) override;
    void ResizeComponent(const std::string& name, int width, int height) override;
    void ReleaseComponent() override;
    void BuildPalette() override;
    void ShowObjectInspector() override;
    std::string GetComponentList() override;
    void SetResult(const String& html);
    void Destroying();

    // Design notifications of the form designer.
    void ItemDeleted(TComponent* c) override;
    void ItemInserted(TComponent* c) override;
    void ItemsModified() override;
    void SelectionChanged(const std::vector<TComponent*>& selection) override;
    void DesignerClosed() override { FDesigner = nullptr; }

    // Adds the classes' names to the page of that name (letter case ignored), made when new.
    static void RegisterComponents(const String& page, HMODULE module,
                                   const std::vector<TComponentClass>& classes);
    static const std::vector<THTMLPaletteItem>& Palette();

protected:
    void Notification(TComponent* c, TOperation op) override;

private:
    TQZComponent* FLayout;
    TFormDesigner* FDesigner;
    String FWorkArea;
    IHTMLLayoutMgr* FHTML = nullptr;
};

// Edits the layout's HTML in the HTML designer: after the browser check, the designer attached
// to the layout is shown, or a new manager made for it.
void EditLayoutHTML(TComponent* layout, TFormDesigner* designer);
// The layout's manager; nullptr when none is attached.
TQZHTMLManager* LayoutManagerOf(TComponent* layout);
// The framework's conversion of designer HTML to template text.
String ConvertToTemplate(const String& html, const String& workArea);

namespace QZHTMLManager {
extern int UseCount;
void Initialization();
void Finalization();
}  // namespace QZHTMLManager
