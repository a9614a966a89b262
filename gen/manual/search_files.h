/// The search box of the HTML manual: every page carries a box and loads
/// search.js, which looks the typed words up in search_index.js (operator
/// names, keywords and short descriptions) and lists the pages found. Both
/// are plain scripts loaded by script elements, so the search works on
/// pages opened straight from the disk (file://), without a server.
#pragma once

#include <string>
#include <string_view>

#include "gen/manual/manual_writers.h"

/// The two script files beside the pages.
extern const char* const search_script_name;
extern const char* const search_index_name;

/// Writes search.js and search_index.js into the working directory; pages
/// are named "<operator>.<page_extension>".
void write_search_files(const ManualRun& run, const std::string& page_extension);

/// A documentation text as one plain line for the search index: markup
/// commands give their argument (or their name), format switches, braces
/// and "$" go, the quote and umlaut conventions become UTF-8 letters and
/// quotes, and blanks run together.
std::string search_text(std::string_view markup);

/// A JavaScript string literal in double quotes (also safe for the line
/// and paragraph separators U+2028 and U+2029).
std::string javascript_string(std::string_view text);
