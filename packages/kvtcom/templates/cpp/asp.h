// $(HeaderName) : Declaration of the Active Server object $(ClassName)

#ifndef $(IDEHeaderName)
#define $(IDEHeaderName)

#include <asptlb.h>
#include "$(TypeLibModuleName).h"

/////////////////////////////////////////////////////////////////////////////
// $(ClassName)     Implements $(InterfaceName), default interface of $(CoClassName)
// ThreadingModel : $(ThreadingModel)
// Event Support  : $(ConnectionPointsEnabled)
/////////////////////////////////////////////////////////////////////////////
class ATL_NO_VTABLE $(ClassName) :
  public CComObjectRootEx<CComSingleThreadModel>,
  public CComCoClass<$(ClassName), &CLSID_$(CoClassName)>,
  public TASPObject<$(ClassName), &IID_$(InterfaceName), &LIBID_$(LibName)>,
  DUALINTERFACE_IMPL($(CoClassName), $(InterfaceName))
{
public:
  $(ClassName)()
  {
  }

  DECLARE_PROGID($CSTR(ProgID));

BEGIN_COM_MAP($(ClassName))
  COM_INTERFACE_ENTRY($(InterfaceName))
  COM_INTERFACE_ENTRY2(IDispatch, $(InterfaceName))
  DUALINTERFACE_ENTRY($(InterfaceName))
END_COM_MAP()

// $(InterfaceName)
public:
  STDMETHOD(OnStartPage)(IUnknown* AScriptingContext);
  STDMETHOD(OnEndPage)();
};

#endif //$(IDEHeaderName)
