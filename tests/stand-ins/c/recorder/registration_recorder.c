/* Recording stand-in of the library's package loader: links with a
   generated V<package>.c (and stubs of its operator functions), calls the
   package entry VXPkgInit as the library would, records every
   VXPkgSetOpInfo call and prints what was registered, operator by operator,
   in a fixed order. Build with -DGET_OFFSET=V<package>GetOffset. Any call
   outside the opened operator set, or a property set twice, is reported and
   makes the run fail. */
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "Vornix.h"
#include "VlibXpi.h"

#ifndef GET_OFFSET
#error "build with -DGET_OFFSET=V<package>GetOffset"
#endif

#define MAX_OPERATORS 4096
#define MAX_CONTROLS 64
#define PACKAGE_ID 7
#define OPERATOR_SET_ID 40

extern Verror VXPkgInit(int32_t xpkg_id);
extern int GET_OFFSET(void);

/* Set by the generated stubs: the name of the operator function last run. */
const char *recorder_called = NULL;

typedef struct {
  unsigned long seen;  /* bit per VOperatorInfoId */
  const char *types[2];
  int counts[4];
  const char *logical, *physical;
  VProcFunction procedure;
  unsigned long module;
  int scope, parallelization, compute_device, num_cost, min_costs, region_split;
  int aop_cost_null;
  int level_set[3], reference[3], split_mask[3], tuple_mask[3];
  int region_post;
  int costs_set[MAX_CONTROLS], costs[MAX_CONTROLS];
  int post_set[MAX_CONTROLS], post[MAX_CONTROLS];
} Registration;

static Registration registered[MAX_OPERATORS];
static int opened_count = -1;
static int failures = 0;

static void fail(const char *what, int op) {
  fprintf(stderr, "recorder: %s (operator %d)\n", what, op);
  ++failures;
}

Verror VXPkgOpenId(int32_t xpkg_id, int32_t version, int32_t kind, int32_t count, int32_t *osid) {
  if (xpkg_id != PACKAGE_ID) fail("VXPkgOpenId with a foreign package id", -1);
  if (kind != V_OPERATOR_INFO_DERIVATE) fail("VXPkgOpenId with a wrong kind", -1);
  if (version != VORNIX_VERSION_CODE && version != ALL_VORNIX_VERSION)
    fail("VXPkgOpenId with a wrong version", -1);
  if (opened_count != -1) fail("VXPkgOpenId called twice", -1);
  opened_count = count;
  *osid = OPERATOR_SET_ID;
  return V_MSG_OK;
}

Verror VInitVlibXpiSymbols(int32_t id, void *symbols) {
  (void)id;
  (void)symbols;
  printf("VlibXpi symbols initialised\n");
  return V_MSG_OK;
}

/* Marks a property as set; a second setting of the same one is a fault,
   except for the per-level and per-parameter ones, checked by their index. */
static void mark(Registration *r, VOperatorInfoId id, int op, int once) {
  unsigned long bit = 1ul << id;
  if (once && (r->seen & bit)) fail("property set twice", op);
  r->seen |= bit;
}

static int level_index(int level, int op) {
  if (level < 0 || level > 2) {
    fail("level out of range", op);
    return 0;
  }
  return level;
}

static int control_index(int k, int op) {
  if (k < 0 || k >= MAX_CONTROLS) {
    fail("parameter index out of range", op);
    return 0;
  }
  return k;
}

