// The parallelisation lines of both forms: scopes, method lists, level data,
// region post-processing, compute devices and per-parameter lines.
#include <gtest/gtest.h>

#include "driver/output.h"
#include "gen/table/table_writers.h"
#include "tests/unit/table_test_support.h"

namespace {

std::string lines(TableForm form, const Operator& op, int j = 3) {
  Writer out;
  write_parallelisation_lines(out, form, j, op);
  return out.text();
}

// An operator without any scope flag: no restriction.
std::unique_ptr<Operator> unrestricted(int in_objects, int in_controls = 0, int out_controls = 0) {
  auto op = make_test_operator("op", in_objects, 0, in_controls, out_controls);
  op->info->par.locally = false;
  return op;
}

TEST(TableParallelisation, ScopeIsTheFirstFlagSet) {
  auto op = make_test_operator("op", 1, 0, 0, 0);  // locally is on by default
  EXPECT_EQ(lines(table_form, *op), "  VProcInfo[3].process_excl_local = VAG_PAR_LOCAL;\n");
  op->info->par.mutual = true;
  EXPECT_EQ(lines(table_form, *op), "  VProcInfo[3].process_excl_local = VAG_PAR_MUTUAL;\n");
  op->info->par.exclusively = true;
  EXPECT_EQ(lines(package_form, *op),
            "  VCkP(VXPkgSetOpInfo(xid,3,VOIID_process_excl_local,VAG_PAR_EXCLUSIVE));\n");
}

TEST(TableParallelisation, RestrictedScopesWriteOnlyPartialMethods) {
  auto op = make_test_operator("op", 1, 0, 0, 0);
  op->info->par.methods = {{"split_tuple", {}}, {"split_partial", {}}};
  EXPECT_EQ(lines(table_form, *op),
            "  VProcInfo[3].process_excl_local = VAG_PAR_LOCAL;\n"
            "  VProcInfo[3].parallelization = VAG_PAR_RESC|VAG_PAR_PART;\n");
  op->info->par.methods = {{"split_tuple", {}}};
  EXPECT_EQ(lines(package_form, *op),
            "  VCkP(VXPkgSetOpInfo(xid,3,VOIID_process_excl_local,VAG_PAR_LOCAL));\n"
            "  VCkP(VXPkgSetOpInfo(xid,3,VOIID_parallelization,0));\n");
  op->info->par.methods = {{"none", {}}, {"split_partial", {}}};
  EXPECT_EQ(lines(table_form, *op), "  VProcInfo[3].process_excl_local = VAG_PAR_LOCAL;\n");
}

TEST(TableParallelisation, EmptyAndNoneMethodLists) {
  auto op = unrestricted(1);
  EXPECT_EQ(lines(table_form, *op),
            "  VProcInfo[3].process_excl_local = VAG_PAR_NO_RESTRICT;\n"
            "#ifndef VC_NO_COMPUTE_DEVICES\n"
            "  VProcInfo[3].compute_device = 0;\n#endif\n"
            "  VProcInfo[3].parallelization = 0;\n"
            "  VProcInfo[3].parallelMinCosts = 0;\n"
            "  VProcInfo[3].parallelRegionsplit = 0;\n");
  op->info->par.methods = {{"none", {}}};
  op->info->par.compute_devices = {"opencl"};
  EXPECT_EQ(lines(package_form, *op),
            "  VCkP(VXPkgSetOpInfo(xid,3,VOIID_process_excl_local,VAG_PAR_NO_RESTRICT));\n"
            "#ifndef VC_NO_COMPUTE_DEVICES\n"
            "  VCkP(VXPkgSetOpInfo(xid,3,VOIID_compute_device, COMPUTE_DEVICE_BIT_OpenCL));\n"
            "#endif\n"
            "  VCkP(VXPkgSetOpInfo(xid,3,VOIID_parallelization,0));\n"
            "  VCkP(VXPkgSetOpInfo(xid,3,VOIID_aopCost,NULL));\n"
            "  VCkP(VXPkgSetOpInfo(xid,3,VOIID_numCost,0));\n"
            "  VCkP(VXPkgSetOpInfo(xid,3,VOIID_parallelMinCosts,0));\n"
            "  VCkP(VXPkgSetOpInfo(xid,3,VOIID_parallelRegionsplit,0));\n");
}

TEST(TableParallelisation, TupleLevelDerivedFromMultivalue) {
  auto op = unrestricted(2, 1, 1);
  test_param(*op, group_input_object, 0).multivalue = "true";
  test_param(*op, group_input_object, 1).multivalue = "false";
  test_param(*op, group_input_control, 0).edit_extras().costs_weight = 4;
  test_param(*op, group_output_control, 0).edit_extras().postprocessing = {"tuple_add", "channel_max"};
  op->info->par.methods = {{"split_tuple", {}}};
  EXPECT_EQ(lines(table_form, *op),
            "  VProcInfo[3].process_excl_local = VAG_PAR_NO_RESTRICT;\n"
            "#ifndef VC_NO_COMPUTE_DEVICES\n"
            "  VProcInfo[3].compute_device = 0;\n#endif\n"
            "  VProcInfo[3].parallelization = VAG_PAR_TUPL;\n"
            "  VProcInfo[3].splitIOPref[0] = 1;\n"
            "  VProcInfo[3].splitIOPmask[0] = 0x0001;\n"
            "  VProcInfo[3].tupleIOPmask[0] = 0x0001;\n"
            "  VProcInfo[3].ParameterCosts[0] = 4;\n"
            "  VProcInfo[3].ParameterPost[0] = VAG_PAR_TUCT_ADD|VAG_PAR_CHCT_MAX;\n");
}

TEST(TableParallelisation, LevelsInOrderWithRegionSplit) {
  auto op = unrestricted(3);
  op->info->par.methods = {{"split_domain", {}}, {"split_channel", {"xS"}}};
  op->info->par.domain_split = 4;
  op->info->par.region_postprocessing = "domain_concat_mult_inp";
  EXPECT_EQ(lines(table_form, *op),
            "  VProcInfo[3].process_excl_local = VAG_PAR_NO_RESTRICT;\n"
            "#ifndef VC_NO_COMPUTE_DEVICES\n"
            "  VProcInfo[3].compute_device = 0;\n#endif\n"
            "  VProcInfo[3].parallelization = VAG_PAR_RESC|VAG_PAR_REIF|VAG_PAR_CHNL;\n"
            "  VProcInfo[3].splitIOPref[1] = 2;\n"
            "  VProcInfo[3].splitIOPmask[1] = 0x0003;\n"
            "  VProcInfo[3].tupleIOPmask[1] = 0x0002;\n"
            "  VProcInfo[3].splitIOPref[2] = 1;\n"
            "  VProcInfo[3].splitIOPmask[2] = 0x0001;\n"
            "  VProcInfo[3].tupleIOPmask[2] = 0x0007;\n"
            "  VProcInfo[3].parallelRegionsplit = 4;\n"
            "  VProcInfo[3].RegionPost = VAG_PAR_REG_CONMU;\n");
  // split_partial afterwards clears the region split
  op->info->par.methods.push_back({"split_partial", {}});
  EXPECT_EQ(lines(table_form, *op).find("RegionPost"), std::string::npos);
}

TEST(TableParallelisation, PackageFormTreatsPartialDomainAsPartial) {
  auto op = unrestricted(1);
  op->info->par.methods = {{"split_channel", {"s"}}, {"split_partial_domain", {}}};
  EXPECT_EQ(lines(package_form, *op),
            "  VCkP(VXPkgSetOpInfo(xid,3,VOIID_process_excl_local,VAG_PAR_NO_RESTRICT));\n"
            "#ifndef VC_NO_COMPUTE_DEVICES\n"
            "  VCkP(VXPkgSetOpInfo(xid,3,VOIID_compute_device,0));\n#endif\n"
            "  VCkP(VXPkgSetOpInfo(xid,3,VOIID_parallelization,VAG_PAR_CHNL|VAG_PAR_RESC|VAG_PAR_PAIF));\n"
            "  VCkP(VXPkgSetOpInfo(xid,3,VOIID_splitIOPref,1,1)); \n"
            "  VCkP(VXPkgSetOpInfo(xid,3,VOIID_splitIOPmask,1,0x0001));\n"
            " VCkP(VXPkgSetOpInfo(xid,3,VOIID_tupleIOPmask,1,0x0001));\n");
  std::string table = lines(table_form, *op);
  EXPECT_NE(table.find("  VProcInfo[3].splitIOPref[2] = 1;\n"), std::string::npos);
  EXPECT_NE(table.find("  VProcInfo[3].RegionPost = VAG_PAR_REG_NONE;\n"), std::string::npos);
}

TEST(TableParallelisation, IconicMethodWithoutInputObjectsWarnsInTableFormOnly) {
  auto op = unrestricted(0);
  op->info->par.methods = {{"split_tuple", {}}};
  testing::internal::CaptureStderr();
  std::string table = lines(table_form, *op);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "vornc warning: \"test.def\": In operator \"op\" the parallelization method must not "
            "be 'split_tuple' because there are no iconic input parameters!\n");
  EXPECT_NE(table.find("parallelization = VAG_PAR_TUPL;\n"), std::string::npos);
  testing::internal::CaptureStderr();
  lines(package_form, *op);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(TableParallelisation, EntriesThatWriteNothingLeaveNoSeparator) {
  auto op = unrestricted(1, 0, 1);
  op->info->par.methods = {{"split_tuple", {"s"}}, {"split_sideways", {}}};
  op->info->par.compute_devices = {"opencl", "object"};
  test_param(*op, group_output_control, 0).edit_extras().postprocessing = {"tuple_max", "sideways"};
  std::string text = lines(table_form, *op);
  EXPECT_NE(text.find("  VProcInfo[3].compute_device = COMPUTE_DEVICE_BIT_OpenCL;\n"),
            std::string::npos);
  EXPECT_NE(text.find("  VProcInfo[3].parallelization = VAG_PAR_TUPL;\n"), std::string::npos);
  EXPECT_NE(text.find("  VProcInfo[3].ParameterPost[0] = VAG_PAR_TUCT_MAX;\n"), std::string::npos);
  op->info->par.methods = {{"split_sideways", {}}};
  test_param(*op, group_output_control, 0).edit_extras().postprocessing = {"sideways"};
  text = lines(table_form, *op);
  EXPECT_NE(text.find("  VProcInfo[3].parallelization = 0;\n"), std::string::npos);
  EXPECT_NE(text.find("  VProcInfo[3].ParameterPost[0] = VAG_PAR_NOCT;\n"), std::string::npos);
}

TEST(TableParallelisationDeathTest, IndependentScopeWithIconicParametersStops) {
  auto op = make_test_operator("grab", 0, 1, 0, 0);
  op->info->par.locally = false;
  op->info->par.exclusively_none = true;
  EXPECT_EXIT(lines(table_form, *op), testing::ExitedWithCode(1),
              "vornc error: \"test.def\", line: 7:  operator 'grab' was defined of scope "
              "'independend' although it supports iconic object parameters.\n");
  auto plain = make_test_operator("count", 0, 0, 1, 0);
  plain->info->par.locally = false;
  plain->info->par.exclusively_none = true;
  std::string text = lines(package_form, *plain);
  EXPECT_EQ(text.rfind("  VCkP(VXPkgSetOpInfo(xid,3,VOIID_process_excl_local,VAG_PAR_INDEPENDENT));\n"
                       "#ifndef VC_NO_COMPUTE_DEVICES\n", 0),
            0u);
}

}  // namespace
