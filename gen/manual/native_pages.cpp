// Parts of the operator pages written natively, exactly as the stylesheets'
// templates write them. HTML: built as result nodes (the serializer escapes
// the texts), the synopsis (a heading, then per interface block its title
// and one division per signature) and the term of a parameter's entry.
// LaTeX: plain text, a signature and the item line of a parameter.
#include "gen/manual/native_pages.h"

#include "gen/manual/manual_transform.h"
#include "gen/manual/xml_nodes.h"

namespace {

// The parameters of a signature (parameters/parameter) that a filter keeps,
// in document order.
template <typename Keep>
std::vector<xmlNodePtr> signature_parameters(xmlNodePtr signature, Keep keep) {
  std::vector<xmlNodePtr> found;
  for (xmlNodePtr list : children_named(signature, "parameters"))
    for (xmlNodePtr parameter : children_named(list, "parameter"))
      if (keep(parameter)) found.push_back(parameter);
  return found;
}

// The result nodes of one page.
class ResultNodes {
 public:
  explicit ResultNodes(xmlDocPtr doc) : doc_(doc) {}

  xmlNodePtr element(xmlNodePtr parent, const char* name) {
    xmlNodePtr node = xmlNewDocNode(doc_, nullptr, reinterpret_cast<const xmlChar*>(name), nullptr);
    return xmlAddChild(parent, node);
  }
  xmlNodePtr element(xmlNodePtr parent, const char* name, const char* class_name) {
    xmlNodePtr node = element(parent, name);
    xmlNewProp(node, reinterpret_cast<const xmlChar*>("class"), reinterpret_cast<const xmlChar*>(class_name));
    return node;
  }
  // Adjacent texts join into one node, as they do in a stylesheet's result.
  void text(xmlNodePtr parent, const std::string& text) {
    if (text.empty()) return;
    xmlAddChild(parent, xmlNewDocTextLen(doc_, reinterpret_cast<const xmlChar*>(text.data()),
                                         static_cast<int>(text.size())));
  }
  // <name>text</name>
  void element_with_text(xmlNodePtr parent, const char* name, const std::string& content) {
    text(element(parent, name), content);
  }

 private:
  xmlDocPtr doc_;
};

class SynopsisWriter {
 public:
  SynopsisWriter(xmlDocPtr doc, const SynopsisTexts& texts) : out_(doc), texts_(texts) {}

  void write(xmlNodePtr op, xmlNodePtr parent) {
    // signatures[signature][not(/operator/@interface) or /operator/@interface = 'all'
    //                       or @interface = /operator/@interface]
    xmlNodePtr root = xmlDocGetRootElement(op->doc);
    std::string named;
    bool names_one = root != nullptr && is_named(root, "operator") && attribute_value(root, "interface", named);
    std::vector<xmlNodePtr> blocks;
    for (xmlNodePtr block : children_named(op, "signatures")) {
      if (first_child_named(block, "signature") == nullptr) continue;
      if (names_one && named != "all" && !attribute_equals(block, "interface", named.c_str())) continue;
      blocks.push_back(block);
    }
    if (blocks.empty()) return;
    out_.element_with_text(parent, "h2", texts_.heading);
    for (xmlNodePtr block : blocks) {
      std::string id;
      bool has_id = attribute_value(block, "interface", id);
      out_.text(out_.element(parent, "h3", "interface"), interface_title(has_id, id));
      for (xmlNodePtr signature : children_named(block, "signature")) write_signature(signature, parent, has_id ? id : "");
    }
  }

 private:
  std::string interface_title(bool has_id, const std::string& id) const {
    if (has_id && texts_.interface_titles != nullptr)
      for (const auto& entry : *texts_.interface_titles)
        if (entry.first == id) return entry.second;
    if (id == "com") return "COM";
    return id;
  }

