// Module and category tables.
#include "def/module_table.h"

#include <cstring>

const char* const module_keywords[module_count] = {
    "foundation", "calibration", "metrology_1d", "metrology_2d",
    "metrology_3d", "bar_code", "data_code", "ocr_ocv",
    "matching", "deep_learning_inference", "deep_learning_training",
};

namespace {
const char* const module_display_names[module_count] = {
    "Foundation", "Calibration", "1D Metrology", "2D Metrology",
    "3D Metrology", "Bar Code", "Data Code", "OCR/OCV",
    "Matching", "Deep Learning Inference", "Deep Learning Training",
};
}  // namespace

int module_index(const char* text) {
  if (std::strcmp(text, "none") == 0) return module_none;
  for (int i = 0; i < module_count; ++i)
    if (std::strcmp(text, module_keywords[i]) == 0) return i;
  return -1;
}

const char* module_display_name(int index) {
  if (index == module_none) return "none";
  if (index >= 0 && index < module_count) return module_display_names[index];
  return nullptr;
}

int category_index(const char* text) {
  for (int i = 0; i < module_count; ++i)
    if (std::strcmp(text, module_keywords[i]) == 0) return i;
  if (std::strcmp(text, "other") == 0) return 11;
  if (std::strcmp(text, "extension_package") == 0) return 12;
  return -1;
}
