/// How the COM interface names its classes, spells its parameter types and
/// sorts its classes into the kinds that decide extra interfaces, the
/// handle member and the store calls. Also the values that every file of
/// one run shares (ComBuild).
#pragma once

#include <string>

#include "classes/class_model.h"

/// What the files of one run share.
struct ComBuild {
  /// An extension package (else the library build).
  bool package = false;
  /// "VornixX", or the package name followed by "X": the IDL, resource
  /// script, type library and project name.
  std::string project;
  /// "vornix" or the package name: the module names append "x" and "xxl".
  std::string module_base;
  /// The type library's name: "VORNIXXLib", or the package name + "XLib".
  std::string library_name;
  /// LIBID of the library block (the fixed one in the library build).
  std::string library_id;
  std::string version_major = "1";
  std::string version_minor = "0";
  /// Help string of a package's library block, already converted.
  std::string description;
  /// Operator number of "copy_obj" (-1 when the list has none).
  int copy_obj = -1;
};

/// Fixed identifiers of the library build: its type library and the two
/// hand-written controls.
extern const char* const library_type_library_id;
extern const char* const window_control_class_id;
extern const char* const window_stack_class_id;

/// The COM name of a type: the class name with "X" appended; "Vlong" for
/// integer and pointer (and the plain-integer id), "BSTR" for strings,
/// "double" for real.
std::string com_name(int type);
/// The COM name of a class record.
std::string com_name(const ClassRecord& record);
/// Base name of a class's .h and .cpp: its COM name, in an extension package
/// "V" + package name + "X".
std::string class_file_base(const ClassRecord& record, const ComBuild& build);

/// True where the library's COM list has a class for the type (so that an
/// interface pointer stands for it): classes of the handle-type table other
/// than "object" and "handle", "tuple" and "untyped_object".
bool has_com_class(int type);

/// The parameter type in IDL and class header: "VARIANT" for tuples, the
/// interface pointer "I<COM name>*" for classes (also "object" and
/// "untyped_object"), else "Vlong", "BSTR", "double" or the COM name.
const std::string& com_param_type(int type);

/// A parameter name as the COM files write it: a name that begins with
/// "HomMat2D" or "HomMat3D" gets a lower-case "d" as its eighth character.
std::string com_param_name(const std::string& name);

/// The default of an input as IDL's defaultvalue() takes it, or "" when it
/// has none that IDL can state: interface pointers and lists ("[...]") have
/// none; a text in single quotes becomes a string in double quotes.
std::string idl_default_value(const ClassParam& param);

/// Kinds of the classes, by their row's kind.
bool is_iconic_class(int type);  // kind -3: Cast support, IVObjectX, Vobject handle
bool is_handle_class(int type);  // kind -1: handle property, IHandleAccess
/// The class's handle property: "VornixID" for the window class, else
/// "Handle".
const char* handle_property_name(int type);
/// Classes that get a plain constructor and destructor instead of the
/// handle-access implementation: campar, pose, any, system, info, tuple,
/// the operator set and the package class.
bool has_plain_constructor(const ClassRecord& record);

/// How a value is stored and loaded in a method body.
enum ComStoreKind {
  store_long,    // "L": integer, pointer
  store_double,  // "D": real
  store_bstr,    // "BSTR": string
  store_tuple,   // "V": tuple (VARIANT)
  store_object,  // iconic class instance
  store_tool,    // any other class instance
};
ComStoreKind com_store_kind(int type);

/// True when an operator counts as new in a version up to 12.0.
bool new_up_to_version_12(const Operator& op);

/// A GUID in upper case (the clean-up list).
std::string upper_case_guid(const std::string& guid);