Verror VXPkgSetOpInfo(int32_t xid, int32_t op, VOperatorInfoId id, ...) {
  va_list args;
  Registration *r;
  int a, b;
  if (xid != PACKAGE_ID) fail("VXPkgSetOpInfo with a foreign package id", op);
  if (op < 0 || op >= opened_count || op >= MAX_OPERATORS) {
    fail("operator number outside the opened set", op);
    return V_MSG_OK + 1;
  }
  r = &registered[op];
  va_start(args, id);
  switch (id) {
    case VOIID_ParameterType:
      a = va_arg(args, int);
      if (a != 0 && a != 1) fail("ParameterType with a wrong group", op);
      else r->types[a] = va_arg(args, const char *);
      mark(r, id, op, 0);
      break;
    case VOIID_NumInpObjPar: case VOIID_NumOutpObjPar:
    case VOIID_NumInpCtrlPar: case VOIID_NumOutpCtrlPar:
      r->counts[id - VOIID_NumInpObjPar] = va_arg(args, int);
      mark(r, id, op, 1);
      break;
    case VOIID_LogicalName: r->logical = va_arg(args, const char *); mark(r, id, op, 1); break;
    case VOIID_PhysicalName: r->physical = va_arg(args, const char *); mark(r, id, op, 1); break;
    case VOIID_procedure: r->procedure = va_arg(args, VProcFunction); mark(r, id, op, 1); break;
    case VOIID_module: r->module = va_arg(args, unsigned long); mark(r, id, op, 1); break;
    case VOIID_process_excl_local: r->scope = va_arg(args, int); mark(r, id, op, 1); break;
    case VOIID_parallelization: r->parallelization = va_arg(args, int); mark(r, id, op, 1); break;
    case VOIID_compute_device: r->compute_device = va_arg(args, int); mark(r, id, op, 1); break;
    case VOIID_aopCost: r->aop_cost_null = va_arg(args, void *) == NULL; mark(r, id, op, 1); break;
    case VOIID_numCost: r->num_cost = va_arg(args, int); mark(r, id, op, 1); break;
    case VOIID_parallelMinCosts: r->min_costs = va_arg(args, int); mark(r, id, op, 1); break;
    case VOIID_parallelRegionsplit: r->region_split = va_arg(args, int); mark(r, id, op, 1); break;
    case VOIID_splitIOPref:
      a = level_index(va_arg(args, int), op);
      b = va_arg(args, int);
      if (r->level_set[a] & 1) fail("splitIOPref set twice", op);
      r->level_set[a] |= 1;
      r->reference[a] = b;
      mark(r, id, op, 0);
      break;
    case VOIID_splitIOPmask:
      a = level_index(va_arg(args, int), op);
      r->split_mask[a] = va_arg(args, int);
      r->level_set[a] |= 2;
      mark(r, id, op, 0);
      break;
    case VOIID_tupleIOPmask:
      a = level_index(va_arg(args, int), op);
      r->tuple_mask[a] = va_arg(args, int);
      r->level_set[a] |= 4;
      mark(r, id, op, 0);
      break;
    case VOIID_RegionPost: r->region_post = va_arg(args, int); mark(r, id, op, 1); break;
    case VOIID_ParameterCosts:
      a = control_index(va_arg(args, int), op);
      r->costs[a] = va_arg(args, int);
      if (r->costs_set[a]) fail("ParameterCosts set twice", op);
      r->costs_set[a] = 1;
      mark(r, id, op, 0);
      break;
    case VOIID_ParameterPost:
      a = control_index(va_arg(args, int), op);
      r->post[a] = va_arg(args, int);
      if (r->post_set[a]) fail("ParameterPost set twice", op);
      r->post_set[a] = 1;
      mark(r, id, op, 0);
      break;
    default:
      fail("unknown property id", op);
      break;
  }
  va_end(args);
  return V_MSG_OK;
}

static int was_set(const Registration *r, VOperatorInfoId id) { return (r->seen >> id) & 1ul; }

static const char *scope_name(int scope) {
  switch (scope) {
    case VAG_PAR_EXCLUSIVE: return "exclusive";
    case VAG_PAR_MUTUAL: return "mutual";
    case VAG_PAR_LOCAL: return "local";
    case VAG_PAR_INDEPENDENT: return "independent";
    case VAG_PAR_NO_RESTRICT: return "no restriction";
    default: return "?";
  }
}

/* Prints the names of the bits set in value, joined by "|", or "0". */
static void print_bits(int value, const char *const names[], const int bits[], int n) {
  int i, printed = 0;
  for (i = 0; i < n; ++i) {
    if (value & bits[i]) {
      printf("%s%s", printed ? "|" : "", names[i]);
      printed = 1;
      value &= ~bits[i];
    }
  }
  if (value != 0) printf("%s0x%x", printed ? "|" : "", (unsigned)value);
  else if (!printed) printf("0");
}

static void print_methods(int value) {
  static const char *const names[] = {"TUPL", "CHNL", "RESC", "REIF", "PAIF", "PART"};
  static const int bits[] = {VAG_PAR_TUPL, VAG_PAR_CHNL, VAG_PAR_RESC,
                             VAG_PAR_REIF, VAG_PAR_PAIF, VAG_PAR_PART};
  print_bits(value, names, bits, 6);
}

