// Opening input files, with directories refused.
#include "driver/input_files.h"

#include <sys/stat.h>

#include <cerrno>

#include "driver/diagnostics.h"

std::FILE* open_input_file(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return nullptr;
  struct stat info;
  if (fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode)) {
    std::fclose(file);
    errno = EISDIR;
    return nullptr;
  }
  return file;
}

std::FILE* open_definition_file(const std::string& name, std::string& path) {
  std::string directory;
  for (const std::string& candidate : {name + ".def", name}) {
    std::FILE* file = open_input_file(candidate);
    if (file != nullptr) {
      path = candidate;
      return file;
    }
    if (errno == EISDIR && directory.empty()) directory = candidate;
  }
  path = directory.empty() ? name : directory;
  errno = directory.empty() ? ENOENT : EISDIR;
  return nullptr;
}

void report_directory_not_file(const std::string& path) {
  report_error("could not read file \"%s\": is a directory\n", path.c_str());
}
