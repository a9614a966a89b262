/* Stand-in of the library-internal base header for compiling the sources of
   a library build (VCSystem.c, VSystem.c): the basic types and calls come
   from the C interface stand-in, the operator-set calls from Vornix.h,
   plus the procedure and operator-information tables. */
#ifndef VORNIX_INTERNAL_STANDIN_H
#define VORNIX_INTERNAL_STANDIN_H

#include "VornixC.h"
#include "Vornix.h"

#ifndef VLibExport
#define VLibExport
#endif

/* One entry per operator: its procedure and its module mask. */
typedef struct
{
  VProcFunction Proc;
  unsigned long ModuleMask;
} VProcCallEntry;

extern VProcCallEntry VProcCall[];

/* Most control parameters of one operator. */
#define VMAX_PAR 64

/* One entry per operator: what the operator table says about it. */
typedef struct
{
  const char *ParameterType[2];
  long NumInpObjPar;
  long NumOutpObjPar;
  long NumInpCtrlPar;
  long NumOutpCtrlPar;
  const VOperatorParamInfoExt *parameterInfoExt;
  VOperatorCategoryEnum category;
  unsigned flags;
  const char *LogicalName;
  const char *PhysicalName;
  int interrupt_mode;
  int process_excl_local;
  int parallelization;
  int compute_device;
  const void *aopCost;
  int numCost;
  int parallelMinCosts;
  int parallelRegionsplit;
  int splitIOPref[3];
  unsigned short splitIOPmask[3];
  unsigned short tupleIOPmask[3];
  int RegionPost;
  int ParameterCosts[VMAX_PAR];
  int ParameterPost[VMAX_PAR];
} VProcInfoEntry;

extern VProcInfoEntry VProcInfo[];

#endif