static void print_post(int value) {
  static const char *const names[] = {"TUCT_ADD", "TUCT_MIN", "TUCT_MAX", "TUCT_CON",
                                      "CHCT_ADD", "CHCT_MIN", "CHCT_MAX", "CHCT_CON",
                                      "RECT_ADD", "RECT_MIN", "RECT_MAX", "RECT_CON"};
  static const int bits[] = {VAG_PAR_TUCT_ADD, VAG_PAR_TUCT_MIN, VAG_PAR_TUCT_MAX,
                             VAG_PAR_TUCT_CON, VAG_PAR_CHCT_ADD, VAG_PAR_CHCT_MIN,
                             VAG_PAR_CHCT_MAX, VAG_PAR_CHCT_CON, VAG_PAR_RECT_ADD,
                             VAG_PAR_RECT_MIN, VAG_PAR_RECT_MAX, VAG_PAR_RECT_CON};
  if (value == VAG_PAR_NOCT) printf("none");
  else print_bits(value, names, bits, 12);
}

static const char *region_post_name(int value) {
  switch (value) {
    case VAG_PAR_REG_NONE: return "none";
    case VAG_PAR_REG_CONSI: return "concat single input";
    case VAG_PAR_REG_CONMU: return "concat multiple inputs";
    case VAG_PAR_REG_CONMAN: return "concat multiple manual";
    default: return "?";
  }
}

static void print_registration(int op, const Registration *r) {
  static const VOperatorInfoId required[] = {
      VOIID_NumInpObjPar, VOIID_NumOutpObjPar, VOIID_NumInpCtrlPar, VOIID_NumOutpCtrlPar,
      VOIID_LogicalName, VOIID_PhysicalName, VOIID_procedure, VOIID_module,
      VOIID_process_excl_local};
  int i, level;
  for (i = 0; i < (int)(sizeof required / sizeof required[0]); ++i)
    if (!was_set(r, required[i])) fail("a required property is missing", op);
  printf("operator %d: %s\n", op, r->logical ? r->logical : "?");
  printf("  function: %s\n", r->physical ? r->physical : "?");
  recorder_called = NULL;
  if (r->procedure != NULL && r->procedure(NULL) == V_MSG_OK && recorder_called != NULL)
    printf("  procedure runs: %s\n", recorder_called);
  else
    printf("  procedure runs: ?\n");
  printf("  objects in/out: %d/%d  controls in/out: %d/%d\n", r->counts[0], r->counts[1],
         r->counts[2], r->counts[3]);
  if (r->counts[2] > 0 || r->types[0]) printf("  input control types: %s\n", r->types[0] ? r->types[0] : "(none)");
  if (r->counts[3] > 0 || r->types[1]) printf("  output control types: %s\n", r->types[1] ? r->types[1] : "(none)");
  printf("  module mask: 0x%lx\n", r->module);
  printf("  scope: %s\n", scope_name(r->scope));
  if (was_set(r, VOIID_compute_device))
    printf("  compute devices: %s\n", r->compute_device & COMPUTE_DEVICE_BIT_OpenCL ? "opencl" : "none");
  if (was_set(r, VOIID_parallelization)) {
    printf("  methods: ");
    print_methods(r->parallelization);
    printf("\n");
  }
  if (was_set(r, VOIID_aopCost))
    printf("  costs cleared: aopCost %s, numCost %d\n", r->aop_cost_null ? "NULL" : "set", r->num_cost);
  if (was_set(r, VOIID_parallelMinCosts)) printf("  minimum costs: %d\n", r->min_costs);
  for (level = 0; level < 3; ++level) {
    static const char *const level_names[] = {"tuple", "channel", "domain"};
    if (!r->level_set[level]) continue;
    if (r->level_set[level] != 7) fail("incomplete level data", op);
    printf("  %s level: reference %d, split 0x%04X, tuple 0x%04X\n", level_names[level],
           r->reference[level], r->split_mask[level], r->tuple_mask[level]);
  }
  if (was_set(r, VOIID_parallelRegionsplit)) printf("  region split: %d\n", r->region_split);
  if (was_set(r, VOIID_RegionPost)) printf("  region post-processing: %s\n", region_post_name(r->region_post));
  for (i = 0; i < MAX_CONTROLS; ++i)
    if (r->costs_set[i]) printf("  input control %d costs: %d\n", i, r->costs[i]);
  for (i = 0; i < MAX_CONTROLS; ++i) {
    if (!r->post_set[i]) continue;
    printf("  output control %d post-processing: ", i);
    print_post(r->post[i]);
    printf("\n");
  }
}

int main(void) {
  int op;
  Verror err = VXPkgInit(PACKAGE_ID);
  if (err != V_MSG_OK) fail("VXPkgInit failed", -1);
  printf("operators: %d\n", opened_count);
  printf("offset: %d\n", GET_OFFSET());
  for (op = 0; op < opened_count && op < MAX_OPERATORS; ++op) print_registration(op, &registered[op]);
  return failures == 0 ? 0 : 1;
}
