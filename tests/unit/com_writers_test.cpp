// The COM interface's writers over hand-built class records: the IDL
// interface block (fixed members placed by operator version, parameters
// with defaults and retval), the extra interfaces of XLD, iconic and handle
// classes in the class header, the method bodies of the class source and
// the clean-up list.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "classes/class_model.h"
#include "classes/handle_types.h"
#include "driver/output.h"
#include "driver/settings.h"
#include "gen/com/com_writers.h"

namespace {

class ComWriters : public testing::Test {
 protected:
  void SetUp() override {
    saved_ = settings();
    init_handle_types("mylib");
    info_.interface_id = "aaaa0001-0000-4000-8000-000000000001";
    info_.class_id = "bbbb0001-0000-4000-8000-000000000001";
    for (const char* name : {"region", "xld_cont", "window", "system", "shape_model"})
      set_type_class_info(row(name), &info_);
    library_.library_name = "VORNIXXLib";
    library_.project = "VornixX";
  }
  void TearDown() override {
    for (const char* name : {"region", "xld_cont", "window", "system", "shape_model"})
      set_type_class_info(row(name), nullptr);
    mutable_settings() = saved_;
  }

  static int row(const char* name) { return GiveClass(name, 0); }
  static ClassParam param(const char* name, const char* type, bool output, int index,
                          bool iconic = false) {
    ClassParam p;
    p.name = name;
    p.type = row(type);
    p.output = output;
    p.index = index;
    p.iconic = iconic;
    return p;
  }
  /// A method of an operator new in the given version (-1: not given).
  ClassMethod method(const char* name, int proc_number, int version) {
    auto op = std::make_unique<Operator>();
    op->name = name;
    op->info = std::make_unique<OperatorInfo>();
    op->info->new_in_version = version;
    ClassMethod m;
    m.name = name;
    m.short_description = "Does \\OpRef{this}.";
    m.proc_number = proc_number;
    m.op = op.get();
    ops_.push_back(std::move(op));
    return m;
  }
  static ClassRecord record(const char* type) {
    ClassRecord r;
    r.type = row(type);
    r.description = "A ``class''.";
    return r;
  }

