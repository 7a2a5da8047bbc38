#pragma once
// Forms, the application with its message loop, and the screen.
#include <atomic>
#include <map>
#include <new>
#include <vector>

#include "zub/Controls.h"
#include "rtl/ScopeGuard.h"
#include "zub/Dialogs.h"

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;

// A top-level window. Built from a layout (ReadLayout) whose nested objects become its
// components; a subclass binds its members to them by name (Bind) and offers its methods as
// event handlers (Handler) before reading the layout.
//
//   TForm5::TForm5(TComponent* owner) : TForm(owner) {
//       Handler("Button2Click", &TForm5::Button2Click);
//       ReadLayout(kLayout);
//       Bind(Button2, "Button2");
//   }
// The names of a comma-separated list, blanks around them dropped.
std::vector<String> SplitBindNames(const char* names);

class TForm : public TControl, public IHandlerTable {
public:
    explicit TForm(TComponent* AOwner);
    ~TForm() override;

    void ReadLayout(const String& text) { ::ReadLayout(this, text); }
    // Sets member to the component of that name; EComponentError when there is none or it is
    // of another class.
    template <class T>
    void Bind(T*& member, const String& name)
    {
        TComponent* c = FindComponent(name);
        if (!c) throw EComponentError("Component " + name + " not found in " + Name());
        member = dynamic_cast<T*>(c);
        if (!member) throw EComponentError("Component " + name + " of " + Name() + " has another class");
    }
    // Binds each member to the component of its own name; written as BIND_COMPONENTS(Label1, Edit1),
    // which hands over the members' names as the one text "Label1, Edit1".
    template <class... T>
    void BindNamed(const char* names, T*&... members)
    {
        const std::vector<String> list = SplitBindNames(names);
        if (list.size() != sizeof...(T)) throw EComponentError(String("Bind list does not match: ") + names);
        std::size_t i = 0;
        (Bind(members, list[i++]), ...);
    }
    // Registers a method as the event handler `name` for layouts.
    template <class C, class... A>
    void Handler(const String& name, void (C::*method)(A...))
    {
        C* self = static_cast<C*>(this);
        FHandlers[name] = std::function<void(A...)>([self, method](A... args) { (self->*method)(args...); });
    }
    const std::any* FindHandler(const String& name) const override;

    TFormBorderStyle BorderStyle() const;
    void SetBorderStyle(TFormBorderStyle s);
    TPosition Position() const;
    void SetPosition(TPosition p);
    TFormStyle FormStyle() const;
    void SetFormStyle(TFormStyle s);
    bool KeyPreview() const;
    void SetKeyPreview(bool v);

    // Becoming visible places the form by Position and fires OnShow; calls from a worker thread
    // run on the user-interface thread.
    void SetVisible(bool v) override;
    // Shows the form and runs the message loop until ModalResult is set (a button with a modal
    // result, Close, or SetModalResult); hides it and returns the result.
    int ShowModal();
    bool Modal() const;
    int ModalResult() const;
    void SetModalResult(int r);
    // Asks OnClose (default action: hide); a modal form ends with mrCancel unless a result is
    // set; closing the main form ends the application; caFree frees the form later.
    void Close();
    // Frees the form from the message loop (safe inside its own handlers).
    void Release();
    // Window-system requests the view carries out: let the window follow the mouse (dragging a
    // borderless window), bring it to the foreground. Counted for tests.
    void BeginMoveByMouse();
    void BringToFront() override;
    int MoveRequests() const { return FMoveRequests; }

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TCloseEvent OnClose;

    bool SetLayoutProperty(const String& name, const TLayoutValue& value) override;
    int SetLayoutEvent(const String& name, const std::any& handler) override;

protected:
    bool KeyPreviewOn() const override { return KeyPreview(); }

private:
    void PlaceOnShow();
    std::map<String, std::any> FHandlers;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TPosition FPosition = poDesigned;
    TFormStyle FFormStyle = fsNormal;
    bool FKeyPreview = false;
    std::atomic<bool> FModal{false};
    std::atomic<int> FModalResult{0};
    std::atomic<int> FMoveRequests{0};
};

// Runs when a form starts its modal loop (after OnShow), on the user-interface thread: lets a
// headless run or a test act on the dialog (fill edits, click a button). Returns the previous.
using TModalHook = std::function<void(TForm& form)>;
TModalHook SetModalHook(TModalHook hook);

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* AOwner);

    // Records the calling thread as the user-interface thread.
    void Initialize();
    // Creates a form owned by the application; ref points to it before its constructor runs,
    // so the constructor may use the global. The first form created is the main form.
    template <class T>
    void CreateForm(T*& ref)
    {
        void* memory = ::operator new(sizeof(T));
        ref = static_cast<T*>(memory);
        TScopeGuard release([&] {
            ref = nullptr;
            ::operator delete(memory);
        });
        new (memory) T(this);
        release.Dismiss();
        if (!MainForm()) SetMainForm(ref);
    }
    TForm* MainForm() const;
    void SetMainForm(TForm* form);

    // The message loop: shows the main form, then handles messages until Terminate (or the main
    // form closes). Returns with Terminated cleared, so the loop can run again.
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Runs everything that is pending (queued thread calls, change notices, due timers) without
    // waiting. Does nothing on other threads than the user-interface thread.
    void ProcessMessages();
    // Runs what is pending, or waits through the rtl clock until something is (a queued call, a
    // notice, a due timer, Terminate) and runs that.
    void HandleMessage();

    String Title() const;
    void SetTitle(const String& s);
    String HelpFile() const;
    void SetHelpFile(const String& s);
    bool MainFormOnTaskbar() const { return FMainFormOnTaskbar; }
    void SetMainFormOnTaskbar(bool v) { FMainFormOnTaskbar = v; }
    bool ShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool v) { FShowMainForm = v; }

    // A box titled caption (the application's title when empty); MB_* flags, ID* results.
    int MessageBox(const String& text, const String& caption, int flags);
    // The application's exception box: an error box with the exception's message.
    void ShowException(const std::exception& e);
    // Inside a catch block: shows the exception being handled (a non-exception as an empty one);
    // EAbort is silent. Handlers that throw in the message loop end up here.
    void HandleException();
    std::function<void(TObject* Sender, const std::exception& e)> OnException;

private:
    bool ProcessOnce();
    bool HasWork();
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FWoken{false};
    TForm* FMainForm = nullptr;
    String FTitle, FHelpFile;
    std::atomic<bool> FMainFormOnTaskbar{false};
    std::atomic<bool> FShowMainForm{true};
};

class TScreen : public TObject {
public:
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor c);
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // The view tells the model the desktop's size.
    void SetSize(int width, int height);
    // Where the mouse is (the view keeps it current).
    TPoint CursorPos() const;
    void SetCursorPos(TPoint p);

private:
    std::atomic<TCursor> FCursor{crDefault};
    std::atomic<int> FWidth{1024}, FHeight{768};
    std::atomic<int> FCursorX{0}, FCursorY{0};
};

extern TApplication* Application;
extern TScreen* Screen;

// Binds every listed member of a form to the component of the same name.
#define BIND_COMPONENTS(...) BindNamed(#__VA_ARGS__, __VA_ARGS__)
