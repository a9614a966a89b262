// Opening the definition files one after another for the lexer.
#include "driver/def_files.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "def/def_parser_api.h"
#include "driver/diagnostics.h"
#include "driver/input_files.h"
#include "driver/output.h"
#include "driver/settings.h"

namespace {
size_t next_def_file = 0;
}

int open_next_def_file() {
  const Settings& s = settings();
  if (next_def_file >= s.def_files.size()) return 1;
  const std::string& name = s.def_files[next_def_file].name;
  DefPosition& position = def_position();
  std::FILE* file = open_definition_file(name, position.path);
  if (file == nullptr) {
    if (errno == EISDIR)
      report_directory_not_file(position.path);
    else
      report_error("file not found \"%s\"\n", name.c_str());
    fail(1);
  }
  note_input_file(position.path);
  set_lexer_input(file);
  position.line = 1;
  ++next_def_file;
  return 0;
}
