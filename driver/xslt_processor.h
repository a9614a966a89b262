/// The -T mode: applies a stylesheet to an XML file, result on standard
/// output.
#pragma once

#include <string>
#include <utility>
#include <vector>

/// xml "-" reads standard input. Returns the exit status. The run has no
/// network access and writes only below the working directory; external
/// entities and DTDs come only from below the working directory unless
/// allow_external (--allow-external) is set.
int run_xslt_processor(const char* stylesheet, const char* xml,
                       const std::vector<std::pair<std::string, std::string>>& parameters,
                       bool allow_external);
