// The text of an HTML page from its result tree, as libxml2's HTML
// serializer writes it without indentation: the document type line, then
// every node in document order, then a line end. The serializer knows the
// HTML elements from its element table (empty elements get no end tag, some
// elements without content none either) and escapes text and attribute
// values, and the URIs of href, action and src (and name on a); the page
// stylesheets never need the escaping of URIs, so a URI that would need it
// leaves the page to the library, as does anything else whose text is not
// plain here.
#include "gen/manual/html_page_text.h"

#include <libxml/HTMLparser.h>
#include <libxml/HTMLtree.h>

#include <cstdint>
#include <cstring>
#include <strings.h>

namespace {

const char* text_of(const xmlChar* text) { return reinterpret_cast<const char*>(text); }

bool same_name(const xmlChar* name, const char* other) {
  return name != nullptr && strcasecmp(text_of(name), other) == 0;
}

// The bytes append_escaped stops at: the markup characters and the control
// characters other than tab and line feed.
struct StopBytes {
  bool stop[256] = {};
  StopBytes() {
    for (int c = 0; c < 0x20; ++c) stop[c] = c != '\n' && c != '\t';
    stop[static_cast<unsigned char>('<')] = stop[static_cast<unsigned char>('>')] =
        stop[static_cast<unsigned char>('&')] = true;
  }
};
const StopBytes stop_bytes;

// Appends text as the library escapes it in an HTML document: the three
// markup characters as entities, every other character as it is. False at
// a control character other than a tab or line feed, which the library
// writes its own way.
bool append_escaped(std::string& out, const xmlChar* text) {
  const unsigned char* plain = text;  // start of the run written as it is
  const unsigned char* at = plain;
  while (true) {
    while (!stop_bytes.stop[*at]) ++at;
    out.append(reinterpret_cast<const char*>(plain), static_cast<size_t>(at - plain));
    switch (*at) {
      case '\0': return true;
      case '<': out.append("&lt;", 4); break;
      case '>': out.append("&gt;", 4); break;
      case '&': out.append("&amp;", 5); break;
      default: return false;
    }
    plain = ++at;
  }
}

// True when the library's URI escaping leaves the (already escaped) value
// as it is: letters, digits and the marks and separators page links use.
bool plain_uri(const char* value, size_t length) {
  static const char separators[] = "-_./:#?=&;,+@%";
  for (size_t i = 0; i < length; ++i) {
    char c = value[i];
    bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                 (c != '\0' && std::strchr(separators, c) != nullptr);
    if (!plain) return false;
  }
  return true;
}

class PageText {
 public:
  explicit PageText(std::string& out) : out_(out) {}

  bool document(xmlDocPtr doc) {
    // without an encoding, characters beyond ASCII become references
    if (doc->children == nullptr || doc->encoding == nullptr) return false;
    if (xmlDtdPtr type = doc->intSubset) {
      // "about:legacy-compat" is left out, giving "<!DOCTYPE html>"
      if (type->name == nullptr || type->ExternalID != nullptr ||
          (type->SystemID != nullptr && std::strcmp(text_of(type->SystemID), "about:legacy-compat") != 0))
        return false;
      out_ += "<!DOCTYPE ";
      out_ += text_of(type->name);
      out_ += ">\n";
    }
    bool content = false;
    for (xmlNodePtr node = doc->children; node != nullptr; node = node->next) {
      if (node->type == XML_DTD_NODE) continue;
      if (node->type != XML_ELEMENT_NODE && node->type != XML_COMMENT_NODE) return false;
      if (!subtree(node)) return false;
      content = true;
    }
    // a document of nothing but its type is written as nothing
    if (!content) return false;
    out_ += '\n';
    return true;
  }

 private:
  // The element, text or comment and everything below it.
  bool subtree(xmlNodePtr top) {
    xmlNodePtr node = top;
    while (true) {
      bool descend = false;
      switch (node->type) {
        case XML_ELEMENT_NODE:
          if (!start_tag(node, descend)) return false;
          break;
        case XML_TEXT_NODE:
          if (!text(node)) return false;
          break;
        case XML_COMMENT_NODE:
          if (node->content != nullptr) {
            out_ += "<!--";
            out_ += text_of(node->content);
            out_ += "-->";
          }
          break;
        default:
          return false;
      }
      if (descend) {
        node = node->children;
        continue;
      }
      // up to the next node, closing the elements left
      while (node != top && node->next == nullptr) {
        node = node->parent;
        end_tag(node);
      }
      if (node == top) return true;
      node = node->next;
    }
  }

