/// The conversion of a manual XML document into the older single-interface
/// layout that the LaTeX stylesheets read, done on the parsed document in
/// place: the same tree that convert_si_to_legacy.xsl builds as its result,
/// without copying every node through a stylesheet.
#pragma once

#include <libxml/tree.h>

#include <string>

/// Reduces `document` (an operator file, the table of contents or
/// classes.xml) to one interface: `current_syntax` unless the document
/// element names one, "vdevelop" when neither does. The DOCTYPE is dropped,
/// as a stylesheet's result has none.
void convert_to_legacy_layout(xmlDocPtr document, const std::string& current_syntax);
