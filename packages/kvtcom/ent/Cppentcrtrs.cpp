#include "Cppentcrtrs.h"

TIntfPtr<IQSourceFile> TCppRemoteDataModuleCreator::GetSource()
{
    return FilterExpertFile(ExpertFilter(), "rdmobject.cpp", FileName(), ".cpp");
}

TIntfPtr<IQSourceFile> TCppRemoteDataModuleCreator::GetInterfaceSource()
{
    return FilterExpertFile(ExpertFilter(), "rdmobject.h", FileName(), ".h");
}
