#pragma once
// INI files in the operating system's format: "[Section]" lines and "key=value" lines.
// Lookups of sections and keys are ASCII case-insensitive; values are compared exactly.
// Every write goes to disk at once and atomically (temporary file, rename); lines the class does
// not understand are kept when the file is rewritten. A missing file reads as empty.
#include <memory>

#include "rtl/Classes.h"

class TIniFile : public TObject {
public:
    // A bare file name (no folder) lies in the folder that stands for the Windows directory,
    // the one the program named with SetProgramSettings.
    explicit TIniFile(const String& fileName);
    ~TIniFile() override;

    const String& FileName() const { return FFileName; }  // the resolved path

    String ReadString(const String& section, const String& ident, const String& def) const;
    void WriteString(const String& section, const String& ident, const String& value);
    int ReadInteger(const String& section, const String& ident, int def) const;
    void WriteInteger(const String& section, const String& ident, int value);
    // "true" is true, "false" is false (exactly these texts); anything else gives def.
    bool ReadBool(const String& section, const String& ident, bool def) const;
    void WriteBool(const String& section, const String& ident, bool value);  // "true"/"false"

    bool SectionExists(const String& section) const;
    bool ValueExists(const String& section, const String& ident) const;
    void ReadSection(const String& section, TStrings& idents) const;  // keys in file order
    void ReadSections(TStrings& sections) const;
    void ReadSectionValues(const String& section, TStrings& lines) const;  // "key=value"
    void EraseSection(const String& section);
    void DeleteKey(const String& section, const String& ident);
    void UpdateFile() {}  // writes are immediate

    // The folder that stands for the Windows directory, ending in "/".
    static String WindowsDirectory();

private:
    String FFileName;
};