  void write_signature(xmlNodePtr signature, xmlNodePtr parent, const std::string& interface) {
    xmlNodePtr div = out_.element(parent, "div", "signature");
    if (interface == "vdevelop")
      write_vdevelop(signature, div);
    else if (interface == "python")
      write_python(signature, div);
    else
      write_typed(signature, div, interface);
  }

  void write_vdevelop(xmlNodePtr signature, xmlNodePtr div) {
    out_.element_with_text(div, "b", attribute_text(signature, "name"));
    out_.text(div, "( ");
    static const char* const groups[4][2] = {
        {"iconic", "input"}, {"iconic", "output"}, {"control", "input"}, {"control", "output"}};
    for (int g = 0; g < 4; ++g) {
      if (g > 0) out_.text(div, " : ");
      std::vector<xmlNodePtr> list = signature_parameters(signature, [&](xmlNodePtr p) {
        return attribute_equals(p, "type", groups[g][0]) && attribute_equals(p, "mode", groups[g][1]);
      });
      for (size_t i = 0; i < list.size(); ++i) {
        if (i > 0) out_.text(div, ", ");
        out_.element_with_text(div, "i", attribute_text(list[i], "name"));
      }
    }
    out_.text(div, " )");
  }

  void write_python(xmlNodePtr signature, xmlNodePtr div) {
    out_.text(div, "def ");
    out_.element_with_text(div, "b", attribute_text(signature, "name"));
    out_.text(div, "(");
    std::vector<xmlNodePtr> inputs = signature_parameters(signature, [](xmlNodePtr p) { return attribute_equals(p, "mode", "input"); });
    for (size_t i = 0; i < inputs.size(); ++i) {
      if (i > 0) out_.text(div, ", ");
      out_.element_with_text(div, "i", attribute_text(inputs[i], "name"));
      out_.text(div, ": " + attribute_text(inputs[i], "type"));
    }
    out_.text(div, ")");
    std::vector<xmlNodePtr> outputs = signature_parameters(signature, [](xmlNodePtr p) { return attribute_equals(p, "mode", "output"); });
    xmlNodePtr returns = first_child_named(signature, "returns");
    if (returns == nullptr && outputs.empty()) return;
    out_.text(div, " -> ");
    if (returns != nullptr) {
      out_.text(div, child_attribute_text(signature, "returns", "type"));
    } else if (outputs.size() == 1) {
      out_.text(div, attribute_text(outputs[0], "type"));
    } else {
      out_.text(div, "Tuple[");
      for (size_t i = 0; i < outputs.size(); ++i) {
        if (i > 0) out_.text(div, ", ");
        out_.text(div, attribute_text(outputs[i], "type"));
      }
      out_.text(div, "]");
    }
  }

  // The class_link template: a link to the class page when the class list
  // holds the id, else the text.
  void class_link(xmlNodePtr parent, const std::string& id, const std::string& text) {
    if (texts_.class_ids == nullptr || texts_.class_ids->count(id) == 0) {
      out_.text(parent, text);
      return;
    }
    xmlNodePtr link = out_.element(parent, "a");
    xmlNewProp(link, reinterpret_cast<const xmlChar*>("href"),
               reinterpret_cast<const xmlChar*>((id + texts_.page_suffix).c_str()));
    xmlNewProp(link, reinterpret_cast<const xmlChar*>("class"), reinterpret_cast<const xmlChar*>("class"));
    out_.text(link, text);
  }

