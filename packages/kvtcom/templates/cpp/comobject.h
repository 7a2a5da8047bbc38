// $(HeaderName) : Declaration of $(ClassName)

#ifndef $(IDEHeaderName)
#define $(IDEHeaderName)

#define ATL_APARTMENT_THREADED

#include "$(TypeLibModuleName).h"

/////////////////////////////////////////////////////////////////////////////
// $(ClassName)     Implements $(InterfaceName), default interface of $(CoClassName)
// ThreadingModel : $(ThreadingModel)
// Dual Interface : $(Dual)
// Event Support  : $(ConnectionPointsEnabled)
// Description    : $(Description)
/////////////////////////////////////////////////////////////////////////////
class ATL_NO_VTABLE $(ClassName) :
  public CComObjectRootEx<CComSingleThreadModel>,
  public CComCoClass<$(ClassName), &CLSID_$(CoClassName)>,
$IF(ConnectionPointsEnabled)
  public IConnectionPointContainerImpl<$(ClassName)>,
  public TEvents_$(CoClassName)<$(ClassName)>,
$ENDIF
$IF(Dual)
  public IDispatchImpl<$(InterfaceName), &IID_$(InterfaceName), &LIBID_$(LibName)>
$ELSE
  public $(InterfaceName)
$ENDIF
{
public:
  $(ClassName)()
  {
  }

  // Data used when registering Object
  //
  DECLARE_THREADING_MODEL(ot$(ThreadingModel));
  DECLARE_PROGID($CSTR(ProgID));
  DECLARE_DESCRIPTION($CSTR(Description));

  // Function invoked to (un)register object
  //
  static HRESULT WINAPI UpdateRegistry(BOOL bRegister)
  {
    TTypedComServerRegistrarT<$(ClassName)>
    regObj(GetObjectCLSID(), GetProgID(), GetDescription());
    return regObj.UpdateRegistry(bRegister);
  }


BEGIN_COM_MAP($(ClassName))
  COM_INTERFACE_ENTRY($(InterfaceName))
$IF(Dual)
  COM_INTERFACE_ENTRY2(IDispatch, $(InterfaceName))
$ENDIF
$IF(ConnectionPointsEnabled)
  COM_INTERFACE_ENTRY_IMPL(IConnectionPointContainer)
$ENDIF
END_COM_MAP()
$IF(ConnectionPointsEnabled)

BEGIN_CONNECTION_POINT_MAP($(ClassName))
  CONNECTION_POINT_ENTRY(DIID_I$(CoClassName)Events)
END_CONNECTION_POINT_MAP()
$ENDIF

// $(InterfaceName)
public:

};

#endif //$(IDEHeaderName)
