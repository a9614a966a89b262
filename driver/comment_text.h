/// Comment text conversion: turns one documentation text of the operator
/// model into a single plain line for C++ comments, .NET documentation
/// comments and COM help strings.
#pragma once

#include <string>
#include <string_view>

/// Drops leading blanks, LaTeX-only parts ("@l" ... "@e") and markup
/// commands (keeping the text inside a command's braces), writes "VORNIX"
/// for "\Vornix", joins lines with blanks, turns `` and '' into double
/// quotes and spells the few non-ASCII letters of English texts in ASCII.
/// words_for_angle_brackets writes " less than " / " greater than " for
/// < and > (.NET); escape_quotes writes \" for every double quote (COM).
/// An unknown non-ASCII character writes nothing and gives a warning.
std::string convert_comment_text(std::string_view text, bool words_for_angle_brackets,
                                 bool escape_quotes);
