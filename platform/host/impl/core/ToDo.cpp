#include "host/ToDo.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <typeinfo>

#include "hostimpl/ToDoImpl.h"
#include "rtl/Files.h"

// ---- scanner ----

bool TCppTodoScanner::PeekAt(std::size_t k, char& c)
{
    while (FAhead.size() <= k && !FAtEnd) {
        char n;
        if (FSource.Next(n))
            FAhead.push_back(n);
        else
            FAtEnd = true;
    }
    if (FAhead.size() <= k) return false;
    c = FAhead[k];
    return true;
}

bool TCppTodoScanner::Get(char& c)
{
    if (!Peek(c)) return false;
    FAhead.pop_front();
    const bool word = std::isalnum(static_cast<unsigned char>(c)) || c == '_';
    if (word && !FInWord) FInNumber = std::isdigit(static_cast<unsigned char>(c)) != 0;
    FInWord = word || (FInNumber && c == '\'');
    if (!FInWord) FInNumber = false;
    if (c == '\n') {
        ++FLine;
        FColumn = 1;
        FLineStart = true;
    } else {
        ++FColumn;
        if (c != ' ' && c != '\t' && c != '\r') FLineStart = false;
    }
    return true;
}

bool TCppTodoScanner::ClosesOnLine(char quote)
{
    char c;
    for (std::size_t k = 0; PeekAt(k, c); ++k) {
        if (c == '\n') return false;
        if (c == quote) return true;
        if (c == '\\') {
            // an escaped character, or a line continued by a backslash (LF or CR LF)
            char n;
            if (PeekAt(k + 1, n) && n == '\r' && PeekAt(k + 2, n) && n == '\n') ++k;
            ++k;
        }
    }
    return false;
}

void TCppTodoScanner::ReadQuoted(TTodoToken& t, char quote)
{
    char c;
    while (Peek(c) && c != '\n') {
        Get(c);
        t.Text += c;
        if (c == '\\') {
            if (Get(c)) t.Text += c;
            // a backslash before CR LF continues the line: the literal goes on
            if (c == '\r' && Peek(c) && c == '\n' && Get(c)) t.Text += c;
        } else if (c == quote) {
            return;
        }
    }
}

void TCppTodoScanner::ReadRawString(TTodoToken& t)
{
    // t.Text ends in R"; the delimiter runs to "(" and the literal to ")delimiter""
    String delim;
    char c;
    while (Peek(c) && c != '(' && c != '\n' && delim.size() < 16) {
        Get(c);
        delim += c;
        t.Text += c;
    }
    if (!Peek(c) || c != '(') return;
    const String close = ")" + delim + "\"";
    while (Get(c)) {
        t.Text += c;
        if (t.Text.size() >= close.size() &&
            t.Text.compare(t.Text.size() - close.size(), close.size(), close) == 0)
            return;
    }
}

void TCppTodoScanner::ReadToLineEnd(TTodoToken& t)
{
    char c;
    while (Peek(c) && c != '\n') {
        char n;
        // the line end is no part of the comment, CR LF as LF
        if (c == '\r' && PeekAt(1, n) && n == '\n') return;
        Get(c);
        t.Text += c;
        if (c == '\\') {
            if (Peek(n) && n == '\r') {
                Get(n);
                t.Text += n;
            }
            if (Peek(n) && n == '\n') {
                Get(n);
                t.Text += n;
            }
        }
    }
}

void TCppTodoScanner::ReadDirective(TTodoToken& t)
{
    // "#", blanks and the directive's name; an include's header name goes with it (<a//b.h> holds
    // no comment). The rest of the line is scanned as code: strings, raw strings and comments.
    char c;
    while (Peek(c) && (c == ' ' || c == '\t')) {
        Get(c);
        t.Text += c;
    }
    String name;
    while (Peek(c) && (std::isalnum(static_cast<unsigned char>(c)) || c == '_')) {
        Get(c);
        t.Text += c;
        name += c;
    }
    if (name != "include" && name != "include_next" && name != "import") return;
    std::size_t k = 0;
    while (PeekAt(k, c) && (c == ' ' || c == '\t')) ++k;
    if (!PeekAt(k, c) || c != '<') return;
    while (Peek(c) && c != '\n') {
        Get(c);
        t.Text += c;
        if (c == '>') return;
    }
}

