// Generated files: creation under a temporary name, banners, buffered
// formatted writing, and putting the files of a run in place at its end.
#include "driver/output.h"

#include <dirent.h>
#include <fcntl.h>
#include <libxml/xmlIO.h>
#include <sys/stat.h>
#include <pthread.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <csignal>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "driver/diagnostics.h"
#include "driver/settings.h"

namespace {
// A file writer hands its text to the file whenever this much has gathered.
constexpr size_t flush_threshold = 64 << 10;

// The temporary files and folders of the run, for a signal that ends it: a
// list that only grows at its head and is read by the handler without
// locks, from whichever thread the signal reaches. An entry whose file has
// taken its place or been removed is marked gone and stays, so the handler
// never follows a freed node.
}  // namespace

struct TemporaryNote {
  char* path;
  bool folder = false;  // a scratch folder, removed with what it holds
  std::atomic<bool> present{true};
  TemporaryNote* next = nullptr;
};

namespace {
using Temporary = TemporaryNote;

std::atomic<Temporary*> temporaries{nullptr};
std::atomic<bool> ending{false};
const int ending_signals[] = {SIGINT, SIGTERM, SIGHUP};

// Creation and noting of a temporary happen with the ending signals held
// back, so that no temporary exists unnoted when the handler runs.
class EndingSignalsHeld {
 public:
  EndingSignalsHeld() {
    sigset_t held;
    sigemptyset(&held);
    for (int signal_number : ending_signals) sigaddset(&held, signal_number);
    pthread_sigmask(SIG_BLOCK, &held, &before_);
  }
  ~EndingSignalsHeld() { pthread_sigmask(SIG_SETMASK, &before_, nullptr); }
  EndingSignalsHeld(const EndingSignalsHeld&) = delete;
  EndingSignalsHeld& operator=(const EndingSignalsHeld&) = delete;

