#include "Kvtmtsrdm.h"

TCppMTSRemoteDataModuleCreator::TCppMTSRemoteDataModuleCreator(
    const String& fileName, const String& coClassName, const String& instancing, const String& threadingModel,
    const String& description, bool events, const String& interfaceName, bool dual)
    : TCppRemoteDataModuleCreator(fileName, coClassName, instancing, threadingModel, description, events,
                                  interfaceName, dual)
{
    ExpertFilter()->SetVariable("ObjectControl", "TRUE");
    ExpertFilter()->SetVariable("CanBePooled", "FALSE");
    ExpertFilter()->SetVariable("MTSObject", "TRUE");
}

TIntfPtr<IQModuleCreator> TCppNewMTSRemoteDataModule::GetUnitCreator()
{
    return TIntfPtr<IQModuleCreator>(new TCppMTSRemoteDataModuleCreator(
        FileName, CoClassName, Instancing, ThreadingModel, Description, Events, InterfaceName, true));
}
