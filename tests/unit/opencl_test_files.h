// Scratch folders and files for the OpenCL unit tests.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace opencl_test {

/// A fresh folder below /tmp, removed with everything in it at the end.
class ScratchFolder {
 public:
  ScratchFolder() {
    char name[] = "/tmp/vornc-opencl-test-XXXXXX";
    path_ = mkdtemp(name);
  }
  ~ScratchFolder() {
    std::string command = "rm -rf '" + path_ + "'";
    if (std::system(command.c_str()) != 0) std::perror("rm");
  }
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

  /// Writes a file below the folder, creating its folders.
  std::string write(const std::string& name, const std::string& text) const {
    std::string full = path_ + "/" + name;
    for (size_t slash = full.find('/', path_.size() + 1); slash != std::string::npos;
         slash = full.find('/', slash + 1)) {
      mkdir(full.substr(0, slash).c_str(), 0755);
    }
    std::ofstream(full, std::ios::binary) << text;
    return full;
  }

 private:
  std::string path_;
};

inline bool file_exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

}  // namespace opencl_test
