/* Stand-in of the C interface runtime for compiling generated C interface
   sources: the types, export macros and calls that VC<package>.c and
   VCSystem.c use, declared with full prototypes so that the compiler checks
   every generated call. Nothing here is ever linked. */
#ifndef VORNIXC_STANDIN_H
#define VORNIXC_STANDIN_H

#include <stddef.h>
#include <stdint.h>

#ifndef LIntExport
#define LIntExport
#endif
#ifndef VUserExport
#define VUserExport
#endif
#ifndef VUserImport
#define VUserImport
#endif

/* Distinct pointer types, so that an object passed for a tuple (or a tuple
   for a pointer to one) is a compile error. */
typedef int32_t Verror;
typedef long Vlong;
typedef struct VornixObjectStandIn *Vobject;
typedef struct VornixTupleStandIn *Vtuple;
typedef struct VornixProcStandIn *Vproc_handle;

#define V_MSG_OK 2
#define V_ERR_UEXTNI 2100

/* Calls of every wrapper. */
extern Verror VcPreCall(int proc_index, Vproc_handle *proc_handle);
extern Verror VcPostCall(Vproc_handle proc_handle, Verror err);
extern Verror VcCall(Vproc_handle proc_handle);
extern Verror VcStoreIO(Vproc_handle proc_handle, int par, const Vobject obj);
extern Verror VcStoreOO(Vproc_handle proc_handle, int par, Vobject *obj, Verror err);

/* Tuple mode. */
extern Verror VcStoreICT(Vproc_handle proc_handle, int par, const Vtuple *tuple);
extern Verror VcStoreICTEnc(Vproc_handle proc_handle, int par, const Vtuple *tuple);
extern void VcInitOCT(Vproc_handle proc_handle, int par, Vtuple *tuple);
extern Verror VcStoreOCT(Vproc_handle proc_handle, int par, Vtuple *tuple, Verror err);
extern Verror VcStoreOCTEnc(Vproc_handle proc_handle, int par, Vtuple *tuple, Verror err);

/* Simple mode. */
extern Verror VcStoreICD(Vproc_handle proc_handle, int par, double value);
extern Verror VcStoreICL(Vproc_handle proc_handle, int par, Vlong value);
extern Verror VcStoreICS(Vproc_handle proc_handle, int par, const char *value);
extern Verror VcStoreICSEnc(Vproc_handle proc_handle, int par, const char *value);
extern void VcInitOCD(Vproc_handle proc_handle, int par);
extern void VcInitOCL(Vproc_handle proc_handle, int par);
extern void VcInitOCS(Vproc_handle proc_handle, int par);
extern Verror VcStoreOCD(Vproc_handle proc_handle, int par, double *value, Verror err);
extern Verror VcStoreOCL(Vproc_handle proc_handle, int par, Vlong *value, Verror err);
extern Verror VcStoreOCS(Vproc_handle proc_handle, int par, char *value, Verror err);
extern Verror VcStoreOCSEnc(Vproc_handle proc_handle, int par, char *value, Verror err);

#endif
