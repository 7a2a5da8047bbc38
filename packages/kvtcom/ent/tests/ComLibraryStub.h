#pragma once
// The headers a generated COM unit includes besides <zub.h> and its type library's header: the
// COM library, the ATL wrapper of ZUB controls, the Active Server, MTS and data broker units and
// the Pascal-style component headers and a library's object map, declared just enough for the compiler to check the unit's
// own text: file names relative to a project folder (the compiler tells "classes.hpp" from
// "Classes.hpp"), and their texts.
#include <utility>
#include <vector>

#include "rtl/SysUtils.h"

inline const std::vector<std::pair<String, String>>& ComLibraryStub()
{
    static const std::vector<std::pair<String, String>> files = {
        {"atl/atlzub.h", R"(#pragma once
#include <zub.h>
typedef long HRESULT;
typedef long SCODE;
typedef int BOOL;
typedef short VARIANT_BOOL;
typedef wchar_t* BSTR;
typedef double DATE;
typedef long DISPID;
typedef const wchar_t* LPCWSTR;
typedef const char* LPCTSTR;
typedef struct HWND__* HWND;
struct CURRENCY { long long v; };
struct DECIMAL { long lo, hi; };
struct VARIANT { int vt; };
#define WINAPI
#define STDMETHODCALLTYPE
#define ATL_NO_VTABLE
#define S_OK 0
#define S_FALSE 1
#define E_FAIL 0x80004005L
#define TRUE 1
#define FALSE 0
#define _T(s) s
#define STDMETHOD(m) virtual HRESULT STDMETHODCALLTYPE m
#define STDMETHOD_(t, m) virtual t STDMETHODCALLTYPE m
#define STDMETHODIMP HRESULT STDMETHODCALLTYPE
#define STDMETHODIMP_(t) t STDMETHODCALLTYPE
#define PACKAGE
#define __fastcall
#define __published public
struct GUID { unsigned long d1; unsigned short d2, d3; unsigned char d4[8]; };
#define DEFINE_GUID(n, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8) \
  extern "C" const GUID n = {l, w1, w2, {b1, b2, b3, b4, b5, b6, b7, b8}}
struct IUnknown {
  virtual HRESULT STDMETHODCALLTYPE QueryInterface(const GUID&, void**) = 0;
  virtual unsigned long STDMETHODCALLTYPE AddRef() = 0;
  virtual unsigned long STDMETHODCALLTYPE Release() = 0;
};
typedef IUnknown* LPUNKNOWN;
struct IDispatch : IUnknown {};
struct CComSingleThreadModel {};
template <class M> struct CComObjectRootEx {};
template <class T, const GUID* clsid> struct CComCoClass {
  static const GUID& GetObjectCLSID() { return *clsid; }
};
template <class I, const GUID* iid, const GUID* lib> struct IDispatchImpl : I {};
template <class T> struct IConnectionPointContainerImpl {};
template <class T, const GUID* iid> struct IConnectionPointImpl {
  template <class... A> void FireEvent(int, A...) {}
};
template <class T> struct TTypedComServerRegistrarT {
  TTypedComServerRegistrarT(const GUID&, const char*, const char*);
  HRESULT UpdateRegistry(BOOL);
};
enum { otSingle, otApartment, otFree, otBoth, otNeutral };
#define DECLARE_THREADING_MODEL(m) static int ThreadingModel() { return m; }
#define DECLARE_PROGID(s) static const char* GetProgID() { return s; }
#define DECLARE_DESCRIPTION(s) static const char* GetDescription() { return s; }
#define DUALINTERFACE_IMPL(co, intf) public IDispatchImpl<intf, &IID_##intf, nullptr>
#define DUALINTERFACE_ENTRY(i)
#define BEGIN_COM_MAP(c)
#define COM_INTERFACE_ENTRY(i)
#define COM_INTERFACE_ENTRY2(a, b)
#define COM_INTERFACE_ENTRY_IMPL(i)
#define END_COM_MAP()
#define BEGIN_CONNECTION_POINT_MAP(c)
#define CONNECTION_POINT_ENTRY(i)
#define END_CONNECTION_POINT_MAP()
template <class Ctl> struct TZubControlImpl {
  Ctl* m_ZubCtl = nullptr;
  HRESULT FireOnRequestEdit(DISPID);
  void FireOnChanged(DISPID);
};
#define ZUBCONTROL_IMPL(impl, co, ctl, intf, events) public TZubControlImpl<ctl>, public intf
#define ZUB_CONTROL_COM_INTERFACE_ENTRIES(i)
#define BEGIN_PROPERTY_MAP(c)
#define END_PROPERTY_MAP()
#define DECLARE_ZUB_CONTROL_PERSISTENCE(c, z)
#define DECLARE_ACTIVEXCONTROL_REGISTRY(p, b)
#define DECLARE_COMSERVER_REGISTRY(p, d)
template <class T> struct TLicenseString {};
#define DECLARE_CLASSFACTORY2(f)
struct TValidateLicense { static bool IsGUIDInFile(LPCWSTR, LPCTSTR); };
class TActiveForm : public TForm {
public:
  explicit TActiveForm(HWND);
  explicit TActiveForm(TComponent* AOwner) : TForm(AOwner) {}
};
class TPropertyPage : public TForm {
public:
  explicit TPropertyPage(TComponent* AOwner) : TForm(AOwner) {}
};
template <class Page> struct TPropertyPageImpl {};
#define PROPERTYPAGE_IMPL(impl, co, page) public TPropertyPageImpl<page>
#define PROPERTYPAGE_COM_INTERFACE_ENTRIES
#define Exception ComException
struct ComException { struct { const char* c_str() const { return ""; } } Message; };
HRESULT Error(const char*, const GUID&);
typedef struct HINSTANCE__* HINSTANCE;
typedef void* LPVOID;
typedef const GUID& REFCLSID;
typedef const GUID& REFIID;
#define STDAPI extern "C" HRESULT
#define __export
#define DLL_PROCESS_ATTACH 1
BOOL DisableThreadLibraryCalls(HINSTANCE);
#define USERES(f)
struct _ATL_OBJMAP_ENTRY { const GUID* clsid; const void* (*make)(); };
template <class T> const void* AtlMakeObject() { static_assert(sizeof(T) > 0); return nullptr; }
#define BEGIN_OBJECT_MAP(x) static _ATL_OBJMAP_ENTRY x[] = {
#define OBJECT_ENTRY(clsid, c) {&clsid, &AtlMakeObject<c>},
#define END_OBJECT_MAP() {nullptr, nullptr}};
struct TComModule {
  void Init(_ATL_OBJMAP_ENTRY*, HINSTANCE);
  void Term();
  long GetLockCount();
  HRESULT GetClassObject(REFCLSID, REFIID, LPVOID*);
  HRESULT RegisterServer(BOOL);
  HRESULT UnregisterServer();
};
)"},
        {"asptlb.h", R"(#pragma once
#include <atl/atlzub.h>
template <class T, const GUID* iid, const GUID* lib> struct TASPObject {
  HRESULT OnStartPage(LPUNKNOWN);
  HRESULT OnEndPage();
};
template <class T, const GUID* iid, const GUID* lib> struct TASPMTSObject {};
)"},
        {"mtx.h", R"(#pragma once
#include <atl/atlzub.h>
struct IObjectControl {
  STDMETHOD(Activate)() = 0;
  STDMETHOD_(BOOL, CanBePooled)() = 0;
  STDMETHOD_(void, Deactivate)() = 0;
};
)"},
        {"Mtx.hpp", "#pragma once\n#include <mtx.h>\n"},

        {"DataBkr.hpp", R"(#pragma once
#include <atl/atlzub.h>
struct TCRemoteDataModule { explicit TCRemoteDataModule(TComponent*); virtual ~TCRemoteDataModule(); };
)"},
        {"Mtsrdm.hpp", R"(#pragma once
#include <atl/atlzub.h>
struct TMtsDataModule { explicit TMtsDataModule(TComponent*); virtual ~TMtsDataModule(); };
)"},
        {"Classes.hpp", "#pragma once\n#include <atl/atlzub.h>\n"},
        {"classes.hpp", "#pragma once\n#include <atl/atlzub.h>\nnamespace Classes { using ::TComponent; }\n"},
        {"controls.hpp", "#pragma once\n"},
        {"stdCtrls.hpp", "#pragma once\n#include \"zub/Buttons.h\"\n"},
        {"stdctrls.hpp", "#pragma once\n"},
        {"forms.hpp", "#pragma once\n"},
        {"axctrls.hpp", "#pragma once\n"},
        {"initguid.h", "#pragma once\n"},
    };
    return files;
}
