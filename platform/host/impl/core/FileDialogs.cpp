#include "host/FileDialogs.h"

#include <cstdio>

#include "host/ToolsAPI.h"
#include "hostimpl/HostState.h"
#include "rtl/Debug.h"
#include "rtl/Files.h"
#include "rtl/ScopeGuard.h"

TOpenDialog::TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}

TOpenDialog::~TOpenDialog() = default;

namespace {

// The number of "text|mask" pairs of a filter.
int FilterCount(const String& filter)
{
    if (filter.empty()) return 0;
    int bars = 0;
    for (char c : filter) bars += c == '|';
    return (bars + 1) / 2;
}

std::vector<String> AnsweredFiles(const String& list)
{
    std::vector<String> chosen;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(';', start);
        if (end == String::npos) end = list.size();
        String name = Trim(list.substr(start, end - start));
        if (!name.empty()) {
            if (name[0] != '/') name = IncludeTrailingPathDelimiter(hostimpl::ProjectFolder()) + name;
            chosen.push_back(name);
        }
        start = end + 1;
    }
    return chosen;
}

}  // namespace

bool TOpenDialog::Execute()
{
    char options[16];
    std::snprintf(options, sizeof options, "0x%X", Options);
    OutputDebugStringA("open dialog: filter " + Filter + ", options " + options + ", folder " + InitialDir +
                       ", file " + FileName);
    Files.Clear();
    auto* s = hostimpl::StateOrNull();
    std::vector<String> chosen;
    int filterIndex = FilterIndex;
    if (s) {
        if (auto it = s->Answers.find("open.filter"); it != s->Answers.end()) {
            filterIndex = StrToIntDef(Trim(it->second), 0);
            if (filterIndex < 1 || filterIndex > FilterCount(Filter))
                throw EHostError("The open dialog has no filter " + it->second + " (it has " +
                                 IntToStr(FilterCount(Filter)) + ")");
        }
        if (auto it = s->Answers.find("open.files"); it != s->Answers.end())
            chosen = AnsweredFiles(it->second);
    }
    if (!(Options & ofAllowMultiSelect) && chosen.size() > 1) chosen.resize(1);

    FWindow = std::make_unique<TForm>(nullptr);
    FWindow->SetName("OpenDialog");
    FWindow->SetCaption("Open");
    FWindow->SetBounds(0, 0, kStandardWidth + ExtraWidth, kStandardHeight);
    TScopeGuard closed([this] {
        // controls a derived dialog put into the window stay its own
        while (FWindow->ControlCount() > 0) FWindow->Controls(0)->SetParent(nullptr);
        FWindow.reset();
    });
    if (OnShow) OnShow(this);
    if (OnSelectionChange) OnSelectionChange(this);
    FilterIndex = filterIndex;
    for (const String& f : chosen) {
        FileName = f;
        if (OnSelectionChange) OnSelectionChange(this);
    }
    if (OnClose) OnClose(this);
    FileName.clear();
    if (chosen.empty()) return false;
    if (Options & ofFileMustExist)
        for (const String& f : chosen)
            if (!FileExists(f)) return false;
    for (const String& f : chosen) Files.Add(f);
    FileName = chosen.front();
    return true;
}
