#include "host/ComWizard.h"

#include "host/TypeLibrary.h"
#include "rtl/Files.h"

String CodeFix(const String& code)
{
    String r;
    r.reserve(code.size());
    for (std::size_t i = 0; i < code.size(); ++i) {
        char c = code[i];
        if (c == '\r') {
            r += "\r\n";
            if (i + 1 < code.size() && code[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            r += "\r\n";
        } else {
            r += c;
        }
    }
    return r;
}

String AboutBoxPrefixName() { return "About"; }
String AboutBoxFormName(const String& baseName) { return baseName + "About"; }
String MakeATLModuleName(const String& moduleName) { return moduleName + "_ATL"; }
String TypeLibUnitName(IQProject* project)
{
    if (auto m = FindTypeLibModule(project)) return m->UnitName();
    return project ? project->UnitName() + "_TLB" : String();
}

TIntfPtr<IQSourceFile> CreateAboutBoxFormFile(const String& fileName, const String& controlName,
                                              const String& baseName)
{
    const String form = AboutBoxFormName(baseName);
    const String text =
        "object " + form + ": T" + form + "\r\n" + "  Caption = 'About " + controlName + "'\r\n" +
        "  object CtlImage: TSpeedButton\r\n  end\r\n" + "  object NameLbl: TLabel\r\n    Caption = '" +
        controlName + "'\r\n  end\r\n" + "  object DescLbl: TLabel\r\n  end\r\n" +
        "  object CopyrightLbl: TLabel\r\n  end\r\n" +
        "  object OkBtn: TButton\r\n    Caption = 'OK'\r\n    ModalResult = 1\r\n  end\r\n" + "end\r\n";
    return TIntfPtr<IQSourceFile>(new TStringFile(ChangeFileExt(fileName, ".zfm"), text));
}
