// Readers of parsed manual documents with XPath's meaning: an attribute's
// value is nearly always one text node, read where it is.
#include "gen/manual/xml_nodes.h"

#include <cstring>

bool is_named(xmlNodePtr node, const char* name) {
  return node != nullptr && node->type == XML_ELEMENT_NODE && node->ns == nullptr &&
         std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

xmlAttrPtr find_attribute(xmlNodePtr node, const char* name) {
  if (node == nullptr) return nullptr;
  for (xmlAttrPtr a = node->properties; a != nullptr; a = a->next)
    if (a->ns == nullptr && std::strcmp(reinterpret_cast<const char*>(a->name), name) == 0) return a;
  return nullptr;
}

namespace {

// The content of a node that is a single text, or nullptr.
const xmlChar* single_text(xmlNodePtr children) {
  if (children == nullptr || children->next != nullptr || children->type != XML_TEXT_NODE) return nullptr;
  return children->content != nullptr ? children->content : reinterpret_cast<const xmlChar*>("");
}

}  // namespace

std::string string_value(xmlNodePtr node) {
  if (node->type == XML_ELEMENT_NODE || node->type == XML_ATTRIBUTE_NODE) {
    if (node->children == nullptr) return std::string();
    if (const xmlChar* text = single_text(node->children)) return reinterpret_cast<const char*>(text);
  }
  xmlChar* content = xmlNodeGetContent(node);
  std::string text = content != nullptr ? reinterpret_cast<const char*>(content) : "";
  xmlFree(content);
  return text;
}

bool attribute_value(xmlNodePtr node, const char* name, std::string& value) {
  xmlAttrPtr a = find_attribute(node, name);
  if (a == nullptr) return false;
  value = string_value(reinterpret_cast<xmlNodePtr>(a));
  return true;
}

std::string attribute_text(xmlNodePtr node, const char* name) {
  std::string value;
  attribute_value(node, name, value);
  return value;
}

bool attribute_equals(xmlNodePtr node, const char* name, const std::string& value) {
  xmlAttrPtr a = find_attribute(node, name);
  if (a == nullptr) return false;
  if (const xmlChar* text = single_text(a->children)) return value == reinterpret_cast<const char*>(text);
  return string_value(reinterpret_cast<xmlNodePtr>(a)) == value;
}

xmlNodePtr first_child_named(xmlNodePtr parent, const char* name, const std::string* interface) {
  for (xmlNodePtr child = parent->children; child != nullptr; child = child->next)
    if (is_named(child, name) && (interface == nullptr || attribute_equals(child, "interface", *interface)))
      return child;
  return nullptr;
}

std::string child_attribute_text(xmlNodePtr parent, const char* child, const char* name) {
  std::string value;
  for (xmlNodePtr node = parent->children; node != nullptr; node = node->next)
    if (is_named(node, child) && attribute_value(node, name, value)) break;
  return value;
}

std::vector<xmlNodePtr> children_named(xmlNodePtr parent, const char* name) {
  std::vector<xmlNodePtr> found;
  for (xmlNodePtr child = parent->children; child != nullptr; child = child->next)
    if (is_named(child, name)) found.push_back(child);
  return found;
}

std::string normalized_space(const std::string& text) {
  std::string result;
  bool blank = false;
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
      blank = !result.empty();
      continue;
    }
    if (blank) result += ' ';
    blank = false;
    result += c;
  }
  return result;
}

std::string syntax_text(const std::vector<xmlNodePtr>& nodes, const std::string& interface) {
  // $node/syntax[@interface = $for][1], then the VDevelop one, then any
  static const std::string vdevelop = "vdevelop";
  for (const std::string* wanted : {&interface, &vdevelop, static_cast<const std::string*>(nullptr)})
    for (xmlNodePtr node : nodes)
      if (xmlNodePtr syntax = first_child_named(node, "syntax", wanted)) return string_value(syntax);
  return nodes.empty() ? std::string() : normalized_space(string_value(nodes.front()));
}
