// Block functions, entry functions, CoreInterface.h and the per-operator
// lines of both forms over hand-built operators.
#include <gtest/gtest.h>

#include <vector>

#include "driver/output.h"
#include "driver/settings.h"
#include "gen/table/table_writers.h"
#include "tests/unit/table_test_support.h"

namespace {

// Keeps the settings a test changes and puts them back.
class TableTest : public testing::Test {
 protected:
  void SetUp() override { saved_ = mutable_settings(); }
  void TearDown() override { mutable_settings() = saved_; }

  OperatorList make_list(int count) {
    for (int i = 0; i < count; ++i)
      storage_.push_back(make_test_operator("op" + std::to_string(i), 0, 0, 0, 0));
    OperatorList list;
    for (const auto& op : storage_) list.push_back(op.get());
    return list;
  }

  static int occurrences(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
  }

 private:
  Settings saved_;
  std::vector<std::unique_ptr<Operator>> storage_;
};

TEST_F(TableTest, TwentyOperatorsMakeOneBlockTwentyOneMakeTwo) {
  Writer twenty;
  write_operator_blocks(twenty, table_form, make_list(20));
  EXPECT_EQ(occurrences(twenty.text(), "static void VSystem"), 1);
  EXPECT_EQ(occurrences(twenty.text(), "}\n"), 1);

  Writer package;
  OperatorList ops = make_list(1);  // now 21
  write_operator_blocks(package, package_form, ops);
  const std::string& text = package.text();
  EXPECT_EQ(occurrences(text, "return V_MSG_OK;\n}\n"), 2);
  size_t second = text.find("\nstatic Verror VSystem1(int32_t xid)\n{\n");
  ASSERT_NE(second, std::string::npos);
  // the first block closes right after operator 19's blank line
  EXPECT_EQ(text.substr(second - 20, 20), "\nreturn V_MSG_OK;\n}\n");
  EXPECT_NE(text.find("VOIID_LogicalName,\"op0\"", second), std::string::npos);
  const std::string tail =
      "  VCkP(VXPkgSetOpInfo(xid,20,VOIID_process_excl_local,VAG_PAR_LOCAL));\n\n"
      "return V_MSG_OK;\n}\n/******************************/\n\n";
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);

  Writer entry;
  write_entry_function(entry, package_form, 21);
  EXPECT_NE(entry.text().find("  VCkP(VSystem0(xpkg_id));\n  VCkP(VSystem1(xpkg_id));\n  return"),
            std::string::npos);
}

TEST_F(TableTest, EmptyListWritesNoBlockAndCallsNone) {
  Writer blocks;
  write_operator_blocks(blocks, table_form, OperatorList());
  EXPECT_EQ(blocks.text(), "/******************************/\n\n");
  Writer entry;
  write_entry_function(entry, table_form, 0);
  EXPECT_EQ(entry.text(),
            "\n\nVerror VSystem(int32_t xpkg_id)\n{\n"
            "  int32_t osid;\n\n"
            "  VCkP(VXPkgOpenId(xpkg_id, VORNIX_VERSION_CODE,V_OPERATOR_INFO_DERIVATE, 0,\n"
            "                  &osid));\n\n"
            "  return V_MSG_OK;\n}\n");
}

TEST_F(TableTest, PackageEntryWithAndWithoutExtensionInterface) {
  mutable_settings().package_name = "vxdemo";
  Writer plain;
  write_entry_function(plain, package_form, 3);
  EXPECT_EQ(plain.text(),
            "\n\nVINT m_offset = -1;\n\n"
            "extern VUserExport int VvxdemoGetOffset()\n"
            "{\n  return m_offset;\n}\n"
            "\n\nVUserExport Verror VXPkgInit(int32_t xpkg_id)\n{\n\n"
            "  int32_t osid;\n"
            "  VCkP(VXPkgOpenId(xpkg_id, VORNIX_VERSION_CODE,V_OPERATOR_INFO_DERIVATE, 3, &osid));\n"
            "  m_offset = osid;\n\n"
            "  VCkP(VSystem0(xpkg_id));\n"
            "  return V_MSG_OK;\n}\n");
  mutable_settings().extension_interface = true;
  Writer xpi;
  write_entry_function(xpi, package_form, 3);
  EXPECT_NE(xpi.text().find("  int32_t osid;\n"
                            "  VCkP(VInitVlibXpiSymbols(GLOBAL_ID,NULL));\n"
                            "  VCkP(VXPkgOpenId(xpkg_id, ALL_VORNIX_VERSION,V_OPERATOR_INFO_DERIVATE,"
                            " 3, &osid));\n"),
            std::string::npos);
}

