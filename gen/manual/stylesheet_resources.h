/// The stylesheet resources compiled into the program: one entry per
/// gen/manual/stylesheets/*.xsl file, generated at build time. The table ends with an
/// entry whose name is nullptr.
#pragma once

#include <cstddef>

struct StylesheetResource {
  const char* name;
  const unsigned char* data;
  std::size_t size;
};

extern const StylesheetResource embedded_stylesheets[];
