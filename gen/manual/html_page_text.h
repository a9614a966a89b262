/// The text of an HTML page from its result tree, written by the program
/// itself the way libxml2's HTML serializer writes it without indentation
/// (the page stylesheets' xsl:output indent="no"), for the trees the page
/// stylesheets build: elements and attributes without namespaces, text and
/// comments. The library's serializer stays the fallback for every other
/// tree.
#pragma once

#include <libxml/tree.h>

#include <string>

/// Appends the text of `document` (an HTML result document whose meta
/// encoding is already set) to `page`: the document type line, the nodes
/// and a closing line end. False, with `page` unchanged, when the tree
/// holds anything the library might write differently (no encoding, a
/// namespace, an attribute value with a quote, a control character, a URI
/// that the library would escape, a node of another kind); the caller then
/// uses the library's serializer.
bool append_html_page_text(xmlDocPtr document, std::string& page);
