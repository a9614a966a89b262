/* Stand-in of the library-internal output initialisation calls for
   compiling VCSystem.c. */
#ifndef VORNIX_CORELI_STANDIN_H
#define VORNIX_CORELI_STANDIN_H

#include "VornixC.h"

extern void CLIInitOCT(Vproc_handle proc_handle, int par, Vtuple *tuple);
extern void CLIInitOCD(Vproc_handle proc_handle, int par);
extern void CLIInitOCL(Vproc_handle proc_handle, int par);
extern void CLIInitOCS(Vproc_handle proc_handle, int par);

#endif
