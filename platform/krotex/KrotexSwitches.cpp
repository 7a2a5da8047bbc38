#include "KrotexSwitches.h"

#include "rtl/Files.h"

namespace {

struct TValueSwitch {
    const char* Text;
    String TKrotexArgs::*Field;
};

const TValueSwitch kValueSwitches[] = {
    {"-hdr_suffix", &TKrotexArgs::HdrSuffix}, {"-src_suffix", &TKrotexArgs::SrcSuffix},
    {"-client_ext", &TKrotexArgs::ClientExt}, {"-server_ext", &TKrotexArgs::ServerExt},
    {"-root_dir", &TKrotexArgs::RootDir},     {"-src_dir", &TKrotexArgs::SrcDir},
    {"-hdr_dir", &TKrotexArgs::HdrDir},
};

const char* const kOnOff[] = {"-no_tie",      "-no_stdstream",     "-incl_files_code",
                              "-obj_wrapper", "-virtual_impl_inh", "-type_code_info",
                              "-boa"};

bool StartsWith(const String& s, const String& head) { return s.compare(0, head.size(), head) == 0; }

String Folder(const String& own, const String& root)
{
    if (!own.empty()) return own;
    return root.empty() ? String(".") : root;
}

String StripDot(const String& suffix)
{
    return !suffix.empty() && suffix[0] == '.' ? suffix.substr(1) : suffix;
}

}  // namespace

String TKrotexArgs::SourceFolder() const { return Folder(SrcDir, RootDir); }
String TKrotexArgs::HeaderFolder() const { return Folder(HdrDir, RootDir); }

TKrotexArgs ParseKrotexArgs(const std::vector<String>& args)
{
    TKrotexArgs a;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const String& w = args[i];
        auto value = [&](const String& sw) -> String {
            if (w.size() > sw.size()) return w.substr(sw.size());
            if (i + 1 >= args.size()) throw EKrotexUsage(sw + " needs a value");
            return args[++i];
        };
        if (w.empty()) continue;
        if (w[0] != '-') {
            a.Files.push_back(w);
            continue;
        }
        bool done = false;
        for (const auto& v : kValueSwitches)
            if (StartsWith(w, v.Text)) {
                a.*(v.Field) = value(v.Text);
                done = true;
                break;
            }
        for (const char* o : kOnOff)
            if (!done && w == o) done = true;
        if (!done && StartsWith(w, "-I")) {
            a.IncludePath.push_back(value("-I"));
            done = true;
        }
        if (!done && StartsWith(w, "-D") && w.size() > 2) {
            a.Defines.push_back(w.substr(2));
            done = true;
        }
        if (!done) throw EKrotexUsage("unknown switch " + w);
    }
    for (const String* s : {&a.HdrSuffix, &a.SrcSuffix})
        if (StripDot(*s).empty()) throw EKrotexUsage("empty file suffix");
    if (a.Files.empty()) throw EKrotexUsage("no IDL file given");
    return a;
}

TKrotexOutputs KrotexOutputs(const TKrotexArgs& a, const String& idlFile)
{
    String base = idlFile;
    const auto slash = base.find_last_of('/');
    if (slash != String::npos) base = base.substr(slash + 1);
    const auto dot = base.rfind('.');
    if (dot != String::npos && dot > 0) base = base.substr(0, dot);
    const String src = IncludeTrailingPathDelimiter(a.SourceFolder()),
                 hdr = IncludeTrailingPathDelimiter(a.HeaderFolder());
    const String hs = "." + StripDot(a.HdrSuffix), ss = "." + StripDot(a.SrcSuffix);
    return {hdr + base + a.ClientExt + hs, src + base + a.ClientExt + ss, hdr + base + a.ServerExt + hs,
            src + base + a.ServerExt + ss};
}

bool KrotexPlace(const String& line, TKrotexPlace& place)
{
    for (std::size_t p = line.rfind(": "); p != String::npos && p > 0; p = line.rfind(": ", p - 1)) {
        std::size_t d = p;
        while (d > 0 && line[d - 1] >= '0' && line[d - 1] <= '9') --d;
        if (d == p || d == 0 || line[d - 1] != ':') continue;
        if (p - d > 9) return false;
        place.File = line.substr(0, d - 1);
        place.Line = std::stoi(line.substr(d, p - d));
        place.Text = line.substr(p + 2);
        return true;
    }
    return false;
}

String KrotexDiagnostic(const String& line)
{
    const String t = TrimRight(line);
    if (t.empty()) return "";
    if (StartsWith(t, "omniidl: ")) {
        // its closing count: "omniidl: 1 error and 1 warning."
        std::size_t d = 9;
        while (d < t.size() && t[d] >= '0' && t[d] <= '9') ++d;
        if (d > 9 && (t.compare(d, 6, " error") == 0 || t.compare(d, 8, " warning") == 0)) return "";
    }
    TKrotexPlace p;
    if (KrotexPlace(t, p)) {
        const bool warning = StartsWith(p.Text, "Warning: ");
        return p.File + ":" + IntToStr(p.Line) + ": " + (warning ? "(warning) " + p.Text.substr(9) : p.Text);
    }
    if (StartsWith(t, "omniidl: ")) return "krotex: " + t.substr(9);
    return t;
}
