// The snippet copier: splices hand-written files below the installation
// root into generated class files.
#include "gen/cpp/snippets.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "classes/handle_types.h"
#include "driver/diagnostics.h"
#include "driver/output.h"
#include "driver/settings.h"

std::string snippet_root() {
  std::string root;
  if (!installation_root(root)) root = "(null)";  // as the formatted path shows an unset root
  return root;
}

std::string cpp_header_snippet_path(const std::string& file_name) {
  return format_text("%s/source/interfaces/CPP/include/snippets/%sop", snippet_root().c_str(),
                     file_name.c_str());
}

std::string cpp_source_snippet_path(const std::string& file_name) {
  return format_text("%s/source/interfaces/CPP/source/snippets/%sop", snippet_root().c_str(),
                     file_name.c_str());
}

void copy_snippet(Writer& out, const std::string& path, bool required) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr && errno == ENOENT) {
    if (required) report_warning("Missing snippet %s\n", path.c_str());
    return;
  }
  // A snippet that is there but cannot be read (a folder, no permission)
  // would leave a class without its hand-written part.
  struct stat info;
  if (file == nullptr || (fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode))) {
    int error = file == nullptr ? errno : EISDIR;
    if (file != nullptr) std::fclose(file);
    report_error("could not read snippet file '%s': %s\n", path.c_str(), std::strerror(error));
    fail(1);
  }
  if (!required) {
    report_warning("Unused snippet %s\n", path.c_str());
    std::fclose(file);
    return;
  }
  note_input_file(path);
  char buffer[8192];
  size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    out.write(std::string_view(buffer, count));
  }
  bool read = !std::ferror(file);
  int error = errno;
  std::fclose(file);
  if (!read) {
    report_error("could not read snippet file '%s': %s\n", path.c_str(), std::strerror(error));
    fail(1);
  }
}

bool class_snippets_required(int type) {
  const WellKnownTypes& wk = well_known_types();
  return type == wk.image || type == wk.region || type == wk.function_1d || type == wk.pose ||
         type == wk.quaternion || type == wk.dual_quaternion || type == wk.matrix ||
         type == wk.serialized_item || type == wk.drawing_object || type == wk.window;
}
