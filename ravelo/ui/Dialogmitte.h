#pragma once
// Where a dialog stands when it is shown over the main window.
#include "zub/Forms.h"

// Vertically centred on m; horizontally centred where the dialog is narrower than m, else 3
// pixels right of m's left edge.
inline void ueber_Fenster_mitteln(TForm& dialog, const TForm& m)
{
    dialog.SetTop(m.Top() + m.Height() / 2 - dialog.Height() / 2);
    dialog.SetLeft(dialog.Width() < m.Width() ? m.Left() + m.Width() / 2 - dialog.Width() / 2 : m.Left() + 3);
}
