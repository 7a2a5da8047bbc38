#pragma once
// The draw update's and the clipboard watcher's view of a main window built from the program's
// layout (Label1, TrayIcon2, Tabelle, Image24, CheckBox22, CppWebBrowser1, ...). Only the
// window's own library instantiates these, so the engine never links the window. Every control
// of the component library and the browser may be used from any thread.
#include "Formzugriff.h"
#include "Updatefenster.h"
#include "zub/ExtCtrls.h"
#include "zub/Grids.h"
#include "zub/StdCtrls.h"

template <class TForm>
class TUpdateAnschluss : public IUpdateFenster {
public:
    explicit TUpdateAnschluss(TForm& form) : f(form) {}
    explicit TUpdateAnschluss(std::shared_ptr<TFormBindung<TForm>> bindung) : f(std::move(bindung)) {}

    bool start_laeuft() override { return f->start_laeuft; }
    TDispVariant CppWebBrowser1(int dispid) override { return f->CppWebBrowser1->GetProperty(dispid); }
    std::size_t CppWebBrowser1_zu_gross() override
    {
        return f->CppWebBrowser1->LastLoadTooLarge() ? f->CppWebBrowser1->MaxPageBytes : 0;
    }
    void Label1(const String& text) override { f->Label1->SetCaption(text); }
    void TrayIcon2_sichtbar(bool sichtbar) override { f->TrayIcon2->SetVisible(sichtbar); }
    void TrayIcon2_Sprechblase(const String& titel, const String& text) override
    {
        f->TrayIcon2->SetBalloonTitle(titel);
        f->TrayIcon2->SetBalloonHint(text);
        f->TrayIcon2->ShowBalloonHint();
    }
    bool lade_Archiv() override { return f->lade_Archiv(); }
    int Tabelle_Zeilen() override { return f->Tabelle->RowCount(); }
    void Tabelle_oberste_Zeile(int zeile) override { f->Tabelle->SetTopRow(zeile); }
    void zahlen_aktualisiert() override { f->zahlen_aktualisiert = true; }
    void Image24_freigeben() override { f->Image24->SetEnabled(true); }

private:
    TFormGriff<TForm> f;
};

template <class TForm>
class TZwischenablageAnschluss : public IZwischenablageFenster {
public:
    explicit TZwischenablageAnschluss(TForm& form) : f(form) {}
    explicit TZwischenablageAnschluss(std::shared_ptr<TFormBindung<TForm>> bindung) : f(std::move(bindung)) {}
    bool CheckBox22() override { return f->CheckBox22->Checked(); }

private:
    TFormGriff<TForm> f;
};
