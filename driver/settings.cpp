// Run-wide settings and the accessors that combine them with the environment.
#include "driver/settings.h"

#include <cstdio>
#include <cstdlib>

#include "driver/input_files.h"
#include "driver/output.h"

namespace {
Settings the_settings;
}

const Settings& settings() { return the_settings; }
Settings& mutable_settings() { return the_settings; }

bool installation_root(std::string& root) {
  if (the_settings.has_root_override) {
    root = the_settings.root_override;
    return true;
  }
  const char* env = std::getenv("VORNIXROOT");
  if (env == nullptr) return false;
  root = env;
  return true;
}

bool architecture(std::string& arch) {
  if (the_settings.has_arch_override) {
    arch = the_settings.arch_override;
    return true;
  }
  const char* env = std::getenv("VORNIXARCH");
  if (env == nullptr) return false;
  arch = env;
  return true;
}

std::string com_cleanup_header_path() {
  if (the_settings.has_com_cleanup_override) return the_settings.com_cleanup_override;
  std::string root;
  if (!installation_root(root)) root = "(null)";  // as the formatted text shows an unset root
  return root + "/source/winsrc/clean_reg_vornixx.h";
}

std::string error_definition_text() {
  if (the_settings.error_def_path.empty()) {
    std::fputs("-error-def-path option missing.\n", stderr);
    fail(1);
  }
  std::FILE* file = open_input_file(the_settings.error_def_path);
  if (file == nullptr) {
    std::fprintf(stderr, "Cannot open %s for reading.\n", the_settings.error_def_path.c_str());
    fail(1);
  }
  note_input_file(the_settings.error_def_path);
  std::string text;
  char chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, n);
  bool read_failed = std::ferror(file) != 0;
  std::fclose(file);
  if (read_failed) {
    std::fprintf(stderr, "Cannot open %s for reading.\n", the_settings.error_def_path.c_str());
    std::exit(1);
  }
  return text;
}
