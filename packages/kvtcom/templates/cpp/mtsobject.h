// $(HeaderName) : Declaration of the MTS object $(ClassName)

#ifndef $(IDEHeaderName)
#define $(IDEHeaderName)

#include <mtx.h>
#include "$(TypeLibModuleName).h"

/////////////////////////////////////////////////////////////////////////////
// $(ClassName)     Implements $(InterfaceName), default interface of $(CoClassName)
// ThreadingModel : $(ThreadingModel)
// Object Control : $(ObjectControl)
// Can Be Pooled  : $(CanBePooled)
/////////////////////////////////////////////////////////////////////////////
class ATL_NO_VTABLE $(ClassName) :
  public CComObjectRootEx<CComSingleThreadModel>,
  public CComCoClass<$(ClassName), &CLSID_$(CoClassName)>,
$IF(ObjectControl)
  public IObjectControl,
$ENDIF
  public IDispatchImpl<$(InterfaceName), &IID_$(InterfaceName), &LIBID_$(LibName)>
{
public:
  DECLARE_PROGID($CSTR(ProgID));
  DECLARE_DESCRIPTION($CSTR(Description));
$IF(ObjectControl)

  STDMETHOD(Activate)();
  STDMETHOD_(BOOL, CanBePooled)();
  STDMETHOD_(void, Deactivate)();
$ENDIF

BEGIN_COM_MAP($(ClassName))
  COM_INTERFACE_ENTRY($(InterfaceName))
  COM_INTERFACE_ENTRY2(IDispatch, $(InterfaceName))
$IF(ObjectControl)
  COM_INTERFACE_ENTRY(IObjectControl)
$ENDIF
END_COM_MAP()
};

#endif //$(IDEHeaderName)
