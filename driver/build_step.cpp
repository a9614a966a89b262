// The build-step side of a run: long options, the dependency file, the
// output list, and committing or discarding the run's files at its end.
#include "driver/build_step.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "driver/command_line.h"
#include "driver/diagnostics.h"
#include "driver/output.h"
#include "driver/settings.h"

namespace {

// Standard output while --list-outputs sends the generators' own messages
// to /dev/null; -1 when it was not set aside.
int saved_standard_output = -1;

std::string absolute_path(const std::string& path) {
  if (!path.empty() && path[0] == '/') return path;
  char folder[4096];
  if (getcwd(folder, sizeof folder) == nullptr) return path;
  return std::string(folder) + "/" + path;
}

// Standard output must have taken everything written to it.
bool standard_output_written() {
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return true;
  int error = errno != 0 ? errno : EIO;
  report_error("could not write file '%s': %s\n", "standard output", std::strerror(error));
  return false;
}

[[noreturn]] void print_and_end(void (*print)()) {
  print();
  std::exit(standard_output_written() ? 0 : 1);
}

void print_version() { std::printf("vornc %s\n", vornc_version); }

}  // namespace

void print_long_usage() {
  print_usage();
  std::printf("\n");
  std::printf("Build-step options (anywhere on the command line):\n");
  std::printf("  --depfile <file>     after a successful run, write a Makefile dependency file:\n");
  std::printf("                       the generated files as targets, every file read as\n");
  std::printf("                       prerequisites\n");
  std::printf("  --write-if-changed   leave a generated file whose text did not change untouched\n");
  std::printf("  --list-outputs       print the files this command line writes; write none\n");
  std::printf("  --help               print this text\n");
  std::printf("  --version            print the version\n");
}

std::vector<char*> take_long_options(int argc, char** argv) {
  Settings& s = mutable_settings();
  std::vector<char*> rest;
  if (argc > 0) rest.push_back(argv[0]);
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strcmp(arg, "--help") == 0) print_and_end(print_long_usage);
    if (std::strcmp(arg, "--version") == 0) print_and_end(print_version);
    if (std::strcmp(arg, "--write-if-changed") == 0) {
      s.write_if_changed = true;
    } else if (std::strcmp(arg, "--list-outputs") == 0) {
      s.list_outputs = true;
    } else if (std::strcmp(arg, "--depfile") == 0 || std::strncmp(arg, "--depfile=", 10) == 0) {
      const char* name = arg[9] == '=' ? arg + 10 : (i + 1 < argc ? argv[++i] : "");
      if (*name == '\0') {
        report_error("option --depfile needs a file name\n");
        std::exit(1);
      }
      s.depfile = absolute_path(name);
    } else {
      rest.push_back(argv[i]);
    }
  }
  rest.push_back(nullptr);
  return rest;
}

std::string name_from_start_folder(const std::string& name) {
  if (name.empty() || name[0] == '/') return name;
  return settings().start_folder_prefix + name;
}

std::string depfile_escaped(const std::string& path) {
  std::string escaped;
  for (char c : path) {
    if (c == ' ' || c == '#') escaped += '\\';
    if (c == '$') escaped += '$';
    escaped += c;
  }
  return escaped;
}

std::string depfile_text(const std::vector<std::string>& targets,
                         const std::vector<std::string>& prerequisites) {
  if (targets.empty()) return std::string();
  std::string text;
  for (size_t i = 0; i < targets.size(); ++i) {
    if (i > 0) text += " \\\n  ";
    text += depfile_escaped(targets[i]);
  }
  text += ":";
  for (const std::string& prerequisite : prerequisites) {
    text += " \\\n  ";
    text += depfile_escaped(prerequisite);
  }
  text += "\n";
  return text;
}

void begin_generation() {
  const Settings& s = settings();
  OutputOptions options;
  options.deferred = true;
  options.write_if_changed = s.write_if_changed;
  options.list_only = s.list_outputs;
  set_output_options(options);
  if (s.list_outputs) {
    std::fflush(stdout);
    saved_standard_output = dup(1);
    int null_device = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved_standard_output >= 0 && null_device >= 0) dup2(null_device, 1);
    if (null_device >= 0) close(null_device);
  }
}

int end_generation(int status) {
  const Settings& s = settings();
  if (saved_standard_output >= 0) {
    std::fflush(stdout);
    std::clearerr(stdout);
    dup2(saved_standard_output, 1);
    close(saved_standard_output);
    saved_standard_output = -1;
  }
  if (status != 0) {
    discard_staged_outputs();
    return status;
  }
  if (s.list_outputs) {
    std::vector<std::string> names = output_names();
    commit_outputs();  // keeps nothing in this mode
    for (const std::string& name : names) std::printf("%s\n", name_from_start_folder(name).c_str());
    return standard_output_written() ? 0 : 1;
  }
  // A listing that did not reach its reader is a failed run as well.
  if (!standard_output_written()) {
    discard_staged_outputs();
    return 1;
  }
  // The dependency file is staged with the files it names, so that it never
  // describes files that are not in place.
  if (!s.depfile.empty()) {
    std::vector<std::string> targets, prerequisites;
    for (const std::string& name : output_names()) targets.push_back(name_from_start_folder(name));
    // A run that wrote only to standard output (-T) names the dependency
    // file itself, so that what it read is not lost.
    if (targets.empty()) targets.push_back(name_from_start_folder(s.depfile));
    for (const std::string& name : input_files()) prerequisites.push_back(name_from_start_folder(name));
    if (!save_output_file(s.depfile, depfile_text(targets, prerequisites))) {
      report_error("could not open file '%s'", s.depfile.c_str());
      fail(1);
    }
  }
  commit_outputs();
  return 0;
}
