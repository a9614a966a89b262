/* Stand-in of the library-internal base header for compiling the sources of
   a library build (VCSystem.c, VSystem.c): the basic types and calls come
   from the C interface stand-in, plus the procedure table. */
#ifndef VORNIX_INTERNAL_STANDIN_H
#define VORNIX_INTERNAL_STANDIN_H

#include "VornixC.h"

#ifndef VLibExport
#define VLibExport
#endif

typedef Verror (*VProcFunction)(Vproc_handle proc_id);

/* One entry per operator: its procedure and its module mask. */
typedef struct
{
  VProcFunction Proc;
  unsigned long ModuleMask;
} VProcCallEntry;

extern VProcCallEntry VProcCall[];

#endif
