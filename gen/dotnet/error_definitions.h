/// The error definitions of the library (V_ERR_... and V_MSG_... macros of
/// the error-definition file) and VErrorDef.cs, the C# class of their
/// values.
#pragma once

#include <string>
#include <vector>

class Writer;

struct ErrorDefinition {
  std::string name;     // V_ERR_WIPV1
  std::string value;    // the value text as it stands ("1201")
  std::string comment;  // the first C comment after the value, on one line
};

/// Scans an error-definition text for "#define NAME VALUE /* comment */"
/// entries and keeps those whose name begins with V_ERR or V_MSG, in file
/// order. The comment loses its line breaks and every blank that follows a
/// blank or stands at its start. A value that is not an integer literal
/// (decimal or 0x hexadecimal, within an int) would not compile in the
/// generated code: it is reported with the file and line and ends the run
/// (status 1).
std::vector<ErrorDefinition> read_error_definitions(const std::string& text);

/// The text with <, > and & written as entities, and " as &quot; when
/// quote is set.
std::string xml_escape(const std::string& text, bool quote);

/// The class VErrorDef (without the banner): one documented constant per
/// entry.
void write_error_def_class(Writer& out, const std::vector<ErrorDefinition>& entries);