  Settings saved_;
  ClassDescription info_;
  ComBuild library_;
  std::vector<std::unique_ptr<Operator>> ops_;
};

TEST_F(ComWriters, IdlFixedMembersFollowTheMethodsUpToVersionTwelve) {
  ClassRecord region = record("region");
  region.methods.push_back(method("old_one", 3, 0x0a000000));
  region.methods.push_back(method("newer_one", 4, 0x0c000100));
  region.methods.push_back(method("undated_one", 5, -1));
  Writer out;
  write_idl_interface(out, region);
  EXPECT_EQ(out.text(),
            "[\n"
            "  object,\n"
            "      uuid(aaaa0001-0000-4000-8000-000000000001),\n"
            "      dual,\n"
            "      helpstring(\"A \\\"class\\\".\"),\n"
            "      pointer_default(unique)\n"
            "]\n"
            "interface IVRegionX : IDispatch\n"
            "{\n"
            "  [id(0), helpstring(\"Does this.\")]\n"
            "  HRESULT OldOne\n"
            "  (\n"
            "\n"
            "  );\n\n"
            "  [id(1), helpstring(\"Supply base class casting mechanism.\")]\n"
            "  HRESULT Cast([in] IVObjectX *Source);\n\n"
            "  [id(2), helpstring(\"Does this.\")]\n"
            "  HRESULT NewerOne\n"
            "  (\n"
            "\n"
            "  );\n\n"
            "  [id(3), helpstring(\"Does this.\")]\n"
            "  HRESULT UndatedOne\n"
            "  (\n"
            "\n"
            "  );\n\n"
            "};\n\n");
}

TEST_F(ComWriters, IdlFixedMembersAfterOnlyOldMethodsAndFirstWithoutMethods) {
  ClassRecord window = record("window");
  window.methods.push_back(method("open_window", 0, 0x05000000));
  Writer out;
  write_idl_interface(out, window);
  EXPECT_NE(out.text().find("  HRESULT OpenWindow\n  (\n\n  );\n\n"
                            "  [propget, id(1), helpstring(\"Get the encapsulated handle of the "
                            "class.\")]\n"
                            "  HRESULT VornixID([out, retval] VARIANT * ClassHandle);\n\n};\n"),
            std::string::npos)
      << out.text();

  Writer system_out;
  write_idl_interface(system_out, record("system"));
  EXPECT_NE(system_out.text().find(
                "{\n"
                "  [propget, id(0), helpstring(\"Base error number for COM interface errors\")]\n"
                "        HRESULT ErrorBaseCOM([out, retval] long *val);\n\n"
                "  [propget, id(1), helpstring(\"Base error number for VORNIX errors\")]\n"
                "        HRESULT ErrorBaseVornix([out, retval] long *val);\n\n"
                "};\n"),
            std::string::npos)
      << system_out.text();
}

TEST_F(ComWriters, IdlParametersWithDefaultsOutputsAndReturnValueLast) {
  ClassRecord model = record("shape_model");
  ClassMethod m = method("find_shape_model", 9, -1);
  m.instance = param("ModelID", "shape_model", false, 1);
  m.params = {param("Image", "image", false, 0, true), param("AngleStart", "real", false, 0),
              param("Metric", "string", false, 2), param("HomMat2D", "hom_mat2d", false, 3),
              param("Row", "tuple", true, 0)};
  m.params[1].default_value = "-0.39";
  m.params[2].default_value = "'use_polarity'";
  m.return_param = param("Score", "tuple", true, 1);
  model.methods.push_back(m);
  Writer out;
  write_idl_interface(out, model);
  // The handle property comes first: the operator is not dated.
  EXPECT_NE(out.text().find("  [id(1), helpstring(\"Does this.\")]\n"
                            "  HRESULT FindShapeModel\n"
                            "  (\n"
                            "    [in] IVImageX* Image,\n"
                            "    [in,defaultvalue(-0.39)] double AngleStart,\n"
                            "    [in,defaultvalue(\"use_polarity\")] BSTR Metric,\n"
                            "    [in] IVHomMat2DX* HomMat2d,\n"
                            "    [out] VARIANT* Row,\n"
                            "    [out,retval] VARIANT* Score\n"
                            "  );\n\n"),
            std::string::npos)
      << out.text();
}

TEST_F(ComWriters, HeaderAddsTheInterfacesOfXldIconicAndHandleClasses) {
  ClassRecord contour = record("xld_cont");
  contour.xld_family = true;
  Writer out;
  write_class_header(out, library_, contour);
  const std::string& text = out.text();
  EXPECT_NE(text.find("        public IDispatchImpl<IVXLDContX, &IID_IVXLDContX, &LIBID_VORNIXXLib>,\n"
                      "      public IDispatchImpl<IVXLDX, &IID_IVXLDX, &LIBID_VORNIXXLib>,\n"
                      "      public IDispatchImpl<IVObjectX, &IID_IVObjectX, &LIBID_VORNIXXLib>,\n"
                      "        public IProvideClassInfo2Impl<&CLSID_VXLDContX, &IID_IVXLDContX, "
                      "&LIBID_VORNIXXLib>\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("        COM_INTERFACE_ENTRY(IVXLDContX)\n"
                      "        COM_INTERFACE_ENTRY(IVXLDX)\n"
                      "        COM_INTERFACE_ENTRY(IVObjectX)\n"
                      "        COM_INTERFACE_ENTRY(ISupportErrorInfo)\n"),
            std::string::npos);
  EXPECT_NE(text.find("    Vobject handle;\n"), std::string::npos);
  EXPECT_NE(text.find("  STDMETHOD(Cast)(IVObjectX *Source);\n"), std::string::npos);
  EXPECT_EQ(text.find("IHandleAccess"), std::string::npos);

  Writer window_out;
  write_class_header(window_out, library_, record("window"));
  const std::string& window = window_out.text();
  EXPECT_NE(window.find("  public IDispatchImpl<IHandleAccess, &IID_IHandleAccess, "
                        "&LIBID_VORNIXXLib>,\n"),
            std::string::npos);
  // The registry resource, the COM map, the handle member and the public
  // declarations follow each other without blank lines.
  EXPECT_NE(window.find("DECLARE_REGISTRY_RESOURCEID(IDR_VWindowX)\nBEGIN_COM_MAP(VWindowX)\n"),
            std::string::npos);
  EXPECT_NE(window.find("END_COM_MAP()\nprivate:\n    Vtuple handle;\npublic:\n"),
            std::string::npos);
  EXPECT_NE(window.find("  STDMETHOD(HandleIsValid)(Vlong *isValid);\n\n"
                        "  STDMETHOD(get_VornixID)(VARIANT * ClassHandle);\n"),
            std::string::npos)
      << window;
  EXPECT_EQ(window.find("IVObjectX"), std::string::npos);
}

TEST_F(ComWriters, BodyOfAMethodWithIconicInstanceAndEveryStoreKind) {
  ClassRecord region = record("region");
  ClassMethod m = method("select_shape", 12, -1);
  m.instance = param("Regions", "region", false, 0, true);
  m.params = {param("Image", "image", false, 1, true), param("Features", "tuple", false, 0),
              param("Min", "real", false, 1), param("Count", "integer", false, 2),
              param("Mode", "string", false, 3), param("HomMat2DIn", "hom_mat2d", false, 4),
              param("SelectedRegions", "region", true, 0, true),
              param("Model", "shape_model", true, 1), param("Area", "integer", true, 2),
              param("Name", "string", true, 3), param("Value", "real", true, 4)};
  m.return_param = param("Result", "tuple", true, 0);
  Writer out;
  write_method_body(out, library_, region, m);
  EXPECT_EQ(out.text(),
            "STDMETHODIMP VRegionX::SelectShape(\n"
            "    IVImageX* Image,\n"
            "    VARIANT Features,\n"
            "    double Min,\n"
            "    Vlong Count,\n"
            "    BSTR Mode,\n"
            "    IVHomMat2DX* HomMat2dIn,\n"
            "    IVRegionX** SelectedRegions,\n"
            "    IVShapeModelX** Model,\n"
            "    Vlong* Area,\n"
            "    BSTR* Name,\n"
            "    double* Value,\n"
            "    VARIANT* Result)\n"
            "{\n"
            "  Vproc_handle ph;\n"
            "  Verror errorStatus = VcomPreCall(12,&ph);\n\n"
            "  // Store instance as input parameter\n"
            "  if (!VIsError(errorStatus))\n"
            "    errorStatus = VcomStoreIO(ph,1,handle);\n"
            "  if (!VIsError(errorStatus))\n"
            "  {\n"
            "    VCOMSTOREIO(2,Image);\n"
            "  }\n"
            "  if (!VIsError(errorStatus))\n"
            "    errorStatus = VcomStoreICV(ph,0,Features);\n"
            "  if (!VIsError(errorStatus))\n"
            "    errorStatus = VcomStoreICD(ph,1,Min);\n"
            "  if (!VIsError(errorStatus))\n"
            "    errorStatus = VcomStoreICL(ph,2,Count);\n"
            "  if (!VIsError(errorStatus))\n"
            "    errorStatus = VcomStoreICBSTR(ph,3,Mode);\n"
            "  if (!VIsError(errorStatus))\n"
            "  {\n"
            "    VCOMSTOREITOOL(4,HomMat2dIn);\n"
            "  }\n"
            "  if (!VIsError(errorStatus))\n"
            "    errorStatus = VcomCall(ph);\n"
            "  if (!VIsError(errorStatus))\n"
            "  {\n"
            "  }\n"
            "  VCOMSTOREOO(1,SelectedRegions,VRegionX);\n"
            "  VCOMSTOREOTOOL(1,Model,VShapeModelX);\n"
            "  errorStatus = VcomStoreOCL(ph,2,Area,errorStatus);\n"
            "  errorStatus = VcomStoreOCBSTR(ph,3,Name,errorStatus);\n"
            "  errorStatus = VcomStoreOCD(ph,4,Value,errorStatus);\n"
            "  errorStatus = VcomStoreOCV(ph,0,Result,errorStatus);\n"
            "  errorStatus = VcomPostCall(ph,errorStatus);\n\n"
            "  return errorStatus == V_MSG_TRUE ? S_OK :\n"
            "    this->Error(VMessage_COMInt(errorStatus), GUID_NULL, VORNIXX_ERR_BASE + "
            "errorStatus);\n"
            "}\n\n");
}

TEST_F(ComWriters, OutputInstanceIsClearedFirstAndModifiedAfterTheCall) {
  ClassMethod m = method("create_shape_model", 2, -1);
  m.instance = param("ModelID", "shape_model", true, 0);
  ComBuild package = library_;
  package.package = true;
  Writer out;
  write_method_body(out, package, record("shape_model"), m);
  EXPECT_EQ(out.text(),
            "STDMETHODIMP VShapeModelX::CreateShapeModel(\n"
            ")\n"
            "{\n"
            "\n  // Instance is output parameter, clear it first\n"
            "  HandleCleanUp(true);\n\n"
            "  Vproc_handle ph;\n"
            "  Verror errorStatus = VcomPreCallUser(2,&ph);\n\n"
            "  if (!VIsError(errorStatus))\n"
            "    errorStatus = VcomCall(ph);\n"
            "  if (!VIsError(errorStatus))\n"
            "  {\n"
            "  // Modify instance from output parameter\n"
            "    errorStatus = VcomStoreOCTOOL(ph,0,&handle,errorStatus);\n"
            "  }\n"
            "  errorStatus = VcomPostCall(ph,errorStatus);\n\n"
            "  return errorStatus == V_MSG_TRUE ? S_OK :\n"
            "    this->Error(VMessage_COMInt(errorStatus), GUID_NULL, VORNIXX_ERR_BASE + "
            "errorStatus);\n"
            "}\n\n");
}

TEST_F(ComWriters, SourceFixedMembersByClassKind) {
  library_.copy_obj = 17;
  ClassRecord region = record("region");
  Writer region_out;
  write_class_source(region_out, library_, region);
  EXPECT_NE(region_out.text().find("#include \"VornixX.h\"\n#include \"VornixCOM.h\"\n"
                                   "#include \"VRegionX.h\"\n"
                                   "VCOM_HANDLE_ACCESS_IMPL_OBJ(VRegionX,-1)\n\n"
                                   "STDMETHODIMP VRegionX::Cast(IVObjectX *Source) "
                                   "{VCOM_CAST_IMPL(17);}\n\n"),
            std::string::npos)
      << region_out.text();
  EXPECT_NE(region_out.text().find("  if (InlineIsEqualGUID(riid, IID_IVObjectX))\n"),
            std::string::npos);

  ClassRecord model = record("shape_model");
  model.destructor = method("clear_shape_model", 23, -1);
  Writer model_out;
  write_class_source(model_out, library_, model);
  EXPECT_NE(model_out.text().find("VCOM_HANDLE_ACCESS_IMPL_TOOL(VShapeModelX,23)\n\n"),
            std::string::npos);
  EXPECT_NE(model_out.text().find("STDMETHODIMP VShapeModelX::get_Handle(VARIANT * ClassHandle)\n"
                                  "{\n"
                                  "  TUPLECONVERT(handle, ClassHandle, \"ClassHandle\");\n"
                                  "  return S_OK;\n"
                                  "}\n\n"),
            std::string::npos);

  Writer system_out;
  write_class_source(system_out, library_, record("system"));
  EXPECT_NE(system_out.text().find(
                "#include \"VSystemX.h\"\nVSystemX::VSystemX() {}\nVSystemX::~VSystemX() {}\n"),
            std::string::npos);
  EXPECT_NE(system_out.text().find("STDMETHODIMP VSystemX::get_ErrorBaseVornix(long *val)\n"
                                   "{\n"
                                   "  *val = VORNIXX_ERR_BASE;\n"),
            std::string::npos);
}

TEST_F(ComWriters, CleanUpListNamesProgIdsAndUpperCaseKeys) {
  ClassModel model;
  model.classes.push_back(record("window"));
  Writer out;
  write_cleanup_entries(out, model);
  EXPECT_EQ(out.text(),
            "  \"VornixX.VWindowX\",\n"
            "  \"VornixX.VWindowX.1\",\n"
            "  \"CLSID\\\\{BBBB0001-0000-4000-8000-000000000001}\",\n"
            "  \"Interface\\\\{AAAA0001-0000-4000-8000-000000000001}\",\n");
}

}  // namespace
