/// Constructors and methods of a generated C# class: their documentation
/// comments, signatures and the call body that marshals each call into the
/// library's calling interface (VornixAPI).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "classes/class_model.h"

class Writer;

/// What the members need to know of their class.
struct DotnetClassInfo {
  std::string name;          // C# class name
  bool tuple = false;        // the tuple class
  bool iconic = false;       // derives from "object"
  bool handle = false;       // handle class
  bool data = false;         // data class
};

/// The documentation comment of a constructor or method: summary (with the
/// instance's description), one <param> per parameter, <returns>.
void write_member_doc(Writer& out, const ClassMethod& member);

/// Declarations separated by ", ": "out " before outputs, the C# type
/// ("[]" for arrays) and the C# parameter name.
void write_csharp_parameter_list(Writer& out, const std::vector<ClassParam>& params);

/// The body of a constructor or method, from "    {" to "    }".
void write_dotnet_call_body(Writer& out, const DotnetClassInfo& info, const ClassMethod& member,
                            bool constructor);

/// One constructor with its documentation and body.
void write_dotnet_constructor(Writer& out, const DotnetClassInfo& info,
                              const ClassMethod& constructor);

/// One method with its documentation and body.
void write_dotnet_method(Writer& out, const DotnetClassInfo& info, const ClassMethod& method);

/// A documentation text as one line with words for angle brackets.
std::string doc_text(std::string_view text);
