#pragma once
// The host's to-do list: it collects to-do comments ("TODO ..." / "DONE ...") of source files.
//
// File handlers find the comments of one file (a handler class is registered for the files it can
// handle). Managers keep the items of one file; registered manager creators make them, the first
// creator that can handle a file wins. A manager reads and edits its file through an updater, the
// to-do view of an open editor module (section 0 its source, section 1 its header).
//
// Item syntax, inside a comment (letter case of the key word ignored):
//     TODO [priority] [-o owner] [-c category] : text
//     DONE [priority] [-o owner] [-c category] : text
// priority is a number 0..9 (0 when missing); owner and category are one word each or a text in
// double quotes; a comment without the colon, or with anything else before it, holds no item.
#include <deque>
#include <functional>
#include <istream>
#include <memory>
#include <vector>

#include "host/Export.h"
#include "rtl/SysUtils.h"

// ---- the C/C++ to-do scanner ----

// A source of characters.
class HOST_API ISource {
public:
    virtual ~ISource() = default;
    // The next character; false at the end.
    virtual bool Next(char& c) = 0;
};

// A stream read as a source.
class HOST_API TIStreamToISourceAdapter : public ISource {
public:
    explicit TIStreamToISourceAdapter(std::istream& in) : FIn(in) {}
    bool Next(char& c) override { return static_cast<bool>(FIn.get(c)); }

private:
    std::istream& FIn;
};

enum TTodoTokenKind { tkEnd = 0, tkCode = 1, tkString = 2, tkChar = 3, tkDirective = 4, tkComment = 5 };

struct HOST_API TTodoToken {
    int Kind = tkEnd;
    String Text;  // comments with their delimiters
    int Line = 0;  // 1-based, where the token starts
    int Column = 0;  // 1-based
};

// Splits C and C++ text into comments ("//" to the end of the line, continued by a backslash at the
// line end; "/* */", an unclosed one runs to the end), string, character and raw string literals,
// preprocessor lines and the code between them. A quote that is not closed on its line opens no
// literal (an apostrophe in "#warning isn't"); a header name in an include directive is part of
// the directive; a line comment ends before the CR of a CR LF line end.
class HOST_API TCppTodoScanner {
public:
    explicit TCppTodoScanner(ISource& source) : FSource(source) {}
    // The next token; Kind tkEnd once the source is exhausted.
    TTodoToken Next();

private:
    // The character k places ahead of the next one; false past the end.
    bool PeekAt(std::size_t k, char& c);
    bool Peek(char& c) { return PeekAt(0, c); }
    bool Get(char& c);
    // Whether the quote just read is closed on its logical line.
    bool ClosesOnLine(char quote);
    void ReadQuoted(TTodoToken& t, char quote);
    void ReadRawString(TTodoToken& t);
    void ReadToLineEnd(TTodoToken& t);
    void ReadDirective(TTodoToken& t);
    ISource& FSource;
    std::deque<char> FAhead;
    bool FAtEnd = false;
    int FLine = 1, FColumn = 1;
    bool FLineStart = true;  // only blanks (and comments) so far on this line
    bool FInWord = false;  // the last character belongs to a word or number
    bool FInNumber = false;  // ... to a number, where a quote separates digits
};

// ---- file handlers ----

// (caller's value, comment text, line, column)
using TToDoCommentProc = std::function<void(void* data, const String& text, int line, int column)>;

class HOST_API TCFileHandler : public TObject {
public:
    // stream: the file's text; may be null (the file cannot be read).
    explicit TCFileHandler(std::shared_ptr<std::istream> stream) : FStream(std::move(stream)) {}
    virtual void DeleteText(int line, int column, int length) = 0;
    virtual void AddText(int line, int column, const String& text) = 0;
    virtual void UpdateText(int line, int column, int length, const String& text) = 0;
    virtual String MakeComment(const String& text) = 0;
    // 4: comments of the C family.
    virtual int CommentType() = 0;
    virtual void ParseItems(const TToDoCommentProc& proc, void* data) = 0;

protected:
    std::shared_ptr<std::istream> FStream;
};

// A file-handler class: what the registry keeps.
struct HOST_API TCFileHandlerClass {
    const char* ClassName;
    bool (*CanHandleFile)(const String& fileName);
    std::unique_ptr<TCFileHandler> (*Create)(std::shared_ptr<std::istream> stream);
};

HOST_API void RegisterCFileHandler(const TCFileHandlerClass* handlerClass);
HOST_API void UnregisterCFileHandler(const TCFileHandlerClass* handlerClass);
// The handler class for the file (the last registered that can handle it), nullptr when none.
HOST_API const TCFileHandlerClass* FindCFileHandler(const String& fileName);
HOST_API int CFileHandlerCount();

// ---- items, updaters, managers ----

struct HOST_API TToDoItem {
    bool Done = false;
    int Priority = 0;
    String Owner, Category, Text;
    String Comment;  // the whole comment the item stands in
    int Line = 0, Column = 0;
};

// Parses one comment; false when it holds no item.
HOST_API bool ParseToDoComment(const String& comment, TToDoItem& item);
// The comment text of an item: "TODO 2 -o ann -c ui: text".
HOST_API String ToDoItemText(const TToDoItem& item);

