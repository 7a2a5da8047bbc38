#include "QZRegister.h"

#include <memory>

#include "QZDsnEditors.h"
#include "QZDsnTestWizard.h"
#include "QZDsnWizards.h"
#include "QZHTMLManager.h"
#include "host/ComponentEditors.h"
#include "host/FileDialogs.h"
#include "host/Package.h"
#include "host/Palette.h"
#include "zub/Collections.h"
#include "host/SplashServices.h"
#include "rtl/Files.h"
#include "rtl/Resources.h"
#include "zub/Dialogs.h"
#include "zub/Forms.h"

namespace QZRegister {

int UseCount = 0;
bool GIsKVT = false;

namespace {
// Slots of the wizards in the order Register adds them.
enum { wApp, wUnit, wFrame, wTestApp, wTestUnit, wAppCpp, wUnitCpp, wFrameCpp, wCount };
int gWizardIndex[wCount];
bool gWizardAdded[wCount];
String gHostFileName;
TQZWarningProc gOldWarningProc = nullptr;

using namespace qzc;

struct TPropertyEditorRow {
    const TTypeInfo* Type;
    TComponentClass Class;
    const char* Property;
    TPropertyEditorClass Editor;
};

std::vector<TPropertyEditorRow> PropertyEditorRows()
{
    const TPropertyEditorClass gridColumn = HOST_PROPERTY_EDITOR_CLASS(TQZDataGridColumnFieldProperty);
    const TPropertyEditorClass keyField = HOST_PROPERTY_EDITOR_CLASS(TQZKeyFieldProperty);
    const TPropertyEditorClass color = HOST_PROPERTY_EDITOR_CLASS(TQZColorEditor);
    const TPropertyEditorClass layout = HOST_PROPERTY_EDITOR_CLASS(TLayoutMgrHTMLProperty);
    return {
        {&TypeInfoString, &TQZDBGridColumn, "DataField", gridColumn},
        {&TypeInfoString, &TQZDBLookupComboBox, "KeyField", keyField},
        {&TypeInfoString, &TQZDBLookupListBox, "KeyField", keyField},
        {&TypeInfoString, &TQZDBGridColumn, "LinkField", gridColumn},
        {&TypeInfoFileName, &TQZFileReference, "Filename",
         HOST_PROPERTY_EDITOR_CLASS(TFilenameReferenceProperty)},
        {&TypeInfoString, &TQZCustomControl, "ListField",
         HOST_PROPERTY_EDITOR_CLASS(TQZDataListFieldProperty)},
        {&TypeInfoString, &TQZTreeView, "TreeNodes", HOST_PROPERTY_EDITOR_CLASS(TTreeViewItemsProperty)},
        {&QZTypeInfoScriptEvents, &TQZCustomControl, "ScriptEvents",
         HOST_PROPERTY_EDITOR_CLASS(TQZScriptEventsProperty)},
        {&QZTypeInfoColor, &TQZBaseHTMLControl, "", color},
        {&QZTypeInfoColor, &qzc::TQZBorderOptions, "Color", color},
        {&QZTypeInfoColor, &TQZBaseWAPControl, "", color},
        {&QZTypeInfoColor, &TQZAppForm, "", color},
        {&QZTypeInfoColor, &TQZAppForm32, "", color},
        {&QZTypeInfoColor, &TQZAppFormWAP, "", color},
        {&QZTypeInfoColor, &TQZPageForm, "", color},
        {&QZTypeInfoColor, &TQZPageForm32, "", color},
        {&QZTypeInfoColor, &TQZHTMLContainer, "", color},
        {&QZTypeInfoColor, &TQZContainerBorderOptions, "", color},
        {&QZTypeInfoColor, &qzc::TQZFont, "Color", color},
        {&QZTypeInfoColor, &TQZMenuStyle, "BGColor", color},
        {&QZTypeInfoColor, &TQZMenuStyle, "DisabledItemBGColor", color},
        {&QZTypeInfoColor, &TQZMenuStyle, "ItemBGColor", color},
        {&QZTypeInfoColor, &TQZMenuStyle, "SelectedItemBGColor", color},
        {&QZTypeInfoColor, &TQZMenuStyle, "BorderColor", color},
        {&QZTypeInfoColor, &TQZGridBorderColors, "Color", color},
        {&QZTypeInfoColor, &TQZGridBorderColors, "Dark", color},
        {&QZTypeInfoColor, &TQZGridBorderColors, "Light", color},
        {&QZTypeInfoColor, &TQZProgressIndicator, "BGColor", color},
        {&QZTypeInfoColor, &TQZProgressIndicator, "BoxColor", color},
        {&TypeInfoString, &TQZCustomControl, "FieldName", HOST_PROPERTY_EDITOR_CLASS(TQZCSFieldNameProperty)},
        {&TypeInfoString, &qzc::TQZFont, "FontFamily", HOST_PROPERTY_EDITOR_CLASS(TQZFontFamilyProperty)},
        {&TypeInfoStrings, &TQZLayoutMgrHTML, "HTML", layout},
        {&TypeInfoStrings, &TQZLayoutMgrHTML32, "HTML", layout},
    };
}

std::vector<std::pair<TComponentClass, TComponentEditorClass>> ComponentEditorRows()
{
    const TComponentEditorClass about = HOST_COMPONENT_EDITOR_CLASS(TQZControlAbout);
    const TComponentEditorClass layout = HOST_COMPONENT_EDITOR_CLASS(TLayoutMgrHTMLComponent);
    return {
        {&TQZBaseControl, about},
        {&TQZRegion, about},
        {&TQZBaseContainerLayout, about},
        {&TQZClientSideDatasetBase, about},
        {&TQZTreeView, HOST_COMPONENT_EDITOR_CLASS(TQZTreeViewComponent)},
        {&TQZTabControl, HOST_COMPONENT_EDITOR_CLASS(TQZDsnTabControl)},
        {&TQZPageProducer, about},
        {&TQZModuleController, about},
        {&TQZStandAloneServer, about},
        {&TQZLayoutMgrHTML, layout},
        {&TQZLayoutMgrHTML32, layout},
    };
}

std::vector<std::pair<TComponentClass, TCustomModuleClass>> CustomModuleRows()
{
    const TCustomModuleClass html = HOST_CUSTOM_MODULE_CLASS(TQZDesignModule);
    const TCustomModuleClass html32 = HOST_CUSTOM_MODULE_CLASS(TQZDesign32Module);
    return {
        {&TQZServerControllerBase, HOST_CUSTOM_MODULE_CLASS(TQZServerControllerDesignModule)},
        {&TQZUserSessionBase, HOST_CUSTOM_MODULE_CLASS(TQZUserSessionDesignModule)},
        {&TQZAppForm, html},
        {&TQZAppFormWAP, HOST_CUSTOM_MODULE_CLASS(TQZDesignWAPModule)},
        {&TQZAppForm32, html32},
        {&TQZPageForm32, html32},
        {&TQZPageForm, html},
    };
}

void AddWizards()
{
    TIntfPtr<IQTAWizardServices> ws;
    if (!Supports(QuistorIDEServices(), ws)) return;
    auto add = [&](int slot, IQTAWizard* w) {
        TIntfPtr<IQTAWizard> keep(w);
        gWizardIndex[slot] = ws->AddWizard(keep.get());
        gWizardAdded[slot] = true;
    };
    add(wApp, new TQZApplicationWizard(false));
    add(wUnit, new TQZUnitWizard(false));
    add(wFrame, new TQZFrameWizard(false));
    add(wTestApp, new TQZTestApplicationWizard(false));
    add(wTestUnit, new TQZTestUnitWizard(false));
    add(wAppCpp, new TQZApplicationWizard(true));
    add(wUnitCpp, new TQZUnitWizard(true));
    add(wFrameCpp, new TQZFrameWizard(true));
}

// Takes back what Register gave the host, in reverse order.
void UnregisterDesignTime()
{
    UnRegisterClasses({&TQZTabPage});
    for (const auto& row : PropertyEditorRows()) UnregisterPropertyEditor(row.Editor);
    for (const auto& [cls, module] : CustomModuleRows()) UnregisterCustomModule(module);
    for (const auto& [cls, editor] : ComponentEditorRows()) UnregisterComponentEditor(editor);
    for (const auto& [page, classes] : PalettePages()) {
        UnRegisterNonActiveX(classes, axrIncludeDescendants);
        UnRegisterComponents(classes);
    }
}
}  // namespace

const std::vector<std::pair<const char*, std::vector<TComponentClass>>>& PalettePages()
{
    static const std::vector<std::pair<const char*, std::vector<TComponentClass>>> pages{
        {"QZ Standard",
         {&TQZApplet,      &TQZButton,         &TQZCheckBox,    &TQZComboBox,   &TQZEdit,
          &TQZFile,        &TQZFlash,          &TQZHRule,       &TQZImage,      &TQZImageFile,
          &TQZImageButton, &TQZList,           &TQZLabel,       &TQZListbox,    &TQZLink,
          &TQZMemo,        &TQZMenu,           &TQZProgressBar, &TQZRadioGroup, &TQZRectangle,
          &TQZRegion,      &TQZText,           &TQZTimer,       &TQZGrid,       &TQZTreeView,
          &TQZURL,         &TQZURLWindow,      &TQZActiveX,     &TQZMPEG,       &TQZQuickTime,
          &TQZCalendar,    &TQZOrderedListbox, &TQZTabControl,  &TQZTimeEdit,   &TQZRadioButton}},
        {"QZ Control",
         {&TQZTemplateProcessorHTML, &TQZTemplateProcessorHTML32, &TQZLayoutMgrForm, &TQZPageProducer,
          &TQZPageProducer32, &TQZModuleController, &TQZClientSideDataset, &TQZStandAloneServer,
          &TQZClientSideDatasetDBLink, &TQZPageController, &TQZPageController32, &TQZLayoutMgrHTML,
          &TQZLayoutMgrHTML32, &TQZImageList, &TQZDataModulePool, &TQZTemplateProcessorWAP,
          &TQZProgressIndicator}},
        {"QZ Standard 3.2",
         {&TQZLabel32, &TQZEdit32,      &TQZFile32,     &TQZButton32,     &TQZList32,
          &TQZHRule32, &TQZListbox32,   &TQZComboBox32, &TQZRadioGroup32, &TQZRegion32,
          &TQZImage32, &TQZImageFile32, &TQZURL32,      &TQZGrid32,       &TQZMemo32,
          &TQZText32,  &TQZRectangle32, &TQZCheckBox32, &TQZHyperLink32,  &TQZRadioButton32}},
        {"QZ WAP",
         {&TQZLabelWAP, &TQZEditWAP, &TQZImageWAP, &TQZImageFileWAP, &TQZButtonWAP, &TQZRadioButtonWAP,
          &TQZCheckBoxWAP, &TQZHyperLinkWAP, &TQZURLWAP, &TQZComboBoxWAP, &TQZListBoxWAP, &TQZLinkWAP,
          &TQZGridWAP}},
        {"QZ Data",
         {&TQZDBCheckBox, &TQZDBComboBox, &TQZDBEdit, &TQZDBGrid, &TQZDBImage, &TQZDBLabel, &TQZDBListbox,
          &TQZDBLookupListBox, &TQZDBLookupComboBox, &TQZDBFile, &TQZDBMemo, &TQZDBNavigator, &TQZDBText,
          &TQZDBRadioGroup}},
        {"QZ Client Side",
         {&TQZCSLabel, &TQZCSNavigator, &TQZDynamicChart, &TQZDynamicChartLegend, &TQZDynGrid}},
        {"QZ Data 3.2",
         {&TQZDBEdit32, &TQZDBCheckBox32, &TQZDBComboBox32, &TQZDBLabel32, &TQZDBListbox32,
          &TQZDBLookupComboBox32, &TQZDBLookupListBox32, &TQZDBMemo32, &TQZDBText32, &TQZDBImage32,
          &TQZDBRadioGroup32, &TQZDBGrid32}},
        {"QZ Data WAP",
         {&TQZDBLabelWAP, &TQZDBEditWAP, &TQZDBCheckBoxWAP, &TQZDBComboBoxWAP, &TQZDBListBoxWAP,
          &TQZDBLookupComboBoxWAP, &TQZDBLookupListBoxWAP, &TQZDBImageWAP}},
    };
    return pages;
}

bool HostIsKVT(const char* programFileName)
{
    return UpperCase(ExtractFileName(programFileName)).find("KVT") != String::npos;
}

void WarningHandler(const String& message) { ShowMessage(message); }

void Initialization()
{
    gOldWarningProc = GWarningProc;
    GWarningProc = WarningHandler;
    gHostFileName = ExtractFileName(ExeFileName());
    GIsKVT = HostIsKVT(gHostFileName.c_str());
}

void Finalization()
{
    TIntfPtr<IQTAWizardServices> ws;
    if (Supports(QuistorIDEServices(), ws)) {
        // C++ wizards first, then the Pascal ones, each frame, form, application; the tests last.
        const int order[] = {wFrameCpp, wUnitCpp, wAppCpp, wFrame, wUnit, wApp, wTestApp, wTestUnit};
        for (int slot : order)
            if (gWizardAdded[slot]) ws->RemoveWizard(gWizardIndex[slot]);
    }
    for (int i = 0; i < wCount; ++i) gWizardAdded[i] = false;
    QZDsnWizard::ReleaseGalleryCategories();
    UnregisterDesignTime();
    // The runtime outlives the package: its warning hook must not point into it.
    if (GWarningProc == WarningHandler) GWarningProc = gOldWarningProc;
    gHostFileName.clear();
}

void RegisterNimbrelComponents(const String& page, const std::vector<TComponentClass>& classes)
{
    RegisterComponents(page, classes);
    TQZHTMLManager::RegisterComponents(page, HInstance, classes);
    RegisterNonActiveX(classes, axrIncludeDescendants);
}

void Register()
{
    {
        TBitmap splash;
        splash.LoadFromResourceName(HInstance, "QZSPLASH");
        TIntfPtr<IQTASplashScreenServices> ss;
        if (Supports(QuistorIDEServices(), ss))
            ss->AddPluginBitmap("Nimbrel 9 for Quistor Developer Studio 2006", &splash, true, "", "");
    }
    AddWizards();
    for (const auto& [page, classes] : PalettePages()) RegisterNimbrelComponents(page, classes);
    const auto props = PropertyEditorRows();
    const auto comps = ComponentEditorRows();
    for (std::size_t i = 0; i < 31; ++i)
        RegisterPropertyEditor(props[i].Type, props[i].Class, props[i].Property, props[i].Editor);
    for (std::size_t i = 0; i < 9; ++i) RegisterComponentEditor(comps[i].first, comps[i].second);
    for (const auto& [cls, module] : CustomModuleRows()) RegisterCustomModule(cls, module);
    for (std::size_t i = 9; i < 11; ++i) RegisterComponentEditor(comps[i].first, comps[i].second);
    for (std::size_t i = 31; i < 33; ++i)
        RegisterPropertyEditor(props[i].Type, props[i].Class, props[i].Property, props[i].Editor);
    RegisterClasses({&TQZTabPage});
}

}  // namespace QZRegister

