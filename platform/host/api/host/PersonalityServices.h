#pragma once
// Personalities (the Pascal and the C++ tools) and the traits they support.
#include "host/Export.h"
#include "host/ModuleServices.h"

class HOST_API IQPersonalityServices : public virtual IInterface {
public:
    RTL_IID("{9F2E3B64-7D15-4C4A-B8E7-2A5C1F0D9B34}");
    virtual bool SupportsTrait(const String& personality, const TGUID& trait) = 0;
    // nullptr when the personality does not support it.
    virtual TIntfPtr<IInterface> GetTrait(const String& personality, const TGUID& trait) = 0;
    virtual int PersonalityCount() = 0;
    virtual String Personality(int index) = 0;
    // A package's object for a trait: the personality supports the trait with it until
    // RemoveTrait (which a package calls before it unloads).
    virtual void AddTrait(const String& personality, const TGUID& trait, IInterface* object) = 0;
    virtual void RemoveTrait(const String& personality, const TGUID& trait) = 0;
};

// The trait by which a personality finds the document module of a project it created.
class HOST_API IQProjectDocumentTrait : public virtual IInterface {
public:
    RTL_IID("{5FD9C339-64D4-48A0-ABBF-659E68BD58E8}");
    // The document module of the project with that project file name, nullptr when none is open.
    virtual TIntfPtr<IQDocumentModule> GetDocumentModule(const String& projectFileName) = 0;
};
