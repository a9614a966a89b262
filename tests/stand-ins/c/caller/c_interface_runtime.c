/* Recording stand-in of the library's C interface runtime, for running a
   generated extension-package C interface (VC<package>.c) together with the
   package's operator table (V<package>.c) of the same definition files.

   The package registers its operators through VXPkgOpenId/VXPkgSetOpInfo;
   the library loads it only when the first wrapper touches the system (as
   VcPreCall(0,...) does here). Every wrapper call is then followed from
   VcPreCall to VcPostCall and checked against the registration: the
   operator reached must carry the wrapper's name, the procedure that runs
   must be the registered one, the stores must number the iconic parameters
   from 1 and the control parameters from 0 in order, and their counts and
   (in simple mode) their value kinds must agree with the registered counts
   and type flags. One line per call goes to standard output; the exit
   status is the number of faults found.

   Build with the generated sources, the operator stubs of
   recorder/make_stubs.sh and the calls of make_calls.py. */
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "Vornix.h"

#define MAX_OPERATORS 4096
#define PACKAGE_ID 7
#define OPERATOR_SET_ID 40

extern Verror VXPkgInit(int32_t xpkg_id);
/* The generated calls, one per prototype of the header (make_calls.py). */
extern void run_calls(void);

/* Set by the operator stubs: the function that last ran. */
const char *recorder_called = NULL;
/* Set by the generated calls: the wrapper being called. */
const char *call_wrapper = NULL;

typedef struct {
  const char *types[2];
  int counts[4];
  const char *logical, *physical;
  VProcFunction procedure;
} Registration;

static Registration registered[MAX_OPERATORS];
static int opened_count = -1;
static int faults = 0;

struct VornixProcStandIn {
  int op; /* -1: the system operator that loads the package */
  int input_objects, output_objects, input_controls, output_inits, output_stores;
  int called;
  const char *ran;
};
static struct VornixProcStandIn current;
static int in_call = 0;

static void fault(const char *what, int par) {
  fprintf(stderr, "runtime: %s: %s (parameter %d)\n", call_wrapper ? call_wrapper : "?", what,
          par);
  ++faults;
}

Verror VXPkgOpenId(int32_t xpkg_id, int32_t version, int32_t kind, int32_t count, int32_t *osid) {
  (void)xpkg_id;
  (void)version;
  (void)kind;
  if (count < 0 || count > MAX_OPERATORS) fault("operator count out of range", count);
  opened_count = count;
  *osid = OPERATOR_SET_ID;
  return V_MSG_OK;
}

Verror VXPkgSetOpInfo(int32_t xid, int32_t op, VOperatorInfoId id, ...) {
  va_list args;
  Registration *r;
  int group;
  (void)xid;
  if (op < 0 || op >= opened_count) {
    fault("registration outside the opened set", op);
    return V_MSG_OK;
  }
  r = &registered[op];
  va_start(args, id);
  switch (id) {
    case VOIID_ParameterType:
      group = va_arg(args, int);
      if (group == 0 || group == 1) r->types[group] = va_arg(args, const char *);
      break;
    case VOIID_NumInpObjPar: case VOIID_NumOutpObjPar:
    case VOIID_NumInpCtrlPar: case VOIID_NumOutpCtrlPar:
      r->counts[id - VOIID_NumInpObjPar] = va_arg(args, int);
      break;
    case VOIID_LogicalName: r->logical = va_arg(args, const char *); break;
    case VOIID_PhysicalName: r->physical = va_arg(args, const char *); break;
    case VOIID_procedure: r->procedure = va_arg(args, VProcFunction); break;
    default: break; /* parallelisation and module: not used by calls */
  }
  va_end(args);
  return V_MSG_OK;
}

Verror VInitVlibXpiSymbols(int32_t id, void *symbols) {
  (void)id;
  (void)symbols;
  return V_MSG_OK;
}

Verror VcPreCall(int proc_index, Vproc_handle *proc_handle) {
  if (in_call) fault("VcPreCall inside a call", proc_index);
  memset(&current, 0, sizeof current);
  in_call = 1;
  *proc_handle = &current;
  if (proc_index == 0 && opened_count < 0) {
    /* touching the system loads the package */
    current.op = -1;
    return VXPkgInit(PACKAGE_ID);
  }
  current.op = proc_index - OPERATOR_SET_ID;
  if (current.op < 0 || current.op >= opened_count) {
    fault("operator number outside the package's operator set", proc_index);
    current.op = -2;
  }
  return V_MSG_OK;
}

static const Registration *target(Vproc_handle ph) {
  if (ph != &current || !in_call) {
    fault("call outside VcPreCall/VcPostCall", -1);
    return NULL;
  }
  return current.op >= 0 ? &registered[current.op] : NULL;
}

/* kind: 'T' tuple, or the simple-mode store letter D, S or L */
static void check_kind(const Registration *r, int group, int par, char kind) {
  const char *flags;
  char flag;
  if (r == NULL || kind == 'T') return;
  flags = r->types[group];
  if (flags == NULL || par >= (int)strlen(flags)) {
    fault("no registered type flag", par);
    return;
  }
  flag = flags[par];
  if ((kind == 'D') != (flag == 'f' || flag == 'F') || (kind == 'S') != (flag == 's' || flag == 'S'))
    fault("value kind differs from the registered type flag", par);
}

static void store_input_control(Vproc_handle ph, int par, char kind) {
  const Registration *r = target(ph);
  if (par != current.input_controls) fault("input control out of order", par);
  ++current.input_controls;
  check_kind(r, 0, par, kind);
}

