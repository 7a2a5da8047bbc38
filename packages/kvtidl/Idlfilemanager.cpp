#include "Idlfilemanager.h"

#include "rtl/Files.h"

TCppIdlFileManager::TCppIdlFileManager(TIntfPtr<IQModule> module) : TCppManager(std::move(module))
{
    if (TIntfPtr<IQSourceFile> source = Source())
        FParseHandler = AddParseHandler(source->FileName(), this, [] {});
}

TCppIdlFileManager::~TCppIdlFileManager()
{
    if (FParseHandler) RemoveParseHandler(FParseHandler);
}

TCppIdlFileUpdater::TCppIdlFileUpdater(std::unique_ptr<TCppIdlFileManager> manager)
    : FManager(std::move(manager))
{
    FManager->SetModified(true);
}

String TCppIdlFileUpdater::GetModuleName() { return ExtractFileName(FManager->Module()->FileName()); }
