/// Constructors and methods of a generated C# class: their documentation
/// comments, signatures and the call body that marshals each call into the
/// library's calling interface (VornixAPI).
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "classes/class_model.h"

class Writer;

/// The documentation texts of a run, each converted once: one operator's
/// descriptions serve its string and array variants and its members in
/// several classes. Texts are known by where they are (the operator
/// records' texts, which outlive the run's class files).
class DotnetDocTexts {
 public:
  /// The text converted as doc_text does.
  const std::string& get(std::string_view text);

 private:
  struct Converted {
    size_t size;
    std::string text;
  };
  std::unordered_map<const char*, Converted> converted_;
  std::string scratch_;
};

/// What the members need to know of their class.
struct DotnetClassInfo {
  std::string name;          // C# class name
  bool tuple = false;        // the tuple class
  bool iconic = false;       // derives from "object"
  bool handle = false;       // handle class
  bool data = false;         // data class
  /// The run's converted documentation texts; none for a class on its own.
  DotnetDocTexts* doc_texts = nullptr;
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
