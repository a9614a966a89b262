/// The five name styles of generated identifiers.
#pragma once

#include <string>
#include <string_view>

enum NameStyle {
  style_lower = 0,         // gen_image
  style_upper = 1,         // GEN_IMAGE
  style_camel = 2,         // GenImage
  style_lower_camel = 3,   // genImage
  style_camel_digits = 4,  // AffineTransPoint3D
};

std::string name_style(std::string_view name, int style);
