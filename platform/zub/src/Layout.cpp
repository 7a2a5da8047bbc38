#include "zub/Layout.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <limits>

#include "zub/Controls.h"
#include "zub/Menus.h"

ELayoutError::ELayoutError(int line, const String& msg)
    : Exception("Layout line " + IntToStr(line) + ": " + msg), FLine(line)
{
}

int TLayoutValue::AsInt() const
{
    if (Kind != Int) throw ELayoutError(Line, "integer expected");
    // 32 bits, read as two's complement above INT_MAX ($FFFFFFFF is -1) as the layouts write them.
    if (IntValue < std::numeric_limits<int>::min() || IntValue > std::numeric_limits<unsigned>::max())
        throw ELayoutError(Line, "integer out of range");
    return static_cast<int>(IntValue);
}

double TLayoutValue::AsFloat() const
{
    if (Kind == Int) return static_cast<double>(IntValue);
    if (Kind != Float) throw ELayoutError(Line, "number expected");
    return FloatValue;
}

bool TLayoutValue::AsBool() const
{
    if (Kind == Ident && SameText(Text, "true")) return true;
    if (Kind == Ident && SameText(Text, "false")) return false;
    throw ELayoutError(Line, "True or False expected");
}

String TLayoutValue::AsString() const
{
    if (Kind != Str) throw ELayoutError(Line, "string expected");
    return Text;
}

const String& TLayoutValue::AsIdent() const
{
    if (Kind != Ident) throw ELayoutError(Line, "identifier expected");
    return Text;
}

const std::vector<String>& TLayoutValue::AsList() const
{
    if (Kind != List) throw ELayoutError(Line, "list ( ... ) expected");
    return Items;
}

const std::vector<String>& TLayoutValue::AsSet() const
{
    if (Kind != Set) throw ELayoutError(Line, "set [ ... ] expected");
    return Items;
}

TComponent* TLayoutValue::AsComponent() const
{
    const String& name = AsIdent();
    TComponent* c = Root ? Root->FindComponent(name) : nullptr;
    if (!c) throw ELayoutError(Line, "unknown component " + name);
    return c;
}

namespace {

struct TToken {
    enum TKind { End, Ident, Int, Float, Str, Symbol, Binary } Kind = End;
    String Text;
    long long IntValue = 0;
    double FloatValue = 0;
    int Line = 1;
};

class TLexer {
public:
    explicit TLexer(const String& text) : FText(text) {}

    TToken Next()
    {
        SkipBlanks();
        TToken t;
        t.Line = FLine;
        if (FPos >= FText.size()) return t;
        char c = FText[FPos];
        auto isIdentStart = [](char ch) { return std::isalpha(static_cast<unsigned char>(ch)) || ch == '_'; };
        if (isIdentStart(c)) {
            std::size_t start = FPos;
            while (FPos < FText.size() && (std::isalnum(static_cast<unsigned char>(FText[FPos])) ||
                                           FText[FPos] == '_' || FText[FPos] == '.'))
                ++FPos;
            t.Kind = TToken::Ident;
            t.Text = FText.substr(start, FPos - start);
            return t;
        }
        if (c == '\'' || c == '#') return ReadString(t);
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '$') return ReadNumber(t);
        if (c == '{') return ReadBinary(t);
        ++FPos;
        t.Kind = TToken::Symbol;
        t.Text = String(1, c);
        return t;
    }

private:
    void SkipBlanks()
    {
        while (FPos < FText.size()) {
            char c = FText[FPos];
            if (c == '\n') {
                ++FLine;
                ++FPos;
            } else if (c == ' ' || c == '\t' || c == '\r') {
                ++FPos;
            } else if (c == '/' && FPos + 1 < FText.size() && FText[FPos + 1] == '/') {
                while (FPos < FText.size() && FText[FPos] != '\n') ++FPos;
            } else {
                break;
            }
        }
    }

    // Quoted pieces and #NNN codes written next to each other form one string.
    TToken ReadString(TToken& t)
    {
        t.Kind = TToken::Str;
        while (FPos < FText.size()) {
            char c = FText[FPos];
            if (c == '\'') {
                ++FPos;
                for (;;) {
                    if (FPos >= FText.size() || FText[FPos] == '\n')
                        throw ELayoutError(t.Line, "unterminated string");
                    if (FText[FPos] == '\'') {
                        if (FPos + 1 < FText.size() && FText[FPos + 1] == '\'') {
                            t.Text += '\'';
                            FPos += 2;
                            continue;
                        }
                        ++FPos;
                        break;
                    }
                    t.Text += FText[FPos++];
                }
            } else if (c == '#') {
                ++FPos;
                std::size_t start = FPos;
                while (FPos < FText.size() && std::isdigit(static_cast<unsigned char>(FText[FPos]))) ++FPos;
                if (start == FPos) throw ELayoutError(t.Line, "character code expected after #");
                AppendUtf8(t.Text, static_cast<char32_t>(
                                       std::strtoul(FText.substr(start, FPos - start).c_str(), nullptr, 10)));
            } else {
                break;
            }
        }
        return t;
    }

