/// Errors and warnings. The reporters never end the run: each caller exits
/// right after the report, with the status its own rule names.
#pragma once

#include <string>

/// Position in the definition files, quoted by every definition-file message.
struct DefPosition {
  std::string path;  // the current definition file, as opened
  int line = 1;
};
DefPosition& def_position();

/// "vornc error: " and the message, to standard error.
void report_error(const char* format, ...) __attribute__((format(printf, 1, 2)));
/// "vornc warning: " and the message, unless warnings are suppressed (-W).
void report_warning(const char* format, ...) __attribute__((format(printf, 1, 2)));
/// The positioned definition-file error "\"file\", line n: message.\n";
/// ends the run with status 1.
[[noreturn]] void parse_error(const char* format, ...) __attribute__((format(printf, 1, 2)));
/// The positioned form as a warning; the run goes on.
void parse_warning(const char* format, ...) __attribute__((format(printf, 1, 2)));

/// printf into a std::string.
std::string format_text(const char* format, ...) __attribute__((format(printf, 1, 2)));
