#pragma once
// The paint handlers of the framework's controls, one per control kind and look (no suffix:
// HTML 4.0, "32": HTML 3.2, "WAP": WML), and the table of which control classes each draws.
#include "QZDsnPaint.h"

// The formatter cannot settle on one layout of this list.
// clang-format off
#define QZ_PAINT_HANDLERS(X)                                                                        \
    X(TabControl) X(TabPage) X(RadioGroup) X(Rectangle) X(Label) X(Button) X(Edit) X(Memo)          \
    X(Link) X(Text) X(List) X(HRule) X(Image) X(RadioButton) X(File) X(ComboBox) X(ListBox)         \
    X(CheckBox) X(ProgressBar) X(DBNavigator) X(CSNavigator) X(Edit32) X(ComboBox32)                \
    X(CheckBox32) X(Label32) X(ListBox32) X(Memo32) X(Text32) X(Image32) X(RadioGroup32)            \
    X(Button32) X(List32) X(Link32) X(RadioButton32) X(Rectangle32) X(File32) X(Region)             \
    X(Region32) X(LabelWAP) X(EditWAP) X(CheckBoxWAP) X(RadioButtonWAP) X(ButtonWAP)                \
    X(ComboBoxWAP) X(ListBoxWAP) X(LinkWAP) X(ImageWAP)
// clang-format on

#define QZ_DECLARE_PAINT_HANDLER(kind)                                                                       \
    class TQZPaintHandler##kind : public TQZPaintHandlerDsn {                                                \
    public:                                                                                                  \
        using TQZPaintHandlerDsn::TQZPaintHandlerDsn;                                                        \
        void Paint() override;                                                                               \
    };
QZ_PAINT_HANDLERS(QZ_DECLARE_PAINT_HANDLER)
#undef QZ_DECLARE_PAINT_HANDLER

struct TQZPaintTableRow {
    const char* ClassName;
    TQZPaintHandlerClass Handler;
};
// The 102 registrations in the order they are made.
std::vector<TQZPaintTableRow> QZPaintTable();

namespace QZDsnPaintHandlers {
extern int UseCount;
void Initialization();
void Finalization();
}  // namespace QZDsnPaintHandlers
