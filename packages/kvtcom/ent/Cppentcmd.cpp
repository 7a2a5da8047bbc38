#include "Cppentcmd.h"

#include "Cppentcrtrs.h"

namespace {
RTL_RESOURCESTRING(sRemoteDataModuleCaption, "New Remote Data Module Object");
}

std::unique_ptr<TComObjectExpert> TCppNewRemoteDataModule::ShowExpert()
{
    return ShowAutoObjectExpert(sRemoteDataModuleCaption, 13434, Offers());
}

TIntfPtr<IQModuleCreator> TCppNewRemoteDataModule::GetUnitCreator()
{
    return TIntfPtr<IQModuleCreator>(new TCppRemoteDataModuleCreator(
        FileName, CoClassName, Instancing, ThreadingModel, Description, Events, InterfaceName, true));
}

void TCppNewRemoteDataModule::EndWizard() { EndComObjectWizard(Project.get(), CoClassName, FileName, true); }
