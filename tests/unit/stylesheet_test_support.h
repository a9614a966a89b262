// Helpers of the stylesheet tests: a scratch working directory, file
// reading, running one embedded stylesheet over a text, and a settings guard.
#pragma once

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxslt/transform.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "gen/manual/manual_transform.h"
#include "driver/settings.h"

namespace stylesheet_test {

inline std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void write_file(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

inline bool file_exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

inline bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

inline std::string fixture(const std::string& name) {
  return read_file(std::string(VORNC_TESTS_DIR) + "/golden/stylesheets/fixtures/" + name);
}

/// The header every manual XML file starts with.
inline std::string xml_header(const std::string& root) {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE " + root +
         " [\n  <!ENTITY cr \"&#10;\">\n  <!ENTITY ldquo \"&#8220;\">\n"
         "  <!ENTITY rdquo \"&#8221;\">\n  <!ENTITY bdquo \"&#8222;\">\n"
         "  <!ENTITY nbsp  \"&#160;\">\n]>\n";
}

/// Runs each test in a fresh working directory and restores the settings
/// and the embedded resources afterwards.
class ScratchDirectory : public testing::Test {
 protected:
  void SetUp() override {
    saved_settings_ = settings();
    char pattern[] = "/tmp/vornc-stylesheet-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory_ = pattern;
    char here[4096];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    previous_ = here;
    ASSERT_EQ(chdir(directory_.c_str()), 0);
  }
  void TearDown() override {
    for (const std::string& name : stylesheet_resource_names()) override_stylesheet_resource(name, "");
    mutable_settings() = saved_settings_;
    EXPECT_EQ(chdir(previous_.c_str()), 0);
    std::string command = "rm -rf '" + directory_ + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
  }

  /// Names of the files left in the working directory, sorted.
  std::vector<std::string> files() const {
    std::vector<std::string> names;
    std::string command = "ls -1 '" + directory_ + "'";
    FILE* pipe = popen(command.c_str(), "r");
    char line[1024];
    while (pipe != nullptr && fgets(line, sizeof line, pipe) != nullptr) {
      std::string name = line;
      if (!name.empty() && name.back() == '\n') name.pop_back();
      names.push_back(name);
    }
    if (pipe != nullptr) pclose(pipe);
    return names;
  }

  /// Extracts the resource, parses it as the manual step does and applies
  /// it to xml_text; the result as the stylesheet's output method writes it.
  std::string apply(const std::string& sheet_name, const std::string& xml_text,
                    const std::vector<std::pair<std::string, std::string>>& parameters = {}) {
    std::vector<std::string> temporary;
    EXPECT_TRUE(extract_stylesheet_resource(sheet_name, temporary));
    write_file("input.xml", xml_text);
    xmlSubstituteEntitiesDefault(1);
    xmlLoadExtDtdDefaultValue = 0;
    xsltStylesheetPtr sheet = xsltParseStylesheetFile(reinterpret_cast<const xmlChar*>(sheet_name.c_str()));
    EXPECT_NE(sheet, nullptr) << sheet_name;
    if (sheet == nullptr) return "";
    xmlDocPtr document = xmlParseFile("input.xml");
    EXPECT_NE(document, nullptr);
    std::vector<const char*> table;
    for (const auto& p : parameters) {
      table.push_back(p.first.c_str());
      table.push_back(p.second.c_str());
    }
    table.push_back(nullptr);
    xmlDocPtr result = xsltApplyStylesheet(sheet, document, table.data());
    EXPECT_NE(result, nullptr);
    std::string text;
    xmlChar* buffer = nullptr;
    int length = 0;
    if (result != nullptr && xsltSaveResultToString(&buffer, &length, result, sheet) == 0 && buffer != nullptr) {
      text.assign(reinterpret_cast<const char*>(buffer), length);
      xmlFree(buffer);
    }
    if (result != nullptr) xmlFreeDoc(result);
    xmlFreeDoc(document);
    xsltFreeStylesheet(sheet);
    std::remove(sheet_name.c_str());
    return text;
  }

  std::string directory_;

 private:
  std::string previous_;
  Settings saved_settings_;
};

/// Messages of xmllint --html --noout for a file (empty when it reads well).
inline std::string xmllint_html(const std::string& path) {
  std::string command = "xmllint --html --noout '" + path + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  std::string output;
  char chunk[512];
  while (pipe != nullptr && fgets(chunk, sizeof chunk, pipe) != nullptr) output += chunk;
  if (pipe != nullptr) pclose(pipe);
  return output;
}

/// Braces of a LaTeX text balance: escaped braces and verbatim blocks do not
/// count, and the depth never goes below zero.
inline bool braces_balanced(const std::string& tex) {
  int depth = 0;
  size_t i = 0;
  while (i < tex.size()) {
    if (tex.compare(i, 16, "\\begin{verbatim}") == 0) {
      size_t end = tex.find("\\end{verbatim}", i);
      if (end == std::string::npos) return false;
      i = end + 14;
      continue;
    }
    char c = tex[i];
    if (c == '\\' && i + 1 < tex.size()) {
      i += 2;  // \{ \} \\ and the first letter of a command
      continue;
    }
    if (c == '{') ++depth;
    if (c == '}' && --depth < 0) return false;
    ++i;
  }
  return depth == 0;
}

}  // namespace stylesheet_test
