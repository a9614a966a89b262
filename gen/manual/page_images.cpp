// The list of SVG images found in the manual's image folder, handed to the
// HTML stylesheets so that a formula or figure whose file is not there is
// shown as text instead of as a broken image.
#include "gen/manual/page_images.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

const char* const manual_image_folder = "images/";

std::string svg_images_parameter(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    std::string name = entry->path().filename().string();
    if (name.size() <= 4 || name.compare(name.size() - 4, 4, ".svg") != 0) continue;
    if (name.find_first_of("'|") != std::string::npos) continue;
    if (!entry->is_regular_file(error)) continue;
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  std::string literal = "'|";
  for (const std::string& name : names) literal += name + "|";
  return literal + "'";
}