// ---- designer kinds

namespace {
bool InheritedRefusingControls(TCustomModule& m, TComponentClass c, bool refuseDialogs)
{
    return m.TCustomModule::ValidateComponentClass(c) && !c->InheritsFrom(&ClassTControl) &&
           !(refuseDialogs && c->InheritsFrom(&ClassTCommonDialog));
}
}  // namespace

bool TQZDesignModule::ValidateComponentClass(TComponentClass c)
{
    if (c->InheritsFrom(&qzc::TQZCustomControl) || c->InheritsFrom(&qzc::TQZCustomRegion) ||
        c->InheritsFrom(&ClassTFrame) || c->InheritsFrom(&qzc::TQZContainer) ||
        SameText(c->ClassName, "TChart"))
        return true;
    return InheritedRefusingControls(*this, c, true);
}

bool TQZDesign32Module::ValidateComponentClass(TComponentClass c)
{
    if (c->InheritsFrom(&qzc::TQZCustomControl32) || c->InheritsFrom(&qzc::TQZCustomRegion32) ||
        c->InheritsFrom(&ClassTFrame))
        return true;
    return InheritedRefusingControls(*this, c, true);
}

bool TQZDesignWAPModule::ValidateComponentClass(TComponentClass c)
{
    if (c->InheritsFrom(&qzc::TQZCustomControlWAP)) return true;
    return InheritedRefusingControls(*this, c, true);
}