TTodoToken TCppTodoScanner::Next()
{
    TTodoToken t;
    char c;
    if (!Peek(c)) return t;
    t.Line = FLine;
    t.Column = FColumn;
    const bool lineStart = FLineStart;
    const bool inNumber = FInNumber;
    Get(c);
    t.Text = c;
    if (c == '/') {
        char n;
        if (Peek(n) && n == '/') {
            t.Kind = tkComment;
            ReadToLineEnd(t);
            return t;
        }
        if (Peek(n) && n == '*') {
            t.Kind = tkComment;
            Get(n);
            t.Text += n;
            char prev = 0;
            while (Get(n)) {
                t.Text += n;
                if (prev == '*' && n == '/') break;
                prev = n;
            }
            // a comment stands for a blank: "/* c */ #include" is still a directive
            FLineStart = lineStart;
            return t;
        }
    }
    if ((c == '"' || (c == '\'' && !inNumber)) && ClosesOnLine(c)) {
        t.Kind = c == '"' ? tkString : tkChar;
        ReadQuoted(t, c);
        return t;
    }
    if (c == '#' && lineStart) {
        t.Kind = tkDirective;
        ReadDirective(t);
        return t;
    }
    t.Kind = tkCode;
    // code runs to the next character that may start another token; identifiers are kept whole
    // so that the prefix of a raw string (R, u8R, LR, ...) is seen
    for (;;) {
        char n;
        // a quote inside a number is a digit separator (1'000); blanks may precede a directive
        if (!Peek(n) || n == '/' || n == '"' || (n == '\'' && !FInNumber) || n == '\n' ||
            (n == '#' && FLineStart))
            break;
        Get(n);
        t.Text += n;
    }
    char n;
    if (Peek(n) && n == '"' && !t.Text.empty() && t.Text.back() == 'R') {
        const std::size_t start = t.Text.find_last_not_of("uU8LR");
        const String prefix = t.Text.substr(start == String::npos ? 0 : start + 1);
        const bool inIdent =
            start != String::npos &&
            (std::isalnum(static_cast<unsigned char>(t.Text[start])) || t.Text[start] == '_');
        if (!inIdent &&
            (prefix == "R" || prefix == "uR" || prefix == "UR" || prefix == "LR" || prefix == "u8R")) {
            // the raw string is part of this code token: its text is no comment
            Get(n);
            t.Text += n;
            ReadRawString(t);
        }
    }
    if (Peek(n) && n == '\n') {
        Get(n);
        t.Text += n;
    }
    return t;
}

// ---- file handlers ----

namespace {

std::vector<const TCFileHandlerClass*>& HandlerClasses()
{
    static std::vector<const TCFileHandlerClass*> list;
    return list;
}

}  // namespace

void RegisterCFileHandler(const TCFileHandlerClass* handlerClass)
{
    auto& l = HandlerClasses();
    if (handlerClass && std::find(l.begin(), l.end(), handlerClass) == l.end()) l.push_back(handlerClass);
}

void UnregisterCFileHandler(const TCFileHandlerClass* handlerClass)
{
    std::erase(HandlerClasses(), handlerClass);
}

const TCFileHandlerClass* FindCFileHandler(const String& fileName)
{
    auto& l = HandlerClasses();
    for (auto it = l.rbegin(); it != l.rend(); ++it)
        if ((*it)->CanHandleFile(fileName)) return *it;
    return nullptr;
}

int CFileHandlerCount() { return static_cast<int>(HandlerClasses().size()); }

// ---- item syntax ----

namespace {

// The comment's text without its delimiters; block comment lines lose a leading "*".
String CommentBody(const String& comment)
{
    String body;
    if (comment.rfind("//", 0) == 0) {
        body = comment.substr(2);
    } else if (comment.rfind("/*", 0) == 0) {
        body = comment.substr(2);
        if (body.size() >= 2 && body.compare(body.size() - 2, 2, "*/") == 0) body.resize(body.size() - 2);
    } else {
        body = comment;
    }
    // one line: continuation backslashes and line breaks become blanks
    String out;
    std::istringstream in(body);
    String line;
    bool first = true;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line.back() == '\\') line.pop_back();
        String t = Trim(line);
        if (!first && !t.empty() && t[0] == '*') t = Trim(t.substr(1));
        if (!t.empty()) {
            if (!out.empty()) out += ' ';
            out += t;
        }
        first = false;
    }
    return out;
}

