#include "CppCFileHandler.h"

#include "rtl/Files.h"

namespace {
std::unique_ptr<TCFileHandler> CreateHandler(std::shared_ptr<std::istream> stream)
{
    return std::make_unique<TCppCFileHandler>(std::move(stream));
}
}  // namespace

const TCFileHandlerClass TCppCFileHandler::ClassInfo = {"TCppCFileHandler", &TCppCFileHandler::CanHandleFile,
                                                        &CreateHandler};

bool TCppCFileHandler::CanHandleFile(const String& fileName)
{
    const String ext = LowerCase(ExtractFileExt(fileName));
    return ext == ".cpp" || ext == ".c" || ext == ".cc" || ext == ".h" || ext == ".hh" || ext == ".hpp";
}

void TCppCFileHandler::ParseItems(const TToDoCommentProc& proc, void* data)
{
    if (!FStream) return;
    TIStreamToISourceAdapter source(*FStream);
    auto scanner = std::make_unique<TCppTodoScanner>(source);
    for (TTodoToken t = scanner->Next(); t.Kind != tkEnd; t = scanner->Next())
        if (t.Kind == tkComment) proc(data, t.Text, t.Line, t.Column);
}

namespace CppCFileHandler {
int UseCount = 0;
void Initialization() { RegisterCFileHandler(&TCppCFileHandler::ClassInfo); }
void Finalization() { UnregisterCFileHandler(&TCppCFileHandler::ClassInfo); }
}  // namespace CppCFileHandler
