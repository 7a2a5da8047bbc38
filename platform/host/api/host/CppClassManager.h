#pragma once
// The C++ personality's class manager as far as the CORBA helper uses it: the class and method
// symbols it keeps of a source with their places (offsets into the source text), and the
// helper base that reads method declarations.
#include "host/CppScanner.h"
#include "host/Export.h"
#include <memory>
#include <vector>

inline constexpr std::size_t NoPosition = String::npos;

struct HOST_API TMethodSymbol {
    String Name, Type, Params;  // Params: the text between the parentheses
    int Line = 0;
    // Where its definition is: start of its line, its name, after its ")", its "{", after the
    // "{", its "}"; the source file it was found in.
    std::size_t CodePos = NoPosition, NamePos = NoPosition, HeaderEnd = NoPosition, BeginPos = NoPosition,
                CodeBegin = NoPosition, CodeEnd = NoPosition;
    String CodeSource;
    bool Empty = false;  // "{}" with nothing inside, not even a comment
};

class HOST_API TClassSymbol : public TObject {
public:
    TClassSymbol(String name, int line) : Name(std::move(name)), Line(line) {}
    String Name;
    int Line;
    String IdlInterfaceName;  // "" when the class implements no CORBA interface
    std::size_t IdlInterfacePos = NoPosition;
    std::size_t IdlInitializerPos = NoPosition;  // the skeleton's initializer in the constructor
    std::size_t FirstMemberPos = NoPosition;  // start of the first member's line
    std::vector<std::size_t> AccessLabelPos;
    std::size_t MemberInsertPos = NoPosition;  // where a new member goes
    std::size_t EndPos = NoPosition;  // start of the line of the closing brace
    std::vector<TMethodSymbol> Methods;
    int MethodCount(const String& name) const;
};

class HOST_API TIdlClassManagerHelperBase : public TObject {
public:
    // With the scanner after a method's name: reads "(" ... ")" and adds the method to cls with
    // the type; false (scanner unmoved) when no "(" follows.
    bool ParseMethod(TCppScanner& s, TClassSymbol& cls, const TCppToken& name, const String& type);
    // From first (an identifier), the tokens of a type: identifiers, "::", "<...>", "*", "&",
    // "const"; the text of them. The scanner stands after the type.
    String ParseMethodType(TCppScanner& s, const TCppToken& first);
    // Whether two parameter lists declare the same types (names and default values aside).
    static bool SameParameters(const String& a, const String& b);

    // What the class manager asks while it parses a unit. With the scanner after a class name:
    // the class symbol when a body follows (the scanner then after its "{"), else nullptr.
    virtual std::unique_ptr<TClassSymbol> ParseIdlImplClass(TCppScanner& s, const TCppToken& name) = 0;
    // With the scanner after the class's "{": its members, access labels and end.
    virtual void ParseIdlImplMembers(TCppScanner& s, TClassSymbol& cls) = 0;
    // The method bodies and constructor initializers of the classes in the source fileName.
    virtual void ParseIdlImplSource(const String& text, const String& fileName,
                                    std::vector<TClassSymbol*>& classes) = 0;
};
using TIdlClassManagerHelperClassProc = TIdlClassManagerHelperBase* (*)();
extern HOST_API TIdlClassManagerHelperClassProc IdlClassManagerHelperClass;  // nullptr: none

// The classes with a body of a header, each read by the helper as the class manager meets it;
// then the places of their method bodies in the source (sourceFile names it).
HOST_API std::vector<std::unique_ptr<TClassSymbol>> ParseIdlImplClasses(TIdlClassManagerHelperBase& helper,
                                                                        const String& header,
                                                                        const String& source = "",
                                                                        const String& sourceFile = "");