TEST_F(TableTest, TableFormOperatorLines) {
  auto op = make_test_operator("add_gauss", 1, 1, 2, 0);
  op->info->module = 5;
  op->info->flags = {"image_input", "fast"};
  op->info->par.interrupt_mode = 3;
  Writer out;
  testing::internal::CaptureStderr();
  write_table_form_operator(out, 4, *op);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "vornc warning: \"test.def\": In operator \"add_gauss\" the flag \"fast\" is unknown "
            "and will be ignored!\n");
  EXPECT_EQ(out.text(),
            "  VProcInfo[4].ParameterType[0] = \"ff\";\n"
            "  VProcInfo[4].NumInpObjPar = 1;\n"
            "  VProcInfo[4].NumOutpObjPar = 1;\n"
            "  VProcInfo[4].NumInpCtrlPar = 2;\n"
            "  VProcInfo[4].NumOutpCtrlPar = 0;\n"
            "  VProcInfo[4].parameterInfoExt = NULL;\n"
            "  VProcInfo[4].category = (VOperatorCategoryEnum)5;\n"
            "  VProcInfo[4].flags = 1;\n"
            "  VProcInfo[4].LogicalName = \"add_gauss\";\n"
            "  VProcInfo[4].PhysicalName = \"Cadd_gauss\";\n"
            "#ifdef VC_STATIC_VARIANT\n"
            "  VProcCall[4].Proc = NULL;\n"
            "#else\n"
            "  VProcCall[4].Proc = Cadd_gauss;\n"
            "#endif /* VC_STATIC_VARIANT */\n"
            "  VProcCall[4].ModuleMask = 32ul;\n"
            "  VProcInfo[4].interrupt_mode = 3;\n"
            "  VProcInfo[4].process_excl_local = VAG_PAR_LOCAL;\n"
            "\n");
}

TEST_F(TableTest, CategoryAndModuleMaskFallbacks) {
  mutable_settings().omit_static_guards = true;
  auto op = make_test_operator("x", 0, 0, 0, 0);
  op->info->module = 32;
  Writer none;
  write_table_form_operator(none, 0, *op);
  EXPECT_NE(none.text().find("  VProcInfo[0].category = (VOperatorCategoryEnum)11;\n"), std::string::npos);
  EXPECT_NE(none.text().find("  VProcCall[0].Proc = NULL;\n  VProcCall[0].ModuleMask = 0xffffffffUL;\n"),
            std::string::npos);
  EXPECT_EQ(none.text().find("flags"), std::string::npos);
  op->info->module = -1;
  op->info->category = 12;
  Writer unset;
  write_table_form_operator(unset, 0, *op);
  EXPECT_NE(unset.text().find("(VOperatorCategoryEnum)12;\n"), std::string::npos);
  EXPECT_NE(unset.text().find("  VProcCall[0].ModuleMask = 1ul;\n"), std::string::npos);
}

TEST_F(TableTest, PackageFormModulesAndWhatItLeavesOut) {
  auto op = make_test_operator("pkg_op", 1, 0, 1, 1);
  op->info->module = 10;
  op->info->category = 3;
  op->info->flags = {"image_input"};
  op->info->par.interrupt_mode = 1;
  Writer out;
  write_package_form_operator(out, 5, *op);
  EXPECT_EQ(out.text(),
            "  VCkP(VXPkgSetOpInfo(xid,5,VOIID_ParameterType,0,\"f\"));\n"
            "  VCkP(VXPkgSetOpInfo(xid,5,VOIID_ParameterType,1,\"f\"));\n"
            "  VCkP(VXPkgSetOpInfo(xid,5,VOIID_NumInpObjPar,1));\n"
            "  VCkP(VXPkgSetOpInfo(xid,5,VOIID_NumOutpObjPar,0));\n"
            "  VCkP(VXPkgSetOpInfo(xid,5,VOIID_NumInpCtrlPar,1));\n"
            "  VCkP(VXPkgSetOpInfo(xid,5,VOIID_NumOutpCtrlPar,1));\n"
            "  VCkP(VXPkgSetOpInfo(xid,5,VOIID_LogicalName,\"pkg_op\"));\n"
            "  VCkP(VXPkgSetOpInfo(xid,5,VOIID_PhysicalName,\"Cpkg_op\"));\n"
            "  VCkP(VXPkgSetOpInfo(xid,5,VOIID_procedure,Cpkg_op));\n"
            "  VCkP(VXPkgSetOpInfo(xid,5,VOIID_module,1024ul));\n"
            "  VCkP(VXPkgSetOpInfo(xid,5,VOIID_process_excl_local,VAG_PAR_LOCAL));\n"
            "\n");
  // module "none" has no bit of its own: a package registers every module
  op->info->module = 32;
  Writer none;
  write_package_form_operator(none, 5, *op);
  EXPECT_NE(none.text().find("  VCkP(VXPkgSetOpInfo(xid,5,VOIID_module,4294967295ul));\n"),
            std::string::npos);
}

