#include "host/SourceFiles.h"

#include <iterator>
#include <set>
#include <sstream>

#include "host/CppProject.h"
#include "hostimpl/HostImpl.h"
#include "hostimpl/HostState.h"
#include "hostimpl/ScratchBuffers.h"
#include "rtl/Files.h"

TStringFile::TStringFile(String fileName, String source, bool)
    : FFileName(std::move(fileName)), FSource(std::move(source))
{
}

HRESULT TStringFile::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IQSourceFile>(this, iid, obj)) return S_OK;
    return TInterfacedObject::QueryInterface(iid, obj);
}

const String DashLine = "//" + String(75, '-');
const String DashLineCRLF = DashLine + "\r\n";

TIntfPtr<IQSourceFile> FormatFile(const String& fileName, const String& templ, const TVarRecs& args)
{
    return TIntfPtr<IQSourceFile>(new TStringFile(fileName, Format(templ, args)));
}

bool IsCppKeyword(const String& name)
{
    // the reserved words, read once from one list
    static const std::set<String, std::less<>> kKeywords = [] {
        std::istringstream words(
            "alignas alignof and and_eq asm auto bitand bitor bool break case catch char char8_t "
            "char16_t char32_t class compl concept const consteval constexpr constinit const_cast "
            "continue co_await co_return co_yield decltype default delete do double dynamic_cast "
            "else enum explicit export extern false float for friend goto if inline int long mutable "
            "namespace new noexcept not not_eq nullptr operator or or_eq private protected public "
            "register reinterpret_cast requires return short signed sizeof static static_assert "
            "static_cast struct switch template this thread_local throw true try typedef typeid "
            "typename union unsigned using virtual void volatile wchar_t while xor xor_eq");
        return std::set<String, std::less<>>(std::istream_iterator<String>(words), {});
    }();
    return kKeywords.count(name) != 0;
}

String CppStringText(const String& text)
{
    String r;
    r.reserve(text.size());
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"': r += "\\\""; break;
        case '\\': r += "\\\\"; break;
        case '\n': r += "\\n"; break;
        case '\r': r += "\\r"; break;
        case '\t': r += "\\t"; break;
        default:
            if (c < 0x20 || c == 0x7F) {
                // three octal digits: a digit after it cannot join the escape
                r += '\\';
                r += static_cast<char>('0' + (c >> 6));
                r += static_cast<char>('0' + ((c >> 3) & 7));
                r += static_cast<char>('0' + (c & 7));
            } else {
                r += ch;
            }
        }
    }
    return r;
}

String CppQuoted(const String& text) { return "\"" + CppStringText(text) + "\""; }

void ValidateIdent(const String& name)
{
    if (!IsValidIdent(name) || IsCppKeyword(name))
        throw EHostError("'" + name + "' is not a valid identifier");
}

namespace {
bool ModuleNameTaken(const String& unitName)
{
    for (auto* m : hostimpl::AllModules())
        if (SameText(m->UnitName(), unitName)) return true;
    return hostimpl::ScratchBufferNameTaken(unitName);
}
}  // namespace

String NewFilesFolder()
{
    if (auto p = ActiveProject()) {
        const String dir = ExtractFilePath(p->FileName());
        if (!dir.empty()) return IncludeTrailingPathDelimiter(dir);
    }
    return hostimpl::ProjectFolder();
}

String MakeUniqueModuleName(const String& base, const String& ext, const String& folder)
{
    // A new module belongs beside the active project; without one in the host's folder.
    const String dir = folder.empty() ? NewFilesFolder() : IncludeTrailingPathDelimiter(folder);
    for (int n = 1;; ++n) {
        String unit = base + IntToStr(n);
        String candidate = dir + unit + ext;
        if (!ModuleNameTaken(unit) && !FileExists(candidate)) return candidate;
    }
}
