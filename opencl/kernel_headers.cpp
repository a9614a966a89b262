// Entry of the OpenCL kernel modes: reads the descriptor files, and writes
// the kernel list header (-E) or the kernel data header (-K). Everything is
// parsed, preprocessed and compressed before the header is opened, so a
// failure leaves no half-written header behind.
#include "opencl/kernel_headers.h"

#include <algorithm>

#include "driver/diagnostics.h"
#include "driver/output.h"
#include "driver/settings.h"
#include "opencl/kernel_descriptors.h"
#include "opencl/kernel_sources.h"
#include "opencl/kernel_writers.h"

namespace {

/// Preprocesses and compresses every distinct source file.
bool prepare_kernel_sources(KernelSources& sources) {
  std::string root;
  if (!installation_root(root)) {
    report_error("the installation root is not set (VORNIXROOT or -r)\n");
    return false;
  }
  PreprocessorFiles files;
  if (!files.open()) return false;
  KernelCompressor compressor;
  for (KernelSource& source : sources.sources) {
    std::string text;
    if (!preprocess_kernel_source(root, source.name, files, text)) return false;
    if (!compressor.compress(text, source.compressed)) return false;
  }
  return true;
}

}  // namespace

int write_kernel_headers(const std::vector<std::string>& files, bool list_header) {
  KernelTables tables;
  if (parse_kernel_descriptors(files, tables) != 0) return 1;
  // Stable, so that the kernels of one operator keep their declaration order.
  std::stable_sort(tables.dependencies.begin(), tables.dependencies.end(),
                   [](const OperatorDependency& a, const OperatorDependency& b) {
                     return a.operator_name < b.operator_name;
                   });

  if (list_header) {
    Writer out = open_output_file("VOpenCLKernelList.h", nullptr, banner_none, true);
    write_kernel_banner(out);
    write_kernel_list_header(out, tables);
    out.close();
    return 0;
  }

  KernelSources sources;
  if (!collect_kernel_sources(tables, sources)) return 1;
  if (!prepare_kernel_sources(sources)) return 1;
  Writer out = open_output_file("VOpenCLKernel.h", nullptr, banner_none, true);
  write_kernel_banner(out);
  write_kernel_data_header(out, tables, sources);
  out.close();
  return 0;
}
