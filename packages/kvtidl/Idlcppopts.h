#pragma once
// Switches of the IDL-to-C++ compiler, kept as one string in the compiler's own command-line
// syntax. Typed access for the switches we understand; everything else stays as "additional".
#include <vector>

#include "host/CppPersonality.h"
#include "rtl/Files.h"
#include "rtl/SysUtils.h"

enum class TKrotexSwitchId {
    swClientExt,
    swServerExt,
    swGenNoTie,
    swGenNoStdStream,
    swGenIncludeFilesCode,
    swHeaderSuffix,
    swIncludePath,
    swGenObjectWrapper,
    swGenVirtualImplInh,
    swGenTypeCodeInfo,
    swSourceSuffix,
    swDefines,
    swSrcDir,
    swHdrDir,
    swRootDir,
    swBoa
};

enum TSwitchFlag : unsigned {
    sfConcat = 1u << 0,  // may occur many times; values form a ";" list
    sfBlankDelim = 1u << 1,  // blanks may stand between switch and value
    sfQuote = 1u << 2,  // value may be in double quotes
    sfBlankSep = 1u << 3,  // written with one blank between switch and value
};

struct TKrotexSwitchDef {
    const char* Switch;
    unsigned Flags;
    bool OnOff;
    const char* Default;
};

extern const TKrotexSwitchDef KrotexSwitches[16];

// Words at blanks (and line breaks); a stretch in single or double quotes stays in one word,
// quotes kept; empty words dropped. `seps` replaces the blank as separator when given.
std::vector<String> ExtractStrings(const String& text, const String& seps = " ");
bool IsPathDelim(char c);
// Root-directory macro "$(BCB)" expanded to the root set here (nothing else changes).
void SetIdlRootMacroDir(const String& dir);
String ExpandRootMacro(const String& s);
// `path` against `base` when relative; "." and ".." folded.
String ExpandRelativePath(const String& base, const String& path);

class TIdlCppOptionsManager : public TObject {
public:
    static String GetStrSwitchVal(const String& s, const String& sw, unsigned flags, const String& def);
    static String RemoveOption(const String& s, const String& sw, bool blankDelim);
    static String SetStrSwitch(const String& s, const String& sw, unsigned flags, const String& def,
                               const String& value);
    static void SeparateOptions(const String& text, String& known, String& additional);
};

// The page fields are "Additional", then the switches by their names without "sw".
class TIdlCppOptions : public TIdlCppOptionsManager, public TIdlPageOptionsBase {
public:
    explicit TIdlCppOptions(const String& switches);

    std::vector<TIdlPageField> PageFields() const override;
    String PageValue(const String& field) const override;
    void SetPageValue(const String& field, const String& value) override;

    const String& Text() const { return FText; }
    void SetText(const String& s) { FText = s; }

    bool GetBoolValue(TKrotexSwitchId id) const;
    void SetBoolValue(TKrotexSwitchId id, bool on);
    String GetStrValue(TKrotexSwitchId id) const;
    void SetStrValue(TKrotexSwitchId id, const String& value);
    String GetAdditonal() const;
    void SetAdditional(const String& text);

    String ClientExt() const { return GetStrValue(TKrotexSwitchId::swClientExt); }
    void SetClientExt(const String& v) { SetStrValue(TKrotexSwitchId::swClientExt, v); }
    String ServerExt() const { return GetStrValue(TKrotexSwitchId::swServerExt); }
    void SetServerExt(const String& v) { SetStrValue(TKrotexSwitchId::swServerExt, v); }
    bool GenTie() const { return !GetBoolValue(TKrotexSwitchId::swGenNoTie); }
    void SetGenTie(bool v) { SetBoolValue(TKrotexSwitchId::swGenNoTie, !v); }
    bool GenStdStream() const { return !GetBoolValue(TKrotexSwitchId::swGenNoStdStream); }
    void SetGenStdStream(bool v) { SetBoolValue(TKrotexSwitchId::swGenNoStdStream, !v); }
    bool GenIncludeFilesCode() const { return GetBoolValue(TKrotexSwitchId::swGenIncludeFilesCode); }
    void SetGenIncludeFilesCode(bool v) { SetBoolValue(TKrotexSwitchId::swGenIncludeFilesCode, v); }
    String HeaderSuffix() const { return GetStrValue(TKrotexSwitchId::swHeaderSuffix); }
    void SetHeaderSuffix(const String& v) { SetStrValue(TKrotexSwitchId::swHeaderSuffix, v); }
    String IncludePath() const { return GetStrValue(TKrotexSwitchId::swIncludePath); }
    void SetIncludePath(const String& v) { SetStrValue(TKrotexSwitchId::swIncludePath, v); }
    bool GenObjectWrapper() const { return GetBoolValue(TKrotexSwitchId::swGenObjectWrapper); }
    void SetGenObjectWrapper(bool v) { SetBoolValue(TKrotexSwitchId::swGenObjectWrapper, v); }
    bool GenVirtualImplInh() const { return GetBoolValue(TKrotexSwitchId::swGenVirtualImplInh); }
    void SetGenVirtualImplInh(bool v) { SetBoolValue(TKrotexSwitchId::swGenVirtualImplInh, v); }
    bool GenTypeCodeInfo() const { return GetBoolValue(TKrotexSwitchId::swGenTypeCodeInfo); }
    void SetGenTypeCodeInfo(bool v) { SetBoolValue(TKrotexSwitchId::swGenTypeCodeInfo, v); }
    String SourceSuffix() const { return GetStrValue(TKrotexSwitchId::swSourceSuffix); }
    void SetSourceSuffix(const String& v) { SetStrValue(TKrotexSwitchId::swSourceSuffix, v); }
    String Defines() const { return GetStrValue(TKrotexSwitchId::swDefines); }
    void SetDefines(const String& v) { SetStrValue(TKrotexSwitchId::swDefines, v); }
    String SrcDir() const { return GetStrValue(TKrotexSwitchId::swSrcDir); }
    void SetSrcDir(const String& v) { SetStrValue(TKrotexSwitchId::swSrcDir, v); }
    String HdrDir() const { return GetStrValue(TKrotexSwitchId::swHdrDir); }
    void SetHdrDir(const String& v) { SetStrValue(TKrotexSwitchId::swHdrDir, v); }
    String RootDir() const { return GetStrValue(TKrotexSwitchId::swRootDir); }
    void SetRootDir(const String& v) { SetStrValue(TKrotexSwitchId::swRootDir, v); }
    bool Boa() const { return GetBoolValue(TKrotexSwitchId::swBoa); }
    void SetBoa(bool v) { SetBoolValue(TKrotexSwitchId::swBoa, v); }

    String GetExpandedIncludePath() const;
    // The include path with each relative folder taken against `baseDir` (the project's folder:
    // for the compiler and the include tree alike); `baseDir` empty: as it stands.
    String IncludePathIn(const String& baseDir) const;
    // The switches with that include path, for a compiler that runs in another folder.
    String SwitchesIn(const String& baseDir) const;
    String CalcSrcDir(const String& defaultDir) const;
    String CalcHdrDir(const String& defaultDir) const;
    String MakeClientSourceName(const String& baseDir, const String& idlFile) const;
    String MakeServerSourceName(const String& baseDir, const String& idlFile) const;
    String GetKrotirOptions() const;

private:
    String MakeSourceName(const String& baseDir, const String& idlFile, const String& ext) const;
    String FText;
};

// The options generated files are named by: the switches, with the project's folder for
// generated files (`rootDir`, relative to the project) when no switch names a folder.
TIdlCppOptions IdlGenOptions(const String& switches, const String& rootDir);
