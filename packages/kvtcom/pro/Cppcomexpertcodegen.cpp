#include "Cppcomexpertcodegen.h"

#include "host/IDEServices.h"
#include "rtl/Files.h"

TIntfPtr<IQSourceFile> FilterExpertFile(IExpertFilter* filter, const String& templateFile,
                                        const String& moduleFileName, const String& ext)
{
    auto services = RequireService<IQIDEServices>("template folder");
    const String folder = IncludeTrailingPathDelimiter(services->GetTemplateDirectory() + "cpp" + "\\");
    const String path = folder + templateFile;
    if (!FileExists(path)) throw EHostError(Format(sWizardFileNotFound.str(), {path}));
    const String text = filter->FilterFile(templateFile, folder);
    return TIntfPtr<IQSourceFile>(new TStringFile(ChangeFileExt(moduleFileName, ext), text, true));
}
