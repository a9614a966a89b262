// Stand-in for the library's own C types that the COM sources pass on.
#pragma once

#include "VIntDef.h"

typedef int Verror;
typedef struct VprocRecord* Vproc_handle;
struct Vobject {
  void* id;
};
struct Vtuple {
  void* data;
};
#define V_MSG_TRUE 2
#define V_MSG_OK 2
#define V_ERR_UEXTNI 5004
#define VUserImport