// The next word at p (a quoted text without its quotes); false at the end or at an unclosed quote.
bool NextWord(const String& s, std::size_t& p, String& word)
{
    while (p < s.size() && (s[p] == ' ' || s[p] == '\t')) ++p;
    if (p >= s.size()) return false;
    if (s[p] == '"') {
        const std::size_t e = s.find('"', p + 1);
        if (e == String::npos) return false;
        word = s.substr(p + 1, e - p - 1);
        p = e + 1;
        return true;
    }
    const std::size_t b = p;
    while (p < s.size() && s[p] != ' ' && s[p] != '\t' && s[p] != ':') ++p;
    word = s.substr(b, p - b);
    return !word.empty();
}

}  // namespace

bool ParseToDoComment(const String& comment, TToDoItem& item)
{
    const String body = CommentBody(comment);
    if (body.size() < 4) return false;
    const String key = UpperCase(body.substr(0, 4));
    if (key != "TODO" && key != "DONE") return false;
    if (body.size() > 4 && body[4] != ' ' && body[4] != '\t' && body[4] != ':') return false;
    TToDoItem r;
    r.Done = key == "DONE";
    std::size_t p = 4;
    bool havePriority = false;
    for (;;) {
        while (p < body.size() && (body[p] == ' ' || body[p] == '\t')) ++p;
        if (p >= body.size()) return false;  // no colon
        if (body[p] == ':') break;
        String word;
        if (!NextWord(body, p, word)) return false;
        if (word == "-o" || word == "-c") {
            String value;
            if (!NextWord(body, p, value)) return false;
            (word == "-o" ? r.Owner : r.Category) = value;
        } else if (!havePriority && word.size() == 1 && word[0] >= '0' && word[0] <= '9' && r.Owner.empty() &&
                   r.Category.empty()) {
            r.Priority = word[0] - '0';
            havePriority = true;
        } else {
            return false;
        }
    }
    r.Text = Trim(body.substr(p + 1));
    r.Comment = comment;
    item = r;
    return true;
}

String ToDoItemText(const TToDoItem& item)
{
    String s = item.Done ? "DONE" : "TODO";
    if (item.Priority) s += " " + IntToStr(item.Priority);
    auto word = [](const String& w) { return w.find_first_of(" \t:") == String::npos ? w : "\"" + w + "\""; };
    if (!item.Owner.empty()) s += " -o " + word(item.Owner);
    if (!item.Category.empty()) s += " -c " + word(item.Category);
    return s + ": " + item.Text;
}

// ---- updaters ----

TToDoUpdater::TToDoUpdater(String sourceFile, String headerFile)
    : FFiles{std::move(sourceFile), std::move(headerFile)}
{
    for (int i = 0; i < 2; ++i)
        if (!FFiles[i].empty() && FileExists(FFiles[i])) FTexts[i] = ReadFileBytes(FFiles[i]);
}

const String& TToDoUpdater::FileName(int section) const { return FFiles[section ? 1 : 0]; }
const String& TToDoUpdater::Text(int section) const { return FTexts[section ? 1 : 0]; }
void TToDoUpdater::SetText(int section, const String& text) { FTexts[section ? 1 : 0] = text; }

void TToDoUpdater::ParseComments(int section, const TToDoCommentProc& proc, void* data)
{
    const TCFileHandlerClass* c = FindCFileHandler(FileName(section));
    if (!c) return;
    auto handler = c->Create(std::make_shared<std::istringstream>(Text(section)));
    handler->ParseItems(proc, data);
}

void TToDoUpdater::AddItem(int section, const TToDoItem& item)
{
    String& t = FTexts[section ? 1 : 0];
    if (!t.empty() && t.back() != '\n') t += '\n';
    t += "// " + ToDoItemText(item) + "\n";
}

bool TToDoUpdater::DeleteItem(int section, const TToDoItem& item)
{
    String& t = FTexts[section ? 1 : 0];
    if (item.Comment.empty() || item.Line < 1) return false;
    std::size_t start = 0;
    for (int l = 1; l < item.Line; ++l) {
        start = t.find('\n', start);
        if (start == String::npos) return false;
        ++start;
    }
    const std::size_t at = t.find(item.Comment, start);
    if (at == String::npos) return false;
    t.erase(at, item.Comment.size());
    return true;
}

// ---- managers ----

TToDoUpdater* TSourceToDoManager::GetUpdater() { return ToDoList().DefaultUpdater(FFileName); }