  // C, C++, COM and .NET: return type, class, name and typed parameters.
  void write_typed(xmlNodePtr signature, xmlNodePtr div, const std::string& interface) {
    if (attribute_equals(signature, "static", "true")) out_.text(div, "static ");
    xmlNodePtr returns = first_child_named(signature, "returns");
    if (returns != nullptr) {
      std::string type = child_attribute_text(signature, "returns", "type");
      class_link(div, type, type);
      out_.text(div, " ");
    } else if (attribute_equals(signature, "type", "method")) {
      out_.text(div, "void ");
    }
    std::string class_name;
    if (attribute_value(signature, "class_name", class_name)) {
      class_link(div, attribute_text(signature, "class_id"), class_name);
      out_.text(div, interface == "cpp" ? "::" : ".");
    }
    out_.element_with_text(div, "b", attribute_text(signature, "name"));
    out_.text(div, "(");
    std::vector<xmlNodePtr> list = signature_parameters(signature, [](xmlNodePtr) { return true; });
    for (size_t i = 0; i < list.size(); ++i) {
      if (i > 0) out_.text(div, ", ");
      bool output = attribute_equals(list[i], "mode", "output");
      if (output && interface == "dotnet") out_.text(div, "out ");
      std::string type = attribute_text(list[i], "type");
      class_link(div, type, type);
      bool c_pointer = interface == "c" && (type.empty() || type.back() != '*');
      if (output && (c_pointer || interface == "cpp" || interface == "com")) out_.text(div, "*");
      out_.text(div, " ");
      out_.element_with_text(div, "i", attribute_text(list[i], "name"));
    }
    out_.text(div, ")");
    if (attribute_equals(signature, "const", "true")) out_.text(div, " const");
    if (attribute_equals(signature, "winonly", "true")) {
      xmlNodePtr note = out_.element(div, "span", "note");
      out_.text(note, " (" + texts_.windows_only + ")");
    }
  }

  ResultNodes out_;
  const SynopsisTexts& texts_;
};

}  // namespace

void write_html_parameter_term(xmlNodePtr parameter, xmlNodePtr parent, const std::string& interface) {
  ResultNodes out(parent->doc);
  xmlNodePtr term = out.element(parent, "dt");
  xmlNewProp(term, reinterpret_cast<const xmlChar*>("id"),
             reinterpret_cast<const xmlChar*>(("parameter_" + attribute_text(parameter, "id")).c_str()));
  out.element_with_text(out.element(term, "code"), "b", syntax_text(children_named(parameter, "name"), interface));
  out.text(term, " (" + attribute_text(parameter, "mode") + ") ");
  std::string semantic_type;
  if (attribute_value(parameter, "semtype", semantic_type) && !semantic_type.empty())
    out.text(out.element(term, "span", "semtype"), semantic_type);
  std::vector<xmlNodePtr> subtypes = children_named(parameter, "subtype");
  xmlNodePtr type = first_child_named(parameter, "type");
  if (type == nullptr && subtypes.empty()) return;
  out.text(term, " \xe2\x86\x92 ");  // a rightwards arrow
  for (size_t i = 0; i < subtypes.size(); ++i) {
    if (i > 0) out.text(term, " / ");
    std::string name;
    if (attribute_value(subtypes[i], "name", name))
      out.text(term, name);
    else
      out.text(term, syntax_text({subtypes[i]}, interface));
  }
  if (subtypes.empty()) out.text(term, attribute_text(type, "id"));
}

