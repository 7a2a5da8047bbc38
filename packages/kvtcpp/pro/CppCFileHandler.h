#pragma once
// The to-do list's file handler for C and C++ files: finds their comments.
#include "host/ToDo.h"

namespace CppCFileHandler {
extern int UseCount;
void Initialization();
void Finalization();
}  // namespace CppCFileHandler

class TCppCFileHandler : public TCFileHandler {
public:
    using TCFileHandler::TCFileHandler;
    // Only finding comments is supported; the to-do list edits through the module.
    void DeleteText(int, int, int) override {}
    void AddText(int, int, const String&) override {}
    void UpdateText(int, int, int, const String&) override {}
    String MakeComment(const String&) override { return String(); }
    int CommentType() override { return 4; }
    void ParseItems(const TToDoCommentProc& proc, void* data) override;
    // Every C and C++ file the to-do managers take, in any letter case: ".cpp", ".c", ".cc",
    // ".h", ".hh", ".hpp" (a ".tvf" form file has no C comments).
    static bool CanHandleFile(const String& fileName);
    static const TCFileHandlerClass ClassInfo;
};
