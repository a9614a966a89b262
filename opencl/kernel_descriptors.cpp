// Builds the kernel-file, kernel and operator-dependency tables while the
// descriptor grammar reads the files, and keeps the position every
// descriptor message quotes.
#include "opencl/kernel_descriptors.h"

#include <cerrno>
#include <cstdlib>
#include <set>

#include "driver/diagnostics.h"
#include "driver/input_files.h"
#include "driver/output.h"

int kdparse();

namespace {

/// The extensions a file may name, with the define of their bit in the list
/// header.
struct KnownExtension {
  const char* name;
  const char* define;
};
constexpr KnownExtension known_extensions[] = {
    {"cl_khr_local_int32_base_atomics", "CL_KHR_LOCAL_INT32_BASE_ATOMICS"},
    {"cl_khr_global_int32_base_atomics", "CL_KHR_GLOBAL_INT32_BASE_ATOMICS"},
    {"cl_khr_int64_base_atomics", "CL_KHR_INT64_BASE_ATOMICS"},
    {"cl_khr_fp64", "CL_KHR_FP64"},
};

/// Scratch state of one parse: the tables being filled and the stream of
/// files. It lives only while parse_kernel_descriptors runs.
struct ParseState {
  KernelTables* tables = nullptr;
  std::vector<std::string> names;  // in command-line order
  int next_name = 0;               // index of the next name to open, counting down
  std::FILE* file = nullptr;
  std::string path;  // the current file, as opened
  int line = 1;
  int kernel_line = 1;  // where the current kernel began
  bool failed = false;  // an error is already reported
  std::set<std::string> vornix_names;
};
ParseState* state = nullptr;

/// The positioned form "\"file\", line n: message.\n", once per parse.
void report_descriptor_error(int line, const std::string& message) {
  if (state->failed) return;
  state->failed = true;
  report_error("\"%s\", line %d: %s.\n", state->path.c_str(), line, message.c_str());
}

KernelFile& current_file() { return state->tables->files.back(); }
Kernel& current_kernel() { return state->tables->kernels.back(); }

bool ends_with(const std::string& text, const char* tail) {
  std::string end(tail);
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A block size is a whole number from 0 (as if not given) to 2147483647,
// written with digits only (a "+" in front is allowed): a fraction, an
// exponent, a sign or a value beyond an int would be read as some other
// number than the one written. false for anything else.
bool read_block_size(const std::string& number, int& size) {
  size_t pos = number.size() > 1 && number[0] == '+' ? 1 : 0;
  if (pos == number.size()) return false;
  long long value = 0;
  for (; pos < number.size(); ++pos) {
    char c = number[pos];
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
    if (value > 2147483647LL) return false;
  }
  size = static_cast<int>(value);
  return true;
}

bool set_block_size(const std::string& number, const char* keyword, int& size) {
  if (read_block_size(number, size)) return true;
  report_descriptor_error(state->line, std::string(keyword) + ": '" + number +
                                           "' is no block size (a whole number from 0 to 2147483647)");
  return false;
}

}  // namespace

const char* extension_define(const std::string& name) {
  for (const KnownExtension& extension : known_extensions) {
    if (name == extension.name) return extension.define;
  }
  return nullptr;
}

int parse_kernel_descriptors(const std::vector<std::string>& names, KernelTables& tables) {
  ParseState parse;
  parse.tables = &tables;
  parse.names = names;
  parse.next_name = static_cast<int>(names.size()) - 1;
  state = &parse;

  int status = 0;
  std::FILE* first = kd_open_next_file();
  if (first == nullptr) {
    status = 1;
  } else {
    kd_start_scanner(first);
    int result = kdparse();
    kd_stop_scanner();
    // Every way the parse can fail (syntax error, exhausted stack, failed
    // check, missing file) has been reported by then.
    if (result != 0 || parse.failed) status = 1;
  }
  if (parse.file != nullptr) std::fclose(parse.file);
  state = nullptr;
  return status;
}

std::FILE* kd_open_next_file() {
  if (state->file != nullptr) {
    std::fclose(state->file);
    state->file = nullptr;
  }
  if (state->failed || state->next_name < 0) return nullptr;
  const std::string& name = state->names[static_cast<size_t>(state->next_name--)];
  std::string path;
  std::FILE* file = open_definition_file(name, path);
  if (file == nullptr) {
    if (errno == EISDIR)
      report_directory_not_file(path);
    else
      report_error("file not found \"%s\"\n", name.c_str());
    state->failed = true;
    return nullptr;
  }
  note_input_file(path);
  state->file = file;
  state->path = path;
  state->line = 1;
  return file;
}

std::string kd_take_text(char* text) {
  std::string copy(text);
  std::free(text);
  return copy;
}

void kd_count_line() { ++state->line; }

void kd_report_syntax_error(const char* message) { report_descriptor_error(state->line, message); }

bool kd_open_kernel_file(const std::string& file_name) {
  if (!ends_with(file_name, ".cl")) {
    report_descriptor_error(state->line, "kernel file '" + file_name + "' does not end in \".cl\"");
    return false;
  }
  KernelFile file;
  file.name = file_name;
  state->tables->files.push_back(file);
  return true;
}

void kd_set_compile_flags(const std::string& quoted) {
  current_file().has_compile_flags = true;
  current_file().compile_flags = quoted.substr(1, quoted.size() - 2);
}

void kd_set_file_operators(const std::vector<std::string>& names) {
  current_file().operators = names;
}

bool kd_set_extensions(const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    if (extension_define(name) == nullptr) {
      report_descriptor_error(state->line, "unknown OpenCL extension '" + name + "'");
      return false;
    }
  }
  current_file().has_extensions = true;
  current_file().extensions = names;
  return true;
}

