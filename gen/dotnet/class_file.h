/// The C# source file of one class of the .NET class list.
#pragma once

#include <string>

#include "classes/class_model.h"

class DotnetDocTexts;
class Writer;

/// <class>.cs, or VDOTNET<package>.cs for the extension package's class.
std::string dotnet_class_file_name(const ClassRecord& record);

/// The whole text of a class file into out (banner included): head, kind
/// members, constructors, serialisation members, class snippet, methods
/// and the closing braces. model is the list the class belongs to (the
/// serialisation members ask whether the base class is serialisable).
/// doc_texts, when given, holds the documentation texts converted so far in
/// the run.
void write_dotnet_class(Writer& out, const ClassRecord& record, const ClassModel& model,
                        const std::string& snippet_path, DotnetDocTexts* doc_texts = nullptr);

/// Creates the class file and writes it, handing the text to the file as it
/// grows. A file that cannot be created is reported ("could not open file
/// <name>") before anything of the class is written and ends the run.
void write_dotnet_class_file(const ClassRecord& record, const ClassModel& model,
                             DotnetDocTexts* doc_texts = nullptr);
