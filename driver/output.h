/// The one text-output module: generated files with their banners, formatted
/// and literal writes, and an in-memory form for tests.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

/// Banner kinds of generated files.
enum BannerKind {
  banner_operator_table = 0,  // " * Usage: Initialization of operator table"
  banner_c = 2,
  banner_cpp = 3,
  banner_com = 4,
  banner_dotnet = 5,
  banner_c_prototypes = 51,
  banner_cpp_prototypes = 52,
  banner_none = 10,
  banner_python = 11,
};

/// Collects text and writes it to its file when closed. Indentation is always
/// explicit in the templates; the writer adds nothing of its own.
class Writer {
 public:
  /// A writer that only collects text (tests, scratch text).
  Writer() = default;
  Writer(Writer&& other) noexcept;
  Writer& operator=(Writer&& other) noexcept;
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;
  ~Writer();

  /// Formatted write, printf-style.
  void put(const char* format, ...) __attribute__((format(printf, 2, 3)));
  /// Literal write.
  void write(std::string_view text);
  /// The character c, count times.
  void repeat(char c, int count);

  /// The text collected so far (in-memory writers; file writers flush early
  /// only when their buffer grows large).
  const std::string& text() const { return buffer_; }
  const std::string& file_name() const { return name_; }

  /// Writes what is left and closes the file; ends the run (status 1) when
  /// the file cannot be written.
  void close();

 private:
  friend Writer open_output_file(const std::string&, const char*, int, bool);
  void flush();

  std::string buffer_;
  std::string name_;
  std::FILE* file_ = nullptr;
};

/// Creates a generated file (binary, replacing an old one) and writes its
/// banner. With use_name the file name is name itself; otherwise it is
/// name_format filled with the package name. A file that cannot be created
/// ends the run with status 1.
Writer open_output_file(const std::string& name, const char* name_format, int banner_kind,
                        bool use_name);
/// Writes the banner of a kind (nothing for banner_none).
void write_banner(Writer& out, int banner_kind);
