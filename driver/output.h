/// The one text-output module: generated files with their banners, formatted
/// and literal writes, an in-memory form for tests, and the files of a run.
///
/// Every generated file is written under a temporary name in its own folder
/// and takes its real name only when it is complete and closed without
/// error. A whole run (run_vornc) defers that step until every generator has
/// succeeded and then renames all its files together (commit_outputs); a run
/// that ends early, through fail() or any other exit, removes what it staged
/// and leaves the files of earlier runs as they were.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
  void write(std::string_view text) {
    if (buffer_.size() - size_ < text.size()) make_room(text.size());
    std::memcpy(buffer_.data() + size_, text.data(), text.size());
    size_ += text.size();
  }
  /// The character c, count times.
  void repeat(char c, int count);
  /// Room for size characters of text, for a writer that knows roughly how
  /// much it will collect.
  void reserve(size_t size);

  /// The text collected so far (in-memory writers; file writers hand their
  /// text to the file whenever their buffer is full).
  const std::string& text() const {
    buffer_.resize(size_);
    return buffer_;
  }
  const std::string& file_name() const { return name_; }

  /// Writes what is left and closes the file; ends the run (status 1) when
  /// the file cannot be written.
  void close();

 private:
  friend std::optional<Writer> try_open_output_file(const std::string&);
  /// Makes room for size more characters after the text (a file writer
  /// first hands a full buffer to its file).
  void make_room(size_t size);
  /// Makes room for size more characters, keeping all the text.
  void grow(size_t size);
  /// Appends a template of plain text and the conversions %s, %d, %c and %%;
  /// false, with the text as it was, at any other conversion.
  bool put_simple(const char* format, va_list args);
  void flush();

  // The text is buffer_[0, size_); the rest of buffer_ is room for more, so
  // that a piece is copied once, straight to its place. text() trims the
  // room away.
  mutable std::string buffer_;
  size_t size_ = 0;
  std::string name_;
  unsigned long file_ = 0;  // the staged file written to (its serial), 0 for none
};

/// Creates a generated file (binary, replacing an old one) and writes its
/// banner. With use_name the file name is name itself; otherwise it is
/// name_format filled with the package name. A file that cannot be created
/// ends the run with status 1.
Writer open_output_file(const std::string& name, const char* name_format, int banner_kind,
                        bool use_name);
/// Creates the generated file name (binary, replacing an old one) without a
/// banner, for a caller that reports a file that cannot be created in its
/// own words: none (errno set) when open_staged_output fails. The text goes
/// to the file as it is written, so a large file is never held whole.
std::optional<Writer> try_open_output_file(const std::string& name);
/// Writes the banner of a kind (nothing for banner_none).
void write_banner(Writer& out, int banner_kind);

/// Opens the generated file name for binary writing, under its temporary
/// name. nullptr (errno set) when the file could not be created where it
/// belongs: its folder is missing or not writable, or the name is a folder.
/// The caller reports that in its own words.
std::FILE* open_staged_output(const std::string& name);
/// Closes a file of open_staged_output. A failed write or close ends the run
/// (status 1) with "could not write file '<name>': <reason>".
void close_staged_output(std::FILE* file);
/// A whole text as one generated file; false (errno set) when the file
/// cannot be created, as open_staged_output.
bool save_output_file(const std::string& name, std::string_view text);
/// Where a later step of the same run reads a generated file back from.
std::string readable_output_path(const std::string& name);
/// Takes back a file of this run that is not to be kept (an intermediate
/// file). Files the run did not write are never touched.
void discard_output(const std::string& name);

/// Files that libxml2 and libxslt write by name (a saved result, the pages of
/// xsl:document) go through open_staged_output from now on. A name that
/// cannot be created is reported as "could not open file '<name>'" and ends
/// the run (status 1).
void stage_xml_file_outputs();

/// How a run treats its files; set once by the driver before generating.
struct OutputOptions {
  bool deferred = false;          // rename everything together at the end
  bool write_if_changed = false;  // leave an unchanged file untouched
  bool list_only = false;         // stage into a private folder, keep nothing
};
void set_output_options(const OutputOptions& options);
/// The end of a successful run: every staged file takes its real name (an
/// unchanged one is left alone with write_if_changed). A file that cannot
/// take its place ends the run with status 1.
void commit_outputs();
/// The names of the generated files of this run, in the order they were
/// first opened.
std::vector<std::string> output_names();
/// Removes every file the run staged and not yet committed.
void discard_staged_outputs();
/// Makes a scratch folder of the run from a mkdtemp pattern (completed in
/// place), to be removed with all it holds should a signal end the run;
/// nullptr (errno set) when it cannot be made. The note is taken back with
/// forget_scratch_folder once the run has removed the folder itself.
struct TemporaryNote;
TemporaryNote* make_scratch_folder(std::string& pattern);
void forget_scratch_folder(TemporaryNote* note);
/// Threads that write into a scratch folder call this first: the signals
/// that end a run are then handled by the main thread alone.
void leave_ending_signals_to_main_thread();
/// True once a signal is ending the run: nothing new should be created.
bool run_is_ending();
/// Ends the run with status: discards the staged files first. Called right
/// after the report of a fatal condition.
[[noreturn]] void fail(int status);

/// Notes a file the run read, for the dependency file. Repeated names are
/// kept once.
void note_input_file(const std::string& path);
/// The files noted so far, in the order first read.
const std::vector<std::string>& input_files();
