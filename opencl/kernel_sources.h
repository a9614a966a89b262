/// Kernel sources for the data header: the C preprocessor run over each
/// source file and the zlib compression of its text.
#pragma once

#include <string>
#include <vector>

/// The C preprocessor command for one kernel source, as an argument vector:
///   cpp -P -undef -x c -I <root>/source/vlib_opencl/include
///       <root>/source/vlib_opencl/source/<name>.cl
/// -P leaves out line markers (they would carry build-machine paths into the
/// library) and -undef the host's own macros (so a kernel's "linux" or
/// "unix" stays a name).
std::vector<std::string> preprocessor_command(const std::string& root, const std::string& name);

/// Runs the preprocessor without a shell; its output and messages go to
/// temporary files in TMPDIR (or /tmp) that are removed at once. On success
/// text holds the output with every "@" turned into "#" (the sources write
/// "@" for directives meant for the OpenCL compiler). Returns false after
/// reporting the failure.
bool preprocess_kernel_source(const std::string& root, const std::string& name, std::string& text);

/// "@" becomes "#" throughout.
void restore_directives(std::string& text);

/// Compresses text up to its first NUL byte: zlib deflate at level 8, one
/// finishing pass through a 131,072-byte buffer refilled as needed. Returns
/// false after reporting a zlib failure.
bool compress_kernel_source(const std::string& text, std::vector<unsigned char>& compressed);
