/// The -T mode: applies a stylesheet to an XML file, result on standard
/// output.
#pragma once

#include <string>
#include <utility>
#include <vector>

/// xml "-" reads standard input. Returns the exit status.
int run_xslt_processor(const char* stylesheet, const char* xml,
                       const std::vector<std::pair<std::string, std::string>>& parameters);
