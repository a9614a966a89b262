/// Kernel sources for the data header: the C preprocessor run over each
/// source file and the zlib compression of its text.
#pragma once

#include <zlib.h>

#include <memory>
#include <string>
#include <vector>

/// The C preprocessor command for one kernel source, as an argument vector:
///   cpp -P -undef -x c -I <root>/source/vlib_opencl/include
///       <root>/source/vlib_opencl/source/<name>.cl
/// -P leaves out line markers (they would carry build-machine paths into the
/// library) and -undef the host's own macros (so a kernel's "linux" or
/// "unix" stays a name).
std::vector<std::string> preprocessor_command(const std::string& root, const std::string& name);

/// Two temporary files in TMPDIR (or /tmp) that take the preprocessor's
/// output and messages, made with mkostemp and unlinked at once, so nothing
/// is left behind however the run ends. One pair serves every source of a
/// run: creating files costs more than the preprocessor's own output.
class PreprocessorFiles {
 public:
  PreprocessorFiles() = default;
  PreprocessorFiles(const PreprocessorFiles&) = delete;
  PreprocessorFiles& operator=(const PreprocessorFiles&) = delete;
  ~PreprocessorFiles();
  /// Returns false after reporting.
  bool open();
  int output = -1;
  int messages = -1;
};

/// Runs the preprocessor without a shell. On success text holds its output
/// with every "@" turned into "#" (the sources write "@" for directives
/// meant for the OpenCL compiler). Returns false after reporting the
/// failure: a source that cannot be read, a preprocessor that cannot be
/// started or ends with a non-zero status (its messages are passed on).
bool preprocess_kernel_source(const std::string& root, const std::string& name,
                              PreprocessorFiles& files, std::string& text);

/// "@" becomes "#" throughout.
void restore_directives(std::string& text);

/// Compresses texts up to their first NUL byte: zlib deflate at level 8, one
/// finishing pass through a 131,072-byte buffer refilled as needed. The
/// stream and the buffer are set up once and reset for every further text,
/// which gives the same bytes as a fresh stream without its set-up cost.
class KernelCompressor {
 public:
  KernelCompressor();
  KernelCompressor(const KernelCompressor&) = delete;
  KernelCompressor& operator=(const KernelCompressor&) = delete;
  ~KernelCompressor();
  /// Returns false after reporting a zlib failure.
  bool compress(const std::string& text, std::vector<unsigned char>& compressed);

 private:
  z_stream stream_;
  bool ready_ = false;
  std::unique_ptr<unsigned char[]> buffer_;
};

/// One text through a compressor of its own.
bool compress_kernel_source(const std::string& text, std::vector<unsigned char>& compressed);
