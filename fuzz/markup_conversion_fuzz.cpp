// Fuzz target: the markup conversion of the reference manual. Besides the
// sanitizers' checks, the converted text must be well-formed XML content
// given the five entities every manual file declares: a result that libxml2
// refuses is a finding (abort).
#include <libxml/parser.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/exit_seam.h"
#include "gen/manual/markup_conversion.h"
#include "tests/unit/markup_well_formed.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The first byte chooses the paragraph mode; the rest is the text.
  if (size == 0) return 0;
  bool paragraph_mode = (data[0] & 1) != 0;
  std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::string xml;
  run_until_exit([&] { xml = markup_to_xml(text, paragraph_mode); });
  if (!markup_well_formed(paragraph_mode ? "<p>" + xml + "</p>" : xml)) {
    std::fprintf(stderr, "markup conversion wrote XML that does not parse:\n%s\n", xml.c_str());
    std::abort();
  }
  return 0;
}
