#include "zub/Forms.h"

#include "rtl/Clock.h"
#include "rtl/MainThread.h"
#include "zub/ExtCtrls.h"

TApplication* Application = new TApplication(nullptr);
TScreen* Screen = new TScreen();

namespace {

std::mutex& HookLock()
{
    static std::mutex m;
    return m;
}

TModalHook& ModalHook()
{
    static TModalHook hook;
    return hook;
}

// Runs f on the user-interface thread and waits (at once when already there).
void OnMainThread(const std::function<void()>& f)
{
    if (IsMainThread())
        f();
    else
        RunInMainThread(f, true);
}

}  // namespace

TModalHook SetModalHook(TModalHook hook)
{
    std::lock_guard g(HookLock());
    TModalHook previous = std::move(ModalHook());
    ModalHook() = std::move(hook);
    return previous;
}

// ---- TForm

TForm::TForm(TComponent* AOwner) : TControl(AOwner)
{
    TControl::SetVisible(false);
    SetBounds(0, 0, 640, 480);
}

TForm::~TForm()
{
    if (Application && Application->MainForm() == this) Application->SetMainForm(nullptr);
}

std::vector<String> SplitBindNames(const char* names)
{
    std::vector<String> list;
    const String text = names;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(',', start);
        if (end == String::npos) end = text.size();
        list.push_back(Trim(text.substr(start, end - start)));
        start = end + 1;
    }
    return list;
}

const std::any* TForm::FindHandler(const String& name) const
{
    for (const auto& [n, h] : FHandlers)
        if (SameText(n, name)) return &h;
    return nullptr;
}

TFormBorderStyle TForm::BorderStyle() const { return Get(FBorderStyle); }
void TForm::SetBorderStyle(TFormBorderStyle s) { Put(FBorderStyle, s, TProp::Style); }
TPosition TForm::Position() const { return Get(FPosition); }
void TForm::SetPosition(TPosition p) { Put(FPosition, p, TProp::Style); }
TFormStyle TForm::FormStyle() const { return Get(FFormStyle); }
void TForm::SetFormStyle(TFormStyle s) { Put(FFormStyle, s, TProp::Style); }
bool TForm::KeyPreview() const { return Get(FKeyPreview); }
void TForm::SetKeyPreview(bool v) { Put(FKeyPreview, v, TProp::Style); }

void TForm::PlaceOnShow()
{
    TPosition p = Position();
    int w = Width(), h = Height();
    if (p == poScreenCenter || p == poDesktopCenter) {
        SetBounds((Screen->Width() - w) / 2, (Screen->Height() - h) / 2, w, h);
    } else if (p == poMainFormCenter || p == poOwnerFormCenter) {
        TForm* m = p == poOwnerFormCenter ? dynamic_cast<TForm*>(Owner()) : Application->MainForm();
        if (!m) m = Application->MainForm();
        if (m && m != this)
            SetBounds(m->Left() + (m->Width() - w) / 2, m->Top() + (m->Height() - h) / 2, w, h);
    }
}

void TForm::SetVisible(bool v)
{
    OnMainThread([&] {
        if (Visible() == v) return;
        if (v) PlaceOnShow();
        TControl::SetVisible(v);
        Changed(TProp::FormState);
        Fire(v ? OnShow : OnHide, this);
    });
}

int TForm::ShowModal()
{
    int result = 0;
    OnMainThread([&] {
        SetModalResult(mrNone);
        FModal = true;
        TScopeGuard close([&] {
            FModal = false;
            result = ModalResult();
            Hide();
        });
        Show();
        TModalHook hook;
        {
            std::lock_guard g(HookLock());
            hook = ModalHook();
        }
        if (hook) hook(*this);
        while (ModalResult() == mrNone && !Application->Terminated()) Application->HandleMessage();
    });
    return result;
}

bool TForm::Modal() const { return FModal; }
int TForm::ModalResult() const { return FModalResult; }

void TForm::SetModalResult(int r)
{
    FModalResult = r;
    Changed(TProp::FormState);
}

void TForm::Close()
{
    OnMainThread([&] {
        TCloseAction action = caHide;
        if (OnClose) OnClose(this, action);
        if (action == caNone) return;
        if (Modal()) {
            if (ModalResult() == mrNone) SetModalResult(mrCancel);
            return;  // ShowModal hides it
        }
        Hide();
        if (Application->MainForm() == this)
            Application->Terminate();
        else if (action == caFree)
            Release();
    });
}

void TForm::Release()
{
    RunInMainThread([this] { delete this; }, false);
}

void TForm::BeginMoveByMouse()
{
    ++FMoveRequests;
    PostNotice(TNotice{this, TProp::Request, TNoticeKind::Property, -1, -1, "move"});
}

void TForm::BringToFront()
{
    PostNotice(TNotice{this, TProp::Request, TNoticeKind::Property, -1, -1, "front"});
}

