// Converts a parsed manual XML document into the older layout of one
// interface, in place. Each rule below is one template of
// convert_si_to_legacy.xsl, which stays the definition (and what a generic
// XSLT processor runs on the extracted stylesheets); every node no rule
// names is kept as the identity template copies it.
//
// Two properties of a stylesheet's result tree are kept as well: it never
// holds two neighbouring text nodes (a removed element between two texts
// joins them), and it has no DOCTYPE. The walk is iterative, so that a
// deeply nested text cannot exhaust the stack.
#include "gen/manual/legacy_layout.h"

#include <cstring>

#include "gen/manual/xml_nodes.h"

namespace {

bool is_text(xmlNodePtr node) { return node != nullptr && node->type == XML_TEXT_NODE; }

// Unlinks and frees a node; the texts on both sides of it become one.
// Returns the node that followed it.
xmlNodePtr remove_node(xmlNodePtr node) {
  xmlNodePtr before = node->prev;
  xmlNodePtr after = node->next;
  xmlUnlinkNode(node);
  xmlFreeNode(node);
  if (is_text(before) && is_text(after)) {
    xmlNodePtr beyond = after->next;
    xmlTextMerge(before, after);
    return beyond;
  }
  return after;
}

void remove_children(xmlNodePtr parent) {
  while (parent->children != nullptr) {
    xmlNodePtr child = parent->children;
    xmlUnlinkNode(child);
    xmlFreeNode(child);
  }
}

void remove_attributes(xmlNodePtr node) {
  while (node->properties != nullptr) xmlRemoveProp(node->properties);
}

// xsl:value-of: a text node unless the text is empty.
void set_text(xmlNodePtr node, const std::string& text) {
  remove_children(node);
  if (!text.empty()) xmlAddChild(node, xmlNewText(reinterpret_cast<const xmlChar*>(text.c_str())));
}

void set_attribute(xmlNodePtr node, const char* name, const std::string& value) {
  xmlSetProp(node, reinterpret_cast<const xmlChar*>(name), reinterpret_cast<const xmlChar*>(value.c_str()));
}

// The node after the subtree of node in document order; nullptr at the end.
xmlNodePtr following(xmlNodePtr node) {
  while (node != nullptr && node->type != XML_DOCUMENT_NODE) {
    if (node->next != nullptr) return node->next;
    node = node->parent;
  }
  return nullptr;
}

struct Conversion {
  xmlNodePtr root;
  std::string interface;
  bool has_interface;

  // What happens to an element, by the template that matches it; the node
  // the walk continues with and whether it descends into `element`.
  struct Step {
    xmlNodePtr next;
    bool descend;
  };

  Step convert(xmlNodePtr element) {
    xmlNodePtr parent = element->parent;
    const bool top = parent == root;
    if (top && is_named(element, "document")) {
      // every attribute but those named interface, whatever their namespace
      for (xmlAttrPtr a = element->properties; a != nullptr;) {
        xmlAttrPtr next = a->next;
        if (std::strcmp(reinterpret_cast<const char*>(a->name), "interface") == 0) xmlRemoveProp(a);
        a = next;
      }
      set_attribute(element, "interface", interface);
      remove_children(element);
      return {element->next, false};
    }
    if (element == root && is_named(element, "operator")) {
      std::string name = attribute_text(element, "id");
      if (has_interface) {
        for (xmlNodePtr group = element->children; group != nullptr; group = group->next) {
          if (!is_named(group, "signatures") || !attribute_equals(group, "interface", interface)) continue;
          xmlNodePtr found = nullptr;
          for (xmlNodePtr s = group->children; s != nullptr && found == nullptr; s = s->next)
            if (is_named(s, "signature") && !attribute_equals(s, "type", "constructor")) found = s;
          if (found != nullptr) {
            name = attribute_text(found, "name");
            break;
          }
        }
      }
      set_attribute(element, "name", name);
      return {nullptr, true};
    }
    if (is_named(element, "signatures")) {
      if (!attribute_equals(element, "interface", interface) || !has_interface) return {remove_node(element), false};
      std::string group = attribute_text(element, "interface");
      remove_attributes(element);
      xmlNodeSetName(element, reinterpret_cast<const xmlChar*>("synopsis"));
      set_attribute(element, "interface", group);
      return {nullptr, true};
    }
    if (top && is_named(root, "operator") && is_named(element, "syntax")) return replace_by_examples(element);
    if (is_named(element, "opref") || is_named(element, "parref") || is_named(element, "parname") ||
        is_named(element, "valref") ||
        (is_named(parent, "parameter") && (is_named(element, "name") || is_named(element, "type") ||
                                        (is_named(element, "subtype") && first_child_named(element, "syntax"))))) {
      set_text(element, syntax_text({element}, interface));
      return {element->next, false};
    }
    if (is_named(root, "toc") && is_named(element, "operator") && element != root) {
      set_attribute(element, "name", syntax_text({element}, interface));
      for (xmlNodePtr child = element->children; child != nullptr;)
        child = is_named(child, "syntax") ? remove_node(child) : child->next;
      return {nullptr, true};
    }
    if (top && is_named(root, "classes") && is_named(element, "class")) {
      xmlNodePtr syntax = first_child_named(element, "syntax", &interface);
      if (syntax == nullptr) return {remove_node(element), false};
      std::string id = attribute_text(element, "id");
      remove_attributes(element);
      set_attribute(element, "id", id);
      xmlUnlinkNode(syntax);
      remove_children(element);
      while (syntax->children != nullptr) {
        xmlNodePtr child = syntax->children;
        xmlUnlinkNode(child);
        xmlAddChild(element, child);
      }
      xmlFreeNode(syntax);
      return {nullptr, true};
    }
    return {nullptr, true};
  }

