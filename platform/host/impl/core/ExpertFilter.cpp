#include "host/ExpertFilter.h"

#include <algorithm>
#include <map>

#include "host/SourceFiles.h"

#include "rtl/Files.h"

namespace {

String Trimmed(const String& s)
{
    auto b = s.find_first_not_of(" \t");
    if (b == String::npos) return "";
    auto e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

class TExpertFilter : public TInterfacedObject, public IExpertFilter {
public:
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        if (QueryAs<IExpertFilter>(this, iid, obj)) return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }
    void SetVariable(const String& name, const String& value) override { FVars[UpperCase(name)] = value; }
    String GetVariable(const String& name) override
    {
        auto it = FVars.find(UpperCase(name));
        return it == FVars.end() ? String() : it->second;
    }
    bool HasVariable(const String& name) override { return FVars.count(UpperCase(name)) != 0; }

    String FilterFile(const String& fileName, const String& folder) override
    {
        const String path = folder + fileName;
        const String text = ReadFileBytes(path);
        String out;
        // One entry per open $IF: whether its current branch is kept, and whether $ELSE was seen.
        struct TLevel {
            bool Cond, Parent, InElse;
        };
        std::vector<TLevel> levels;
        auto keeping = [&] {
            return levels.empty() || (levels.back().Parent && levels.back().Cond != levels.back().InElse);
        };
        std::size_t pos = 0;
        int lineNo = 0;
        while (pos < text.size()) {
            std::size_t nl = text.find('\n', pos);
            std::size_t end = nl == String::npos ? text.size() : nl + 1;
            String line = text.substr(pos, end - pos);
            pos = end;
            ++lineNo;
            String bare = line;
            while (!bare.empty() && (bare.back() == '\n' || bare.back() == '\r')) bare.pop_back();
            const String t = Trimmed(bare);
            auto fail = [&](const String& what) -> void {
                throw EHostError(what + " in line " + IntToStr(lineNo) + " of " + path);
            };
            if (t.rfind("$IF(", 0) == 0 && t.size() > 5 && t.back() == ')') {
                const String name = t.substr(4, t.size() - 5);
                const bool parent = keeping();
                levels.push_back({UpperCase(GetVariable(name)) == "TRUE", parent, false});
                continue;
            }
            if (t == "$ELSE") {
                if (levels.empty() || levels.back().InElse) fail("$ELSE without $IF");
                levels.back().InElse = true;
                continue;
            }
            if (t == "$ENDIF") {
                if (levels.empty()) fail("$ENDIF without $IF");
                levels.pop_back();
                continue;
            }
            if (!keeping()) continue;
            for (std::size_t p = 0; p < line.size();) {
                const std::size_t plain = line.find("$(", p), literal = line.find("$CSTR(", p);
                const std::size_t d = std::min(plain, literal);
                if (d == String::npos) {
                    out += line.substr(p);
                    break;
                }
                out += line.substr(p, d - p);
                const std::size_t open = d == literal ? d + 6 : d + 2;
                std::size_t close = line.find(')', open);
                if (close == String::npos) fail(d == literal ? "Unclosed $CSTR(" : "Unclosed $(");
                const String name = line.substr(open, close - open);
                if (!HasVariable(name)) fail("Unknown variable " + name);
                out += d == literal ? CppQuoted(GetVariable(name)) : GetVariable(name);
                p = close + 1;
            }
        }
        if (!levels.empty()) throw EHostError("$IF without $ENDIF in " + path);
        return out;
    }

private:
    std::map<String, String> FVars;
};

}  // namespace

TIntfPtr<IExpertFilter> CoExpertFilter::Create() { return TIntfPtr<IExpertFilter>(new TExpertFilter); }
