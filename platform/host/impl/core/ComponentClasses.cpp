#include "host/ComponentClasses.h"

#include <algorithm>

#include "hostimpl/DesignRegistries.h"
#include "zub/ComCtrls.h"
#include "zub/ExtCtrls.h"
#include "zub/StdCtrls.h"

const TComponentClassInfo ClassTPersistent{"TPersistent", nullptr, nullptr, "Classes"};
const TComponentClassInfo ClassTComponent{"TComponent", &ClassTPersistent, nullptr, "Classes"};
const TComponentClassInfo ClassTControl{"TControl", &ClassTComponent, nullptr, "Controls"};
const TComponentClassInfo ClassTWinControl{"TWinControl", &ClassTControl, nullptr, "Controls"};
const TComponentClassInfo ClassTFrame{"TFrame", &ClassTWinControl, nullptr, "Forms"};
const TComponentClassInfo ClassTCommonDialog{"TCommonDialog", &ClassTComponent, nullptr, "Dialogs"};
const TComponentClassInfo ClassTDataModule{"TDataModule", &ClassTComponent, nullptr, "Forms"};

namespace {
template <class T>
TComponent* Make(TComponent* owner)
{
    return new T(owner);
}
// In C++ these derive from TControl; as the designers see them they own a window.
const TComponentClassInfo ClassTButton{"TButton", &ClassTWinControl, Make<TButton>, "StdCtrls"};
const TComponentClassInfo ClassTEdit{"TEdit", &ClassTWinControl, Make<TEdit>, "StdCtrls"};
const TComponentClassInfo ClassTCheckBox{"TCheckBox", &ClassTWinControl, Make<TCheckBox>, "StdCtrls"};
const TComponentClassInfo ClassTRadioButton{"TRadioButton", &ClassTWinControl, Make<TRadioButton>,
                                            "StdCtrls"};
const TComponentClassInfo ClassTListBox{"TListBox", &ClassTWinControl, Make<TListBox>, "StdCtrls"};
const TComponentClassInfo ClassTComboBox{"TComboBox", &ClassTWinControl, Make<TComboBox>, "StdCtrls"};
const TComponentClassInfo ClassTMemo{"TMemo", &ClassTWinControl, Make<TMemo>, "StdCtrls"};
const TComponentClassInfo ClassTRadioGroup{"TRadioGroup", &ClassTWinControl, Make<TRadioGroup>, "ExtCtrls"};
const TComponentClassInfo ClassTTrackBar{"TTrackBar", &ClassTWinControl, Make<TTrackBar>, "ComCtrls"};
const TComponentClassInfo ClassTProgressBar{"TProgressBar", &ClassTWinControl, Make<TProgressBar>,
                                            "ComCtrls"};
const TComponentClassInfo ClassTDateTimePicker{"TDateTimePicker", &ClassTWinControl, Make<TDateTimePicker>,
                                               "ComCtrls"};
const TComponentClassInfo ClassTRichEdit{"TRichEdit", &ClassTMemo, Make<TRichEdit>, "ComCtrls"};
}  // namespace

std::vector<TComponentClass> LibraryControlClasses()
{
    return {&ClassTButton,   &ClassTEdit,        &ClassTCheckBox,       &ClassTRadioButton,
            &ClassTListBox,  &ClassTComboBox,    &ClassTMemo,           &ClassTRadioGroup,
            &ClassTTrackBar, &ClassTProgressBar, &ClassTDateTimePicker, &ClassTRichEdit};
}

bool TComponentClassInfo::InheritsFrom(const TComponentClassInfo* ancestor) const
{
    for (const TComponentClassInfo* c = this; c; c = c->Parent)
        if (c == ancestor) return true;
    return false;
}

namespace hostimpl {
std::vector<TComponentClass>& StreamableClasses()
{
    static std::vector<TComponentClass> c;
    return c;
}
}  // namespace hostimpl

using hostimpl::StreamableClasses;

void RegisterClasses(const std::vector<TComponentClass>& classes)
{
    String names;
    for (TComponentClass c : classes) names += String(" ") + (c ? c->ClassName : "nil");
    hostimpl::TraceRegistration("RegisterClasses" + names);
    for (TComponentClass c : classes)
        if (c && !GetComponentClass(c->ClassName)) StreamableClasses().push_back(c);
}

void UnRegisterClasses(const std::vector<TComponentClass>& classes)
{
    std::erase_if(StreamableClasses(), [&](TComponentClass c) {
        return std::find(classes.begin(), classes.end(), c) != classes.end();
    });
}

TComponentClass GetComponentClass(const String& className)
{
    for (TComponentClass c : StreamableClasses())
        if (SameText(c->ClassName, className)) return c;
    return nullptr;
}

std::vector<TComponentClass> RegisteredComponentClasses() { return StreamableClasses(); }

TComponentClass FindComponentClass(const String& className)
{
    if (TComponentClass c = GetComponentClass(className)) return c;
    for (TComponentClass c : LibraryControlClasses())
        if (SameText(c->ClassName, className)) return c;
    return nullptr;
}
