#include "host/Hooks.h"

#include "host/Creators.h"

TIntfPtr<IQModuleCreator> DefaultGetFormCreator(const String& fileName, const String& formName,
                                                const String& ancestorName)
{
    return TIntfPtr<IQModuleCreator>(new TCppFormCreator(fileName, formName, ancestorName));
}

TIntfPtr<IQProjectCreator> DefaultGetProjectCreator(const String& fileName)
{
    return TIntfPtr<IQProjectCreator>(new TCppProjectCreator(fileName, 1));
}

TGetFormCreatorProc GetFormCreator = DefaultGetFormCreator;
TGetProjectCreatorProc GetProjectCreator = DefaultGetProjectCreator;
