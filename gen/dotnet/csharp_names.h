/// How the .NET interface spells class-model types, parameter names and
/// class kinds in C#.
#pragma once

#include <string>

#include "classes/class_model.h"

/// int, long (plain-integer pseudo type), string, double, IntPtr for the
/// value types, else the class name of the handle-type row; "[]" appended
/// for arrays.
std::string csharp_type_name(int type, bool array = false);
/// The C# type of a parameter record (with "[]" when it is array-flagged).
std::string csharp_type_name(const ClassParam& param);

/// The five value types that are stored and loaded by suffix.
bool is_scalar_csharp_type(int type);
/// The suffix of VornixAPI.Store<s>/Load<s> for a value type: I (integer),
/// L (plain integer), D (real), S (string), IP (pointer); "" otherwise.
const char* csharp_value_suffix(int type);

/// A parameter name in lower camel case: underscores removed, the letter
/// after each underscore upper-cased, the first letter lower-cased unless
/// the name has one letter only or its second letter is upper-case. The
/// C# words class, base, object, params, const, int, string and char, and
/// every other C# keyword, get "Val" appended (class -> classVal).
std::string csharp_param_name(const std::string& name);

/// Handle classes (kind -1) and data classes (kind -2 or a fixed size).
bool is_handle_class_type(int type);
bool is_data_class_type(int type);
