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

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <csignal>
#include <cstdarg>
#include <cstdint>
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
  int fd = -1;                 // while the file is open
  std::FILE* file = nullptr;   // over fd, for a caller that asked for a stream
  unsigned long serial = 0;    // names the file for its writer
  Temporary* guard = nullptr;  // the temporary's entry for the signal handler
};

struct RunFiles {
  OutputOptions options;
  std::vector<StagedFile> staged;
  // Where each staged file is, by name, by open stream and by serial: a
  // library build writes thousands of files, each looked up several times.
  std::unordered_map<std::string, size_t> staged_by_name;
  std::unordered_map<const std::FILE*, size_t> staged_by_stream;
  std::unordered_map<unsigned long, size_t> staged_by_serial;
  unsigned long last_serial = 0;
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

// The open file of a serial; nullptr once it is closed or discarded.
StagedFile* find_staged_serial(unsigned long serial) {
  RunFiles& run = run_files();
  auto found = run.staged_by_serial.find(serial);
  return found != run.staged_by_serial.end() ? &run.staged[found->second] : nullptr;
}

// After files left the list, the indexes are made anew.
void index_staged() {
  RunFiles& run = run_files();
  run.staged_by_name.clear();
  run.staged_by_stream.clear();
  run.staged_by_serial.clear();
  for (size_t at = 0; at < run.staged.size(); ++at) {
    const StagedFile& file = run.staged[at];
    run.staged_by_name[file.name] = at;
    if (file.file != nullptr) run.staged_by_stream[file.file] = at;
    if (file.fd >= 0) run.staged_by_serial[file.serial] = at;
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
  RunFiles& run = run_files();
  if (file.file != nullptr) {
    run.staged_by_stream.erase(file.file);
    std::fclose(file.file);
  } else if (file.fd >= 0) {
    close(file.fd);
  }
  if (file.fd >= 0) run.staged_by_serial.erase(file.serial);
  file.file = nullptr;
  file.fd = -1;
  if (!file.temporary.empty()) unlink(file.temporary.c_str());
  file.temporary.clear();
  forget_temporary(file.guard);
}

// Takes a file off the run's list, which moves the files after it.
void erase_staged(StagedFile& file) {
  RunFiles& run = run_files();
  run.staged.erase(run.staged.begin() + (&file - run.staged.data()));
  index_staged();
}

// A file the run no longer writes: its temporary goes, and so does its name.
void unstage(StagedFile& file) {
  std::string name = file.name;
  drop_staged(file);
  erase_staged(file);
  remove_name(name);
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
  return file != nullptr && !file->temporary.empty() && file->fd < 0 ? file : nullptr;
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

// Writes all of a text to an open file; false (errno set) when it fails.
bool write_all(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t done = ::write(fd, data, size);
    if (done < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (done == 0) {
      errno = EIO;
      return false;
    }
    data += done;
    size -= static_cast<size_t>(done);
  }
  return true;
}

// Creates the file of a name for the run (under its temporary name, or in
// place for a device), or returns nullptr (errno set) as open_staged_output.
StagedFile* stage_file(const std::string& name) {
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
    file.fd = open(file.target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (file.fd < 0) return nullptr;
  } else {
    std::string pattern;
    if (run.options.list_only) {
      pattern = run.private_folder + "/" + std::to_string(++run.serial) + "-XXXXXX";
    } else {
      // the hidden name keeps within the length a folder entry may have
      pattern = folder_of(file.target) + "/." + base_of(file.target).substr(0, 200) + ".vornc-XXXXXX";
    }
    {
      EndingSignalsHeld held;
      file.fd = mkostemp(&pattern[0], O_CLOEXEC);
      if (file.fd >= 0) file.guard = note_temporary(pattern);
    }
    if (file.fd < 0) return nullptr;
    fchmod(file.fd, new_file_mode());
    file.temporary = pattern;
  }
  file.serial = ++run.last_serial;
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
  run.staged_by_serial[file.serial] = at;
  add_name(name);
  return &run.staged[at];
}

// Closes a staged file; a failed write or close ends the run. Outside a
// whole run (tests of single generators) the file takes its place at once.
void finish_staged(StagedFile& staged) {
  RunFiles& run = run_files();
  bool written = true;
  int error = 0;
  if (staged.file != nullptr) {
    run.staged_by_stream.erase(staged.file);
    written = std::fflush(staged.file) == 0 && !std::ferror(staged.file);
    error = errno;
    if (std::fclose(staged.file) != 0 && written) {
      written = false;
      error = errno;
    }
  } else if (close(staged.fd) != 0) {
    written = false;
    error = errno;
  }
  run.staged_by_serial.erase(staged.serial);
  staged.file = nullptr;
  staged.fd = -1;
  if (!written) write_failed(staged.name, error);
  if (run.options.deferred) return;
  put_in_place(staged);
  erase_staged(staged);
}

}  // namespace

Writer::Writer(Writer&& other) noexcept
    : buffer_(std::move(other.buffer_)),
      size_(other.size_),
      name_(std::move(other.name_)),
      file_(other.file_) {
  other.size_ = 0;
  other.file_ = 0;
}

Writer& Writer::operator=(Writer&& other) noexcept {
  if (this != &other) {
    close();
    buffer_ = std::move(other.buffer_);
    size_ = other.size_;
    name_ = std::move(other.name_);
    file_ = other.file_;
    other.size_ = 0;
    other.file_ = 0;
  }
  return *this;
}

Writer::~Writer() { close(); }

namespace {

// Copies a piece of a template to room known to be there; short pieces,
// the common case, without a call.
inline void copy_piece(char* to, const char* from, size_t size) {
  if (size <= 16) {
    if (size >= 8) {
      std::uint64_t head, tail;
      std::memcpy(&head, from, 8);
      std::memcpy(&tail, from + size - 8, 8);
      std::memcpy(to, &head, 8);
      std::memcpy(to + size - 8, &tail, 8);
    } else if (size >= 4) {
      std::uint32_t head, tail;
      std::memcpy(&head, from, 4);
      std::memcpy(&tail, from + size - 4, 4);
      std::memcpy(to, &head, 4);
      std::memcpy(to + size - 4, &tail, 4);
    } else if (size > 0) {
      to[0] = from[0];
      to[size / 2] = from[size / 2];
      to[size - 1] = from[size - 1];
    }
    return;
  }
  std::memcpy(to, from, size);
}

}  // namespace

void Writer::make_room(size_t size) {
  // A file writer hands a full buffer to its file instead of growing it.
  if (file_ != 0 && size_ > 0 && buffer_.size() >= flush_threshold) {
    flush();
    if (buffer_.size() - size_ >= size) return;
  }
  grow(size);
}

void Writer::grow(size_t size) {
  buffer_.resize(std::max({size_ + size, 2 * buffer_.size(), size_t{4096}}));
}

// Plain text and the conversions "%s", "%d", "%c" and "%%" without flags,
// width or precision (the templates' common case) are written without the
// C library's formatter, in one pass, each piece copied to its place.
bool Writer::put_simple(const char* format, va_list args) {
  const size_t start = size_;
  const char* p = format;
  // A template goes to the buffer whole: the file never gets half of one.
  auto append = [this](const char* data, size_t size) {
    if (buffer_.size() - size_ < size) grow(size);
    copy_piece(buffer_.data() + size_, data, size);
    size_ += size;
  };
  for (;;) {
    const char* percent = strchrnul(p, '%');
    append(p, static_cast<size_t>(percent - p));
    if (*percent == '\0') return true;
    switch (percent[1]) {
      case 's': {
        const char* value = va_arg(args, const char*);
        if (value == nullptr) value = "(null)";  // as printf writes it
        append(value, std::strlen(value));
        break;
      }
      case 'd': {
        constexpr size_t widest = 11;  // "-2147483648"
        if (buffer_.size() - size_ < widest) grow(widest);
        char* digits = buffer_.data() + size_;
        size_ += static_cast<size_t>(
            std::to_chars(digits, digits + widest, va_arg(args, int)).ptr - digits);
        break;
      }
      case 'c': {
        char c = static_cast<char>(va_arg(args, int));
        append(&c, 1);
        break;
      }
      case '%':
        append(percent, 1);
        break;
      default:
        size_ = start;
        return false;
    }
    p = percent + 2;
  }
}

void Writer::put(const char* format, ...) {
  // Room for a common template at once (a full file writer's buffer goes
  // to its file first).
  if (buffer_.size() - size_ < 1024) make_room(1024);
  va_list args;
  va_start(args, format);
  va_list simple_args;
  va_copy(simple_args, args);
  bool simple = put_simple(format, simple_args);
  va_end(simple_args);
  if (simple) {
    va_end(args);
    return;
  }
  if (buffer_.size() - size_ < 512) grow(512);
  va_list copy;
  va_copy(copy, args);
  int length = std::vsnprintf(buffer_.data() + size_, buffer_.size() - size_, format, copy);
  va_end(copy);
  if (length >= 0 && static_cast<size_t>(length) >= buffer_.size() - size_) {
    grow(static_cast<size_t>(length) + 1);
    std::vsnprintf(buffer_.data() + size_, static_cast<size_t>(length) + 1, format, args);
  }
  va_end(args);
  if (length > 0) size_ += static_cast<size_t>(length);
}

void Writer::reserve(size_t size) { buffer_.reserve(size); }

void Writer::repeat(char c, int count) {
  if (count <= 0) return;
  if (buffer_.size() - size_ < static_cast<size_t>(count)) make_room(static_cast<size_t>(count));
  std::memset(buffer_.data() + size_, c, static_cast<size_t>(count));
  size_ += static_cast<size_t>(count);
}

void Writer::flush() {
  if (file_ == 0) return;
  StagedFile* staged = find_staged_serial(file_);
  // A writer whose file was discarded with the rest of its run has nothing
  // left to write to.
  if (staged == nullptr) {
    file_ = 0;
    return;
  }
  if (size_ == 0) return;
  if (!write_all(staged->fd, buffer_.data(), size_)) write_failed(name_, errno);
  size_ = 0;
}

void Writer::close() {
  flush();
  if (file_ == 0) return;
  StagedFile* staged = find_staged_serial(file_);
  file_ = 0;
  if (staged != nullptr) finish_staged(*staged);
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
  StagedFile* file = stage_file(name);
  if (file == nullptr) return std::nullopt;
  Writer out;
  out.name_ = name;
  out.file_ = file->serial;
  return out;
}

std::FILE* open_staged_output(const std::string& name) {
  StagedFile* staged = stage_file(name);
  if (staged == nullptr) return nullptr;
  std::FILE* file = fdopen(staged->fd, "wb");
  if (file == nullptr) {
    int error = errno;
    unstage(*staged);
    errno = error;
    return nullptr;
  }
  staged->file = file;
  run_files().staged_by_stream[file] = static_cast<size_t>(staged - run_files().staged.data());
  return file;
}

void close_staged_output(std::FILE* file) {
  if (StagedFile* staged = find_staged_stream(file)) finish_staged(*staged);
}

bool save_output_file(const std::string& name, std::string_view text) {
  StagedFile* staged = stage_file(name);
  if (staged == nullptr) return false;
  if (!write_all(staged->fd, text.data(), text.size())) write_failed(name, errno);
  finish_staged(*staged);
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
    unstage(*file);
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
