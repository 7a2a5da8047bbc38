#include "KrotexSwitches.h"

#include <regex>

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

String KrotexDiagnostic(const String& line)
{
    static const std::regex summary(R"(^omniidl: \d+ (error|warning).*)");
    static const std::regex located(R"(^(.*):(\d+): (Warning: )?(.*)$)");
    const String t = TrimRight(line);
    if (t.empty() || std::regex_match(t, summary)) return "";
    std::smatch m;
    if (std::regex_match(t, m, located))
        return m[1].str() + ":" + m[2].str() + ": " + (m[3].matched ? "(warning) " : "") + m[4].str();
    if (StartsWith(t, "omniidl: ")) return "krotex: " + t.substr(9);
    return t;
}
