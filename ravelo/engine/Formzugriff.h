#pragma once
// What every worker's view of the main window does the same way on a form built from the
// program's layout: find a numbered control, and replace the tip list with its line lists.
#include <vector>

#include "rtl/SysUtils.h"

// The control <name><nummer> of the form, null when the layout has none of that kind.
template <class T, class TForm>
T* Steuerelement(TForm& f, const char* name, int nummer)
{
    return dynamic_cast<T*>(f.FindComponent(String(name) + IntToStr(nummer)));
}

// ListBox1 cleared and given these lines; the line lists stay as they are.
template <class TForm>
void ListBox1_fuellen(TForm& f, const std::vector<String>& zeilen)
{
    auto* liste = f.ListBox1->Items();
    liste->BeginUpdate();  // the painter sees the old lines or the new ones
    liste->Clear();
    for (const String& z : zeilen) liste->Add(z);
    liste->EndUpdate();
}

// ListBox1 cleared and given these lines, then the three line lists set.
template <class TForm>
void ListBox1_setzen(TForm& f, const std::vector<String>& zeilen, const String& zeilen_farbe,
                     const String& zeilen_symbol0, const String& zeilen_symbol1)
{
    ListBox1_fuellen(f, zeilen);
    f.zeilen_farbe = zeilen_farbe;
    f.zeilen_symbol0 = zeilen_symbol0;
    f.zeilen_symbol1 = zeilen_symbol1;
}
