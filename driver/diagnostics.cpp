// Error and warning reporters and the positioned definition-file messages.
#include "driver/diagnostics.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "driver/output.h"
#include "driver/settings.h"

namespace {
std::string vformat(const char* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
  int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (length <= 0) return std::string();
  std::string text(static_cast<size_t>(length), '\0');
  std::vsnprintf(text.data(), text.size() + 1, format, args);
  return text;
}
}  // namespace

DefPosition& def_position() {
  static DefPosition position;
  return position;
}

std::string format_text(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = vformat(format, args);
  va_end(args);
  return text;
}

void report_error(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = vformat(format, args);
  va_end(args);
  std::fprintf(stderr, "vornc error: %s", text.c_str());
  std::fflush(stderr);
}

void report_warning(const char* format, ...) {
  if (settings().warnings_suppressed) return;
  va_list args;
  va_start(args, format);
  std::string text = vformat(format, args);
  va_end(args);
  std::fprintf(stderr, "vornc warning: %s", text.c_str());
  std::fflush(stderr);
}

void parse_error(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = vformat(format, args);
  va_end(args);
  report_error("\"%s\", line %d: %s.\n", def_position().path.c_str(), def_position().line,
               text.c_str());
  std::fflush(stdout);
  fail(1);
}

void parse_warning(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = vformat(format, args);
  va_end(args);
  report_warning("\"%s\", line %d: %s.\n", def_position().path.c_str(), def_position().line,
                 text.c_str());
}