bool TForm::SetLayoutProperty(const String& name, const TLayoutValue& v)
{
    if (SameText(name, "BorderStyle"))
        SetBorderStyle(static_cast<TFormBorderStyle>(LayoutEnum(
            v, {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"})));
    else if (SameText(name, "Position"))
        SetPosition(static_cast<TPosition>(
            LayoutEnum(v, {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                           "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"})));
    else if (SameText(name, "FormStyle"))
        SetFormStyle(
            static_cast<TFormStyle>(LayoutEnum(v, {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"})));
    else if (SameText(name, "KeyPreview"))
        SetKeyPreview(v.AsBool());
    else if (SameText(name, "Visible"))
        TControl::SetVisible(v.AsBool());  // shown by the program, not the reader
    else if (SameText(name, "BorderIcons") || SameText(name, "WindowState") || SameText(name, "AutoScroll") ||
             SameText(name, "Scaled") || SameText(name, "AlphaBlend") || SameText(name, "AlphaBlendValue"))
        return true;
    else
        return TControl::SetLayoutProperty(name, v);
    return true;
}

int TForm::SetLayoutEvent(const String& name, const std::any& h)
{
    if (SameText(name, "OnShow")) return AssignEvent(OnShow, h);
    if (SameText(name, "OnHide")) return AssignEvent(OnHide, h);
    if (SameText(name, "OnActivate")) return AssignEvent(OnActivate, h);
    if (SameText(name, "OnClose")) return AssignEvent(OnClose, h);
    return TControl::SetLayoutEvent(name, h);
}

// ---- TApplication

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner)
{
    SetWakeMainThread([this] { FWoken = true; });
    Notices().SetWake([this] { FWoken = true; });
}

void TApplication::Initialize() { SetMainThread(); }

TForm* TApplication::MainForm() const
{
    std::lock_guard g(Lock());
    return FMainForm;
}

void TApplication::SetMainForm(TForm* form)
{
    std::lock_guard g(Lock());
    FMainForm = form;
}

void TApplication::Run()
{
    if (TForm* m = MainForm(); m && ShowMainForm() && !m->Visible()) m->Show();
    while (!Terminated()) HandleMessage();
    FTerminated = false;
}

void TApplication::Terminate()
{
    FTerminated = true;
    FWoken = true;
}

bool TApplication::ProcessOnce()
{
    bool any = false;
    try {
        any |= CheckSynchronize();
        any |= Notices().Drain() > 0;
        any |= TTimer::FireDue();
    } catch (...) {
        HandleException();
        any = true;
    }
    return any;
}

bool TApplication::HasWork()
{
    return FWoken.exchange(false) || FTerminated || !MainThreadQueueEmpty() || !Notices().Empty() ||
           TTimer::NextDueIn() == 0;
}

void TApplication::ProcessMessages()
{
    if (!IsMainThread()) return;
    // Bounded, so a handler that keeps posting cannot hold the caller forever.
    for (int i = 0; i < 1000 && ProcessOnce(); ++i) {}
}

void TApplication::HandleMessage()
{
    if (!IsMainThread()) return;
    FWoken = false;
    if (ProcessOnce()) return;
    long long due = TTimer::NextDueIn();
    Clock().WaitUntil([this] { return HasWork(); }, due);
    ProcessOnce();
}

String TApplication::Title() const
{
    std::lock_guard g(Lock());
    return FTitle;
}

void TApplication::SetTitle(const String& s)
{
    std::lock_guard g(Lock());
    FTitle = s;
}

String TApplication::HelpFile() const
{
    std::lock_guard g(Lock());
    return FHelpFile;
}

void TApplication::SetHelpFile(const String& s)
{
    std::lock_guard g(Lock());
    FHelpFile = s;
}

int TApplication::MessageBox(const String& text, const String& caption, int flags)
{
    return ::MessageBox(text, caption.empty() ? Title() : caption, flags);
}

void TApplication::ShowException(const std::exception& e)
{
    TDialogRequest r;
    r.Title = Title();
    r.Text = e.what();
    r.Type = mtError;
    r.Buttons = mbOK;
    ShowDialog(r);
}

void TApplication::HandleException()
{
    try {
        throw;
    } catch (const EAbort&) {
    } catch (const std::exception& e) {
        if (OnException)
            OnException(this, e);
        else
            ShowException(e);
    } catch (...) {
        Exception empty("");
        if (OnException)
            OnException(this, empty);
        else
            ShowException(empty);
    }
}

// ---- TScreen

void TScreen::SetCursor(TCursor c)
{
    if (FCursor.exchange(c) != c) Notices().Post(TNotice{nullptr, TProp::Cursor});
}

void TScreen::SetSize(int width, int height)
{
    FWidth = width;
    FHeight = height;
}

TPoint TScreen::CursorPos() const { return TPoint{FCursorX, FCursorY}; }

void TScreen::SetCursorPos(TPoint p)
{
    FCursorX = p.X;
    FCursorY = p.Y;
}
