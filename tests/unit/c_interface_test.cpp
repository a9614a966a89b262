// The C interface writers over hand-built operators: the shared rules, and
// the points where prototypes and wrappers depend on the operator data (the
// golden cases cover whole files and their compilation).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "def/operator_model.h"
#include "driver/output.h"
#include "driver/settings.h"
#include "gen/c/c_rules.h"
#include "gen/c/c_writers.h"

namespace {

struct ControlSpec {
  std::string name;
  char flag;  // as in the type-flag text
  std::vector<std::string> type_list;
  std::string sem_type;
  std::string default_type;
};

std::unique_ptr<Operator> make_operator(const std::string& name,
                                        const std::vector<std::string>& input_objects,
                                        const std::vector<std::string>& output_objects,
                                        const std::vector<ControlSpec>& input_controls,
                                        const std::vector<ControlSpec>& output_controls) {
  auto op = std::make_unique<Operator>();
  op->name = name;
  op->function = "V" + name;
  for (const std::string& n : input_objects) op->declared[group_input_object].push_back({n, 0});
  for (const std::string& n : output_objects) op->declared[group_output_object].push_back({n, 0});
  std::string in_flags, out_flags;
  for (const ControlSpec& c : input_controls) {
    op->declared[group_input_control].push_back({c.name, c.flag});
    in_flags += c.flag;
  }
  for (const ControlSpec& c : output_controls) {
    op->declared[group_output_control].push_back({c.name, c.flag});
    out_flags += c.flag;
  }
  if (!input_controls.empty()) op->input_control_flags = in_flags;
  if (!output_controls.empty()) op->output_control_flags = out_flags;
  op->info = make_operator_info(op->declared);
  for (int group = 0; group < 4; ++group) op->counts[group] = static_cast<int>(op->declared[group].size());
  auto fill = [&](int group, const std::vector<ControlSpec>& specs) {
    for (size_t k = 0; k < specs.size(); ++k) {
      Parameter& p = op->info->params[op->first_param(group) + k];
      p.type_list = specs[k].type_list;
      p.sem_type = specs[k].sem_type;
      p.default_type = specs[k].default_type;
    }
  };
  fill(group_input_control, input_controls);
  fill(group_output_control, output_controls);
  return op;
}

Parameter string_parameter(const std::string& sem_type, const std::string& default_type) {
  Parameter p;
  p.type_list = {"string"};
  p.sem_type = sem_type;
  p.default_type = default_type;
  return p;
}

class CInterface : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = settings(); }
  void TearDown() override { mutable_settings() = saved_; }
  void library(bool omit_static_guards = false) {
    mutable_settings().generation_target = target_library;
    mutable_settings().omit_static_guards = omit_static_guards;
  }
  void package(const std::string& name) {
    mutable_settings().generation_target = target_package;
    mutable_settings().package_name = name;
  }
  Settings saved_;
};

}  // namespace

TEST(CRules, EncodingSuffix) {
  for (const char* sem : {"string", "filename", "attribute", "tuple", "filename.read"})
    EXPECT_STREQ(encoding_suffix(string_parameter(sem, "string"), true), "Enc") << sem;
  // Neither another semantic type nor a type list without "string" qualifies.
  EXPECT_STREQ(encoding_suffix(string_parameter("integer", "string"), false), "");
  EXPECT_STREQ(encoding_suffix(string_parameter("", "string"), false), "");
  Parameter mixed = string_parameter("filename", "string");
  mixed.type_list = {"integer", "real"};
  EXPECT_STREQ(encoding_suffix(mixed, false), "");
  mixed.type_list = {"integer", "string"};
  EXPECT_STREQ(encoding_suffix(mixed, false), "Enc");
  // The default-type condition only counts when asked for.
  Parameter other_default = string_parameter("filename", "integer");
  EXPECT_STREQ(encoding_suffix(other_default, false), "Enc");
  EXPECT_STREQ(encoding_suffix(other_default, true), "");
}

TEST(CRules, SimpleModeAllowed) {
  auto op = make_operator("op", {}, {}, {{"H", 'h', {"handle"}, "shape_model", "handle"}}, {});
  op->info->has_handle_parameter = 1;
  EXPECT_TRUE(simple_mode_allowed(*op));  // no new_in_version
  op->info->new_in_version = (20 << 24) | (5 << 16);
  EXPECT_FALSE(simple_mode_allowed(*op));
  op->info->new_in_version = 0x120b0000;  // exactly 18.11
  EXPECT_FALSE(simple_mode_allowed(*op));
  op->info->new_in_version = 0x120affff;  // just before
  EXPECT_TRUE(simple_mode_allowed(*op));
  op->info->new_in_version = static_cast<int>(0x80000000u);  // major 128: later, not earlier
  EXPECT_FALSE(simple_mode_allowed(*op));
  op->info->has_handle_parameter = 0;
  EXPECT_TRUE(simple_mode_allowed(*op));
  op->info->control_multivalue = "optional";
  EXPECT_TRUE(simple_mode_allowed(*op));
  op->info->control_multivalue = "true";
  EXPECT_FALSE(simple_mode_allowed(*op));
}

