#include "host/Creators.h"

#include "hostimpl/HostState.h"
#include "rtl/Files.h"

HRESULT TDefaultCreator::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IQModuleCreator>(this, iid, obj)) return S_OK;
    return TInterfacedObject::QueryInterface(iid, obj);
}

TCppCreator::TCppCreator(const String& fileName)
    : FFileName(fileName.empty() ? MakeUniqueModuleName("Unit", ".cpp") : fileName)
{
}

String TCppCreator::UnitName() const { return ChangeFileExt(ExtractFileName(FFileName), ""); }

void TCppCreator::DoValidateIdent(const String& name) { ValidateIdent(name); }

TCppUnitFromStreamCreator::TCppUnitFromStreamCreator(const String& sourceName, String headerText,
                                                     String sourceText, String headerName)
    : TCppCreator(sourceName), FHeaderText(std::move(headerText)), FSourceText(std::move(sourceText)),
      FHeaderName(std::move(headerName))
{
}

TIntfPtr<IQSourceFile> TCppUnitFromStreamCreator::GetSource()
{
    return TIntfPtr<IQSourceFile>(new TStringFile(FileName(), FSourceText));
}

TIntfPtr<IQSourceFile> TCppUnitFromStreamCreator::GetInterfaceSource()
{
    if (FHeaderName.empty()) return nullptr;
    return TIntfPtr<IQSourceFile>(new TStringFile(FHeaderName, FHeaderText));
}

TCppFormCreator::TCppFormCreator(const String& fileName, const String& formName, const String& ancestorName)
    : TCppCreator(fileName), FFormName(formName), FAncestorName(ancestorName.empty() ? "Form" : ancestorName)
{
    if (!FFormName.empty()) DoValidateIdent(FFormName);
    DoValidateIdent(FAncestorName);
}

HRESULT TCppFormCreator::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IQSourceCreator>(this, iid, obj)) return S_OK;
    return TCppCreator::QueryInterface(iid, obj);
}

String TCppFormCreator::GetFormName()
{
    // Named on first request, so a derived GetBaseName is in effect.
    if (FFormName.empty()) {
        // An inherited form's base is a numbered name itself: Form1 -> Form2, not Form11.
        String base = GetBaseName();
        while (base.size() > 1 && base.back() >= '0' && base.back() <= '9') base.pop_back();
        FFormName = hostimpl::NewFormName(base);
    }
    return FFormName;
}

TIntfPtr<IQSourceFile> TCppFormCreator::GetForm()
{
    const String name = GetFormName();
    return TIntfPtr<IQSourceFile>(new TStringFile(ChangeFileExt(FileName(), GetFormFileExt()),
                                                  "object " + name + ": T" + name + "\r\nend\r\n"));
}

TCppProjectCreator::TCppProjectCreator(const String& fileName, int kind) : FFileName(fileName), FKind(kind)
{
    if (FFileName.empty()) throw EHostError("A project needs a file name");
    DoValidateIdent(ChangeFileExt(ExtractFileName(FFileName), ""));
}

HRESULT TCppProjectCreator::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IQProjectCreator>(this, iid, obj) || QueryAs<IQProjectCreator50>(this, iid, obj)) return S_OK;
    return TInterfacedObject::QueryInterface(iid, obj);
}

void TCppProjectCreator::DoValidateIdent(const String& name) { ValidateIdent(name); }

String TCppProjectCreator::GetCSMName() { return ChangeFileExt(FFileName, ".csm"); }
