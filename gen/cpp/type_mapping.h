/// How the C++ interface spells the type ids of the class model, and which
/// kind of class a class-model type becomes. Kept here beside the C++
/// generator; the .NET generator has its own C# spelling.
#pragma once

#include <string>

#include "classes/class_model.h"

/// The C++ type name of a type id: Vlong, VString, const char*, const
/// wchar_t*, double, void* for the value types, else the class name of the
/// handle-type row. With array, "Array" is appended.
std::string cpp_type_name(int type, bool array = false);

/// True for the six value types (Vlong, VString, the two C strings, double,
/// void*); every other type owns resources that a failed call must clear.
bool is_scalar_cpp_type(int type);

/// The kinds of generated classes, decided by the class's type.
enum CppClassKind {
  class_kind_iconic,          // derives from "object"
  class_kind_handle,          // handle-type table kind -1
  class_kind_data,            // kind -2 or a fixed size n > 0
  class_kind_tuple,           // the row "tuple"
  class_kind_free_functions,  // the operator set and a package's class
  class_kind_other,           // any, system, info: no base class
};

CppClassKind cpp_class_kind(int type, bool free_functions);

/// The C++ base class of a class, or "" when it has none.
std::string cpp_base_class(int type, CppClassKind kind);

/// A data class whose value is a tuple of exactly n numbers, n > 0.
bool has_fixed_size(int type);

/// A free function as C++ declares it: void, with every output, the
/// returned one included, a pointer at its declaration position. The class
/// model returns a free function's first output as for any other class.
ClassMethod cpp_void_function(const ClassMethod& method);
