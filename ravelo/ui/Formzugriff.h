#pragma once
// What every worker's view of the main window does the same way on a form built from the
// program's layout: reach the form only while it is there, find a numbered control, and replace
// the tip list with its line lists.
#include <exception>
#include <memory>
#include <mutex>
#include <vector>

#include "rtl/Clock.h"
#include "rtl/MainThread.h"
#include "rtl/ScopeGuard.h"
#include "rtl/SysUtils.h"

// Thrown to a worker that reaches for a window that has gone. It is no Exception of the
// runtime, so the workers' own error handling lets it through and the thread ends there.
class EFensterGeschlossen : public std::exception {
public:
    const char* what() const noexcept override { return "Das Hauptfenster ist geschlossen."; }
};

// The form the views of one window work on. Workers still running when the window goes are
// neither stopped nor waited for and may still hold a view, so the window detaches the form
// (loesen) before it goes: every access to the form runs under the lock, and one after that
// throws EFensterGeschlossen instead of touching freed memory.
template <class TForm>
class TFormBindung {
public:
    explicit TFormBindung(TForm& form) : FForm(&form) {}

    // The form for as long as this object lives.
    class TZugriff {
    public:
        explicit TZugriff(TFormBindung& b) : FSperre(b.FLock), FForm(b.FForm)
        {
            if (!FForm) throw EFensterGeschlossen();
        }
        TForm* operator->() const { return FForm; }
        TForm& operator*() const { return *FForm; }

    private:
        std::unique_lock<std::recursive_mutex> FSperre;
        TForm* FForm;
    };

    TZugriff zugriff() { return TZugriff(*this); }
    // The form for one expression: f->Label1->SetCaption(text).
    TZugriff operator->() { return TZugriff(*this); }

    // Called by the window before it goes; returns once no access is running. A worker's access
    // may wait for the user-interface thread (a form shown or closed), so that thread keeps
    // running queued calls meanwhile; it waits as idle, so virtual time goes on.
    void loesen()
    {
        std::unique_lock<std::recursive_mutex> g(FLock, std::defer_lock);
        Clock().WaitUntil(
            [&] {
                if (IsMainThread()) CheckSynchronize();
                return g.try_lock();
            },
            -1);
        FForm = nullptr;
    }

private:
    std::recursive_mutex FLock;
    TForm* FForm;
};

// A view's hold on its form: f->Label1->SetCaption(text) reaches the form for one expression,
// f.zugriff() for as long as the result lives (a control found on the form must not outlive it).
template <class TForm>
class TFormGriff {
public:
    // The window's binding, shared by all its views.
    explicit TFormGriff(std::shared_ptr<TFormBindung<TForm>> bindung) : FBindung(std::move(bindung)) {}
    // A binding of its own, for a view built on a bare form.
    explicit TFormGriff(TForm& form) : FBindung(std::make_shared<TFormBindung<TForm>>(form)) {}

    typename TFormBindung<TForm>::TZugriff zugriff() const { return FBindung->zugriff(); }
    typename TFormBindung<TForm>::TZugriff operator->() const { return FBindung->zugriff(); }

private:
    std::shared_ptr<TFormBindung<TForm>> FBindung;
};

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
    TUpdateGuard update(*liste);  // the painter sees the old lines or the new ones
    liste->Clear();
    for (const String& z : zeilen) liste->Add(z);
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
