// Fuzz target: the kernel descriptor scanner and grammar with their table
// builders. The input is one descriptor file, handed over as an in-memory
// file (memfd) so that the parser reads it by name as it reads any file.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/exit_seam.h"
#include "opencl/kernel_descriptors.h"

namespace {
int input_file = -1;
std::string input_path;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  input_file = memfd_create("descriptor", 0);
  if (input_file < 0) return 1;
  input_path = "/proc/self/fd/" + std::to_string(input_file);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (ftruncate(input_file, 0) != 0 || pwrite(input_file, data, size, 0) != static_cast<ssize_t>(size))
    std::abort();
  KernelTables tables;
  run_until_exit([&] { parse_kernel_descriptors({input_path}, tables); });
  // The table links must stay inside the tables.
  for (const Kernel& kernel : tables.kernels) {
    if (kernel.file < 0 || kernel.file >= static_cast<int>(tables.files.size())) std::abort();
    if (kernel.next >= static_cast<int>(tables.kernels.size())) std::abort();
  }
  return 0;
}
