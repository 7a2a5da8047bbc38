#include "KrotexSkeletons.h"

#include <sstream>
#include <vector>

namespace {

struct TInterface {
    std::vector<String> Modules;
    String Name;
};

String Word(const String& line, std::size_t from)
{
    std::size_t b = line.find_first_not_of(" \t", from);
    if (b == String::npos) return "";
    std::size_t e = b;
    while (e < line.size() && (std::isalnum(static_cast<unsigned char>(line[e])) || line[e] == '_')) ++e;
    return line.substr(b, e - b);
}

}  // namespace

String KrotexSkeletonBlock(const String& clientHeader, const String& guard)
{
    // omniidl opens a module with "_CORBA_MODULE M" and "_CORBA_MODULE_BEG", closes it with
    // "_CORBA_MODULE_END"; every interface has its servant base "class _impl_I :".
    std::vector<TInterface> found;
    std::vector<String> open;
    String pending;
    std::istringstream in(clientHeader);
    String line;
    while (std::getline(in, line)) {
        const String t = Trim(line);
        if (t.rfind("_CORBA_MODULE_BEG", 0) == 0) {
            open.push_back(pending);
        } else if (t.rfind("_CORBA_MODULE_END", 0) == 0) {
            if (!open.empty()) open.pop_back();
        } else if (t.rfind("_CORBA_MODULE ", 0) == 0) {
            pending = Word(t, 14);
        } else if (t.rfind("class _impl_", 0) == 0 && t.find(';') == String::npos) {
            if (!open.empty() && (open[0].rfind("POA_", 0) == 0 || open[0].rfind("OBV_", 0) == 0)) continue;
            found.push_back({open, Word(t, 12)});
        }
    }
    if (found.empty()) return "";
    String out = "\n#ifndef " + guard + "\n#define " + guard +
                 "\n"
                 "// The skeletons by their \"_sk_\" names: implementations derive from these.\n";
    for (const TInterface& i : found) {
        String open, close, base = "::POA_";
        for (std::size_t m = 0; m < i.Modules.size(); ++m) {
            open += "namespace _sk_" + i.Modules[m] + " { ";
            close += "}";
            base += i.Modules[m] + "::";
        }
        out += open + "class _sk_" + i.Name + " : public virtual " + base + i.Name + " {}; " + close;
        while (!out.empty() && out.back() == ' ') out.pop_back();
        out += "\n";
    }
    return out + "#endif\n";
}
