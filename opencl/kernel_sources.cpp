// Preprocessing and compressing the kernel sources that the data header
// carries. The preprocessor runs as a child process from an argument vector,
// never through a shell, so no path or kernel name is ever read as a command.
#include "opencl/kernel_sources.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "driver/diagnostics.h"
#include "driver/output.h"
#include "driver/settings.h"

extern char** environ;

namespace {

constexpr int compression_level = 8;
constexpr size_t compression_buffer_size = 131072;

std::string temp_directory() {
  const char* dir = std::getenv("TMPDIR");
  if (dir == nullptr || *dir == '\0') return "/tmp";
  return dir;
}

/// A new temporary file, already unlinked. Returns -1 after reporting.
int anonymous_temp_file() {
  std::string path = temp_directory() + "/vornc-kernel-XXXXXX";
  int fd = mkostemp(&path[0], O_CLOEXEC);
  if (fd < 0) {
    report_error("Could not open %s\n", path.c_str());
    return -1;
  }
  unlink(path.c_str());
  return fd;
}

/// Sets a temporary file back to its start for the next preprocessor run.
/// Nothing is truncated: the run's output ends where the file offset, which
/// the child shares, is left.
bool rewind_file(int fd) { return lseek(fd, 0, SEEK_SET) == 0; }

/// What the last run wrote: the bytes from the start to the file offset.
bool read_written_part(int fd, std::string& text) {
  off_t size = lseek(fd, 0, SEEK_CUR);
  if (size < 0) return false;
  text.resize(static_cast<size_t>(size));
  size_t done = 0;
  while (done < text.size()) {
    ssize_t got = pread(fd, &text[done], text.size() - done, static_cast<off_t>(done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    done += static_cast<size_t>(got);
  }
  return true;
}

/// Runs the command with stdout and stderr into the given files; returns the
/// wait status, or -1 after reporting that it could not start.
int run_command(const std::vector<std::string>& command, int out_fd, int err_fd) {
  std::vector<char*> argv;
  for (const std::string& arg : command) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out_fd, 1);
  posix_spawn_file_actions_adddup2(&actions, err_fd, 2);
  pid_t child = 0;
  int error = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) {
    report_error("could not run the C preprocessor \"%s\": %s\n", argv[0], std::strerror(error));
    return -1;
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) {
      report_error("could not run the C preprocessor \"%s\": %s\n", argv[0],
                   std::strerror(errno));
      return -1;
    }
  }
  return status;
}

/// A path that cannot be read as an option.
std::string not_an_option(const std::string& path) {
  return !path.empty() && path[0] == '-' ? "./" + path : path;
}

/// The files one preprocessor run reads (the source and every header), for
/// the dependency file: the same command with -M in place of -P prints them
/// as a make rule.
void note_preprocessor_inputs(std::vector<std::string> command, PreprocessorFiles& files) {
  for (std::string& arg : command)
    if (arg == "-P") arg = "-M";
  std::string rule;
  if (!rewind_file(files.output) || !rewind_file(files.messages) ||
      run_command(command, files.output, files.messages) != 0 ||
      !read_written_part(files.output, rule)) {
    note_input_file(command.back());
    return;
  }
  // "target: a.cl b.h \\\n c.h", names with blanks escaped by a backslash
  size_t colon = rule.find(": ");
  std::string name;
  for (size_t i = colon == std::string::npos ? rule.size() : colon + 2; i <= rule.size(); ++i) {
    char c = i < rule.size() ? rule[i] : ' ';
    if (c == '\\' && i + 1 < rule.size() && rule[i + 1] != '\n') {
      name += rule[++i];
    } else if (c == ' ' || c == '\n' || c == '\\') {
      if (!name.empty()) note_input_file(name);
      name.clear();
    } else {
      name += c;
    }
  }
}

}  // namespace

std::vector<std::string> preprocessor_command(const std::string& root, const std::string& name) {
  return {"cpp",
          "-P",
          "-undef",
          "-x",
          "c",
          "-I",
          root + "/source/vlib_opencl/include",
          not_an_option(root + "/source/vlib_opencl/source/" + name + ".cl")};
}

void restore_directives(std::string& text) {
  for (char& c : text) {
    if (c == '@') c = '#';
  }
}

PreprocessorFiles::~PreprocessorFiles() {
  if (output >= 0) close(output);
  if (messages >= 0) close(messages);
}

bool PreprocessorFiles::open() {
  output = anonymous_temp_file();
  if (output < 0) return false;
  messages = anonymous_temp_file();
  return messages >= 0;
}

bool preprocess_kernel_source(const std::string& root, const std::string& name,
                              PreprocessorFiles& files, std::string& text) {
  std::vector<std::string> command = preprocessor_command(root, name);
  const std::string& source = command.back();
  if (access(source.c_str(), R_OK) != 0) {
    report_error("Cannot open %s for reading.\n", source.c_str());
    return false;
  }
  if (!rewind_file(files.output) || !rewind_file(files.messages)) {
    report_error("Could not open %s\n", "the temporary files of the preprocessor");
    return false;
  }
  int status = run_command(command, files.output, files.messages);
  if (status < 0) return false;
  if (!(WIFEXITED(status) && WEXITSTATUS(status) == 0)) {
    // The preprocessor's own messages say what is wrong; then ours.
    std::string messages;
    if (read_written_part(files.messages, messages)) std::fputs(messages.c_str(), stderr);
    if (WIFEXITED(status)) {
      report_error("the C preprocessor failed on %s (exit status %d)\n", source.c_str(),
                   WEXITSTATUS(status));
    } else {
      report_error("the C preprocessor failed on %s (signal %d)\n", source.c_str(),
                   WTERMSIG(status));
    }
    return false;
  }
  if (!read_written_part(files.output, text)) {
    report_error("Cannot open %s for reading.\n", "the preprocessor output");
    return false;
  }
  restore_directives(text);
  if (!settings().depfile.empty()) note_preprocessor_inputs(command, files);
  return true;
}

KernelCompressor::KernelCompressor() : buffer_(new unsigned char[compression_buffer_size]) {
  std::memset(&stream_, 0, sizeof stream_);
}

KernelCompressor::~KernelCompressor() {
  if (ready_) deflateEnd(&stream_);
}

bool KernelCompressor::compress(const std::string& text, std::vector<unsigned char>& compressed) {
  compressed.clear();
  int result = ready_ ? deflateReset(&stream_) : deflateInit(&stream_, compression_level);
  if (result != Z_OK) {
    report_error("zlib error occurred while compressing kernels.\n");
    return false;
  }
  ready_ = true;
  // The text ends at its first NUL byte.
  stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.c_str()));
  stream_.avail_in = static_cast<uInt>(std::strlen(text.c_str()));
  do {
    stream_.next_out = buffer_.get();
    stream_.avail_out = static_cast<uInt>(compression_buffer_size);
    result = deflate(&stream_, Z_FINISH);
    if (result == Z_STREAM_ERROR) break;
    compressed.insert(compressed.end(), buffer_.get(),
                      buffer_.get() + (compression_buffer_size - stream_.avail_out));
  } while (result != Z_STREAM_END);
  if (result != Z_STREAM_END) {
    report_error("zlib error occurred while compressing kernels.\n");
    compressed.clear();
    return false;
  }
  return true;
}

bool compress_kernel_source(const std::string& text, std::vector<unsigned char>& compressed) {
  KernelCompressor compressor;
  return compressor.compress(text, compressed);
}