bool TQZServerControllerDesignModule::ValidateComponentClass(TComponentClass c)
{
    return InheritedRefusingControls(*this, c, false);
}

bool TQZUserSessionDesignModule::ValidateComponentClass(TComponentClass c)
{
    return InheritedRefusingControls(*this, c, false);
}

// ---- property editors

void TQZDataFieldProperty::GetValues(const std::function<void(const String&)>& proc)
{
    TStringList list;
    FillFieldNames(list);
    for (int i = 0; i < list.Count(); ++i) proc(list[i]);
}

void TQZDataFieldProperty::FillFieldNames(TStrings& list)
{
    String name = DataSourcePropertyName();
    TObject* searched = GetComponent(0);
    if (name.size() >= 6 && SameText(name.substr(0, 6), "Owner.")) {
        // the owner of the collection that holds the item: for a grid column, the grid
        auto* item = dynamic_cast<TCollectionItem*>(GetComponent(0));
        searched = item && item->Collection() ? item->Collection()->Owner() : nullptr;
        name = name.substr(6);
    }
    TObject* value = nullptr;
    if (!searched || !QZGetObjectProperty(searched, name, value) || !value) return;
    auto* source = dynamic_cast<TDataSource*>(value);
    if (!source) throw EInvalidCast("Invalid class typecast");
    if (!source->DataSetFields) return;
    list.SetText(source->DataSetFields->GetText());
}

