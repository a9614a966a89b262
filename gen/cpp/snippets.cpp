// The snippet copier: splices hand-written files below the installation
// root into generated class files.
#include "gen/cpp/snippets.h"

#include <cstdio>

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
  if (file == nullptr) {
    if (required) report_warning("Missing snippet %s\n", path.c_str());
    return;
  }
  if (!required) {
    report_warning("Unused snippet %s\n", path.c_str());
    std::fclose(file);
    return;
  }
  char buffer[8192];
  size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    out.write(std::string_view(buffer, count));
  }
  std::fclose(file);
}

bool class_snippets_required(int type) {
  const WellKnownTypes& wk = well_known_types();
  return type == wk.image || type == wk.region || type == wk.function_1d || type == wk.pose ||
         type == wk.quaternion || type == wk.dual_quaternion || type == wk.matrix ||
         type == wk.serialized_item || type == wk.drawing_object || type == wk.window;
}
