#include "QZDsnAppWizForm.h"

#include "QZDsnFormBuild.h"
#include "rtl/Files.h"
#include "rtl/Resources.h"
#include "zub/Dialogs.h"

namespace {
RTL_RESOURCESTRING(sAppWizCaption, "Nimbrel Application Wizard");
RTL_RESOURCESTRING(sProjectNameRequired, "Error: Project name required!");
RTL_RESOURCESTRING(sDirectoryExists, "Warning: Directory already exists!");

}  // namespace

TformAppWizard::TformAppWizard(TComponent* AOwner, bool isCpp) : TForm(AOwner), IsCpp(isCpp)
{
    SetName("formAppWizard");
    SetCaption(sAppWizCaption);
    SetBounds(0, 0, 410, 410);
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetColor(clWhite);
    Panel1 = Make<TControl>(this, this, "Panel1", 0, 370, 410, 40);
    butnOk = Make<TButton>(this, Panel1, "butnOk", 237, 8, 75, 25);
    butnOk->SetCaption("&Ok");
    butnOk->SetDefault(true);
    butnOk->SetModalResult(mrOk);
    butnOk->OnClick = [this](TObject* s) { actnOkExecute(s); };
    butnCancel = Make<TButton>(this, Panel1, "butnCancel", 321, 8, 75, 25);
    butnCancel->SetCaption("&Cancel");
    butnCancel->SetCancel(true);
    butnCancel->SetModalResult(mrCancel);
    Panel2 = Make<TControl>(this, this, "Panel2", 0, 0, 410, 370);
    ImageQZLogo = Make<TImage>(this, Panel2, "ImageQZLogo", 8, 4, 0, 0);
    ImageQZLogo->SetAutoSize(true);
    ImageQZLogo->Picture()->LoadFromBytes(LoadResourceData(HInstance, RT_BITMAP, "QZ_WIZARD_LOGO"));
    LabelVersion = Make<TLabel>(this, Panel2, "LabelVersion", 0, 8, 0, 0);
    LabelVersion->SetCaption(Format("Version %s", {"9.0.17"}));
    LabelVersion->SetAlignment(taRightJustify);
    // The label is as wide as its text before it is placed, so the text ends 16 pixels from the
    // form's edge instead of running past it.
    LabelVersion->SetAutoSize(false);
    LabelVersion->SetWidth(LabelVersion->Canvas()->TextWidth(LabelVersion->Caption()));
    LabelVersion->SetHeight(LabelVersion->Canvas()->TextHeight(LabelVersion->Caption()));
    LabelVersion->SetLeft(Width() - LabelVersion->Width() - 16);
    Label1 = Make<TLabel>(this, Panel2, "Label1", 8, 0, 0, 37);
    Label1->SetCaption(sAppWizCaption);
    Label1->Font()->SetName("Times New Roman");
    Label1->Font()->SetHeight(-24);
    Label1->Hide();
    Label4 = Make<TLabel>(this, Panel2, "Label4", 8, 44, 330, 37);
    Label4->SetCaption(
        "Welcome to the Nimbrel Application Wizard. Select the type of \napplication you want to create "
        "and any additional options");
    rgrpProject = Make<TRadioGroup>(this, Panel2, "rgrpProject", 8, 80, 197, 175);
    rgrpProject->SetCaption(" &Application Type ");
    // Item i stands for the application type of the same value.
    rgrpProject->Items()->Add("StandAlone Application");
    rgrpProject->Items()->Add("Service Application");
    rgrpProject->Items()->Add("ISAPI Extension");
    rgrpProject->SetItemIndex(0);
    rgrpProject->OnClick = [this](TObject* s) { rgrpProjectOnClick(s); };
    GroupBox2 = Make<TGroupBox>(this, Panel2, "GroupBox2", 212, 80, 181, 175);
    GroupBox2->SetCaption(" Options ");
    chkbPool = Make<TCheckBox>(this, GroupBox2, "chkbPool", 8, 17, 157, 17);
    chkbPool->SetCaption("&Pool Data Connections ");
    chkbSession = Make<TCheckBox>(this, GroupBox2, "chkbSession", 8, 42, 157, 17);
    chkbSession->SetCaption("Create &User Session");
    chkbSession->SetChecked(true);
    Make<TLabel>(this, GroupBox2, "lablDM", 27, 64, 0, 0)->SetCaption("(Includes DataModule)");
    chkbServerManager = Make<TCheckBox>(this, GroupBox2, "chkbServerManager", 8, 92, 157, 17);
    chkbServerManager->SetCaption("Use ServerManager Lite");
    chkbServerManager->SetVisible(!IsCpp);
    chkbISAPIThreadPool = Make<TCheckBox>(this, GroupBox2, "chkbISAPIThreadPool", 8, 118, 157, 17);
    chkbISAPIThreadPool->SetCaption("Use ISAPI&ThreadPool");
    chkbISAPIThreadPool->SetEnabled(false);
    Make<TLabel>(this, GroupBox2, "LabelFormType", 8, 145, 0, 0)->SetCaption("&Main Form");
    cboxFormType = Make<TComboBox>(this, GroupBox2, "cboxFormType", 70, 142, 94, 21);
    cboxFormType->SetStyle(csDropDownList);
    cboxFormType->Items()->Add("Standard 4.0");
    cboxFormType->Items()->Add("PDA 3.2");
    cboxFormType->Items()->Add("WAP");
    cboxFormType->SetItemIndex(0);
    PanelDir = Make<TControl>(this, Panel2, "PanelDir", 0, 290, 410, 80);
    Make<TLabel>(this, PanelDir, "LabelProject", 10, 10, 0, 0)->SetCaption("Project &Name");
    editProject = Make<TEdit>(this, PanelDir, "editProject", 100, 5, 100, 21);
    editProject->OnChange = [this](TObject* s) { EditProjectChange(s); };
    Make<TLabel>(this, PanelDir, "LabelDir", 10, 40, 0, 0)->SetCaption("Project &Directory");
    editDir = Make<TEdit>(this, PanelDir, "editDir", 100, 35, 280, 21);
    LabelWarning = Make<TLabel>(this, PanelDir, "LabelWarning", editDir->Left(),
                                editDir->Top() + editDir->Height() + 4, 0, 0);
    LabelWarning->Font()->SetColor(clRed);
    LabelWarning->Hide();
}

