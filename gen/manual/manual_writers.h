/// The writers of the reference manual, shared by its files: the file head,
/// text conversion, the chapter tree, operator files, signatures and the
/// class files. write_reference_manual() calls them in output order.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "classes/class_model.h"
#include "def/operator_model.h"
#include "gen/manual/markup_conversion.h"
#include "driver/output.h"

// ---- text (manual_text.cpp) ----

/// A documentation text converted from its markup into the manual's XML.
void write_converted(Writer& out, const std::string& text, bool paragraph_mode);
/// The summary writer: "<element>", the converted text, "</element>\n".
void write_summary_element(Writer& out, const char* element, const std::string& text);
/// The paragraph writer: the converted text wrapped in paragraphs inside the
/// element.
void write_paragraph_element(Writer& out, const char* element, const std::string& text);

/// The text of a language-tagged list in the run's language, else the
/// English one; nullptr when there is neither.
const std::string* manual_text(const TaggedList<std::string>& texts);
/// The text in the run's language only, or nullptr.
const std::string* run_language_text(const TaggedList<std::string>& texts);

/// A syntax element with a text already spelled for its interface
/// (entity-escaped, nothing converted).
void write_spelled_syntax(Writer& out, int interface_number, const std::string& text);

/// One name as one interface spells it, in a group of syntax elements.
struct Spelling {
  int interface_number;
  std::string text;  // spelled, not yet escaped
};
/// The syntax elements of a group, in order. With picked_for (an interface
/// name), the group is for a reader that takes its spelling as the
/// stylesheets' syntax_text template does and reads nothing else of it: only
/// the element that it picks (the first of that interface, else the first
/// vdevelop one, else the first) is written, unless that one is blank.
void write_spelling_group(Writer& out, const std::vector<Spelling>& group, const char* picked_for);

// ---- files (manual_files.cpp) ----

/// The XML declaration, the DOCTYPE with the five entities and the root's
/// opening tag (with its attributes, which start with a blank).
void write_xml_head(Writer& out, const char* root, const std::string& root_attributes = "");
/// "  <document version=... architecture=.../>\n".
void write_document_element(Writer& out);
/// Writes a collected file; a file that cannot be opened ends the run with
/// "could not open file <name>" (status 1); a failed write is thrown.
void save_xml_file(const std::string& name, const std::string& text);
/// Writes one of the manual's pages through the output files.
void save_manual_file(const std::string& name, const std::string& text);

// ---- the run's data (manual_xml.cpp) ----

/// A member of a class of one interface, built from an operator.
struct ClassMember {
  const ClassRecord* record;
  const ClassMethod* method;
  bool constructor;
};

/// The class lists of the three class interfaces and, per operator, the
/// members built from it.
struct ManualClasses {
  std::unique_ptr<ClassModel> cpp, com, dotnet;
  std::unordered_map<const Operator*, std::vector<ClassMember>> cpp_members, com_members,
      dotnet_members;
};

/// One level of an entry's chapter path.
struct ChapterLevel {
  std::string id;    // as written (the lower-case form is written)
  std::string name;  // in the run's language
};

/// What every writer of one run reads.
struct ManualRun {
  /// Documented operators followed by the chapter entries named "*".
  OperatorList entries;
  /// Result texts after the result-state substitution, per entry.
  std::unordered_map<const Operator*, std::string> results;
  ManualClasses classes;
  /// Chapter paths of the entries, found once while the tree is built (so
  /// that a too long chapter text is reported once).
  std::unordered_map<const Operator*, std::vector<ChapterLevel>> chapter_paths;
};

/// The result text of an entry (after the substitution), or nullptr.
const std::string* manual_result(const ManualRun& run, const Operator& op);

/// The result text with the words TRUE, FALSE, VOID and FAIL replaced by
/// the result states; each replaced word is reported with the whole text.
std::string substitute_result_states(const std::string& text);

// ---- chapter tree and table of contents (manual_toc.cpp) ----

struct ChapterNode {
  std::string id;    // as written (the lower-case form is written)
  std::string name;  // in the run's language
  const Operator* description = nullptr;  // a chapter entry "*" of this path
  std::vector<std::unique_ptr<ChapterNode>> children;  // in order of appearance;
                                                       // written by name
  std::map<std::string, const Operator*> operators;   // ascending name order
};

/// The key that orders chapters by name: lower case, Latin letters without
/// their accents ("Ä" and "\"A" as "a", "ß" as "ss"), other characters as
/// they are.
std::string chapter_sort_key(std::string_view name);

/// The chapter path of an entry: identifiers and names in the run's
/// language, each cut to 255 characters (with a warning).
std::vector<ChapterLevel> chapter_path(const Operator& op);

/// Builds the chapter tree of the documented operators and chapter entries
/// and notes their chapter paths in the run. The root has no chapter: its
/// operators are those outside the tree (without a chapter, or with
/// "OldVersion" as the first), which the table of contents lists after the
/// chapters so that the name index reaches their pages.
std::unique_ptr<ChapterNode> build_chapter_tree(ManualRun& run);
/// "index.xml" or, in an extension-package build, "user_index.xml".
std::string toc_file_name();
/// The table of contents.
std::string table_of_contents_xml(const ManualRun& run, const ChapterNode& root);

// ---- operator files (manual_operator.cpp, manual_signatures.cpp) ----

/// Ends the run ("unknown example language: '<tag>'", status 1) when an
/// example of the operator has a language tag the manual does not know.
void check_example_languages(const Operator& op);
/// The text of "<name>.xml". With only_interface, for a reader of that one
/// interface, the signature blocks of the others are left out (see
/// write_signatures). With picked_for, for a reader that spells names for
/// that interface as syntax_text picks them, the groups of syntax elements
/// that such a reader reads no other way (a parameter's name, types and
/// subtypes, the related operators) hold only the picked one (see
/// write_spelling_group).
std::string operator_file_xml(const ManualRun& run, const Operator& op, const char* only_interface = nullptr,
                              const char* picked_for = nullptr);
/// The six signature blocks of an operator. With only_interface, a block of
/// another interface is written as its last line end alone: a reader that
/// drops those blocks and joins the texts around them (the conversion into
/// the older layout) sees the same document either way.
void write_signatures(Writer& out, const ManualRun& run, const Operator& op, const char* only_interface = nullptr);
/// The semantic type text of a parameter ("multichannel-image", "number-vector{1}").
std::string semantic_type_text(const Parameter& param);
/// The Python annotation of a parameter (flat layout) and its return
/// annotation over the outputs.
std::string python_annotation(const Parameter& param);
std::string python_return_annotation(const Operator& op);
/// The C type of a control parameter in the single-value C signature.
std::string c_single_value_type(const Operator& op, const Parameter& param);

// ---- class files (manual_classes.cpp) ----

/// classes.xml and class_list.xml, the ids of their classes in order and the
/// classes without description ("No class description for class %s\n" is
/// the caller's to report, after the operator files).
struct ClassFiles {
  std::string classes, class_list;
  std::vector<std::string> ids, undescribed;
};
ClassFiles class_files_xml(const ManualRun& run);