    TToken ReadNumber(TToken& t)
    {
        std::size_t start = FPos;
        if (FText[FPos] == '-') ++FPos;
        if (FPos < FText.size() && FText[FPos] == '$') {
            ++FPos;
            std::size_t hexStart = FPos;
            while (FPos < FText.size() && std::isxdigit(static_cast<unsigned char>(FText[FPos]))) ++FPos;
            if (hexStart == FPos) throw ELayoutError(t.Line, "hexadecimal digits expected");
            // Up to 64 bits; $8000000000000000 and above read as two's complement (-1 for 16 Fs),
            // and a negated one must fit: -$8000000000000000 is the smallest.
            if (FPos - hexStart > 16) throw ELayoutError(t.Line, "number out of range");
            const unsigned long long u =
                std::strtoull(FText.substr(hexStart, FPos - hexStart).c_str(), nullptr, 16);
            constexpr unsigned long long smallest = 1ULL << 63;
            t.Kind = TToken::Int;
            if (FText[start] != '-')
                t.IntValue = static_cast<long long>(u);
            else if (u > smallest)
                throw ELayoutError(t.Line, "number out of range");
            else
                t.IntValue =
                    u == smallest ? std::numeric_limits<long long>::min() : -static_cast<long long>(u);
            return t;
        }
        bool isFloat = false;
        while (FPos < FText.size()) {
            char c = FText[FPos];
            if (std::isdigit(static_cast<unsigned char>(c)))
                ++FPos;
            else if (c == '.' || c == 'e' || c == 'E' ||
                     ((c == '-' || c == '+') && (FText[FPos - 1] == 'e' || FText[FPos - 1] == 'E'))) {
                isFloat = true;
                ++FPos;
            } else
                break;
        }
        String s = FText.substr(start, FPos - start);
        if (s == "-") throw ELayoutError(t.Line, "number expected after -");
        if (isFloat) {
            t.Kind = TToken::Float;
            char* end = nullptr;
            t.FloatValue = std::strtod(s.c_str(), &end);
            if (!end || *end) throw ELayoutError(t.Line, "bad number " + s);
        } else {
            t.Kind = TToken::Int;
            errno = 0;
            t.IntValue = std::strtoll(s.c_str(), nullptr, 10);
            if (errno == ERANGE) throw ELayoutError(t.Line, "number out of range");
        }
        return t;
    }

    TToken ReadBinary(TToken& t)
    {
        ++FPos;
        t.Kind = TToken::Binary;
        int nibble = -1;
        for (;;) {
            if (FPos >= FText.size()) throw ELayoutError(t.Line, "unterminated binary data");
            char c = FText[FPos++];
            if (c == '}') break;
            if (c == '\n') {
                ++FLine;
                continue;
            }
            if (c == ' ' || c == '\t' || c == '\r') continue;
            if (!std::isxdigit(static_cast<unsigned char>(c))) throw ELayoutError(FLine, "bad binary data");
            int v = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (std::tolower(c) - 'a' + 10);
            if (nibble < 0)
                nibble = v;
            else {
                t.Text += static_cast<char>((nibble << 4) | v);
                nibble = -1;
            }
        }
        if (nibble >= 0) throw ELayoutError(t.Line, "odd number of hexadecimal digits");
        return t;
    }

    const String& FText;
    std::size_t FPos = 0;
    int FLine = 1;
};

struct TPropNode {
    String Name;
    TLayoutValue Value;
};

struct TObjNode {
    String Name, Class;
    int Line = 0;
    std::vector<TPropNode> Props;
    std::vector<TObjNode> Children;
};

class TParser {
public:
    explicit TParser(const String& text) : FLex(text) { Advance(); }

