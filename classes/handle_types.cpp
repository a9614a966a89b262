// The handle-type table: 141 semantic types and the closing row, with the
// name index for lookups, the accessors and the start-up resolution.
#include "classes/handle_types.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <unordered_map>

#include "driver/diagnostics.h"

namespace {

struct HandleTypeRow {
  std::string name;
  std::string class_name;
  std::string base_class_name;
  int value_count;
  bool has_class;
  int kind;
};

// Name, class name, base class name, value count, has class, kind.
std::vector<HandleTypeRow>& rows() {
  static std::vector<HandleTypeRow> table = {
    {"operator_set", "VOperatorSet", "", 0, 1, 0},  // 0
    {"attribute", "", "", 1, 0, 0},  // 1
    {"proc_name", "", "", 1, 0, 0},  // 2
    {"feature_set", "VFeatureSet", "", 1, 1, -1},  // 3
    {"template", "VTemplate", "", 1, 1, -1},  // 4
    {"ncc_model", "VNCCModel", "", 1, 1, -1},  // 5
    {"shape_model", "VShapeModel", "", 1, 1, -1},  // 6
    {"generic_shape_model_result", "VGenericShapeModelResult", "", 1, 1, -1},  // 7
    {"object_model_3d", "VObjectModel3D", "", 1, 1, -1},  // 8
    {"surface_model", "VSurfaceModel", "", 1, 1, -1},  // 9
    {"surface_matching_result", "VSurfaceMatchingResult", "", 1, 1, -1},  // 10
    {"deformable_surface_model", "VDeformableSurfaceModel", "", 1, 1, -1},  // 11
    {"deformable_surface_matching_result", "VDeformableSurfaceMatchingResult", "", 1, 1, -1},  // 12
    {"shape_model_3d", "VShapeModel3D", "", 1, 1, -1},  // 13
    {"deformable_model", "VDeformableModel", "", 1, 1, -1},  // 14
    {"descriptor_model", "VDescriptorModel", "", 1, 1, -1},  // 15
    {"variation_model", "VVariationModel", "", 1, 1, -1},  // 16
    {"calib_data", "VCalibData", "", 1, 1, -1},  // 17
    {"camera_setup_model", "VCameraSetupModel", "", 1, 1, -1},  // 18
    {"stereo_model", "VStereoModel", "", 1, 1, -1},  // 19
    {"component_training", "VComponentTraining", "", 1, 1, -1},  // 20
    {"component_model", "VComponentModel", "", 1, 1, -1},  // 21
    {"gnuplot", "VGnuplot", "", 1, 1, -1},  // 22
    {"socket", "VSocket", "", 1, 1, -1},  // 23
    {"serial", "VSerial", "", 1, 1, -1},  // 24
    {"measure", "VMeasure", "", 1, 1, -1},  // 25
    {"matrix", "VMatrix", "", 1, 1, -1},  // 26
    {"function_1d", "VFunction1D", "", 1, 1, -2},  // 27
    {"barcode", "VBarCode", "", 1, 1, -1},  // 28
    {"datacode_2d", "VDataCode2D", "", 1, 1, -1},  // 29
    {"any", "VMisc", "", 0, 1, 0},  // 30
    {"object", "VObject", "", 1, 1, -3},  // 31
    {"image", "VImage", "VObject", 1, 1, -3},  // 32
    {"region", "VRegion", "VObject", 1, 1, -3},  // 33
    {"channel", "VChannel", "", 1, 0, 0},  // 34
    {"untyped_object", "VUntypedObject", "VObject", 1, 0, -3},  // 35
    {"xld", "VXLD", "VObject", 1, 1, -3},  // 36
    {"xld_cont", "VXLDCont", "VXLD", 1, 1, -3},  // 37
    {"xld_poly", "VXLDPoly", "VXLD", 1, 1, -3},  // 38
    {"xld_para", "VXLDPara", "VXLD", 1, 1, -3},  // 39
    {"xld_mod_para", "VXLDModPara", "VXLD", 1, 1, -3},  // 40
    {"xld_ext_para", "VXLDExtPara", "VXLD", 1, 1, -3},  // 41
    {"window", "VWindow", "", 1, 1, -1},  // 42
    {"point", "double", "", 2, 0, 0},  // 43
    {"extent", "double", "", 2, 0, 0},  // 44
    {"line", "long", "", 4, 0, 0},  // 45
    {"iline", "double", "", 2, 0, 0},  // 46
    {"hesseline", "double", "", 2, 0, 0},  // 47
    {"arc", "double", "", 5, 0, 0},  // 48
    {"rectangle", "long", "", 4, 0, 0},  // 49
    {"rectangle2", "double", "", 5, 0, 0},  // 50
    {"circle_arc", "double", "", 5, 0, 0},  // 51
    {"circle", "double", "", 3, 0, 0},  // 52
    {"circle_sector", "double", "", 5, 0, 0},  // 53
    {"ellipse_arc", "double", "", 7, 0, 0},  // 54
    {"ellipse_sector", "double", "", 7, 0, 0},  // 55
    {"ellipse", "double", "", 5, 0, 0},  // 56
    {"histogram", "double", "", 1, 0, 0},  // 57
    {"coordinates", "long", "", 2, 0, 0},  // 58
    {"chain", "long", "", 3, 0, 0},  // 59
    {"contour", "long", "", 2, 0, 0},  // 60
    {"polygon", "long", "", 2, 0, 0},  // 61
    {"chord", "long", "", 3, 0, 0},  // 62
    {"number", "double", "", 1, 0, 0},  // 63
    {"integer", "long", "", 1, 0, 0},  // 64
    {"real", "double", "", 1, 0, 0},  // 65
    {"tuple", "VTuple", "", 1, 0, 0},  // 66
    {"angle", "double", "", 1, 0, 0},  // 67
    {"grayval", "long", "", 1, 0, 0},  // 68
    {"distribution", "double", "", 1, 0, 0},  // 69
    {"string", "char *", "", 1, 0, 0},  // 70
    {"filename", "char *", "", 1, 0, 0},  // 71
    {"file", "VFile", "", 1, 1, -1},  // 72
    {"framegrabber", "VFramegrabber", "", 1, 1, -1},  // 73
    {"io_device", "VIODevice", "", 1, 1, -1},  // 74
    {"io_channel", "VIOChannel", "", 1, 1, -1},  // 75
    {"ocr_box", "VOCRBox", "", 1, 1, -1},  // 76
    {"ocr_mlp", "VOCRMlp", "", 1, 1, -1},  // 77
    {"ocr_svm", "VOCRSvm", "", 1, 1, -1},  // 78
    {"lexicon", "VLexicon", "", 1, 1, -1},  // 79
    {"ocv", "VOCV", "", 1, 1, -1},  // 80
    {"class_box", "VClassBox", "", 1, 1, -1},  // 81
    {"class_mlp", "VClassMlp", "", 1, 1, -1},  // 82
    {"class_svm", "VClassSvm", "", 1, 1, -1},  // 83
    {"class_gmm", "VClassGmm", "", 1, 1, -1},  // 84
    {"dl_classifier", "VDlClassifier", "", 1, 1, -1},  // 85
    {"dl_classifier_result", "VDlClassifierResult", "", 1, 1, -1},  // 86
    {"dl_classifier_train_result", "VDlClassifierTrainResult", "", 1, 1, -1},  // 87
    {"dl_device", "VDlDevice", "", 1, 1, -1},  // 88
    {"dl_layer", "VDlLayer", "", 1, 1, -1},  // 89
    {"dl_model", "VDlModel", "", 1, 1, -1},  // 90
    {"dl_pruning", "VDlPrune", "", 1, 1, -1},  // 91
    {"deep_counting", "VDlModelCounting", "", 1, 1, -1},  // 92
    {"deep_ocr", "VDlModelOcr", "", 1, 1, -1},  // 93
    {"color_trans_lut", "VColorTransLUT", "", 1, 1, -1},  // 94
    {"bg_estimation", "VBgEsti", "", 1, 1, -1},  // 95
    {"scanner", "VScanner", "", 1, 0, 0},  // 96
    {"system", "VSystem", "", 0, 1, 0},  // 97
    {"info", "VInfo", "", 0, 1, 0},  // 98
    {"user", "VUser", "", 0, 0, 0},  // 99
    {"point3d", "double", "", 1, 0, 0},  // 100
    {"campar", "VCamPar", "", 1, 1, -2},  // 101
    {"pose", "VPose", "", 1, 1, 7},  // 102
    {"hom_mat2d", "VHomMat2D", "", 1, 1, 9},  // 103
    {"hom_mat3d", "VHomMat3D", "", 1, 1, 12},  // 104
    {"quaternion", "VQuaternion", "", 1, 1, 4},  // 105
    {"dual_quaternion", "VDualQuaternion", "", 1, 1, 8},  // 106
    {"pointer", "long", "", 1, 0, 0},  // 107
    {"sheet_of_light_model", "VSheetOfLightModel", "", 1, 1, -1},  // 108
    {"class_lut", "VClassLUT", "", 1, 1, -1},  // 109
    {"compute_device", "VComputeDevice", "", 1, 1, -1},  // 110
    {"mutex", "VMutex", "", 1, 1, -1},  // 111
    {"event", "VEvent", "", 1, 1, -1},  // 112
    {"condition", "VCondition", "", 1, 1, -1},  // 113
    {"barrier", "VBarrier", "", 1, 1, -1},  // 114
    {"message", "VMessage", "", 1, 1, -1},  // 115
    {"message_queue", "VMessageQueue", "", 1, 1, -1},  // 116
    {"dict", "VDict", "", 1, 1, -1},  // 117
    {"text_model", "VTextModel", "", 1, 1, -1},  // 118
    {"text_result", "VTextResult", "", 1, 1, -1},  // 119
    {"metrology_model", "VMetrologyModel", "", 1, 1, -1},  // 120
    {"serialized_item", "VSerializedItem", "", 1, 1, -1},  // 121
    {"memory_block", "VMemoryBlock", "", 1, 1, -1},  // 122
    {"encrypted_item", "VEncryptedItem", "", 1, 1, -1},  // 123
    {"class_knn", "VClassKnn", "", 1, 1, -1},  // 124
    {"ocr_knn", "VOCRKnn", "", 1, 1, -1},  // 125
    {"ocr_cnn", "VOCRCnn", "", 1, 1, -1},  // 126
    {"class_train_data", "VClassTrainData", "", 1, 1, -1},  // 127
    {"scattered_data_interpolator", "VScatteredDataInterpolator", "", 1, 1, -1},  // 128
    {"sample_identifier", "VSampleIdentifier", "", 1, 1, -1},  // 129
    {"xld_dist_trans", "VXLDDistTrans", "", 1, 1, -1},  // 130
    {"drawing_object", "VDrawingObject", "", 1, 1, -1},  // 131
    {"scene_3d", "VScene3D", "", 1, 1, -1},  // 132
    {"bead_inspection_model", "VBeadInspectionModel", "", 1, 1, -1},  // 133
    {"texture_inspection_model", "VTextureInspectionModel", "", 1, 1, -1},  // 134
    {"texture_inspection_result", "VTextureInspectionResult", "", 1, 1, -1},  // 135
    {"structured_light_model", "VStructuredLightModel", "", 1, 1, -1},  // 136
    {"handle", "VHandle", "", 1, 1, -1},  // 137
    {"exception", "", "", 1, 0, 0},  // 138
    {"dev_tool", "", "", 1, 0, -1},  // 139
    {"thread_id", "", "", 1, 0, -1},  // 140
    {"", "", "", 0, 0, 0},  // 141: closing row
  };
  return table;
}

ClassDescription* class_infos[handle_type_rows + 1] = {};
WellKnownTypes well_known;

// Row numbers by row name, built on first use; asked for every parameter
// of every generated signature, so hashed (the names are distinct).
struct NameIndex {
  std::vector<std::string> names;  // the keys' text, never changed once built
  std::unordered_map<std::string_view, int> rows;
};

const NameIndex& name_index() {
  static const NameIndex index = [] {
    NameIndex built;
    built.names.reserve(handle_type_rows);
    for (int row = 0; row < handle_type_rows; ++row) built.names.push_back(rows()[row].name);
    for (int row = 0; row < handle_type_rows; ++row) built.rows.emplace(built.names[row], row);
    return built;
  }();
  return index;
}

int search_index(std::string_view name) {
  const NameIndex& index = name_index();
  auto found = index.rows.find(name);
  return found != index.rows.end() ? found->second : -1;
}

int search_class_name(const std::string& class_name) {
  for (int row = 0; row < handle_type_rows; ++row)
    if (rows()[row].class_name == class_name) return row;
  return -1;
}

bool valid_row(int id) { return id >= 0 && id <= handle_type_rows; }

const std::string& empty_text() {
  static const std::string empty;
  return empty;
}

}  // namespace