namespace {

// A signature of the older layout as plain text, in the form of its
// interface (the parent's interface attribute): the signature template of
// mode plain.
std::string plain_signature(xmlNodePtr signature) {
  const std::string kind = signature->parent != nullptr ? attribute_text(signature->parent, "interface") : "";
  std::vector<xmlNodePtr> parameters = signature_parameters(signature, [](xmlNodePtr) { return true; });
  auto joined = [&](auto keep, auto text) {
    std::string list;
    bool first = true;
    for (xmlNodePtr parameter : parameters) {
      if (!keep(parameter)) continue;
      if (!first) list += ", ";
      first = false;
      list += text(parameter);
    }
    return list;
  };
  auto name_of = [](xmlNodePtr parameter) { return attribute_text(parameter, "name"); };
  auto has = [](const char* name, const char* value) {
    return [name, value](xmlNodePtr parameter) { return attribute_equals(parameter, name, value); };
  };
  // returns/@type: the first of the returns elements that has one
  bool returns = first_child_named(signature, "returns") != nullptr;
  std::string returns_type = child_attribute_text(signature, "returns", "type");
  std::string text;
  if (kind == "vdevelop") {
    auto group = [&](const char* type, const char* mode) {
      return joined([&](xmlNodePtr p) { return has("type", type)(p) && has("mode", mode)(p); }, name_of);
    };
    text = attribute_text(signature, "name") + "( " + group("iconic", "input") + " : " + group("iconic", "output") +
           " : " + group("control", "input") + " : " + group("control", "output") + " )";
  } else if (kind == "python") {
    text = "def " + attribute_text(signature, "name") + "(" +
           joined(has("mode", "input"),
                  [](xmlNodePtr p) { return attribute_text(p, "name") + ": " + attribute_text(p, "type"); }) +
           ")";
    std::vector<xmlNodePtr> outputs;
    for (xmlNodePtr parameter : parameters)
      if (attribute_equals(parameter, "mode", "output")) outputs.push_back(parameter);
    if (returns)
      text += " -> " + returns_type;
    else if (outputs.size() == 1)
      text += " -> " + attribute_text(outputs[0], "type");
    else if (!outputs.empty())
      text += " -> Tuple[" + joined(has("mode", "output"), [](xmlNodePtr p) { return attribute_text(p, "type"); }) + "]";
  } else {
    if (attribute_equals(signature, "static", "true")) text += "static ";
    if (returns)
      text += returns_type + " ";
    else if (attribute_equals(signature, "type", "method"))
      text += "void ";
    std::string class_name;
    if (attribute_value(signature, "class_name", class_name)) text += class_name + (kind == "cpp" ? "::" : ".");
    text += attribute_text(signature, "name") + "(";
    text += joined([](xmlNodePtr) { return true; }, [&](xmlNodePtr p) {
      bool output = attribute_equals(p, "mode", "output");
      std::string type = attribute_text(p, "type");
      std::string item = output && kind == "dotnet" ? "out " + type : type;
      bool c_pointer = kind == "c" && (type.empty() || type.back() != '*');
      if (output && (c_pointer || kind == "cpp")) item += "*";
      return item + " " + attribute_text(p, "name");
    });
    text += ")";
    if (attribute_equals(signature, "const", "true")) text += " const";
  }
  return text;
}

// Every occurrence of `from` replaced by `to`, from left to right.
std::string replaced(const std::string& text, const std::string& from, const std::string& to) {
  std::string result;
  size_t start = 0, found;
  while ((found = text.find(from, start)) != std::string::npos) {
    result.append(text, start, found - start).append(to);
    start = found + from.size();
  }
  return result.append(text, start, std::string::npos);
}

}  // namespace

void write_html_synopsis(xmlNodePtr operator_element, xmlNodePtr parent, const SynopsisTexts& texts) {
  SynopsisWriter(parent->doc, texts).write(operator_element, parent);
}

std::string latex_signature(xmlNodePtr signature) {
  return replaced(replaced(latex_escaped(plain_signature(signature)), "::", "::\\allowbreak{}"), "(",
                  "(\\allowbreak{}");
}

std::string latex_parameter_item(xmlNodePtr parameter) {
  xmlNodePtr name = first_child_named(parameter, "name");
  std::string item = "\\item[{\\texttt{";
  item += latex_escaped(name != nullptr ? normalized_space(string_value(name)) : "");
  item += "}}] (" + latex_escaped(attribute_text(parameter, "mode")) + ")";
  std::string semantic_type = attribute_text(parameter, "semtype");
  if (!semantic_type.empty()) item += " \\textit{" + latex_escaped(semantic_type) + "}";
  std::vector<xmlNodePtr> subtypes = children_named(parameter, "subtype");
  if (!subtypes.empty()) item += " $\\rightarrow$ ";
  for (size_t i = 0; i < subtypes.size(); ++i) {
    if (i > 0) item += " / ";
    std::string subtype;
    if (!attribute_value(subtypes[i], "name", subtype)) subtype = normalized_space(string_value(subtypes[i]));
    item += latex_escaped(subtype);
  }
  return item + "\n";
}