// The to-do view of an open editor module: the texts of its two sections.
class HOST_API TToDoUpdater : public TObject {
public:
    TToDoUpdater(String sourceFile, String headerFile);
    const String& FileName(int section) const;
    const String& Text(int section) const;
    void SetText(int section, const String& text);
    // Runs the file handler of the section's file over its text; nothing when no handler takes it.
    void ParseComments(int section, const TToDoCommentProc& proc, void* data);
    // Adds the item as a line comment at the end of the section.
    void AddItem(int section, const TToDoItem& item);
    // Removes the item's comment from its line of the section; false when it is not there.
    bool DeleteItem(int section, const TToDoItem& item);

private:
    String FFiles[2], FTexts[2];
};

class TBaseSourceManagerCreator;
HOST_API void UnregisterToDoManagerCreator(TBaseSourceManagerCreator* creator);

class HOST_API TSourceToDoManager : public TObject {
public:
    TSourceToDoManager(String fileName, int hostValue) : FFileName(std::move(fileName)), FHostValue(hostValue)
    {
    }
    const String& FileName() const { return FFileName; }
    const std::vector<TToDoItem>& Items() const { return FItems; }
    bool IsParsed() const { return FIsParsed; }
    // The host sets this when the item edits go to the module's source section.
    bool UseSourceSection = false;

    virtual TToDoItem CreateItem() { return TToDoItem{}; }
    virtual void Delete(const TToDoItem& item) { DeleteInSection(item, 0); }
    virtual void Add(const TToDoItem& item) { AddInSection(item, 0); }
    virtual bool InProject() { return true; }
    virtual void Parse();
    virtual void ProjectChanged() {}
    virtual void SetIsParsed(bool value) { FIsParsed = value; }
    virtual void AddItem(const TToDoItem& item) { FItems.push_back(item); }
    // The default updater: the open editor module of this file, nullptr when there is none.
    virtual TToDoUpdater* GetUpdater();
    // Callback of ParseComments: adds the comment's item, if it holds one.
    virtual void ParseComment(const String& text, int line, int column);

protected:
    void ClearItems() { FItems.clear(); }
    void AddInSection(const TToDoItem& item, int section);
    void DeleteInSection(const TToDoItem& item, int section);
    // Parses the section through the updater with ParseComment as callback.
    void ParseSection(TToDoUpdater* updater, int section);

private:
    friend class TToDoList;
    friend void UnregisterToDoManagerCreator(TBaseSourceManagerCreator*);
    String FFileName;
    int FHostValue;
    std::vector<TToDoItem> FItems;
    bool FIsParsed = false;
    const TBaseSourceManagerCreator* FCreator = nullptr;
};

class HOST_API TBaseSourceManagerCreator : public TObject {
public:
    virtual std::unique_ptr<TSourceToDoManager> CreateManager(const String& fileName, int hostValue) = 0;
    virtual bool CanHandleFile(const String& fileName) = 0;
};

// Sources the first; the list does not own creators.
HOST_API void RegisterToDoManagerCreator(TBaseSourceManagerCreator* creator);
// Also frees the managers the creator made.
HOST_API void UnregisterToDoManagerCreator(TBaseSourceManagerCreator* creator);

class HOST_API TToDoList {
public:
    // The manager of the file, made by the first creator that handles it (nullptr when none does).
    TSourceToDoManager* ManagerFor(const String& fileName, int hostValue = 0);
    // The manager of exactly that file (letter case ignored), nullptr when there is none.
    TSourceToDoManager* FindManager(const String& fileName);
    // Opens an editor module (its source and header file; either may be empty), reading their texts
    // from disk when they exist; its updater is the default one of the source and of the header.
    TToDoUpdater* OpenModule(const String& sourceFile, const String& headerFile);
    // The updater of the module whose source is the file, else of a module of that header alone
    // (no source); nullptr when none is open.
    TToDoUpdater* DefaultUpdater(const String& fileName);
    void CloseModules();
    void Clear();  // managers and modules
    int CreatorCount() const { return static_cast<int>(FCreators.size()); }
    int ManagerCount() const { return static_cast<int>(FManagers.size()); }

private:
    friend void RegisterToDoManagerCreator(TBaseSourceManagerCreator*);
    friend void UnregisterToDoManagerCreator(TBaseSourceManagerCreator*);
    friend struct TToDoResidue;
    std::vector<TBaseSourceManagerCreator*> FCreators;
    std::vector<std::unique_ptr<TSourceToDoManager>> FManagers;
    std::vector<std::unique_ptr<TToDoUpdater>> FModules;
};

HOST_API TToDoList& ToDoList();

// The columns of the to-do list view: the item (done or not, and its text), its priority, the
// file and line it stands in, its owner and its category.
inline constexpr const char* ToDoListColumns[5] = {"Action Item", "Priority", "Module", "Owner", "Category"};

// The to-do parser thread of the host: told when files of the list changed.
class HOST_API TToDoParseThread {
public:
    void Modified() { ++FModifiedCount; }
    int ModifiedCount() const { return FModifiedCount; }

private:
    int FModifiedCount = 0;
};
HOST_API TToDoParseThread& ParseThread();