void kd_open_kernel() {
  KernelTables& tables = *state->tables;
  int index = static_cast<int>(tables.kernels.size());
  int file_index = static_cast<int>(tables.files.size()) - 1;
  Kernel kernel;
  kernel.file = file_index;
  if (current_file().first_kernel < 0) {
    current_file().first_kernel = index;
  } else {
    tables.kernels.back().next = index;
  }
  tables.kernels.push_back(kernel);
  for (const std::string& name : current_file().operators) {
    tables.dependencies.push_back({name, index});
  }
  state->kernel_line = state->line;
}

bool kd_close_kernel() {
  const Kernel& kernel = current_kernel();
  // The headers quote both names: a missing one would leave a hole in the
  // C text, a repeated library name a repeated enumeration constant.
  if (kernel.name.empty()) {
    report_descriptor_error(state->kernel_line, "kernel without name");
    return false;
  }
  if (kernel.vornix_name.empty()) {
    report_descriptor_error(state->kernel_line,
                            "kernel '" + kernel.name + "' without vornix_name");
    return false;
  }
  if (!state->vornix_names.insert(kernel.vornix_name).second) {
    report_descriptor_error(state->kernel_line,
                            "vornix_name '" + kernel.vornix_name + "' is used twice");
    return false;
  }
  return true;
}

void kd_set_kernel_name(const std::string& name) { current_kernel().name = name; }

void kd_set_vornix_name(const std::string& name) { current_kernel().vornix_name = name; }

void kd_set_block_width_define(const std::string& name) {
  current_kernel().has_block_width_define = true;
  current_kernel().block_width_define = name;
}

void kd_set_block_height_define(const std::string& name) {
  current_kernel().has_block_height_define = true;
  current_kernel().block_height_define = name;
}

bool kd_set_default_block_width(const std::string& number) {
  return set_block_size(number, "default_block_width", current_kernel().default_block_width);
}

bool kd_set_default_block_height(const std::string& number) {
  return set_block_size(number, "default_block_height", current_kernel().default_block_height);
}

void kd_add_kernel_operators(const std::vector<std::string>& names) {
  int index = static_cast<int>(state->tables->kernels.size()) - 1;
  for (const std::string& name : names) state->tables->dependencies.push_back({name, index});
}
