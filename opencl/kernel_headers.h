/// The OpenCL kernel headers (-E, -K) from kernel descriptor files.
#pragma once

#include <string>
#include <vector>

/// Parses the descriptor files and writes VOpenCLKernelList.h (list_header)
/// or VOpenCLKernel.h. Returns the exit status.
int write_kernel_headers(const std::vector<std::string>& files, bool list_header);
