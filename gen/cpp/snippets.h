/// Hand-written snippet files below the installation root, spliced into
/// generated class files.
#pragma once

#include <string>

class Writer;

/// The installation root for snippet paths: the -r override, else
/// VORNIXROOT, else "(null)" (so the path names a file that is not there).
std::string snippet_root();

/// "<root>/source/interfaces/CPP/include/snippets/<name>": the header
/// snippets, named after the generated header plus "op" (VImage.hop).
std::string cpp_header_snippet_path(const std::string& file_name);
/// "<root>/source/interfaces/CPP/source/snippets/<name>" (VImage.cppop).
std::string cpp_source_snippet_path(const std::string& file_name);

/// Splices a snippet. A required snippet is copied byte for byte, or gives
/// the warning "Missing snippet ..." when it cannot be opened. An optional
/// snippet is never copied: when it exists it gives the warning
/// "Unused snippet ...", so that a stray file does not go unnoticed.
void copy_snippet(Writer& out, const std::string& path, bool required);

/// True for the ten class types whose class snippets are required (image,
/// region, function_1d, pose, quaternion, dual_quaternion, matrix,
/// serialized_item, drawing_object, window).
bool class_snippets_required(int type);
