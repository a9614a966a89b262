/// The parts of the operator pages that the program writes itself, in place
/// of the stylesheets' templates that write the same (their fallback
/// wherever a stylesheet runs without the program). HTML (si_operator_html.xsl):
/// the synopsis, which is the larger part of every page, and the heading
/// line of each parameter, built into the page's result tree. LaTeX
/// (operator_latex.xsl, on the older layout): each signature and the item
/// line of each parameter, as text.
#pragma once

#include <libxml/tree.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

/// What the synopsis reads besides the operator's document.
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

/// Appends the dt element of a parameter's entry (its name as `interface`
/// spells it, mode, semantic type and types) to `parent`.
void write_html_parameter_term(xmlNodePtr parameter, xmlNodePtr parent, const std::string& interface);

/// A signature of the older layout (a signature element below its synopsis)
/// as the LaTeX page writes it inside \texttt: in the form of its
/// interface, escaped, and with a break allowed after "::" and "(".
std::string latex_signature(xmlNodePtr signature);

/// The line that opens a parameter's entry on a LaTeX page (name, mode,
/// semantic type and subtypes), with its line end.
std::string latex_parameter_item(xmlNodePtr parameter);
