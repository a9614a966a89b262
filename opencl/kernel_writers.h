/// The writers of the two kernel headers; the entry in kernel_headers.cpp
/// calls them once everything is parsed, preprocessed and compressed.
#pragma once

#include <string>
#include <vector>

#include "driver/output.h"
#include "opencl/kernel_descriptors.h"

/// One distinct kernel source file of the data header.
struct KernelSource {
  std::string name;        // the file name without ".cl"
  std::string array_name;  // the name behind "c_": a C identifier
  std::vector<unsigned char> compressed;
};

/// The distinct sources in first-use order, and for every kernel-file record
/// the index of its source.
struct KernelSources {
  std::vector<KernelSource> sources;
  std::vector<int> source_of_file;
};

/// Groups the file records by name (without ".cl"). Hyphens, allowed in
/// file names, become underscores in the array name; two names that meet in
/// one array name are an error (reported; returns false).
bool collect_kernel_sources(const KernelTables& tables, KernelSources& sources);

/// The banner both headers begin with.
void write_kernel_banner(Writer& out);
/// VOpenCLKernelList.h after its banner.
void write_kernel_list_header(Writer& out, const KernelTables& tables);
/// VOpenCLKernel.h after its banner; the dependency pairs sorted by name.
void write_kernel_data_header(Writer& out, const KernelTables& tables,
                              const KernelSources& sources);