static void init_output_control(Vproc_handle ph, int par, char kind) {
  const Registration *r = target(ph);
  if (par != current.output_inits) fault("output control initialised out of order", par);
  ++current.output_inits;
  check_kind(r, 1, par, kind);
}

static void store_output_control(Vproc_handle ph, int par, char kind) {
  const Registration *r = target(ph);
  if (par != current.output_stores) fault("output control stored out of order", par);
  ++current.output_stores;
  check_kind(r, 1, par, kind);
}

Verror VcStoreIO(Vproc_handle ph, int par, const Vobject obj) {
  (void)obj;
  target(ph);
  if (par != current.input_objects + 1) fault("input object out of order", par);
  ++current.input_objects;
  return V_MSG_OK;
}

Verror VcStoreOO(Vproc_handle ph, int par, Vobject *obj, Verror err) {
  (void)obj;
  target(ph);
  if (par != current.output_objects + 1) fault("output object out of order", par);
  ++current.output_objects;
  return err;
}

Verror VcCall(Vproc_handle ph) {
  const Registration *r = target(ph);
  if (r == NULL) return V_MSG_OK;
  recorder_called = NULL;
  ++current.called;
  if (r->procedure == NULL || r->procedure(ph) != V_MSG_OK) fault("procedure failed", -1);
  current.ran = recorder_called;
  return V_MSG_OK;
}

Verror VcPostCall(Vproc_handle ph, Verror err) {
  const Registration *r = target(ph);
  const char *name = call_wrapper;
  in_call = 0;
  if (current.op == -1) return err; /* the loading touch */
  if (r == NULL) return err;
  if (strncmp(name, "T_", 2) == 0) name += 2;
  if (r->logical == NULL || strcmp(name, r->logical) != 0) fault("reached another operator", -1);
  if (current.called != 1) fault("procedure not called exactly once", -1);
  if (current.ran == NULL || r->physical == NULL || strcmp(current.ran, r->physical) != 0)
    fault("another procedure ran", -1);
  if (current.input_objects != r->counts[0]) fault("input object count", current.input_objects);
  if (current.output_objects != r->counts[1]) fault("output object count", current.output_objects);
  if (current.input_controls != r->counts[2]) fault("input control count", current.input_controls);
  if (current.output_inits != r->counts[3] || current.output_stores != r->counts[3])
    fault("output control count", current.output_stores);
  printf("%s -> operator %d %s, ran %s, %d:%d:%d:%d\n", call_wrapper, current.op,
         r->logical ? r->logical : "?", current.ran ? current.ran : "?", current.input_objects,
         current.output_objects, current.input_controls, current.output_stores);
  return err;
}

Verror VcStoreICT(Vproc_handle ph, int par, const Vtuple *tuple) {
  (void)tuple;
  store_input_control(ph, par, 'T');
  return V_MSG_OK;
}
Verror VcStoreICTEnc(Vproc_handle ph, int par, const Vtuple *tuple) {
  return VcStoreICT(ph, par, tuple);
}
void VcInitOCT(Vproc_handle ph, int par, Vtuple *tuple) {
  (void)tuple;
  init_output_control(ph, par, 'T');
}
Verror VcStoreOCT(Vproc_handle ph, int par, Vtuple *tuple, Verror err) {
  (void)tuple;
  store_output_control(ph, par, 'T');
  return err;
}
Verror VcStoreOCTEnc(Vproc_handle ph, int par, Vtuple *tuple, Verror err) {
  return VcStoreOCT(ph, par, tuple, err);
}

Verror VcStoreICD(Vproc_handle ph, int par, double value) {
  (void)value;
  store_input_control(ph, par, 'D');
  return V_MSG_OK;
}
Verror VcStoreICL(Vproc_handle ph, int par, Vlong value) {
  (void)value;
  store_input_control(ph, par, 'L');
  return V_MSG_OK;
}
Verror VcStoreICS(Vproc_handle ph, int par, const char *value) {
  (void)value;
  store_input_control(ph, par, 'S');
  return V_MSG_OK;
}
Verror VcStoreICSEnc(Vproc_handle ph, int par, const char *value) {
  return VcStoreICS(ph, par, value);
}
void VcInitOCD(Vproc_handle ph, int par) { init_output_control(ph, par, 'D'); }
void VcInitOCL(Vproc_handle ph, int par) { init_output_control(ph, par, 'L'); }
void VcInitOCS(Vproc_handle ph, int par) { init_output_control(ph, par, 'S'); }
Verror VcStoreOCD(Vproc_handle ph, int par, double *value, Verror err) {
  (void)value;
  store_output_control(ph, par, 'D');
  return err;
}
Verror VcStoreOCL(Vproc_handle ph, int par, Vlong *value, Verror err) {
  (void)value;
  store_output_control(ph, par, 'L');
  return err;
}
Verror VcStoreOCS(Vproc_handle ph, int par, char *value, Verror err) {
  (void)value;
  store_output_control(ph, par, 'S');
  return err;
}
Verror VcStoreOCSEnc(Vproc_handle ph, int par, char *value, Verror err) {
  return VcStoreOCS(ph, par, value, err);
}

int main(void) {
  /* No explicit loading: the first wrapper's call loads the package. */
  run_calls();
  if (opened_count < 0) fault("the package was never loaded", -1);
  return faults > 255 ? 255 : faults;
}