String TformAppWizard::DefaultDir() const
{
    return IncludeTrailingPathDelimiter(IncludeTrailingPathDelimiter(ProjectDir) + ProjectName);
}

void TformAppWizard::Init()
{
    editProject->SetText(ProjectName);
    SetDefaultEditDir();
}

void TformAppWizard::SetDefaultEditDir() { editDir->SetText(DefaultDir()); }

void TformAppWizard::EditProjectChange(TObject*)
{
    // The folder follows the name until the user edits the folder.
    if (editDir->Text() == DefaultDir()) {
        ProjectName = editProject->Text();
        SetDefaultEditDir();
    }
    butnOk->SetEnabled(true);
    if (Trim(editProject->Text()).empty()) {
        LabelWarning->SetCaption(sProjectNameRequired);
        LabelWarning->Show();
        butnOk->SetEnabled(false);
    } else if (DirectoryExists(editDir->Text())) {
        LabelWarning->SetCaption(sDirectoryExists);
        LabelWarning->Show();
    } else {
        LabelWarning->Hide();
    }
}

void TformAppWizard::rgrpProjectOnClick(TObject*)
{
    chkbISAPIThreadPool->SetEnabled(rgrpProject->ItemIndex() == atISAPI);
}

void TformAppWizard::actnOkExecute(TObject*)
{
    CreateUserSession = chkbSession->Checked();
    UseServerManager = chkbServerManager->Checked();
    MainFormType = cboxFormType->ItemIndex();
    UseISAPIThreadPool = chkbISAPIThreadPool->Checked();
    ProjectDir = editDir->Text();
    ProjectName = editProject->Text();
    PoolDataConnections = chkbPool->Checked();
    AppType = static_cast<TQZAppType>(rgrpProject->ItemIndex());
}
