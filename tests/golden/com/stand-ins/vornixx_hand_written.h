// Stand-in for the hand-written interfaces of the library's COM server
// (casting of iconic objects, access to handles).
#pragma once

#include "VIntDef.h"
#include "atlbase.h"

struct IVObjectX : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE Cast(IVObjectX* Source) = 0;
};
struct IHandleAccess : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE HandleAccess(Vlong* rVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE HandleEnterCriticalSection() = 0;
  virtual HRESULT STDMETHODCALLTYPE HandleLeaveCriticalSection() = 0;
  virtual HRESULT STDMETHODCALLTYPE HandleCleanUp(BOOL CallDestructor) = 0;
  virtual HRESULT STDMETHODCALLTYPE HandleIsValid(Vlong* isValid) = 0;
};
// The generic handle type has no generated COM class; its COM name, which
// parameters of that type carry, comes with the hand-written part of the
// interface definitions as a plain dispatch pointer.
typedef IDispatch* VHandleX;

extern "C" const IID IID_IVObjectX;
extern "C" const IID IID_IHandleAccess;
