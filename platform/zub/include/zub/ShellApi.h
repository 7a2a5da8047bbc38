#pragma once
// Opening documents and addresses through the desktop shell, behind IShell; the headless one
// records each request.
#include <memory>
#include <mutex>
#include <vector>

#include "rtl/SysUtils.h"

class TComponent;

constexpr int SW_HIDE = 0, SW_SHOWNORMAL = 1, SW_SHOW = 5, SW_SHOWDEFAULT = 10;

struct TShellRequest {
    TComponent* Owner = nullptr;  // the window the request belongs to, or none
    String Verb;  // "open"
    String File;
    String Parameters;
    String Directory;
    int ShowCmd = SW_SHOWNORMAL;
};

class IShell {
public:
    virtual ~IShell() = default;
    // Returns a value above 32 on success (as the desktop does), else an error code.
    virtual int Execute(const TShellRequest& request) = 0;
};

class THeadlessShell : public IShell {
public:
    int Execute(const TShellRequest& request) override;  // records, answers 42
    std::vector<TShellRequest> Requests() const;

private:
    mutable std::mutex FLock;
    std::vector<TShellRequest> FRequests;
};

IShell& Shell();
std::shared_ptr<IShell> SetShell(std::shared_ptr<IShell> shell);

int ShellExecute(TComponent* owner, const String& verb, const String& file, const String& parameters,
                 const String& directory, int showCmd);
