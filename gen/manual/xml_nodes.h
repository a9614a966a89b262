/// Readers of the manual's parsed documents as XPath sees them, shared by
/// the code that does natively what a stylesheet template would do: names
/// of elements without namespace, attributes, string values, and the
/// syntax_text template's choice of a name's spelling.
#pragma once

#include <libxml/tree.h>

#include <string>
#include <vector>

/// An element without namespace named `name`, as an XPath name test selects it.
bool is_named(xmlNodePtr node, const char* name);

/// The attribute without namespace, as @name selects it; nullptr without one.
xmlAttrPtr find_attribute(xmlNodePtr node, const char* name);

/// The string value of a node: its text and that of all its descendants.
std::string string_value(xmlNodePtr node);

/// The value of @name; false (and `value` untouched) when there is none.
bool attribute_value(xmlNodePtr node, const char* name, std::string& value);

/// The value of @name, "" without it.
std::string attribute_text(xmlNodePtr node, const char* name);

/// @name = 'value' in XPath: false without the attribute.
bool attribute_equals(xmlNodePtr node, const char* name, const std::string& value);

/// The first child element named `name` (and, unless nullptr, with that
/// interface attribute); nullptr without one.
xmlNodePtr first_child_named(xmlNodePtr parent, const char* name, const std::string* interface = nullptr);

/// child/@name: the value of the first such attribute among the children
/// named `child` ("" when none has it).
std::string child_attribute_text(xmlNodePtr parent, const char* child, const char* name);

/// The child elements named `name`, in document order.
std::vector<xmlNodePtr> children_named(xmlNodePtr parent, const char* name);

/// XPath's normalize-space(): blanks at both ends dropped, every run of
/// them inside made one space.
std::string normalized_space(const std::string& text);

/// The spelling that the syntax_text template writes for `nodes` (a
/// node-set in document order): the first syntax child with the interface
/// `interface`, else the first VDevelop one, else the first one, else the
/// first node's text with its blanks normalized.
std::string syntax_text(const std::vector<xmlNodePtr>& nodes, const std::string& interface);