    TObjNode ParseRoot()
    {
        TObjNode root = ParseObject();
        if (FTok.Kind != TToken::End) throw ELayoutError(FTok.Line, "text after the final end");
        return root;
    }

private:
    void Advance() { FTok = FLex.Next(); }
    bool IsSymbol(const char* s) const { return FTok.Kind == TToken::Symbol && FTok.Text == s; }
    bool IsWord(const char* w) const { return FTok.Kind == TToken::Ident && SameText(FTok.Text, w); }
    void Expect(const char* s)
    {
        if (!IsSymbol(s)) throw ELayoutError(FTok.Line, String("'") + s + "' expected");
        Advance();
    }
    String ExpectIdent(const char* what)
    {
        if (FTok.Kind != TToken::Ident) throw ELayoutError(FTok.Line, String(what) + " expected");
        String s = FTok.Text;
        Advance();
        return s;
    }

    // Deeper nesting than any form has is refused rather than run the stack out.
    static constexpr int MaxDepth = 200;

    TObjNode ParseObject(int depth = 1)
    {
        if (depth > MaxDepth) throw ELayoutError(FTok.Line, "objects nested too deeply");
        if (IsWord("inherited") || IsWord("inline"))
            throw ELayoutError(FTok.Line, "inherited layouts are not supported");
        if (!IsWord("object")) throw ELayoutError(FTok.Line, "'object' expected");
        TObjNode node;
        node.Line = FTok.Line;
        Advance();
        node.Name = ExpectIdent("object name");
        if (IsSymbol(":")) {
            Advance();
            node.Class = ExpectIdent("class name");
        } else {
            node.Class = node.Name;  // "object TFoo" without a name
            node.Name.clear();
        }
        for (;;) {
            if (FTok.Kind == TToken::End) throw ELayoutError(FTok.Line, "'end' expected for " + node.Name);
            if (IsWord("end")) {
                Advance();
                return node;
            }
            if (IsWord("object") || IsWord("inherited") || IsWord("inline")) {
                node.Children.push_back(ParseObject(depth + 1));
                continue;
            }
            TPropNode p;
            int line = FTok.Line;
            p.Name = ExpectIdent("property name");
            Expect("=");
            p.Value = ParseValue();
            p.Value.Line = line;
            node.Props.push_back(std::move(p));
        }
    }

    // A string token and the ones joined to it with +.
    String ReadJoinedString()
    {
        String s = FTok.Text;
        Advance();
        while (IsSymbol("+")) {
            Advance();
            if (FTok.Kind != TToken::Str) throw ELayoutError(FTok.Line, "string expected after +");
            s += FTok.Text;
            Advance();
        }
        return s;
    }

    TLayoutValue ParseValue()
    {
        TLayoutValue v;
        v.Line = FTok.Line;
        switch (FTok.Kind) {
        case TToken::Str:
            v.Kind = TLayoutValue::Str;
            v.Text = ReadJoinedString();
            return v;
        case TToken::Int:
            v.Kind = TLayoutValue::Int;
            v.IntValue = FTok.IntValue;
            Advance();
            return v;
        case TToken::Float:
            v.Kind = TLayoutValue::Float;
            v.FloatValue = FTok.FloatValue;
            Advance();
            return v;
        case TToken::Ident:
            v.Kind = TLayoutValue::Ident;
            v.Text = FTok.Text;
            Advance();
            return v;
        case TToken::Binary:
            v.Kind = TLayoutValue::Binary;
            v.Text = FTok.Text;
            Advance();
            return v;
        default: break;
        }
        if (IsSymbol("[")) {
            v.Kind = TLayoutValue::Set;
            Advance();
            while (!IsSymbol("]")) {
                v.Items.push_back(ExpectIdent("set element"));
                if (IsSymbol(","))
                    Advance();
                else if (!IsSymbol("]"))
                    throw ELayoutError(FTok.Line, "',' or ']' expected");
            }
            Advance();
            return v;
        }
        if (IsSymbol("(")) {
            v.Kind = TLayoutValue::List;
            Advance();
            while (!IsSymbol(")")) {
                if (FTok.Kind == TToken::Str) {
                    v.Items.push_back(ReadJoinedString());
                } else if (FTok.Kind == TToken::Int) {
                    v.Items.push_back(IntToStr(FTok.IntValue));
                    Advance();
                } else if (FTok.Kind == TToken::Ident) {
                    v.Items.push_back(FTok.Text);
                    Advance();
                } else {
                    throw ELayoutError(FTok.Line, "string or ')' expected");
                }
            }
            Advance();
            return v;
        }
        if (IsSymbol("<")) throw ELayoutError(FTok.Line, "collections are not supported");
        throw ELayoutError(FTok.Line, "value expected");
    }

    TLexer FLex;
    TToken FTok;
};

