/// The kernel descriptor language: the tables it fills and the parse entry.
///
/// A descriptor names a kernel source file, its compile flags, extensions and
/// operators, and the kernels it holds:
///
///   image_ops <- image_ops.cl
///   compiler_flags: '-DTILE=16';
///   extensions: cl_khr_fp64;
///   kernel name: scale; vornix_name: scale_image; operators: scale_image;
#pragma once

#include <cstdio>
#include <string>
#include <vector>

/// One declared kernel source file.
struct KernelFile {
  std::string name;  // with its ".cl"
  bool has_compile_flags = false;
  std::string compile_flags;
  int first_kernel = -1;
  std::vector<std::string> operators;  // file-level operators
  bool has_extensions = false;
  std::vector<std::string> extensions;
};

/// One kernel of a file.
struct Kernel {
  std::string name;
  std::string vornix_name;
  int default_block_width = 0;
  int default_block_height = 0;
  bool has_block_width_define = false;
  std::string block_width_define;
  bool has_block_height_define = false;
  std::string block_height_define;
  int next = -1;  // next kernel of the same file
  int file = -1;
};

/// An operator that uses a kernel; one pair per operator name and kernel.
struct OperatorDependency {
  std::string operator_name;
  int kernel = -1;
};

/// What the descriptor files declare, in declaration order.
struct KernelTables {
  std::vector<KernelFile> files;
  std::vector<Kernel> kernels;
  std::vector<OperatorDependency> dependencies;
};

/// Reads the descriptor files as one stream, from the last name to the first
/// (each name tried as "<name>.def", then as given), into tables. Returns 0,
/// or 1 after reporting the first error with its file and line.
int parse_kernel_descriptors(const std::vector<std::string>& names, KernelTables& tables);

/// The define of an extension name, or nullptr for an unknown name.
const char* extension_define(const std::string& name);

// Called by the scanner and the grammar only.
std::string kd_take_text(char* text);
void kd_count_line();
std::FILE* kd_open_next_file();  // nullptr: the stream has ended
void kd_start_scanner(std::FILE* first);
void kd_stop_scanner();
void kd_report_syntax_error(const char* message);
bool kd_open_kernel_file(const std::string& file_name);
void kd_set_compile_flags(const std::string& quoted);
void kd_set_file_operators(const std::vector<std::string>& names);
bool kd_set_extensions(const std::vector<std::string>& names);
void kd_open_kernel();
bool kd_close_kernel();
void kd_set_kernel_name(const std::string& name);
void kd_set_vornix_name(const std::string& name);
void kd_set_block_width_define(const std::string& name);
void kd_set_block_height_define(const std::string& name);
/// false (reported) for a number that is no block size.
bool kd_set_default_block_width(const std::string& number);
bool kd_set_default_block_height(const std::string& number);
void kd_add_kernel_operators(const std::vector<std::string>& names);
