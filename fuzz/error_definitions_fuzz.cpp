// Fuzz target: the reader of the error-definition file (#define lines with
// their comments) that the .NET and Python generators share.
#include <cstdint>
#include <string>

#include "driver/settings.h"
#include "fuzz/exit_seam.h"
#include "gen/dotnet/error_definitions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  run_until_exit([&] { read_error_definitions(text); });
  return 0;
}
