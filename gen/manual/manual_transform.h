/// The stylesheet step of the reference manual: turns the manual's XML files
/// into HTML pages or LaTeX sources with the stylesheets the program carries
/// inside itself, and deletes the intermediate XML and stylesheet files.
#pragma once

#include <string>
#include <vector>

/// Runs the step for the -R format of settings() (nothing for "xml"): every
/// operator named in documented_operator_names has its "<name>.xml" in the
/// working directory, beside index.xml (user_index.xml in an extension
/// package build), class_list.xml and, when classes_documented, classes.xml.
/// A stylesheet that does not parse leaves its files as XML.
void transform_manual(const std::vector<std::string>& documented_operator_names,
                      bool classes_documented);

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
