/// The stylesheet step of the reference manual: turns the manual's XML
/// documents, handed over in memory, into HTML pages or LaTeX sources with
/// the stylesheets the program carries inside itself. Only the pages are
/// written to the working directory; what the stylesheets write themselves
/// is caught in memory and written with them.
#pragma once

#include <functional>
#include <string>
#include <vector>

/// The manual's XML documents for the step.
struct ManualSources {
  /// The documented operators, in the order of their pages.
  std::vector<std::string> operator_names;
  /// The XML text of operator_names[index]; called once per operator, in
  /// index order, on the calling thread. A step that reads only one
  /// interface's signatures names it in only_interface (else nullptr): the
  /// text may then leave the other signature blocks out. A step that reads
  /// names only as the stylesheets' syntax_text picks them for an interface
  /// names that in picked_for (else nullptr): the groups of syntax elements
  /// it reads no other way may then hold only the picked one.
  std::function<std::string(size_t index, const char* only_interface, const char* picked_for)> operator_xml;
  /// The table of contents (index.xml, or user_index.xml in an extension
  /// package build).
  std::string toc_xml;
  /// classes.xml; empty when no classes are documented.
  std::string classes_xml;
  /// class_list.xml, which the operator pages read for class links.
  std::string class_list_xml;
};

/// Runs the step for the -R format of settings() (nothing for "xml").
/// A stylesheet that does not parse leaves the files of its pass as XML.
/// Every failure (a stylesheet or document that does not load, a
/// transformation error) is reported, the other pages are still written,
/// and the result is false. `workers` is the number of threads that
/// transform pages; 0 means one per processor.
bool transform_manual(const ManualSources& sources, int workers = 0);

/// The extension of the manual's pages for the -R format of settings():
/// "tex" for latex, the format name otherwise ("html" when it is empty).
std::string manual_page_extension();

/// Plain text for LaTeX, as the stylesheets' latex_escape template writes
/// it (the special characters as commands, a no-break space as "~"); the
/// stylesheets call it as v:latex_escape when the program runs them.
std::string latex_escaped(const std::string& text);

/// A name for LaTeX as the stylesheets' latex_name template writes it:
/// escaped as latex_escaped does, with "\allowbreak{}" before every capital
/// that follows a small letter or a digit; v:latex_name in the stylesheets.
std::string latex_breakable_name(const std::string& text);

/// Writes the embedded stylesheet resource `name` into a file of that name in
/// the working directory and appends the name to `temporary_files`. An unknown
/// name gives the warning "Resource file %s does not exist.\n" and false.
bool extract_stylesheet_resource(const std::string& name,
                                 std::vector<std::string>& temporary_files);

/// The text of an embedded stylesheet resource; nullptr for an unknown name.
const std::string* stylesheet_resource_text(const std::string& name);

/// Names of all embedded stylesheet resources.
std::vector<std::string> stylesheet_resource_names();

/// Replaces the text of a resource for the rest of the process (tests use it
/// to carry a broken stylesheet); an empty text restores the embedded one.
void override_stylesheet_resource(const std::string& name, const std::string& text);