TEST(CRules, SimpleModeTypes) {
  EXPECT_STREQ(simple_mode_c_type('F', false), "double ");
  EXPECT_STREQ(simple_mode_c_type('f', true), "double *");
  EXPECT_STREQ(simple_mode_c_type('s', false), "const char *");
  EXPECT_STREQ(simple_mode_c_type('S', true), "char *");
  EXPECT_STREQ(simple_mode_c_type('h', false), "Vlong ");
  EXPECT_STREQ(simple_mode_c_type('I', true), "Vlong *");
  EXPECT_STREQ(simple_mode_c_type(0, false), "Vlong ");
  EXPECT_EQ(simple_mode_store_letter('F'), 'D');
  EXPECT_EQ(simple_mode_store_letter('s'), 'S');
  EXPECT_EQ(simple_mode_store_letter('n'), 'L');
}

TEST_F(CInterface, HeaderOfPackage) {
  package("demo");
  auto full = make_operator("smooth", {"Image"}, {"Smoothed"},
                            {{"Sigma", 'f', {"real"}, "real", "real"},
                             {"Mode", 's', {"string"}, "string", "string"}},
                            {{"Count", 'i', {"integer"}, "integer", "integer"}});
  auto empty = make_operator("reset", {}, {}, {}, {});
  auto tuple_only = make_operator("collect", {}, {}, {{"Values", 'F', {"real"}, "real", "real"}}, {});
  tuple_only->info->control_multivalue = "true";
  Writer out;
  write_c_header(out, {full.get(), empty.get(), tuple_only.get()});
  EXPECT_EQ(out.text(),
            "#if defined(__cplusplus)\n"
            "extern \"C\" {\n"
            "#endif\n\n"
            "VUserExport Verror T_smooth(const Vobject Image, Vobject *Smoothed, "
            "const Vtuple Sigma, const Vtuple Mode, Vtuple *Count);\n"
            "VUserExport Verror smooth(const Vobject Image, Vobject *Smoothed, "
            "double Sigma, const char *Mode, Vlong *Count);\n"
            "VUserExport Verror T_reset(void);\n"
            "VUserExport Verror reset(void);\n"
            "VUserExport Verror T_collect(const Vtuple Values);\n"
            "\n\n#if defined(__cplusplus)\n"
            "}\n"
            "#endif\n\n");
}

TEST_F(CInterface, PackageWrappers) {
  package("demo");
  auto first = make_operator("reset", {}, {}, {}, {});
  auto skipped = make_operator("collect", {}, {}, {{"Values", 'F', {"real"}, "real", "real"}}, {});
  skipped->info->control_multivalue = "true";
  auto op = make_operator("read_thing", {"Image", "Mask"}, {"Region"},
                          {{"FileName", 's', {"string"}, "filename", "string"},
                           {"Scale", 'f', {"real"}, "real", "real"}},
                          {{"Name", 's', {"string"}, "filename", "integer"},
                           {"Count", 'i', {"integer"}, "integer", "integer"}});
  // The first and the third operator are numbered 0 and 2 in both modes.
  Writer out;
  write_c_source(out, {first.get(), skipped.get(), op.get()});
  const std::string& text = out.text();
  size_t tuple = text.find("VUserExport Verror T_read_thing(");
  ASSERT_NE(tuple, std::string::npos);
  EXPECT_EQ(text.substr(tuple, text.find("}\n\n", tuple) + 3 - tuple),
            "VUserExport Verror T_read_thing(const Vobject Image, const Vobject Mask, "
            "Vobject *Region, const Vtuple FileName, const Vtuple Scale, Vtuple *Name, "
            "Vtuple *Count)\n"
            "{\n"
            "  Vproc_handle ph;\n"
            "  Verror err = V_MSG_OK;\n\n"
            "  err = VcPreCallUser(2,&ph);\n"
            "  if (err == V_MSG_OK) err = VcStoreIO(ph,1,Image);\n"
            "  if (err == V_MSG_OK) err = VcStoreIO(ph,2,Mask);\n"
            "  if (err == V_MSG_OK) err = VcStoreICTEnc(ph,0,&FileName);\n"
            "  if (err == V_MSG_OK) err = VcStoreICT(ph,1,&Scale);\n"
            "  if (err == V_MSG_OK)\n  {\n"
            "    VcInitOCT(ph,0,Name);\n"
            "    VcInitOCT(ph,1,Count);\n"
            "    err = VcCall(ph);\n"
            "  }\n"
            "  err = VcStoreOO(ph,1,Region,err);\n"
            "  err = VcStoreOCTEnc(ph,0,Name,err);\n"
            "  err = VcStoreOCT(ph,1,Count,err);\n"
            "  return VcPostCall(ph,err);\n"
            "}\n\n");
  size_t simple = text.find("VUserExport Verror read_thing(");
  ASSERT_NE(simple, std::string::npos);
  EXPECT_GT(simple, tuple);
  EXPECT_EQ(text.substr(simple),
            "VUserExport Verror read_thing(const Vobject Image, const Vobject Mask, "
            "Vobject *Region, const char *FileName, double Scale, char *Name, Vlong *Count)\n"
            "{\n"
            "  Vproc_handle ph;\n"
            "  Verror err;\n"
            "  err = VcPreCallUser(2,&ph);\n"
            "  if (err == V_MSG_OK) err = VcStoreIO(ph,1,Image);\n"
            "  if (err == V_MSG_OK) err = VcStoreIO(ph,2,Mask);\n"
            "  if (err == V_MSG_OK) VcStoreICSEnc(ph,0,FileName);\n"
            "  if (err == V_MSG_OK) VcStoreICD(ph,1,Scale);\n"
            "  if (err == V_MSG_OK)\n  {\n"
            "    VcInitOCS(ph,0);\n"
            "    VcInitOCL(ph,1);\n"
            "    err = VcCall(ph);\n"
            "  }\n"
            "  err = VcStoreOO(ph,1,Region,err);\n"
            "  err = VcStoreOCS(ph,0,Name,err);\n"
            "  err = VcStoreOCL(ph,1,Count,err);\n"
            "  return VcPostCall(ph,err);\n"
            "}\n\n");
  // Only operators 0 and 2 have simple-mode wrappers.
  EXPECT_NE(text.find("VUserExport Verror reset(void)\n"), std::string::npos);
  EXPECT_EQ(text.find("VUserExport Verror collect("), std::string::npos);
  EXPECT_NE(text.find("VUserExport Verror T_collect(const Vtuple Values)\n"), std::string::npos);
}