int GiveClass(const char* name, int mode) {
  if (mode != 0 && mode != 1) {
    report_error("internal error in GiveClass\n");
    std::exit(1);
  }
  if (name == nullptr || *name == '\0') return -1;
  std::string_view key = name;
  size_t point = key.find('.');
  if (point != std::string_view::npos) key = key.substr(0, point);
  if (key.empty()) return -1;
  return mode == 0 ? search_index(key) : search_class_name(std::string(key));
}

int class_id_or_any(const char* name) {
  if (name == nullptr) return search_index("any");
  return GiveClass(name, 0);
}

int class_id_exact(const char* name) {
  if (name == nullptr || *name == '\0') return -1;
  return search_index(name);
}

int class_id_by_name_or_class(const char* name) {
  int id = GiveClass(name, 0);
  return id != -1 ? id : GiveClass(name, 1);
}

const std::string& type_name(int id) { return valid_row(id) ? rows()[id].name : empty_text(); }
const std::string& type_class_name(int id) {
  return valid_row(id) ? rows()[id].class_name : empty_text();
}
const std::string& type_base_class_name(int id) {
  return valid_row(id) ? rows()[id].base_class_name : empty_text();
}
int type_value_count(int id) { return valid_row(id) ? rows()[id].value_count : 0; }
bool type_has_class(int id) { return valid_row(id) && rows()[id].has_class; }
int type_kind(int id) { return valid_row(id) ? rows()[id].kind : 0; }
ClassDescription* type_class_info(int id) { return valid_row(id) ? class_infos[id] : nullptr; }
void set_type_class_info(int id, ClassDescription* info) {
  if (valid_row(id)) class_infos[id] = info;
}

