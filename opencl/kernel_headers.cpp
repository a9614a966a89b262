// Placeholder until the kernel header writer lands.
#include "opencl/kernel_headers.h"

#include <cstdlib>

#include "driver/diagnostics.h"

int write_kernel_headers(const std::vector<std::string>&, bool) {
  report_error("the OpenCL kernel headers are not available in this build of vornc\n");
  return 1;
}
