#pragma once
// The dialog of the application wizard: project name and folder, application type, options and
// the main form's type.
#include "QZDsnWizard.h"
#include "zub/ExtCtrls.h"
#include "zub/Forms.h"
#include "zub/StdCtrls.h"

class TformAppWizard : public TForm {
public:
    TformAppWizard(TComponent* AOwner, bool isCpp);

    TControl* Panel1;
    TControl* PanelDir;
    TButton* butnCancel;
    TButton* butnOk;
    TEdit* editProject;
    TEdit* editDir;
    TControl* Panel2;
    TLabel* Label4;
    TLabel* Label1;
    TControl* GroupBox2;
    TCheckBox* chkbSession;
    TCheckBox* chkbPool;
    TComboBox* cboxFormType;
    TCheckBox* chkbISAPIThreadPool;
    TRadioGroup* rgrpProject;
    TCheckBox* chkbServerManager;
    TImage* ImageQZLogo;
    TLabel* LabelVersion;
    TLabel* LabelWarning;

    // Puts ProjectName into the name edit and proposes the folder.
    void Init();
    void SetDefaultEditDir();
    void EditProjectChange(TObject* Sender);
    void rgrpProjectOnClick(TObject* Sender);
    void actnOkExecute(TObject* Sender);

    bool IsCpp;
    TQZAppType AppType = atStandAlone;
    bool CreateUserSession = false;
    bool UseServerManager = false;
    int MainFormType = 0;
    bool UseISAPIThreadPool = false;
    bool PoolDataConnections = false;
    String ProjectName;
    String ProjectDir;

private:
    String DefaultDir() const;
};
