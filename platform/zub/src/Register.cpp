// The library's classes, known to the layout reader by name.
#include <mutex>

#include "zub/Buttons.h"
#include "zub/ComCtrls.h"
#include "zub/Dialogs.h"
#include "zub/ExtCtrls.h"
#include "zub/Forms.h"
#include "zub/Grids.h"
#include "zub/ImgList.h"
#include "zub/Menus.h"
#include "zub/StdCtrls.h"

void RegisterZubClasses()
{
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterComponentClass<TLabel>("TLabel");
        RegisterComponentClass<TEdit>("TEdit");
        RegisterComponentClass<TButton>("TButton");
        RegisterComponentClass<TSpeedButton>("TSpeedButton");
        RegisterComponentClass<TCheckBox>("TCheckBox");
        RegisterComponentClass<TRadioButton>("TRadioButton");
        RegisterComponentClass<TRadioGroup>("TRadioGroup");
        RegisterComponentClass<TGroupBox>("TGroupBox");
        RegisterComponentClass<TListBox>("TListBox");
        RegisterComponentClass<TComboBox>("TComboBox");
        RegisterComponentClass<TMemo>("TMemo");
        RegisterComponentClass<TRichEdit>("TRichEdit");
        RegisterComponentClass<TStringGrid>("TStringGrid");
        RegisterComponentClass<TTrackBar>("TTrackBar");
        RegisterComponentClass<TProgressBar>("TProgressBar");
        RegisterComponentClass<TDateTimePicker>("TDateTimePicker");
        RegisterComponentClass<TImage>("TImage");
        RegisterComponentClass<TAnimate>("TAnimate");
        RegisterComponentClass<TTimer>("TTimer");
        RegisterComponentClass<TTrayIcon>("TTrayIcon");
        RegisterComponentClass<TPopupMenu>("TPopupMenu");
        RegisterComponentClass<TMenuItem>("TMenuItem");
        RegisterComponentClass<TImageList>("TImageList");
        RegisterComponentClass<TPrintDialog>("TPrintDialog");
    });
}
