// Placeholder until the stylesheet step lands.
#include "doc/xslt_processor.h"

#include "driver/diagnostics.h"

int run_xslt_processor(const char*, const char*,
                       const std::vector<std::pair<std::string, std::string>>&) {
  report_error("the XSLT processor is not available in this build of vornc\n");
  return 1;
}
