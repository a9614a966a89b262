// Stand-in for the object library's base header: only the names and
// signatures the generated COM sources use, so that g++ -fsyntax-only can
// check them on Linux.
#pragma once

#include <cstddef>

typedef int BOOL;
typedef long HRESULT;
typedef unsigned long DWORD;
typedef void* LPVOID;
typedef void* HINSTANCE;
typedef wchar_t* BSTR;
#define TRUE 1
#define FALSE 0
#define WINAPI
#define STDMETHODCALLTYPE
#define STDAPI extern "C" HRESULT
#define STDMETHOD(method) virtual HRESULT STDMETHODCALLTYPE method
#define STDMETHODIMP HRESULT STDMETHODCALLTYPE
#define ATL_NO_VTABLE
#define S_OK ((HRESULT)0)
#define S_FALSE ((HRESULT)1)
#define DLL_PROCESS_ATTACH 1
#define DLL_PROCESS_DETACH 0

struct GUID {
  unsigned long data1;
  unsigned short data2, data3;
  unsigned char data4[8];
};
typedef GUID IID;
typedef GUID CLSID;
typedef const IID& REFIID;
typedef const CLSID& REFCLSID;
extern const GUID GUID_NULL;
inline bool InlineIsEqualGUID(REFIID, REFIID) { return false; }

struct VARIANT {
  int vt;
};

struct IDispatch {
  virtual ~IDispatch() {}
};
struct ISupportErrorInfo {
  virtual HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) = 0;
};
struct IProvideClassInfo {};
struct IProvideClassInfo2 : IProvideClassInfo {};

BOOL DisableThreadLibraryCalls(HINSTANCE instance);

struct _ATL_OBJMAP_ENTRY {
  const CLSID* clsid;
  void* (*create)();
};

class CComModule {
 public:
  HRESULT Init(_ATL_OBJMAP_ENTRY* map, HINSTANCE instance);
  void Term();
  long GetLockCount();
  HRESULT GetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv);
  HRESULT RegisterServer(bool register_type_library);
  HRESULT UnregisterServer();
};