 private:
  sigset_t before_;
};

Temporary* note_temporary(const std::string& path, bool folder = false) {
  Temporary* entry = new Temporary;
  entry->path = strdup(path.c_str());
  entry->folder = folder;
  entry->next = temporaries.load();
  temporaries.store(entry);
  return entry;
}

void forget_temporary(Temporary*& entry) {
  if (entry != nullptr) entry->present.store(false);
  entry = nullptr;
}

// Empties the folder open as fd, depth first, with system calls alone (no
// allocation, no stdio), so that a signal handler may use it. A folder
// nested deeper than the limit is left.
void remove_folder_contents(int fd, int depth) {
  alignas(8) char buffer[4096];
  struct LinuxDirent {
    unsigned long long inode;
    long long offset;
    unsigned short length;
    unsigned char type;
    char name[1];
  };
  // Each pass reads the folder from its start again: removing entries while
  // reading on would skip some.
  for (bool removed = true; removed;) {
    removed = false;
    lseek(fd, 0, SEEK_SET);
    long got;
    while ((got = syscall(SYS_getdents64, fd, buffer, sizeof buffer)) > 0) {
      for (long at = 0; at < got;) {
        auto* entry = reinterpret_cast<LinuxDirent*>(buffer + at);
        at += entry->length;
        const char* name = entry->name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
        if (unlinkat(fd, name, 0) == 0) {
          removed = true;
          continue;
        }
        if (depth == 0) continue;
        int inner = openat(fd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (inner < 0) continue;
        remove_folder_contents(inner, depth - 1);
        close(inner);
        if (unlinkat(fd, name, AT_REMOVEDIR) == 0) removed = true;
      }
    }
  }
}

// Removes a scratch folder that other threads may still be writing into:
// they are told to stop (run_is_ending), and a folder made again by one
// that had already passed that check is removed again.
void remove_scratch_folder(const char* path) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    int fd = open(path, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return;
    remove_folder_contents(fd, 8);
    close(fd);
    if (rmdir(path) == 0) {
      struct timespec pause = {0, 2000000};
      nanosleep(&pause, nullptr);
    }
  }
}

// Newest first, so the files in a private folder go before the folder.
extern "C" void remove_temporaries_and_end(int signal_number) {
  ending.store(true);
  for (Temporary* entry = temporaries.load(); entry != nullptr; entry = entry->next) {
    if (!entry->present.load()) continue;
    if (entry->folder)
      remove_scratch_folder(entry->path);
    else if (unlink(entry->path) != 0)
      rmdir(entry->path);
  }
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

// Interruption, termination and a closed terminal end the run as they
// would, but first take its temporaries along; a signal the caller chose to
// ignore stays ignored.
void end_with_temporaries_removed() {
  for (int signal_number : ending_signals) {
    struct sigaction current;
    if (sigaction(signal_number, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) continue;
    struct sigaction action {};
    action.sa_handler = remove_temporaries_and_end;
    sigemptyset(&action.sa_mask);
    sigaction(signal_number, &action, nullptr);
  }
}

// One generated file of the run.
struct StagedFile {
  std::string name;       // as the run names it
  std::string target;     // where it goes: name, or what a symbolic link names
  std::string temporary;  // empty for a file written in place (a device)
  std::FILE* file = nullptr;
  Temporary* guard = nullptr;  // the temporary's entry for the signal handler
};

struct RunFiles {
  OutputOptions options;
  std::vector<StagedFile> staged;
  // Where each staged file is, by name and by open stream: a library build
  // writes thousands of files, each looked up several times.
  std::unordered_map<std::string, size_t> staged_by_name;
  std::unordered_map<const std::FILE*, size_t> staged_by_stream;
  std::vector<std::string> names;      // every generated file, first-open order
  std::unordered_set<std::string> name_set;
  std::string private_folder;          // list mode: where the files are staged
  Temporary* private_folder_guard = nullptr;
  std::vector<std::string> inputs;
  std::unordered_set<std::string> input_set;
  bool cleanup_registered = false;
  unsigned serial = 0;
};

// Never destroyed: the exit handler still reads it after static destructors
// could have run.
RunFiles& run_files() {
  static RunFiles* files = new RunFiles;
  return *files;
}

void discard_at_exit() { discard_staged_outputs(); }

mode_t new_file_mode() {
  static const mode_t mode = [] {
    mode_t mask = umask(0);
    umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
  }();
  return mode;
}

std::string folder_of(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string base_of(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A link to an existing file is followed, so the file it names is replaced
// and the link stays. Tells whether the target exists, and what it is.
std::string resolve_target(const std::string& name, struct stat& existing, bool& exists) {
  exists = lstat(name.c_str(), &existing) == 0;
  if (!exists || !S_ISLNK(existing.st_mode)) return name;
  char resolved[PATH_MAX];
  std::string target = realpath(name.c_str(), resolved) != nullptr ? resolved : name;
  exists = stat(target.c_str(), &existing) == 0;
  return target;
}

StagedFile* find_staged(const std::string& name) {
  RunFiles& run = run_files();
  auto found = run.staged_by_name.find(name);
  return found != run.staged_by_name.end() ? &run.staged[found->second] : nullptr;
}

StagedFile* find_staged_stream(const std::FILE* stream) {
  RunFiles& run = run_files();
  auto found = run.staged_by_stream.find(stream);
  return found != run.staged_by_stream.end() ? &run.staged[found->second] : nullptr;
}

// After files left the list, the indexes are made anew.
void index_staged() {
  RunFiles& run = run_files();
  run.staged_by_name.clear();
  run.staged_by_stream.clear();
  for (size_t at = 0; at < run.staged.size(); ++at) {
    run.staged_by_name[run.staged[at].name] = at;
    if (run.staged[at].file != nullptr) run.staged_by_stream[run.staged[at].file] = at;
  }
}

void add_name(const std::string& name) {
  RunFiles& run = run_files();
  if (run.name_set.insert(name).second) run.names.push_back(name);
}

void remove_name(const std::string& name) {
  RunFiles& run = run_files();
  if (run.name_set.erase(name) == 0) return;
  for (auto at = run.names.begin(); at != run.names.end(); ++at) {
    if (*at == name) {
      run.names.erase(at);
      return;
    }
  }
}

void drop_staged(StagedFile& file) {
  if (file.file != nullptr) {
    run_files().staged_by_stream.erase(file.file);
    std::fclose(file.file);
  }
  file.file = nullptr;
  if (!file.temporary.empty()) unlink(file.temporary.c_str());
  file.temporary.clear();
  forget_temporary(file.guard);
}

bool same_content(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  if (stat(a.c_str(), &sa) != 0 || stat(b.c_str(), &sb) != 0) return false;
  if (!S_ISREG(sb.st_mode) || sa.st_size != sb.st_size) return false;
  std::FILE* fa = std::fopen(a.c_str(), "rb");
  std::FILE* fb = fa != nullptr ? std::fopen(b.c_str(), "rb") : nullptr;
  bool same = fa != nullptr && fb != nullptr;
  char ba[65536], bb[65536];
  while (same) {
    size_t na = std::fread(ba, 1, sizeof ba, fa);
    size_t nb = std::fread(bb, 1, sizeof bb, fb);
    if (na != nb || std::memcmp(ba, bb, na) != 0) same = false;
    if (na < sizeof ba) break;
  }
  if (fa != nullptr) std::fclose(fa);
  if (fb != nullptr) std::fclose(fb);
  return same;
}

// libxml2's output callbacks for files named by a path (or a file: URL).
const char* local_path(const char* uri) {
  if (std::strncmp(uri, "file://", 7) == 0) return uri + 7;
  if (std::strstr(uri, "://") != nullptr) return nullptr;
  return uri;
}

int matches_local_file(const char* uri) { return uri != nullptr && local_path(uri) != nullptr; }

// A file of this run read back by name before it is in its place (the
// manual's stylesheets read the XML files the run wrote).
const StagedFile* staged_for_reading(const char* uri) {
  const char* path = uri != nullptr ? local_path(uri) : nullptr;
  if (path == nullptr) return nullptr;
  while (std::strncmp(path, "./", 2) == 0) path += 2;
  const StagedFile* file = find_staged(path);
  return file != nullptr && !file->temporary.empty() && file->file == nullptr ? file : nullptr;
}

int matches_staged_file(const char* uri) { return staged_for_reading(uri) != nullptr; }

void* open_staged_for_reading(const char* uri) {
  const StagedFile* file = staged_for_reading(uri);
  return file != nullptr ? std::fopen(file->temporary.c_str(), "rb") : nullptr;
}

int read_staged(void* context, char* buffer, int length) {
  std::FILE* file = static_cast<std::FILE*>(context);
  size_t got = std::fread(buffer, 1, static_cast<size_t>(length), file);
  return got == 0 && std::ferror(file) ? -1 : static_cast<int>(got);
}

int close_staged_for_reading(void* context) { return std::fclose(static_cast<std::FILE*>(context)); }

void* open_xml_output(const char* uri) {
  const char* path = local_path(uri);
  std::FILE* file = open_staged_output(path);
  if (file == nullptr) {
    // Not handed on to the default writer, which would replace the file at once.
    report_error("could not open file '%s'", path);
    fail(1);
  }
  return file;
}

int write_xml_output(void* context, const char* data, int length) {
  std::FILE* file = static_cast<std::FILE*>(context);
  if (length > 0 && std::fwrite(data, 1, static_cast<size_t>(length), file) != static_cast<size_t>(length))
    return -1;  // reported with its reason when the file is closed
  return length;
}

int close_xml_output(void* context) {
  close_staged_output(static_cast<std::FILE*>(context));
  return 0;
}

// A writer whose file was discarded with the rest of its run has nothing
// left to write to.
bool still_staged(std::FILE* file) { return find_staged_stream(file) != nullptr; }

[[noreturn]] void write_failed(const std::string& name, int error) {
  report_error("could not write file '%s': %s\n", name.c_str(), std::strerror(error != 0 ? error : EIO));
  fail(1);
}

// Puts one closed file in its place (or leaves an unchanged one alone).
void put_in_place(StagedFile& file) {
  if (file.temporary.empty()) return;
  if (run_files().options.write_if_changed && same_content(file.temporary, file.target)) {
    unlink(file.temporary.c_str());
  } else if (rename(file.temporary.c_str(), file.target.c_str()) != 0) {
    int error = errno;
    write_failed(file.name, error);
  }
  file.temporary.clear();
  forget_temporary(file.guard);
}

}  // namespace

Writer::Writer(Writer&& other) noexcept
    : buffer_(std::move(other.buffer_)), name_(std::move(other.name_)), file_(other.file_) {
  other.file_ = nullptr;
}

Writer& Writer::operator=(Writer&& other) noexcept {
  if (this != &other) {
    close();
    buffer_ = std::move(other.buffer_);
    name_ = std::move(other.name_);
    file_ = other.file_;
    other.file_ = nullptr;
  }
  return *this;
}

Writer::~Writer() { close(); }

namespace {

// A template's text gathered on the stack, so that the writer's string
// grows once per template instead of once per piece. A piece too large for
// the room goes to the string directly.
class GatheredText {
 public:
  explicit GatheredText(std::string& target) : target_(target) {}
  GatheredText(const GatheredText&) = delete;
  GatheredText& operator=(const GatheredText&) = delete;

  void append(const char* data, size_t size) {
    if (size > sizeof room_ - used_) {
      flush();
      if (size > sizeof room_) {
        target_.append(data, size);
        return;
      }
    }
    std::memcpy(room_ + used_, data, size);
    used_ += size;
  }
  void append(char c) { append(&c, 1); }
  void flush() {
    target_.append(room_, used_);
    used_ = 0;
  }
  void discard() { used_ = 0; }

 private:
  std::string& target_;
  size_t used_ = 0;
  char room_[1024];
};

// Appends a format that holds only plain text and the conversions "%s",
// "%d", "%c" and "%%" without flags, width or precision (the templates'
// common case) without the C library's formatter, in one pass. False, with
// the text left as it was, at any other conversion.
bool append_simple_format(std::string& text, const char* format, va_list args) {
  const size_t start = text.size();
  GatheredText gathered(text);
  const char* p = format;
  for (;;) {
    const char* percent = strchrnul(p, '%');
    gathered.append(p, static_cast<size_t>(percent - p));
    if (*percent == '\0') {
      gathered.flush();
      return true;
    }
    switch (percent[1]) {
      case 's': {
        const char* value = va_arg(args, const char*);
        if (value == nullptr) value = "(null)";  // as printf writes it
        gathered.append(value, std::strlen(value));
        break;
      }
      case 'd': {
        char digits[16];
        auto end = std::to_chars(digits, digits + sizeof digits, va_arg(args, int)).ptr;
        gathered.append(digits, static_cast<size_t>(end - digits));
        break;
      }
      case 'c':
        gathered.append(static_cast<char>(va_arg(args, int)));
        break;
      case '%':
        gathered.append('%');
        break;
      default:
        gathered.discard();
        text.resize(start);
        return false;
    }
    p = percent + 2;
  }
}

}  // namespace

void Writer::put(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list simple_args;
  va_copy(simple_args, args);
  bool simple = append_simple_format(buffer_, format, simple_args);
  va_end(simple_args);
  if (simple) {
    va_end(args);
    if (file_ != nullptr && buffer_.size() >= flush_threshold) flush();
    return;
  }
  char small[512];
  va_list copy;
  va_copy(copy, args);
  int length = std::vsnprintf(small, sizeof small, format, copy);
  va_end(copy);
  if (length < 0) {
    va_end(args);
    return;
  }
  if (static_cast<size_t>(length) < sizeof small) {
    buffer_.append(small, static_cast<size_t>(length));
  } else {
    size_t old_size = buffer_.size();
    buffer_.resize(old_size + static_cast<size_t>(length) + 1);
    std::vsnprintf(&buffer_[old_size], static_cast<size_t>(length) + 1, format, args);
    buffer_.resize(old_size + static_cast<size_t>(length));
  }
  va_end(args);
  if (file_ != nullptr && buffer_.size() >= flush_threshold) flush();
}

void Writer::write(std::string_view text) {
  buffer_.append(text.data(), text.size());
  if (file_ != nullptr && buffer_.size() >= flush_threshold) flush();
}

void Writer::reserve(size_t size) { buffer_.reserve(size); }

void Writer::repeat(char c, int count) {
  if (count > 0) buffer_.append(static_cast<size_t>(count), c);
}

void Writer::flush() {
  if (file_ != nullptr && !still_staged(file_)) file_ = nullptr;
  if (file_ == nullptr || buffer_.empty()) return;
  if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
    write_failed(name_, errno);
  }
  buffer_.clear();
}

void Writer::close() {
  flush();
  if (file_ == nullptr) return;
  std::FILE* file = file_;
  file_ = nullptr;
  close_staged_output(file);
}

Writer open_output_file(const std::string& name, const char* name_format, int banner_kind,
                        bool use_name) {
  std::string file_name =
      use_name ? name : format_text(name_format, settings().package_name.c_str());
  std::optional<Writer> out = try_open_output_file(file_name);
  if (!out) {
    report_error("could not open file '%s'", file_name.c_str());
    fail(1);
  }
  write_banner(*out, banner_kind);
  return std::move(*out);
}

std::optional<Writer> try_open_output_file(const std::string& name) {
  std::FILE* file = open_staged_output(name);
  if (file == nullptr) return std::nullopt;
  Writer out;
  out.name_ = name;
  out.file_ = file;
  return out;
}

std::FILE* open_staged_output(const std::string& name) {
  RunFiles& run = run_files();
  if (!run.cleanup_registered) {
    std::atexit(discard_at_exit);
    end_with_temporaries_removed();
    run.cleanup_registered = true;
  }
  if (name.empty()) {
    errno = ENOENT;
    return nullptr;
  }
  StagedFile file;
  file.name = name;
  struct stat existing;
  bool exists;
  file.target = resolve_target(name, existing, exists);
  if (exists && S_ISDIR(existing.st_mode)) {
    errno = EISDIR;
    return nullptr;
  }
  if (exists && access(file.target.c_str(), W_OK) != 0) return nullptr;
  if (exists && !S_ISREG(existing.st_mode) && !run.options.list_only) {
    // A device or pipe cannot be replaced: it is written where it is.
    file.file = std::fopen(file.target.c_str(), "wb");
    if (file.file == nullptr) return nullptr;
  } else {
    std::string pattern;
    if (run.options.list_only) {
      pattern = run.private_folder + "/" + std::to_string(++run.serial) + "-XXXXXX";
    } else {
      // the hidden name keeps within the length a folder entry may have
      pattern = folder_of(file.target) + "/." + base_of(file.target).substr(0, 200) + ".vornc-XXXXXX";
    }
    int fd;
    {
      EndingSignalsHeld held;
      fd = mkostemp(&pattern[0], O_CLOEXEC);
      if (fd >= 0) file.guard = note_temporary(pattern);
    }
    if (fd < 0) return nullptr;
    fchmod(fd, new_file_mode());
    file.temporary = pattern;
    file.file = fdopen(fd, "wb");
    if (file.file == nullptr) {
      int error = errno;
      close(fd);
      unlink(pattern.c_str());
      forget_temporary(file.guard);
      errno = error;
      return nullptr;
    }
  }
  // A file written twice in one run keeps the later text.
  size_t at;
  if (StagedFile* earlier = find_staged(name)) {
    drop_staged(*earlier);
    *earlier = file;
    at = static_cast<size_t>(earlier - run.staged.data());
  } else {
    at = run.staged.size();
    run.staged.push_back(file);
    run.staged_by_name[name] = at;
  }
  run.staged_by_stream[file.file] = at;
  add_name(name);
  return file.file;
}

void close_staged_output(std::FILE* file) {
  RunFiles& run = run_files();
  StagedFile* staged = find_staged_stream(file);
  if (staged == nullptr) return;
  staged->file = nullptr;
  run.staged_by_stream.erase(file);
  bool written = std::fflush(file) == 0 && !std::ferror(file);
  int error = errno;
  if (std::fclose(file) != 0 && written) {
    written = false;
    error = errno;
  }
  if (!written) write_failed(staged->name, error);
  if (run.options.deferred) return;
  // Outside a whole run (tests of single generators) each file takes its
  // place as soon as it is complete.
  std::string name = staged->name;
  put_in_place(*staged);
  for (auto at = run.staged.begin(); at != run.staged.end(); ++at) {
    if (at->name == name) {
      run.staged.erase(at);
      break;
    }
  }
  index_staged();
}

bool save_output_file(const std::string& name, std::string_view text) {
  std::FILE* file = open_staged_output(name);
  if (file == nullptr) return false;
  if (std::fwrite(text.data(), 1, text.size(), file) != text.size()) write_failed(name, errno);
  close_staged_output(file);
  return true;
}

std::string readable_output_path(const std::string& name) {
  StagedFile* file = find_staged(name);
  if (file == nullptr) return name;
  return file->temporary.empty() ? file->target : file->temporary;
}

void discard_output(const std::string& name) {
  RunFiles& run = run_files();
  if (StagedFile* file = find_staged(name)) {
    drop_staged(*file);
    run.staged.erase(run.staged.begin() + (file - run.staged.data()));
    index_staged();
    remove_name(name);
    return;
  }
  // Outside a whole run the file is already in its place.
  if (!run.options.deferred) {
    std::remove(name.c_str());
    remove_name(name);
  }
}

void stage_xml_file_outputs() {
  // The table is rebuilt so that ours is asked first (the last registered
  // handler is tried first, and the defaults would otherwise be added later).
  xmlCleanupOutputCallbacks();
  xmlRegisterDefaultOutputCallbacks();
  xmlRegisterOutputCallbacks(matches_local_file, open_xml_output, write_xml_output,
                             close_xml_output);
  xmlCleanupInputCallbacks();
  xmlRegisterDefaultInputCallbacks();
  xmlRegisterInputCallbacks(matches_staged_file, open_staged_for_reading, read_staged,
                            close_staged_for_reading);
}

void set_output_options(const OutputOptions& options) {
  RunFiles& run = run_files();
  run.options = options;
  if (options.list_only && run.private_folder.empty()) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/vornc-list-XXXXXX";
    if (mkdtemp(&pattern[0]) == nullptr) {
      report_error("could not create a temporary folder: %s\n", std::strerror(errno));
      fail(1);
    }
    run.private_folder = pattern;
    run.private_folder_guard = note_temporary(pattern);
    end_with_temporaries_removed();
  }
}

void commit_outputs() {
  RunFiles& run = run_files();
  for (StagedFile& file : run.staged)
    if (file.file != nullptr) close_staged_output(file.file);
  if (run.options.list_only) {
    discard_staged_outputs();
    return;
  }
  // A folder in the way is found before any file is replaced.
  for (const StagedFile& file : run.staged) {
    struct stat existing;
    if (!file.temporary.empty() && stat(file.target.c_str(), &existing) == 0 &&
        S_ISDIR(existing.st_mode))
      write_failed(file.name, EISDIR);
  }
  for (StagedFile& file : run.staged) put_in_place(file);
  run.staged.clear();
  index_staged();
}

std::vector<std::string> output_names() { return run_files().names; }

void discard_staged_outputs() {
  RunFiles& run = run_files();
  for (StagedFile& file : run.staged) drop_staged(file);
  run.staged.clear();
  index_staged();
  if (!run.private_folder.empty()) {
    rmdir(run.private_folder.c_str());
    run.private_folder.clear();
    forget_temporary(run.private_folder_guard);
  }
}

void leave_ending_signals_to_main_thread() {
  sigset_t held;
  sigemptyset(&held);
  for (int signal_number : ending_signals) sigaddset(&held, signal_number);
  pthread_sigmask(SIG_BLOCK, &held, nullptr);
}

bool run_is_ending() { return ending.load(); }

TemporaryNote* make_scratch_folder(std::string& pattern) {
  end_with_temporaries_removed();
  EndingSignalsHeld held;
  if (mkdtemp(&pattern[0]) == nullptr) return nullptr;
  return note_temporary(pattern, true);
}

void forget_scratch_folder(TemporaryNote* note) { forget_temporary(note); }

void fail(int status) {
  discard_staged_outputs();
  std::fflush(stdout);
  std::exit(status);
}

void note_input_file(const std::string& path) {
  RunFiles& run = run_files();
  if (run.input_set.insert(path).second) run.inputs.push_back(path);
}

const std::vector<std::string>& input_files() { return run_files().inputs; }

void write_banner(Writer& out, int banner_kind) {
  if (banner_kind == banner_none) return;
  if (banner_kind == banner_python) {
    out.write("# **********************************************************\n");
    out.put("# File generated by the VORNIX-Compiler vornc version %s\n", vornc_version);
    out.write("# Usage: Interface to Python\n");
    out.write("#\n");
    out.put("# Software by: %s, %s\n", maker_company, maker_web_address);
    out.write("# **********************************************************\n");
    return;
  }
  out.write("/");
  out.repeat('*', 59);
  out.write("\n");
  out.put(" * File generated by the VORNIX-Compiler vornc version %s\n", vornc_version);
  switch (banner_kind) {
    case banner_operator_table:
      out.write(" * Usage: Initialization of operator table\n");
      break;
    case banner_c:
      out.write(" * Usage: Interface to C\n");
      break;
    case banner_cpp:
      out.write(" * Usage: Interface to C++\n");
      break;
    case banner_com:
      out.write(" * Usage: Interface to Microsoft COM / ActiveX\n");
      break;
    case banner_dotnet:
      out.write(" * Usage: Interface to Microsoft .NET Framework\n");
      break;
    case banner_c_prototypes:
      out.write(" * File for VORNIX/C Vers 5.0 interface\n");
      out.write(" * Usage: Prototypes for VORNIX/C Operators\n");
      break;
    case banner_cpp_prototypes:
      out.write(" * File for VORNIX/C++ Vers 3.0 interface\n");
      out.write(" * Usage: Prototypes for VORNIX/C++ Operators\n");
      break;
    default:
      break;
  }
  out.write(" *\n");
  out.put(" * Software by: %s, %s\n", maker_company, maker_web_address);
  out.write(" ");
  out.repeat('*', 59);
  out.write("/\n");
  out.write("\n\n");
}
