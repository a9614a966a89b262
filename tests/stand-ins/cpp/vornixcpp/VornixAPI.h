// Stand-in of the runtime's calling interface, for compile checks only:
// the calls that generated call bodies make, with argument types strict
// enough to catch a wrong call (loads take pointers, stores take values).
#ifndef VORNIXCPP_STANDIN_VORNIXAPI_H
#define VORNIXCPP_STANDIN_VORNIXAPI_H

#include "vornixcpp/VornixCpp.h"

namespace VornixCpp
{
namespace VornixAPI
{

Vproc_handle PreCall(int proc_index);
void PostCall(Vproc_handle proc);
void CallProcedure(Vproc_handle proc);
void InitOutp(Vproc_handle proc, int index);

template <class T>
void Store(Vproc_handle proc, int index, const T& value);
template <class T>
void StoreEnc(Vproc_handle proc, int index, const T& value);
template <class T>
VTuple StoreKA(Vproc_handle proc, int index, const T& values);

template <class T>
void Load(Vproc_handle proc, int index, T* value);
template <class T>
void LoadEnc(Vproc_handle proc, int index, T* value);

Vkey SelectObject(Vkey key, Vlong index);
void AssertObjectClass(Vkey key, const char* sem_type);
void AssertHandleType(Vphandle handle, const char* sem_type);

}
}

#endif