TEST_F(CInterface, LibraryIndependentOperatorUsesThreadSpecificHandle) {
  library();
  auto before = make_operator("reset", {}, {}, {}, {});
  auto op = make_operator("get_info", {},  {},
                          {{"Query", 's', {"string"}, "string", "integer"}},
                          {{"Value", 's', {"string"}, "string", "string"},
                           {"Size", 'f', {"real"}, "real", "real"}});
  op->info->par.exclusively_none = true;
  Writer out;
  write_c_source(out, {before.get(), op.get()});
  const std::string& text = out.text();
  size_t tuple = text.find("Verror T_get_info(");
  ASSERT_NE(tuple, std::string::npos);
  EXPECT_EQ(text.substr(tuple, text.find("}\n\n", tuple) + 3 - tuple),
            "Verror T_get_info(const Vtuple Query, Vtuple *Value, Vtuple *Size)\n"
            "{\n"
            "  Vproc_handle ph;\n"
            "  Verror err = V_MSG_OK;\n\n"
            "  ph = VcGetTSVProc(1);\n"
            "#ifdef VC_STATIC_VARIANT \n"
            "  VSetSystem_1();\n"
            "#endif /* VC_STATIC_VARIANT */\n\n"
            "  if (err == V_MSG_OK) err = VcStoreICTEnc(ph,0,&Query);\n"
            "  if (err == V_MSG_OK)\n  {\n"
            "    CLIInitOCT(ph,0,Value);\n"
            "    CLIInitOCT(ph,1,Size);\n"
            "    err = CCallVProc(ph);\n"
            "  }\n"
            "  err = VcStoreOCTEnc(ph,0,Value,err);\n"
            "  err = VcStoreOCT(ph,1,Size,err);\n"
            "  return VIsMessage(err)? VcPutTSVProc(ph): VcErrorHandling(ph,err);\n"
            "}\n\n");
  size_t simple = text.find("Verror get_info(");
  ASSERT_NE(simple, std::string::npos);
  EXPECT_EQ(text.substr(simple),
            "Verror get_info(const char *Query, char *Value, double *Size)\n"
            "{\n"
            "  Vproc_handle ph;\n"
            "  Verror err;\n"
            "  ph = VcGetTSVProc(1);\n"
            "#ifdef VC_STATIC_VARIANT \n"
            "  VSetSystem_1();\n"
            "#endif /* VC_STATIC_VARIANT */\n\n"
            "    VcStoreICS(ph,0,Query);\n"
            "    CLIInitOCS(ph,0);\n"
            "    CLIInitOCD(ph,1);\n"
            "\n  err = CCallVProc(ph);\n\n"
            "  err = VcStoreOCSEnc(ph,0,Value,err);\n"
            "  err = VcStoreOCD(ph,1,Size,err);\n"
            "  return VIsMessage(err)? VcPutTSVProc(ph): VcErrorHandling(ph,err);\n"
            "}\n\n");
}
