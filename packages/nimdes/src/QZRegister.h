#pragma once
// Registration of the package with the host and what its unload takes back: wizards, palette
// pages, property and component editors, the designer kinds of the framework's forms and
// modules, and the property editors of this unit.
#include "QZRuntime.h"
#include "host/CustomModules.h"
#include "host/PropertyEditors.h"

namespace QZRegister {
extern int UseCount;
void Initialization();
void Finalization();
// True when the host is the C++ product (its program name holds "KVT" in any case).
extern bool GIsKVT;
bool HostIsKVT(const char* programFileName);
void Register();
void RegisterNimbrelComponents(const String& page, const std::vector<TComponentClass>& classes);
// The framework's warning hook: the message in a simple message box.
void WarningHandler(const String& message);
// The palette pages in registration order.
const std::vector<std::pair<const char*, std::vector<TComponentClass>>>& PalettePages();
}  // namespace QZRegister

// ---- designer kinds

// HTML 4.0 forms.
class TQZDesignModule : public TCustomModule {
public:
    using TCustomModule::TCustomModule;
    bool ValidateComponentClass(TComponentClass c) override;
};
// HTML 3.2 forms.
class TQZDesign32Module : public TCustomModule {
public:
    using TCustomModule::TCustomModule;
    bool ValidateComponentClass(TComponentClass c) override;
};
// WAP forms.
class TQZDesignWAPModule : public TCustomModule {
public:
    using TCustomModule::TCustomModule;
    bool ValidateComponentClass(TComponentClass c) override;
};
class TQZServerControllerDesignModule : public TCustomModule {
public:
    using TCustomModule::TCustomModule;
    bool ValidateComponentClass(TComponentClass c) override;
};
class TQZUserSessionDesignModule : public TCustomModule {
public:
    using TCustomModule::TCustomModule;
    bool ValidateComponentClass(TComponentClass c) override;
};

// ---- property editors of this unit

// Field names of the data source that another property of the component names.
class TQZDataFieldProperty : public TStringProperty {
public:
    using TStringProperty::TStringProperty;
    TPropertyAttributes GetAttributes() override { return paValueList | paMultiSelect | paSortList; }
    void GetValues(const std::function<void(const String&)>& proc) override;
    virtual String DataSourcePropertyName() = 0;
    virtual void FillFieldNames(TStrings& list);
};
class TQZKeyFieldProperty : public TQZDataFieldProperty {
public:
    using TQZDataFieldProperty::TQZDataFieldProperty;
    String DataSourcePropertyName() override { return "ListSource"; }
};
class TQZDataListFieldProperty : public TQZDataFieldProperty {
public:
    using TQZDataFieldProperty::TQZDataFieldProperty;
    String DataSourcePropertyName() override { return "ListSource"; }
};
class TQZDataGridColumnFieldProperty : public TQZDataFieldProperty {
public:
    using TQZDataFieldProperty::TQZDataFieldProperty;
    String DataSourcePropertyName() override { return "Owner.DataSource"; }
};
class TQZCSFieldNameProperty : public TQZDataFieldProperty {
public:
    using TQZDataFieldProperty::TQZDataFieldProperty;
    String DataSourcePropertyName() override { return "ClientSideDataSet"; }
    void FillFieldNames(TStrings& list) override;
};
class TQZFontFamilyProperty : public TStringProperty {
public:
    using TStringProperty::TStringProperty;
    TPropertyAttributes GetAttributes() override { return paValueList | paMultiSelect | paSortList; }
    void GetValues(const std::function<void(const String&)>& proc) override;
};
class TFilenameReferenceProperty : public TStringProperty {
public:
    using TStringProperty::TStringProperty;
    TPropertyAttributes GetAttributes() override { return paDialog | paRevertable; }
    // An open-file dialog on the current value; a confirmed file becomes the value.
    void Edit() override;
};
class TQZScriptEventsProperty : public TClassProperty {
public:
    using TClassProperty::TClassProperty;
    TPropertyAttributes GetAttributes() override
    {
        return (TClassProperty::GetAttributes() | paDialog) &
               ~static_cast<TPropertyAttributes>(paSubProperties);
    }
    void Edit() override;
};

extern "C" void QZRegister_Register();