bool derived_from(int id, int base_id) {
  // The walk is bounded by the table size, so a cycle of base names cannot
  // keep it going.
  for (int steps = 0; valid_row(id) && steps <= handle_type_rows; ++steps) {
    if (id == base_id) return true;
    const std::string& base = rows()[id].base_class_name;
    if (base.empty()) return false;
    id = search_class_name(base);
  }
  return false;
}

const std::vector<std::string>& type_row_names() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> all;
    for (int row = 0; row < handle_type_rows; ++row) all.push_back(rows()[row].name);
    return all;
  }();
  return names;
}

const WellKnownTypes& well_known_types() { return well_known; }

std::string package_class_name(const std::string& package_name) {
  std::string result = "V";
  bool word_start = true;
  for (char c : package_name) {
    if (c == '_') {
      word_start = true;
      continue;
    }
    result += word_start ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
    word_start = false;
  }
  return result;
}

void init_handle_types(const std::string& package_name) {
  WellKnownTypes& w = well_known;
  auto id = [](const char* name) { return GiveClass(name, 0); };
  w.window = id("window");
  w.framegrabber = id("framegrabber");
  w.io_device = id("io_device");
  w.io_channel = id("io_channel");
  w.ncc_model = id("ncc_model");
  w.shape_model = id("shape_model");
  w.generic_shape_model_result = id("generic_shape_model_result");
  w.component_model = id("component_model");
  w.component_training = id("component_training");
  w.object_model_3d = id("object_model_3d");
  w.surface_model = id("surface_model");
  w.surface_matching_result = id("surface_matching_result");
  w.deformable_surface_model = id("deformable_surface_model");
  w.deformable_surface_matching_result = id("deformable_surface_matching_result");
  w.shape_model_3d = id("shape_model_3d");
  w.deformable_model = id("deformable_model");
  w.descriptor_model = id("descriptor_model");
  w.variation_model = id("variation_model");
  w.calib_data = id("calib_data");
  w.camera_setup_model = id("camera_setup_model");
  w.stereo_model = id("stereo_model");
  w.template_ = id("template");
  w.measure = id("measure");
  w.matrix = id("matrix");
  w.file = id("file");
  w.serial = id("serial");
  w.socket = id("socket");
  w.bg_estimation = id("bg_estimation");
  w.ocr_box = id("ocr_box");
  w.ocr_mlp = id("ocr_mlp");
  w.ocr_cnn = id("ocr_cnn");
  w.ocr_svm = id("ocr_svm");
  w.lexicon = id("lexicon");
  w.ocv = id("ocv");
  w.class_box = id("class_box");
  w.feature_set = id("feature_set");
  w.class_mlp = id("class_mlp");
  w.class_svm = id("class_svm");
  w.class_gmm = id("class_gmm");
  w.dl_classifier = id("dl_classifier");
  w.dl_classifier_result = id("dl_classifier_result");
  w.dl_classifier_train_result = id("dl_classifier_train_result");
  w.dl_device = id("dl_device");
  w.dl_layer = id("dl_layer");
  w.dl_model = id("dl_model");
  w.dl_pruning = id("dl_pruning");
  w.deep_counting = id("deep_counting");
  w.deep_ocr = id("deep_ocr");
  w.class_lut = id("class_lut");
  w.color_trans_lut = id("color_trans_lut");
  w.function_1d = id("function_1d");
  w.gnuplot = id("gnuplot");
  w.barcode = id("barcode");
  w.datacode_2d = id("datacode_2d");
  w.operator_set = id("operator_set");
  w.any = id("any");
  w.region = id("region");
  w.image = id("image");
  w.object = id("object");
  w.system = id("system");
  w.pointer = id("pointer");
  w.campar = id("campar");
  w.pose = id("pose");
  w.hom_mat2d = id("hom_mat2d");
  w.hom_mat3d = id("hom_mat3d");
  w.sheet_of_light_model = id("sheet_of_light_model");
  w.quaternion = id("quaternion");
  w.dual_quaternion = id("dual_quaternion");
  w.compute_device = id("compute_device");
  w.mutex = id("mutex");
  w.event = id("event");
  w.condition = id("condition");
  w.barrier = id("barrier");
  w.message = id("message");
  w.message_queue = id("message_queue");
  w.dict = id("dict");
  w.text_model = id("text_model");
  w.text_result = id("text_result");
  w.dev_tool = id("dev_tool");
  w.metrology_model = id("metrology_model");
  w.serialized_item = id("serialized_item");
  w.memory_block = id("memory_block");
  w.encrypted_item = id("encrypted_item");
  w.class_knn = id("class_knn");
  w.ocr_knn = id("ocr_knn");
  w.class_train_data = id("class_train_data");
  w.scattered_data_interpolator = id("scattered_data_interpolator");
  w.sample_identifier = id("sample_identifier");
  w.xld_dist_trans = id("xld_dist_trans");
  w.drawing_object = id("drawing_object");
  w.scene_3d = id("scene_3d");
  w.bead_inspection_model = id("bead_inspection_model");
  w.info = id("info");
  w.user = id("user");
  w.untyped_object = id("untyped_object");
  w.integer = id("integer");
  w.real = id("real");
  w.string = id("string");
  w.filename = id("filename");
  w.attribute = id("attribute");
  w.handle = id("handle");
  w.tuple = id("tuple");
  w.xld = id("xld");
  w.xld_poly = id("xld_poly");
  w.xld_cont = id("xld_cont");
  w.xld_para = id("xld_para");
  w.xld_mod_para = id("xld_mod_para");
  w.xld_ext_para = id("xld_ext_para");

  // The "user" row is named after the package. Without a package name the
  // default package "User" applies, so the class is "VUser"; an empty name
  // (-p with nothing attached) keeps "VUser" as well.
  rows()[w.user].class_name =
      package_name.empty() ? std::string("VUser") : package_class_name(package_name);
}