  // Examples grouped per interface: the group of the interface, else every
  // group, put in the group's place; none when the operator has top-level
  // examples. Decided on the groups as they were, before any is replaced.
  Step replace_by_examples(xmlNodePtr group) {
    bool keep = !top_level_examples && (attribute_equals(group, "interface", interface) || !interface_group);
    if (!keep) return {remove_node(group), false};
    xmlNodePtr first = nullptr;
    for (xmlNodePtr child = group->children; child != nullptr;) {
      xmlNodePtr next = child->next;
      if (is_named(child, "example")) {
        xmlUnlinkNode(child);
        xmlAddPrevSibling(group, child);
        if (first == nullptr) first = child;
      }
      child = next;
    }
    xmlNodePtr after = remove_node(group);
    // the examples themselves are walked next
    return {first != nullptr ? first : after, false};
  }

  bool top_level_examples = false;
  bool interface_group = false;
};

}  // namespace

void convert_to_legacy_layout(xmlDocPtr document, const std::string& current_syntax) {
  xmlNodePtr root = xmlDocGetRootElement(document);
  if (root == nullptr) return;
  // the common block's $interface, read before anything changes
  xmlNodePtr document_element = first_child_named(root, "document");
  std::string interface = document_element != nullptr ? attribute_text(document_element, "interface") : "";
  if (interface.empty()) interface = current_syntax;
  if (interface.empty()) interface = "vdevelop";

  Conversion conversion{root, interface, true};
  if (is_named(root, "operator")) {
    xmlAttrPtr own = find_attribute(root, "interface");
    std::string value = own != nullptr ? attribute_text(root, "interface") : "";
    conversion.has_interface = own == nullptr || value == "all" || value == interface;
    conversion.top_level_examples = first_child_named(root, "example") != nullptr;
    conversion.interface_group = first_child_named(root, "syntax", &interface) != nullptr;
  }

  if (document->intSubset != nullptr) {
    xmlDtdPtr dtd = document->intSubset;
    xmlUnlinkNode(reinterpret_cast<xmlNodePtr>(dtd));
    xmlFreeDtd(dtd);
    document->intSubset = nullptr;
  }

  // pre-order walk; convert() decides on each element before its children
  xmlNodePtr node = root;
  while (node != nullptr) {
    if (node->type == XML_ELEMENT_NODE) {
      xmlNodePtr parent = node->parent;
      Conversion::Step step = conversion.convert(node);
      if (!step.descend) {
        // the element is done (or gone): on with what followed it
        node = step.next != nullptr ? step.next : following(parent);
        continue;
      }
      if (node->children != nullptr) {
        node = node->children;
        continue;
      }
    }
    node = following(node);
  }
}
