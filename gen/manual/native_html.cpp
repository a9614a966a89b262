// Parts of the HTML operator page built as result nodes, exactly as the
// stylesheet's templates build them (the serializer escapes the texts): the
// synopsis (a heading, then per interface block its title and one division
// per signature) and the term of a parameter's entry.
#include "gen/manual/native_html.h"

#include "gen/manual/xml_nodes.h"

namespace {

// The string value of child/@name: the first such attribute among the
// children named `child` ("" when none has it).
std::string child_attribute_text(xmlNodePtr parent, const char* child, const char* name) {
  std::string value;
  for (xmlNodePtr node = parent->children; node != nullptr; node = node->next)
    if (is_named(node, child) && attribute_value(node, name, value)) break;
  return value;
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

  // The parameters of the signature (parameters/parameter) that a filter keeps.
  template <typename Keep>
  static std::vector<xmlNodePtr> parameters(xmlNodePtr signature, Keep keep) {
    std::vector<xmlNodePtr> found;
    for (xmlNodePtr list : children_named(signature, "parameters"))
      for (xmlNodePtr parameter : children_named(list, "parameter"))
        if (keep(parameter)) found.push_back(parameter);
    return found;
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
      std::vector<xmlNodePtr> list = parameters(signature, [&](xmlNodePtr p) {
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
    std::vector<xmlNodePtr> inputs = parameters(signature, [](xmlNodePtr p) { return attribute_equals(p, "mode", "input"); });
    for (size_t i = 0; i < inputs.size(); ++i) {
      if (i > 0) out_.text(div, ", ");
      out_.element_with_text(div, "i", attribute_text(inputs[i], "name"));
      out_.text(div, ": " + attribute_text(inputs[i], "type"));
    }
    out_.text(div, ")");
    std::vector<xmlNodePtr> outputs = parameters(signature, [](xmlNodePtr p) { return attribute_equals(p, "mode", "output"); });
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
    std::vector<xmlNodePtr> list = parameters(signature, [](xmlNodePtr) { return true; });
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

// The dt element of the parameter template.
void write_parameter_term(xmlNodePtr parameter, xmlNodePtr parent, const std::string& interface) {
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

}  // namespace

void write_html_parameter_term(xmlNodePtr parameter, xmlNodePtr parent, const std::string& interface) {
  write_parameter_term(parameter, parent, interface);
}

void write_html_synopsis(xmlNodePtr operator_element, xmlNodePtr parent, const SynopsisTexts& texts) {
  SynopsisWriter(parent->doc, texts).write(operator_element, parent);
}