void TQZCSFieldNameProperty::FillFieldNames(TStrings& list)
{
    TObject* value = nullptr;
    if (!QZGetObjectProperty(GetComponent(0), "ClientSideDataSet", value) || !value) return;
    auto* ds = dynamic_cast<TQZComponent*>(value);
    if (!ds || !ds->InheritsFrom(&qzc::TQZClientSideDatasetBase))
        throw EInvalidCast("Invalid class typecast");
    ds->AddFieldNames(list);
}

void TQZFontFamilyProperty::GetValues(const std::function<void(const String&)>& proc)
{
    for (const char* v :
         {"Helvetica, Sans-Serif, Verdana", "Helvetica, Arial, Verdana", "Arial, Sans-Serif, Verdana",
          "Sans-Serif, Helvetica, Arial", "Verdana, Helvetica, Sans-Serif"})
        proc(v);
}

void TFilenameReferenceProperty::Edit()
{
    const String value = GetValue();
    std::unique_ptr<TOpenDialog> dialog(new TOpenDialog(Application));
    dialog->InitialDir = ExtractFilePath(value);
    dialog->FileName = value;
    dialog->Filter = "All files (*.*)|*.*";
    dialog->Options = dialog->Options | ofShowHelp | ofPathMustExist | ofFileMustExist;
    if (dialog->Execute()) SetValue(dialog->FileName);
}

void TQZScriptEventsProperty::Edit()
{
    auto* control = dynamic_cast<TQZControl*>(GetComponent(0));
    if (control && EditScriptEvents(control)) Modified();
}

extern "C" void QZRegister_Register() { QZRegister::Register(); }
