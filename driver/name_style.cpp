// Name styles: lower, upper, CamelCase, lower CamelCase and CamelCase with
// digit words.
#include "driver/name_style.h"

#include <cctype>

namespace {
char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }
char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Drops underscores and raises the first character and every character after
// an underscore. With digit_words, a word that starts with 1..3 and has a
// further character raises that character too ("3d" -> "3D").
std::string camel(std::string_view name, bool digit_words) {
  std::string result;
  result.reserve(name.size());
  bool word_start = true;
  for (size_t i = 0; i < name.size(); ++i) {
    char c = name[i];
    if (c == '_') {
      word_start = true;
      continue;
    }
    if (word_start) {
      result += upper(c);
      if (digit_words && c >= '1' && c <= '3' && i + 1 < name.size() && name[i + 1] != '_') {
        result += upper(name[++i]);
      }
    } else {
      result += c;
    }
    word_start = false;
  }
  return result;
}
}  // namespace

std::string name_style(std::string_view name, int style) {
  switch (style) {
    case style_lower: {
      std::string result(name);
      for (char& c : result) c = lower(c);
      return result;
    }
    case style_upper: {
      std::string result(name);
      for (char& c : result) c = upper(c);
      return result;
    }
    case style_camel:
      return camel(name, false);
    case style_lower_camel: {
      std::string result = camel(name, false);
      // The first character stays raised when an upper-case letter follows
      // it (XLD_cont -> XLDCont).
      if (!result.empty() && !(result.size() > 1 && std::isupper(static_cast<unsigned char>(result[1]))))
        result[0] = lower(result[0]);
      return result;
    }
    case style_camel_digits:
      return camel(name, true);
    default:
      return std::string(name);
  }
}
