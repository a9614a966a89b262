/* Stand-in of the library's main header for compiling generated operator
   tables: the operator-set calls of an extension package (VXPkgOpenId,
   VXPkgSetOpInfo), the ids of the operator properties and the constants of
   automatic parallelisation. The constants have distinct bits so that the
   registration recorder can name what it was given. */
#ifndef VORNIX_STANDIN_H
#define VORNIX_STANDIN_H

#include <stddef.h>
#include <stdint.h>

#include "VornixC.h"
#include "VVersNum.h"

#ifndef VLibExport
#define VLibExport
#endif

typedef int32_t VINT;

/* Returns the error of a failing call from the calling function. */
#define VCkP(call)                              \
  do {                                          \
    Verror vckp_err_ = (call);                  \
    if (vckp_err_ != V_MSG_OK) return vckp_err_; \
  } while (0)

#define V_OPERATOR_INFO_DERIVATE 3
#define ALL_VORNIX_VERSION 0x7fffffff

typedef Verror (*VProcFunction)(Vproc_handle proc_id);

/* Operator properties a package sets, one VXPkgSetOpInfo call each. */
typedef enum {
  VOIID_ParameterType = 1,
  VOIID_NumInpObjPar,
  VOIID_NumOutpObjPar,
  VOIID_NumInpCtrlPar,
  VOIID_NumOutpCtrlPar,
  VOIID_LogicalName,
  VOIID_PhysicalName,
  VOIID_procedure,
  VOIID_module,
  VOIID_process_excl_local,
  VOIID_parallelization,
  VOIID_compute_device,
  VOIID_aopCost,
  VOIID_numCost,
  VOIID_parallelMinCosts,
  VOIID_parallelRegionsplit,
  VOIID_splitIOPref,
  VOIID_splitIOPmask,
  VOIID_tupleIOPmask,
  VOIID_RegionPost,
  VOIID_ParameterCosts,
  VOIID_ParameterPost
} VOperatorInfoId;

/* Scopes. */
#define VAG_PAR_EXCLUSIVE 1
#define VAG_PAR_MUTUAL 2
#define VAG_PAR_LOCAL 3
#define VAG_PAR_INDEPENDENT 4
#define VAG_PAR_NO_RESTRICT 5

/* Methods (bits). */
#define VAG_PAR_TUPL 0x01
#define VAG_PAR_CHNL 0x02
#define VAG_PAR_RESC 0x04
#define VAG_PAR_REIF 0x08
#define VAG_PAR_PAIF 0x10
#define VAG_PAR_PART 0x20

/* Region post-processing. */
#define VAG_PAR_REG_NONE 0
#define VAG_PAR_REG_CONSI 1
#define VAG_PAR_REG_CONMU 2
#define VAG_PAR_REG_CONMAN 3

/* Post-processing of output control parameters (bits). */
#define VAG_PAR_NOCT 0
#define VAG_PAR_TUCT_ADD 0x001
#define VAG_PAR_TUCT_MIN 0x002
#define VAG_PAR_TUCT_MAX 0x004
#define VAG_PAR_TUCT_CON 0x008
#define VAG_PAR_CHCT_ADD 0x010
#define VAG_PAR_CHCT_MIN 0x020
#define VAG_PAR_CHCT_MAX 0x040
#define VAG_PAR_CHCT_CON 0x080
#define VAG_PAR_RECT_ADD 0x100
#define VAG_PAR_RECT_MIN 0x200
#define VAG_PAR_RECT_MAX 0x400
#define VAG_PAR_RECT_CON 0x800

#define COMPUTE_DEVICE_BIT_OpenCL 0x1

typedef enum {
  VOC_FOUNDATION = 0,
  VOC_OTHER = 11,
  VOC_EXTENSION_PACKAGE = 12
} VOperatorCategoryEnum;

/* Names of the outputs and value lists of the inputs of an operator. */
typedef struct {
  const char *sem_type;
  const char **out_par_names;
  const char ***in_par_values;
} VOperatorParamInfoExt;

extern Verror VXPkgOpenId(int32_t xpkg_id, int32_t version, int32_t kind, int32_t count,
                          int32_t *osid);
/* op is the operator number; what follows id depends on it. */
extern Verror VXPkgSetOpInfo(int32_t xid, int32_t op, VOperatorInfoId id, ...);

#endif
