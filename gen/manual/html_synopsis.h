/// The synopsis of an HTML operator page (its signatures in every
/// interface), written by the program into the page's result tree: the same
/// nodes that the section_synopsis template of si_operator_html.xsl builds,
/// which is the larger part of every operator page.
#pragma once

#include <libxml/tree.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

/// What the section reads besides the operator's document.
struct SynopsisTexts {
  std::string heading;       // the phrase sec_synopsis in the page's language
  std::string windows_only;  // the phrase note_windows_only
  /// The stylesheet's interface list (id, title), in its order.
  const std::vector<std::pair<std::string, std::string>>* interface_titles = nullptr;
  /// The ids of the class list; nullptr when there is none (no links).
  const std::set<std::string>* class_ids = nullptr;
  std::string page_suffix;  // ".html"
};

/// Appends the synopsis of `operator_element` to `parent` (nothing when the
/// operator has no signature for the interfaces it names).
void write_html_synopsis(xmlNodePtr operator_element, xmlNodePtr parent, const SynopsisTexts& texts);
