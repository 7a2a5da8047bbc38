#pragma once
// What the paint handlers of the three looks share.
#include "QZDsnPaintHandlers.h"

namespace qzpaint {

// A converted colour that is neither "no colour" nor "default".
inline bool RealColor(TColor c) { return c != clNone && c != -1; }
// The converted colour, white when it is no real colour.
inline TColor ElseWhite(TQZColor c)
{
    const TColor t = toTColor(c);
    return RealColor(t) ? t : clWhite;
}
// The value part of a name=value item (the whole item without "=").
inline String ValuePart(const TStrings& items, int i)
{
    const String s = items[i];
    const auto eq = s.find('=');
    return eq == String::npos ? String() : s.substr(eq + 1);
}
inline bool IsSelected(const TQZControl& l, int i, bool byIndex, bool bySelection)
{
    return (byIndex && i == l.ItemIndex) || (bySelection && i < static_cast<int>(l.Selected.size()) &&
                                             l.Selected[static_cast<std::size_t>(i)]);
}

}  // namespace qzpaint

void PaintRadioGroup(TQZPaintHandlerDsn& h, TCanvas& c, TQZControl& g);
void PaintButton(TQZPaintHandlerDsn& h, TCanvas& c, TQZControl& b, bool html40);
void PaintComboBox(TQZPaintHandlerDsn& h, TCanvas& c, TQZControl& cb, bool html40);
void PaintList(TQZPaintHandlerDsn& h, TCanvas& c, TQZControl& l);
// Radio buttons and file controls of another class get the plain outline.
void PaintRadioButton(TQZPaintHandlerDsn& h, TCanvas& c, TComponentClass cls, bool font);
void PaintFile(TQZPaintHandlerDsn& h, TCanvas& c, TComponentClass cls);
// The check box's caption at (20, 2) and its check mark.
void CheckBoxCaptionAndMark(TQZPaintHandlerDsn& h, TCanvas& c, TQZControl& b);
