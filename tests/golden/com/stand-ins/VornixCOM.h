// Stand-in for the library's COM call interface: the store, call and load
// functions with the value types each accepts, so that a wrong store
// function or a wrong parameter type fails to compile, and the macros of
// the class sources.
#pragma once

#include "vornix_types.h"

bool VIsError(Verror status);
Verror VcomPreCall(int proc_number, Vproc_handle* handle);
Verror VcomPreCallUser(int proc_number, Vproc_handle* handle);
Verror VcomCall(Vproc_handle handle);
Verror VcomPostCall(Vproc_handle handle, Verror status);
const char* VMessage_COMInt(Verror status);

Verror VcomStoreIO(Vproc_handle handle, int index, Vobject value);
Verror VcomStoreICTOOL(Vproc_handle handle, int index, const Vtuple& value);
Verror VcomStoreICL(Vproc_handle handle, int index, Vlong value);
Verror VcomStoreICD(Vproc_handle handle, int index, double value);
Verror VcomStoreICBSTR(Vproc_handle handle, int index, BSTR value);
Verror VcomStoreICV(Vproc_handle handle, int index, VARIANT value);

Verror VcomStoreOO(Vproc_handle handle, int index, Vobject* value, Verror status);
Verror VcomStoreOCTOOL(Vproc_handle handle, int index, Vtuple* value, Verror status);
Verror VcomStoreOCL(Vproc_handle handle, int index, Vlong* value, Verror status);
Verror VcomStoreOCD(Vproc_handle handle, int index, double* value, Verror status);
Verror VcomStoreOCBSTR(Vproc_handle handle, int index, BSTR* value, Verror status);
Verror VcomStoreOCV(Vproc_handle handle, int index, VARIANT* value, Verror status);

/// Class instances travel as interface pointers.
Verror vornix_store_instance(Vproc_handle handle, int index, IDispatch* value, bool iconic);
Verror vornix_load_instance(Vproc_handle handle, int index, IDispatch** value, const char* cls,
                            bool iconic, Verror status);
#define VCOMSTOREIO(index, name) errorStatus = vornix_store_instance(ph, index, name, true)
#define VCOMSTOREITOOL(index, name) errorStatus = vornix_store_instance(ph, index, name, false)
#define VCOMSTOREOO(index, name, cls) \
  errorStatus = vornix_load_instance(ph, index, (IDispatch**)name, #cls, true, errorStatus)
#define VCOMSTOREOTOOL(index, name, cls) \
  errorStatus = vornix_load_instance(ph, index, (IDispatch**)name, #cls, false, errorStatus)

void vornix_tuple_to_variant(const Vtuple& handle, VARIANT* value, const char* name);
#define TUPLECONVERT(handle, value, name) vornix_tuple_to_variant(handle, value, name)

#define VCOM_HANDLE_ACCESS_IMPL_OBJ(cls, destructor) \
  static_assert((destructor) >= -1, "operator number");  \
  cls::cls() {}                                          \
  cls::~cls() {}
#define VCOM_HANDLE_ACCESS_IMPL_TOOL(cls, destructor) \
  static_assert((destructor) >= -1, "operator number");   \
  cls::cls() {}                                           \
  cls::~cls() {}
#define VCOM_CAST_IMPL(copy_obj) return (Source != nullptr && (copy_obj) >= -1) ? S_OK : S_FALSE

#define VORNIXX_ERR_BASE 0x80040000L
#define VORNIXX_COMINT_ERR_BASE 0x80041000L
