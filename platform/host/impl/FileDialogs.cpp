#include "host/FileDialogs.h"

#include <cstdio>

#include "hostimpl/HostState.h"
#include "rtl/Debug.h"
#include "rtl/Files.h"

bool TOpenDialog::Execute()
{
    char options[16];
    std::snprintf(options, sizeof options, "0x%X", Options);
    OutputDebugStringA("open dialog: filter " + Filter + ", options " + options + ", folder " + InitialDir +
                       ", file " + FileName);
    Files.Clear();
    FileName.clear();
    auto* s = hostimpl::StateOrNull();
    if (!s) return false;
    auto it = s->Answers.find("open.files");
    if (it == s->Answers.end()) return false;
    std::vector<String> chosen;
    std::size_t start = 0;
    const String& list = it->second;
    while (start <= list.size()) {
        std::size_t end = list.find(';', start);
        if (end == String::npos) end = list.size();
        String name = Trim(list.substr(start, end - start));
        if (!name.empty()) {
            if (name[0] != '/') name = IncludeTrailingPathDelimiter(hostimpl::ProjectFolder()) + name;
            if ((Options & ofFileMustExist) && !FileExists(name)) return false;
            chosen.push_back(name);
        }
        start = end + 1;
    }
    if (chosen.empty()) return false;
    if (!(Options & ofAllowMultiSelect)) chosen.resize(1);
    for (const String& f : chosen) Files.Add(f);
    FileName = chosen.front();
    return true;
}