  // "<name attributes>", and the end tag unless the element has content
  // (descend) or the library leaves it out.
  bool start_tag(xmlNodePtr element, bool& descend) {
    if (element->ns != nullptr || element->nsDef != nullptr || element->name == nullptr) return false;
    out_ += '<';
    out_ += text_of(element->name);
    for (xmlAttrPtr attribute = element->properties; attribute != nullptr; attribute = attribute->next)
      if (!write_attribute(attribute, element)) return false;
    const htmlElemDesc* info = description(element->name);
    if (info != nullptr && info->empty) {
      out_ += '>';
    } else if (element->children != nullptr) {
      out_ += '>';
      descend = true;
    } else if (info != nullptr && info->saveEndTag != 0 && std::strcmp(info->name, "html") != 0 &&
               std::strcmp(info->name, "body") != 0) {
      out_ += '>';
    } else {
      out_ += "></";
      out_ += text_of(element->name);
      out_ += '>';
    }
    return true;
  }

  void end_tag(xmlNodePtr element) {
    out_ += "</";
    out_ += text_of(element->name);
    out_ += '>';
  }

  // " name" or ' name="value"'.
  bool write_attribute(xmlAttrPtr attribute, xmlNodePtr element) {
    if (attribute->ns != nullptr || attribute->name == nullptr) return false;
    out_ += ' ';
    out_ += text_of(attribute->name);
    xmlNodePtr value = attribute->children;
    const Name& name = lookup(attribute->name);
    if (value == nullptr || name.boolean) return true;
    // one text, not empty, with nothing the library keeps as it is in
    // attributes (server-side includes, "&{")
    if (value->next != nullptr || value->type != XML_TEXT_NODE || value->content == nullptr ||
        value->content[0] == '\0')
      return false;
    const char* raw = text_of(value->content);
    if (std::strchr(raw, '"') != nullptr || std::strstr(raw, "<!--") != nullptr || std::strstr(raw, "&{") != nullptr)
      return false;
    out_ += "=\"";
    size_t start = out_.size();
    if (!append_escaped(out_, value->content)) return false;
    bool uri = name.uri || (same_name(attribute->name, "name") && same_name(element->name, "a"));
    if (uri && !plain_uri(out_.data() + start, out_.size() - start)) return false;
    out_ += '"';
    return true;
  }

  // Text is escaped except in script and style and where the stylesheet
  // disabled the escaping.
  bool text(xmlNodePtr node) {
    if (node->content == nullptr) return true;
    xmlNodePtr parent = node->parent;
    // the library marks text whose escaping is disabled by a name of its
    // own, "textnoenc"
    bool raw = (node->name != nullptr && std::strcmp(text_of(node->name), "textnoenc") == 0) ||
               (parent != nullptr && parent->name != nullptr && lookup(parent->name).raw_text);
    if (!raw) return append_escaped(out_, node->content);
    out_ += text_of(node->content);
    return true;
  }

  // What the library looks up for a name, once per name of the document
  // (the names are shared by the document's nodes): an element's entry in
  // the element table and whether its text stays unescaped, whether an
  // attribute has no value and whether it holds a URI.
  struct Name {
    const xmlChar* name;
    const htmlElemDesc* info;
    bool raw_text;
    bool boolean;
    bool uri;
  };

  // A name's entry, kept in the slot its address picks.
  const Name& lookup(const xmlChar* name) {
    // names of a dictionary lie a few bytes apart: every bit of the address
    // counts
    uint64_t mixed = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(name)) * 0x9e3779b97f4a7c15u;
    Name& slot = names_[mixed >> (64 - name_slot_bits)];
    if (slot.name != name)
      slot = {name, htmlTagLookup(name), same_name(name, "script") || same_name(name, "style"),
              htmlIsBooleanAttr(name) != 0,
              same_name(name, "href") || same_name(name, "action") || same_name(name, "src")};
    return slot;
  }

  const htmlElemDesc* description(const xmlChar* name) { return lookup(name).info; }

  static constexpr int name_slot_bits = 7;
  static constexpr size_t name_slots = size_t{1} << name_slot_bits;
  std::string& out_;
  Name names_[name_slots] = {};
};

}  // namespace

bool append_html_page_text(xmlDocPtr document, std::string& page) {
  size_t start = page.size();
  PageText text(page);
  if (document != nullptr && text.document(document)) return true;
  page.resize(start);
  return false;
}