TEST_F(TableTest, ExtendedParameterInfoForHandleReaders) {
  auto op = make_test_operator("get_demo_param", 0, 1, 2, 1);
  Parameter& handle = test_param(*op, group_input_control, 0);
  handle.type_list = {"handle"};
  handle.sem_type = "demo_model";
  Parameter& name = test_param(*op, group_input_control, 1);
  name.values = {"'a'"};
  name.value_list = {"'speed'", "", "'", "x\"y"};
  Writer out;
  write_extended_parameter_info(out, 2, *op);
  EXPECT_EQ(out.text(),
            "  static const char *out_par_names_2[2] = {\n"
            "      \"out0\",\n"
            "      \"cout0\",\n"
            "      };\n"
            "  static const char *in_par_values_2_0[] = { /* cin0 */\n"
            "      NULL };\n"
            "  static const char *in_par_values_2_1[] = { /* cin1 */\n"
            "      \"'a'\",\n"
            "      \"speed\",\n"
            "      \"'\",\n"
            "      \"x\\\"y\",\n"
            "      NULL };\n"
            "  static const char **in_par_values_2[2] = {\n"
            "    in_par_values_2_0,\n"
            "    in_par_values_2_1,\n"
            "    };\n"
            "  static const VOperatorParamInfoExt param_info_2 = {\n"
            "    \"demo_model\", \n"
            "    out_par_names_2,\n"
            "    in_par_values_2\n"
            "    };\n"
            "  VProcInfo[2].parameterInfoExt = &param_info_2;\n");

  op->name = "read_demo_param";  // neither get_ nor one of the three names
  Writer other;
  write_extended_parameter_info(other, 2, *op);
  EXPECT_EQ(other.text(), "  VProcInfo[2].parameterInfoExt = NULL;\n");
  op->name = "query_lut";
  handle.type_list = {"integer"};
  Writer no_handle;
  write_extended_parameter_info(no_handle, 2, *op);
  EXPECT_EQ(no_handle.text(), "  VProcInfo[2].parameterInfoExt = NULL;\n");
}

TEST_F(TableTest, CoreInterfaceAndStaticVariant) {
  OperatorList ops = make_list(2);
  Writer header;
  write_core_interface(header, ops);
  EXPECT_EQ(header.text(),
            "#ifndef COREINTERFACE_H\n#define COREINTERFACE_H\n\n"
            "#if defined(__cplusplus)\nextern \"C\" {\n#endif\n\n"
            "Verror Cop0(Vproc_handle proc_id);\n"
            "Verror Cop1(Vproc_handle proc_id);\n"
            "\n#if defined VC_STATIC_VARIANT\n"
            "extern VLibExport void VSetSystem_0(void);\n"
            "extern VLibExport void VSetSystem_1(void);\n"
            "#endif\n"
            "\n\n#if defined(__cplusplus)\n}\n#endif\n\n#endif\n");
  Writer section;
  write_static_variant_section(section, ops);
  EXPECT_EQ(section.text(),
            "#if defined VC_STATIC_VARIANT\n"
            "void VSetSystem_0(void) { VProcCall[0].Proc = Cop0;}\n"
            "void VSetSystem_1(void) { VProcCall[1].Proc = Cop1;}\n"
            "\n"
            "/* init VProcCall list of all operators. this is not done\n"
            "   automatically for VC_STATIC_VARIANT as this would force\n"
            "   the linker to include all operator's symbols even when\n"
            "   only few operators are used. */\n"
            "void VSetSystem_All(void)\n{\n"
            "  VProcCall[0].Proc = Cop0;\n"
            "  VProcCall[1].Proc = Cop1;\n"
            "}\n\n"
            "#endif /* VC_STATIC_VARIANT */\n"
            "/******************************/\n\n");
}

}  // namespace
