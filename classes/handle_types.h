/// The handle-type table: every semantic type with its class, base class,
/// value count and kind. Rows are addressed by number ("class id"); -1 means
/// none, and every accessor accepts -1 and the closing row.
#pragma once

#include <string>
#include <vector>

struct ClassDescription;

/// Rows 0..140 plus the closing row 141.
constexpr int handle_type_rows = 141;

/// Kinds of a row.
enum HandleKind {
  kind_plain = 0,
  kind_handle = -1,
  kind_variable_data = -2,
  kind_iconic = -3,
  // n > 0: data class whose value is a tuple of n numbers
};

/// Pseudo type ids that are no rows.
constexpr int type_plain_integer = -1;
constexpr int type_narrow_string = -2;
constexpr int type_wide_string = -3;

/// Class id by name. Mode 0: the name (cut at its first '.') in the name
/// index; mode 1: the class-name column in table order. Other modes are a
/// program fault (status 1).
int GiveClass(const char* name, int mode);
/// As mode 0, but no name at all gives the row of "any".
int class_id_or_any(const char* name);
/// The name as it stands, not cut at '.'.
int class_id_exact(const char* name);
/// Accepts a row name (mode 0) or a class name (mode 1).
int class_id_by_name_or_class(const char* name);

const std::string& type_name(int id);
const std::string& type_class_name(int id);
const std::string& type_base_class_name(int id);
int type_value_count(int id);
bool type_has_class(int id);
int type_kind(int id);
ClassDescription* type_class_info(int id);
void set_type_class_info(int id, ClassDescription* info);

/// True when id is base_id or derives from it through the base-class names.
bool derived_from(int id, int base_id);

/// Row names in table order, up to the closing row.
const std::vector<std::string>& type_row_names();

/// Class ids that generators test against, resolved at start-up.
struct WellKnownTypes {
  int window, framegrabber, io_device, io_channel, ncc_model, shape_model,
      generic_shape_model_result, component_model, component_training, object_model_3d,
      surface_model, surface_matching_result, deformable_surface_model,
      deformable_surface_matching_result, shape_model_3d, deformable_model, descriptor_model,
      variation_model, calib_data, camera_setup_model, stereo_model, template_, measure,
      matrix, file, serial, socket, bg_estimation, ocr_box, ocr_mlp, ocr_cnn, ocr_svm, lexicon,
      ocv, class_box, feature_set, class_mlp, class_svm, class_gmm, dl_classifier,
      dl_classifier_result, dl_classifier_train_result, dl_device, dl_layer, dl_model,
      dl_pruning, deep_counting, deep_ocr, class_lut, color_trans_lut, function_1d, gnuplot,
      barcode, datacode_2d, operator_set, any, region, image, object, system, pointer, campar,
      pose, hom_mat2d, hom_mat3d, sheet_of_light_model, quaternion, dual_quaternion,
      compute_device, mutex, event, condition, barrier, message, message_queue, dict,
      text_model, text_result, dev_tool, metrology_model, serialized_item, memory_block,
      encrypted_item, class_knn, ocr_knn, class_train_data, scattered_data_interpolator,
      sample_identifier, xld_dist_trans, drawing_object, scene_3d, bead_inspection_model, info,
      user, untyped_object;
  // The basic types, in this order.
  int integer, real, string, filename, attribute, handle, tuple, xld, xld_poly, xld_cont,
      xld_para, xld_mod_para, xld_ext_para;
};
const WellKnownTypes& well_known_types();

/// Start-up: resolves the well-known ids and names the "user" row's class
/// after the package ("V" + CamelCase package name).
void init_handle_types(const std::string& package_name);

/// "V" followed by the package name in CamelCase (my_lib -> VMyLib).
std::string package_class_name(const std::string& package_name);
