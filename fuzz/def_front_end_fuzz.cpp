// Fuzz target: one definition file through the whole front end: the lexer,
// the grammar, the slot and declaration checks, and the dispatch with its
// selection and reference checks, ending in the module list (-m), the mode
// that writes no file. A reported definition-file error ends the input
// (exit, caught by the exit seam); anything else the sanitizers catch is a
// finding.
#include <cstdint>
#include <cstdio>
#include <string>

#include "classes/handle_types.h"
#include "def/def_lexer.h"
#include "def/def_parser_api.h"
#include "def/operator_model.h"
#include "def/parser_state.h"
#include "driver/diagnostics.h"
#include "driver/settings.h"
#include "fuzz/exit_seam.h"

namespace {

// What one run builds and the next must not see.
void reset_front_end() {
  model() = Model();
  for (int row = 0; row <= handle_type_rows; ++row) set_type_class_info(row, nullptr);
  parser_state() = ParserState();
  Settings& s = mutable_settings();
  s = Settings();
  s.generator_mode = mode_module_list;
  def_position() = DefPosition();
  def_position().path = "fuzz.def";
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The module list goes to standard output.
  if (std::freopen("/dev/null", "w", stdout) == nullptr) return 1;
  init_handle_types("User");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  reset_front_end();
  std::string text(reinterpret_cast<const char*>(data), size);
  run_until_exit([&] {
    lex_from_string(text);
    parse_definition_files();
  });
  return 0;
}
