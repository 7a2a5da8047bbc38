#pragma once
// The implementation classes of CORBA interfaces in a project's C++ sources: what the class
// manager learns of them while it parses a source (their interface, members and the places of
// their method bodies), so that the CORBA wizards can update them.
#include <memory>

#include "host/CppClassManager.h"

class TIdlClassManagerHelper : public TIdlClassManagerHelperBase {
public:
    // With the scanner after a class name: the class symbol when a body follows (the scanner then
    // stands after its "{"), nullptr for a declaration only.
    std::unique_ptr<TClassSymbol> ParseIdlImplClass(TCppScanner& s, const TCppToken& name) override;
    // A comment "/* Account : CORBAIdlInterface */" (at offset pos of the source) names the IDL
    // interface; false when the comment holds no marker.
    bool ParseIdlImplComment(const String& comment, std::size_t pos, TClassSymbol& cls);
    // With the scanner after the class's "{": its members, access labels and end.
    void ParseIdlImplMembers(TCppScanner& s, TClassSymbol& cls) override;
    // The method bodies and constructor initializers of the classes in the source fileName.
    void ParseIdlImplSource(const String& text, const String& fileName,
                            std::vector<TClassSymbol*>& classes) override;
};
// The personality's hook.
TIdlClassManagerHelperBase* NewIdlClassManagerHelper();
