// Stand-in for the object library's COM templates and maps. The COM map
// checks that the class derives from every interface it lists; the object
// map makes each class, which fails for a class that leaves a member of
// its interfaces unimplemented.
#pragma once

class CComMultiThreadModel {};

template <class ThreadModel>
class CComObjectRootEx {
 public:
  // The runtime's object root supplies the clean-up that method bodies call
  // for an instance that is an output parameter.
  HRESULT HandleCleanUp(BOOL CallDestructor);
};

template <class T, const CLSID* clsid>
class CComCoClass {
 public:
  static HRESULT Error(const char* text, const IID& iid, HRESULT result);
};

template <class T, const IID* iid, const GUID* libid>
class IDispatchImpl : public T {};

template <const CLSID* clsid, const IID* iid, const GUID* libid>
class IProvideClassInfo2Impl : public IProvideClassInfo2 {};

template <class Base>
class CComObject : public Base {};

template <class T>
void* vornix_stand_in_create() {
  return static_cast<T*>(new CComObject<T>);
}

#define DECLARE_REGISTRY_RESOURCEID(id) \
  static int registry_resource() { return id; }
#define BEGIN_COM_MAP(cls)              \
  typedef cls com_map_class;            \
  static const void* const* com_map() { \
    static const void* const entries[] = {
#define COM_INTERFACE_ENTRY(iface) static_cast<iface*>(static_cast<com_map_class*>(nullptr)),
#define COM_INTERFACE_ENTRY2(iface, via) \
  static_cast<iface*>(static_cast<via*>(static_cast<com_map_class*>(nullptr))),
#define END_COM_MAP() \
  nullptr};           \
  return entries;     \
  }

#define BEGIN_OBJECT_MAP(name) static _ATL_OBJMAP_ENTRY name[] = {
#define OBJECT_ENTRY(clsid, cls) {&clsid, &vornix_stand_in_create<cls>},
#define END_OBJECT_MAP() \
  { nullptr, nullptr }   \
  }                      \
  ;
