/* Stand-in of the library's core call layer for compiling VCSystem.c: the
   thread-specific procedure handles of independent operators and the direct
   call used inside the library build. */
#ifndef VORNIX_CORE0_STANDIN_H
#define VORNIX_CORE0_STANDIN_H

#include "VornixC.h"

typedef Vproc_handle Vophandle_;

extern Verror VGetRecVProc(int op_id, void *proc_handle);
extern Verror VPutRecVProcErr(Vophandle_ proc_handle, Verror err);
extern void VcException(int op_id, Verror err);
extern int VIsMessage(Verror err);
extern Verror VcErrorHandling(Vproc_handle proc_handle, Verror err);
extern Verror CCallVProc(Vproc_handle proc_handle);

#endif