// Creates the nested objects of node below parent (all owned by root).
void CreateChildren(TComponent* root, TComponent* parent, TObjNode& node,
                    std::vector<std::pair<TComponent*, TObjNode*>>& made, const TLayoutClassFinder& findClass)
{
    for (TObjNode& child : node.Children) {
        TComponentFactory factory = FindClass(child.Class);
        if (!factory && findClass) factory = findClass(child.Class);
        if (!factory) throw ELayoutError(child.Line, "unknown class " + child.Class);
        TComponent* c = factory(root);
        try {
            c->SetName(child.Name);
        } catch (const Exception& e) {
            delete c;
            throw ELayoutError(child.Line, e.Message());
        }
        auto* control = dynamic_cast<TControl*>(c);
        if (auto* parentControl = dynamic_cast<TControl*>(parent); control && parentControl) {
            control->SetParent(parentControl);
        } else if (auto* item = dynamic_cast<TMenuItem*>(c)) {
            if (auto* menu = dynamic_cast<TPopupMenu*>(parent))
                menu->Items()->Add(item);
            else if (auto* parentItem = dynamic_cast<TMenuItem*>(parent))
                parentItem->Add(item);
        }
        made.emplace_back(c, &child);
        CreateChildren(root, c, child, made, findClass);
    }
}

void ApplyProperties(TComponent* root, TComponent* c, TObjNode& node)
{
    auto* target = dynamic_cast<ILayoutTarget*>(c);
    if (!target) throw ELayoutError(node.Line, node.Class + " cannot be read from a layout");
    auto* handlers = dynamic_cast<IHandlerTable*>(root);
    for (TPropNode& p : node.Props) {
        p.Value.Root = root;
        const int line = p.Value.Line;
        try {
            bool isEvent = p.Name.size() > 2 && p.Name.compare(0, 2, "On") == 0 &&
                           p.Value.Kind == TLayoutValue::Ident &&
                           std::isupper(static_cast<unsigned char>(p.Name[2]));
            if (isEvent) {
                const std::any* h = handlers ? handlers->FindHandler(p.Value.Text) : nullptr;
                if (!h) throw ELayoutError(line, "unknown event handler " + p.Value.Text);
                int r = target->SetLayoutEvent(p.Name, *h);
                if (r == 0) throw ELayoutError(line, "unknown event " + p.Name + " of " + node.Class);
                if (r < 0) throw ELayoutError(line, "handler " + p.Value.Text + " does not fit " + p.Name);
            } else if (!target->SetLayoutProperty(p.Name, p.Value)) {
                throw ELayoutError(line, "unknown property " + p.Name + " of " + node.Class);
            }
        } catch (const ELayoutError&) {
            throw;
        } catch (const Exception& e) {
            throw ELayoutError(line, p.Name + ": " + e.Message());
        }
    }
}

void ApplyTree(TComponent* root, TComponent* c, TObjNode& node,
               const std::vector<std::pair<TComponent*, TObjNode*>>& made)
{
    ApplyProperties(root, c, node);
    for (TObjNode& child : node.Children)
        for (const auto& [comp, n] : made)
            if (n == &child) ApplyTree(root, comp, child, made);
    if (auto* target = dynamic_cast<ILayoutTarget*>(c)) target->LayoutLoaded();
}

// A second form built from the same layout for the same owner (a dialog created again while
// the first one lives) takes the first free name of name_1, name_2, ...
String FreeRootName(TComponent* root, const String& name)
{
    TComponent* owner = root->Owner();
    auto frei = [&](const String& n) {
        TComponent* other = owner ? owner->FindComponent(n) : nullptr;
        return !other || other == root;
    };
    if (frei(name)) return name;
    for (int i = 1;; ++i)
        if (frei(name + "_" + IntToStr(i))) return name + "_" + IntToStr(i);
}

}  // namespace

void ReadLayout(TComponent* root, const String& text) { ReadLayout(root, text, nullptr); }

void ReadLayout(TComponent* root, const String& text, const TLayoutClassFinder& findClass)
{
    RegisterZubClasses();
    TParser parser(text);
    TObjNode tree = parser.ParseRoot();
    try {
        if (!tree.Name.empty()) root->SetName(FreeRootName(root, tree.Name));
    } catch (const Exception& e) {
        throw ELayoutError(tree.Line, e.Message());
    }
    std::vector<std::pair<TComponent*, TObjNode*>> made;
    CreateChildren(root, root, tree, made, findClass);
    ApplyTree(root, root, tree, made);
}
