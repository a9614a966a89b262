// Stand-in of the C++ runtime's umbrella header, for compile checks of
// generated code only: it declares what the generated classes derive from
// and call, with just enough detail for g++ -fsyntax-only.
//
// Library build: the generated headers (VornixCppForwards.h, VTuple.h,
// VornixCppIncludes.h, ...) must be reachable as "vornixcpp/<name>"; they
// are included in the order the runtime needs them. Extension package: no
// generated headers exist, and a few library classes are declared here.
#ifndef VORNIXCPP_STANDIN_VORNIXCPP_H
#define VORNIXCPP_STANDIN_VORNIXCPP_H

#include <cstddef>
#include <iostream>
#include <new>

#define LIntExport
#define VUserExport
#define VUserImport
#define UNUSED(x) (void)(x)
#define VCkNew(expression) \
  do {                     \
    expression;            \
  } while (0)

typedef long Vlong;
typedef long Vkey;
typedef void* Vphandle;
typedef void* Vproc_handle;
typedef unsigned int Verror;
#define V_MSG_OK 2
#define V_ERR_UEXTNI 2118

#if __has_include("vornixcpp/VornixCppIncludes.h")
#define VORNIXCPP_STANDIN_LIBRARY 1
#include "vornixcpp/VornixCppForwards.h"
#else
namespace VornixCpp
{
  class VTuple;
  class VObject;
  class VHandle;
  class VSerializedItem;
}
#endif

namespace VornixCpp
{

class VString
{
public:
  VString();
  VString(const char* text);
  VString(const VString& other);
  const char* Text() const;
};

class VObjectBase
{
public:
  VObjectBase();
  VObjectBase(const VObjectBase& source);
  VObjectBase(Vkey key, bool copy);
  virtual ~VObjectBase();
  void Clear();

protected:
  Vkey mKey;
};

// Base of the generated iconic array classes (VImageArray, VRegionArray,
// ...): the runtime holds the objects, the library build generates one
// array class per iconic class, as it does for handles and fixed-size data.
class VObjectBaseArray
{
public:
  VObjectBaseArray();
  virtual ~VObjectBaseArray();
  void Clear();
  Vlong Length() const;

protected:
  void InitFromArray(VObjectBase* classes, Vlong length);
  virtual void CreateArray(Vlong length) = 0;
  VObjectBase* mArray;
  Vlong mLength;
};

class VHandleBase
{
public:
  VHandleBase();
  VHandleBase(const VHandleBase& source);
  explicit VHandleBase(Vlong handle);
  VHandleBase(const Vphandle handle, bool copy);
  virtual ~VHandleBase();
  VHandleBase& operator=(const VHandleBase& source);
  bool operator==(const VHandleBase& other) const;
  bool operator!=(const VHandleBase& other) const;
  void Clear();

protected:
  void AssertType() const;
  virtual void AssertType(Vphandle handle) const;
};

class VHandleBaseArray
{
public:
  VHandleBaseArray();
  virtual ~VHandleBaseArray();
  virtual void Clear() = 0;
  virtual Vlong Length() const = 0;
  virtual void SetFromTuple(const VTuple& handles) = 0;
  virtual VTuple ConvertToTuple() const = 0;
};

template <class T>
class VSmartPtr
{
public:
  VSmartPtr();
  explicit VSmartPtr(T* pointer);
  VSmartPtr& operator=(const VSmartPtr& other);
  T* operator->() const;
  bool Ref() const;
};

class VDataBase
{
public:
  VDataBase();
  VDataBase(const VDataBase& source);
  explicit VDataBase(const VTuple& tuple);
  virtual ~VDataBase();
  VDataBase& operator=(const VDataBase& source);
  void Clear();
};

class VDataArray
{
public:
  VDataArray();
  virtual ~VDataArray();
  void Clear();
  Vlong Length() const;

protected:
  void InitFromArray(VDataBase* classes, Vlong length);
  virtual void CreateArray(Vlong length) = 0;
  virtual int GetFixedSize() const = 0;
  VDataBase* mArray;
  Vlong mLength;
};

class VException
{
public:
  VException(const char* proc_name, const char* message);
  void ThrowInstance() const;
  void React(Vproc_handle proc);
  Verror ErrorCode() const;
};

class VOperatorException : public VException
{
public:
  static void Throw(int proc_index, Verror error);
};

}

#if defined(VORNIXCPP_STANDIN_LIBRARY)
// The generated classes; their bases first.
#include "vornixcpp/VTuple.h"
#include "vornixcpp/VObject.h"
#include "vornixcpp/VHandle.h"
#include "vornixcpp/VornixCppIncludes.h"
#if __has_include("vornixcpp/VOperatorSetLegacy.h")
#include "vornixcpp/VOperatorSetLegacy.h"
#endif
#if __has_include("vornixcpp/VIOStream.h")
#include "vornixcpp/VIOStream.h"
#endif
#else
// The library classes that the extension-package checks use.
namespace VornixCpp
{

class VTuple
{
public:
  VTuple();
  VTuple(Vlong value);
  VTuple(double value);
  VTuple(const char* value);
  void Clear();
};

class VObject : public VObjectBase
{
public:
  VObject();
  VObject(const VObject& source);
};

class VHandle : public VHandleBase
{
public:
  VHandle();
  VHandle(const VHandle& source);
};

class VShapeModel : public VHandle
{
public:
  VShapeModel();
};

class VShapeModelArray : public VHandleBaseArray
{
public:
  VShapeModelArray();
  virtual void Clear();
  virtual Vlong Length() const;
  virtual void SetFromTuple(const VTuple& handles);
  virtual VTuple ConvertToTuple() const;
};

class VHomMat2D : public VDataBase
{
public:
  VHomMat2D();
};

class VHomMat2DArray : public VDataArray
{
public:
  VHomMat2DArray();
protected:
  virtual void CreateArray(Vlong length);
  virtual int GetFixedSize() const;
};

}
#endif

#endif
