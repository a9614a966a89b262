// Fuzz target: the comment text conversion (one plain line for comments and
// help strings). The result is one line: a line break in it would end a
// C++ comment early, so one is a finding (abort).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "driver/comment_text.h"
#include "fuzz/exit_seam.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The first byte chooses the two spellings; the rest is the text.
  if (size == 0) return 0;
  bool words_for_angle_brackets = (data[0] & 1) != 0;
  bool escape_quotes = (data[0] & 2) != 0;
  std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::string line;
  run_until_exit([&] { line = convert_comment_text(text, words_for_angle_brackets, escape_quotes); });
  if (line.find('\n') != std::string::npos) {
    std::fprintf(stderr, "comment text with a line break: [%s]\n", line.c_str());
    std::abort();
  }
  return 0;
}
