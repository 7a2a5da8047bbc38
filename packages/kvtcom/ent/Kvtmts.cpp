#include "Kvtmts.h"

#include "Cppprocmd.h"
#include "Kvtcomplus.h"

#include <memory>

namespace {
std::unique_ptr<TInstallObjectsStartup> gStartup;
}

namespace Kvtmts {
int UseCount = 0;
void Initialization() {}
void Finalization() { gStartup.reset(); }
}  // namespace Kvtmts

extern "C" void Kvtmts_IDERegister()
{
    StartInstallItem<TMtsCommands>(gStartup, IsMTSPlatform(), "sbMTSInstallObjects");
}

TCppMTSAutoObjectCreator::TCppMTSAutoObjectCreator(const String& fileName, const String& coClassName,
                                                   const String& instancing, const String& threadingModel,
                                                   const String& description, bool events, bool objectControl,
                                                   bool pooling)
    : TCppAutoObjectCreator(fileName, coClassName, instancing, threadingModel, description, events, "", true),
      FObjectControl(objectControl), FPooling(pooling)
{
    ExpertFilter()->SetVariable("ObjectControl", FALSETRUE[objectControl]);
    ExpertFilter()->SetVariable("CanBePooled", FALSETRUE[pooling]);
}

TIntfPtr<IQSourceFile> TCppMTSAutoObjectCreator::GetSource()
{
    return FilterExpertFile(ExpertFilter(), "mtsobject.cpp", FileName(), ".cpp");
}

TIntfPtr<IQSourceFile> TCppMTSAutoObjectCreator::GetInterfaceSource()
{
    return FilterExpertFile(ExpertFilter(), "mtsobject.h", FileName(), ".h");
}

TIntfPtr<IQModuleCreator> TCppNewMTSAutoObject::GetUnitCreator()
{
    return TIntfPtr<IQModuleCreator>(new TCppMTSAutoObjectCreator(
        FileName, CoClassName, Instancing, ThreadingModel, Description, Events, true, false));
}

void TCppNewMTSAutoObject::EndWizard() { AddComObjectToProject(Project.get(), CoClassName, FileName); }
