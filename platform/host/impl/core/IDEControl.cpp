#include "host/IDEControl.h"

#include <algorithm>

#include "hostimpl/HostState.h"
#include "rtl/Classes.h"
#include "zub/Forms.h"

using hostimpl::State;

TComponent* IDEApplication() { return Application; }

int TIDEEvent::Add(TNotifyEvent handler)
{
    int cookie = FNextCookie++;
    FHandlers.push_back({cookie, std::move(handler), false});
    return cookie;
}

void TIDEEvent::Remove(int cookie)
{
    std::erase_if(FHandlers, [&](const THandler& h) { return h.Cookie == cookie; });
}

int TIDEEvent::RemoveIf(const std::function<bool(const TNotifyEvent&)>& pred)
{
    return static_cast<int>(std::erase_if(FHandlers, [&](const THandler& h) { return pred(h.Proc); }));
}

void TIDEEvent::Fire(TObject* sender) { Run(sender, false); }
void TIDEEvent::FirePending(TObject* sender) { Run(sender, true); }

void TIDEEvent::Run(TObject* sender, bool pendingOnly)
{
    // A handler may add or remove handlers: walk by cookie, never by iterator.
    std::vector<int> cookies;
    for (auto& h : FHandlers)
        if (!pendingOnly || !h.Called) cookies.push_back(h.Cookie);
    for (int c : cookies) {
        auto it = std::find_if(FHandlers.begin(), FHandlers.end(),
                               [&](const THandler& h) { return h.Cookie == c; });
        if (it == FHandlers.end()) continue;
        it->Called = true;
        TNotifyEvent proc = it->Proc;
        if (proc) proc(sender);
    }
}

TIDEEvent& MainFormCreated()
{
    static TIDEEvent e;
    return e;
}

bool IsZubDesignerActive()
{
    auto* s = hostimpl::StateOrNull();
    return s && s->ZubDesignerActive;
}

bool CreateNewThreadModule(String& className, String& threadName)
{
    auto& a = State().Answers;
    auto get = [&](const char* key) {
        auto it = a.find(key);
        return it == a.end() ? String() : it->second;
    };
    // a dialog nobody answers is cancelled, as every form is
    if (SameText(get("thread.cancel"), "true") || (!a.count("thread.class") && !a.count("thread.name")))
        return false;
    className = get("thread.class");
    threadName = get("thread.name");
    if (className.empty()) className = "TMyThread";
    return true;
}

TCppCompiler* Compiler()
{
    auto* s = hostimpl::StateOrNull();
    return s ? s->Compiler.get() : nullptr;
}

void Abort() { throw EAbort("Operation aborted"); }

namespace hostimpl {

void SetZubDesignerActive(bool active) { State().ZubDesignerActive = active; }

void SetCompilerState(TCompilerState state)
{
    auto& s = State();
    if (state == TCompilerState::None) {
        s.Compiler.reset();
        return;
    }
    if (!s.Compiler) s.Compiler = std::make_unique<TCppCompiler>();
    s.Compiler->SetBusy(state == TCompilerState::Busy);
}

void ShowMainForm()
{
    State().MainFormShown = true;
    MainFormCreated().FirePending(IDEApplication());
}

bool MainFormShown()
{
    auto* s = StateOrNull();
    return s && s->MainFormShown;
}

void SetDialogAnswer(const String& key, const String& value) { State().Answers[key] = value; }
void ClearDialogAnswers() { State().Answers.clear(); }

void LoadDialogAnswers(const String& fileName)
{
    TStringList lines;
    lines.LoadFromFile(fileName);
    for (int i = 0; i < lines.Count(); ++i) {
        String line = lines[i];
        String t = Trim(line);
        if (t.empty() || t[0] == '#') continue;
        auto eq = line.find('=');
        if (eq == String::npos)
            throw EHostError("Answers file " + fileName + ", line " + IntToStr(i + 1) + ": no '='");
        SetDialogAnswer(Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)));
    }
}

}  // namespace hostimpl