void TSourceToDoManager::ParseComment(const String& text, int line, int column)
{
    TToDoItem item = CreateItem();
    if (!ParseToDoComment(text, item)) return;
    item.Line = line;
    item.Column = column;
    AddItem(item);
}

void TSourceToDoManager::ParseSection(TToDoUpdater* updater, int section)
{
    updater->ParseComments(
        section,
        [](void* data, const String& text, int line, int column) {
            static_cast<TSourceToDoManager*>(data)->ParseComment(text, line, column);
        },
        this);
}

void TSourceToDoManager::Parse()
{
    ClearItems();
    TToDoUpdater* u = GetUpdater();
    if (!u) return;
    ParseSection(u, 0);
    SetIsParsed(true);
}

void TSourceToDoManager::AddInSection(const TToDoItem& item, int section)
{
    if (TToDoUpdater* u = GetUpdater()) {
        u->AddItem(section, item);
        Parse();
    }
}

void TSourceToDoManager::DeleteInSection(const TToDoItem& item, int section)
{
    if (TToDoUpdater* u = GetUpdater(); u && u->DeleteItem(section, item)) Parse();
}

// ---- the list ----

TToDoList& ToDoList()
{
    static TToDoList list;
    return list;
}

TToDoParseThread& ParseThread()
{
    static TToDoParseThread thread;
    return thread;
}

void RegisterToDoManagerCreator(TBaseSourceManagerCreator* creator)
{
    auto& c = ToDoList().FCreators;
    if (creator && std::find(c.begin(), c.end(), creator) == c.end()) c.push_back(creator);
}

void UnregisterToDoManagerCreator(TBaseSourceManagerCreator* creator)
{
    auto& l = ToDoList();
    std::erase(l.FCreators, creator);
    // the managers' code goes away with the creator's package
    std::erase_if(l.FManagers, [&](const auto& m) { return m->FCreator == creator; });
}

TSourceToDoManager* TToDoList::FindManager(const String& fileName)
{
    for (auto& m : FManagers)
        if (SameText(m->FileName(), fileName)) return m.get();
    return nullptr;
}

TSourceToDoManager* TToDoList::ManagerFor(const String& fileName, int hostValue)
{
    if (auto* m = FindManager(fileName)) return m;
    for (auto* c : FCreators) {
        if (!c->CanHandleFile(fileName)) continue;
        auto m = c->CreateManager(fileName, hostValue);
        if (!m) return nullptr;
        m->FCreator = c;
        FManagers.push_back(std::move(m));
        return FManagers.back().get();
    }
    return nullptr;
}

TToDoUpdater* TToDoList::OpenModule(const String& sourceFile, const String& headerFile)
{
    FModules.push_back(std::make_unique<TToDoUpdater>(sourceFile, headerFile));
    return FModules.back().get();
}

TToDoUpdater* TToDoList::DefaultUpdater(const String& fileName)
{
    for (auto& u : FModules)
        if (!u->FileName(0).empty() && SameText(u->FileName(0), fileName)) return u.get();
    for (auto& u : FModules)
        if (u->FileName(0).empty() && SameText(u->FileName(1), fileName)) return u.get();
    return nullptr;
}

void TToDoList::CloseModules() { FModules.clear(); }

void TToDoList::Clear()
{
    FManagers.clear();
    FModules.clear();
}

struct TToDoResidue {
    static void Remove(const std::function<bool(const void*)>& inModule, std::vector<String>& found)
    {
        auto& l = ToDoList();
        std::erase_if(l.FManagers, [&](const auto& m) {
            if (!inModule(&typeid(*m))) return false;
            found.push_back("to-do manager of " + m->FileName());
            return true;
        });
        std::erase_if(l.FCreators, [&](TBaseSourceManagerCreator* c) {
            if (!inModule(&typeid(*c))) return false;
            found.push_back("to-do manager creator");
            return true;
        });
    }
};

namespace hostimpl {
void RemoveToDoResidue(const std::function<bool(const void*)>& inModule, std::vector<String>& found)
{
    std::erase_if(HandlerClasses(), [&](const TCFileHandlerClass* c) {
        if (!inModule(c)) return false;
        found.push_back(String("file handler ") + c->ClassName);
        return true;
    });
    TToDoResidue::Remove(inModule, found);
}
}  // namespace hostimpl
