// $(HeaderName) : Declaration of the remote data module $(ClassName)

#ifndef $(IDEHeaderName)
#define $(IDEHeaderName)

#include <Classes.hpp>
#include <DataBkr.hpp>
$IF(MTSObject)
#include <Mtsrdm.hpp>
#include <Mtx.hpp>
$ENDIF
#include "$(TypeLibModuleName).h"

/////////////////////////////////////////////////////////////////////////////
// T$(CoClassName)  the data module of $(CoClassName)
/////////////////////////////////////////////////////////////////////////////
$IF(MTSObject)
class T$(CoClassName) : public TMtsDataModule
$ELSE
class T$(CoClassName) : public TCRemoteDataModule
$ENDIF
{
__published:	// IDE-managed Components
private:	// User declarations
public:		// User declarations
  __fastcall T$(CoClassName)(TComponent* Owner);
};

/////////////////////////////////////////////////////////////////////////////
// $(ClassName)     Implements $(InterfaceName), default interface of $(CoClassName)
// ThreadingModel : $(ThreadingModel)
// Dual Interface : $(Dual)
$IF(MTSObject)
// Object Control : $(ObjectControl)
// Can Be Pooled  : $(CanBePooled)
$ENDIF
/////////////////////////////////////////////////////////////////////////////
class ATL_NO_VTABLE $(ClassName) :
  public CComObjectRootEx<CComSingleThreadModel>,
  public CComCoClass<$(ClassName), &CLSID_$(CoClassName)>,
$IF(MTSObject)
$IF(ObjectControl)
  public IObjectControl,
$ENDIF
$ENDIF
  public IDispatchImpl<$(InterfaceName), &IID_$(InterfaceName), &LIBID_$(LibName)>
{
public:
  $(ClassName)() : m_DataModule(new T$(CoClassName)(NULL))
  {
  }
  ~$(ClassName)()
  {
    delete m_DataModule;
  }

  // The data module whose components the object's members hand out.
  T$(CoClassName)* m_DataModule;

  DECLARE_PROGID($CSTR(ProgID));
  DECLARE_DESCRIPTION($CSTR(Description));

BEGIN_COM_MAP($(ClassName))
  COM_INTERFACE_ENTRY($(InterfaceName))
  COM_INTERFACE_ENTRY2(IDispatch, $(InterfaceName))
$IF(MTSObject)
$IF(ObjectControl)
  COM_INTERFACE_ENTRY(IObjectControl)
$ENDIF
$ENDIF
END_COM_MAP()
};

#endif //$(IDEHeaderName)
