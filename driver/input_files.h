/// Opening the files a run reads: definition and kernel descriptor files,
/// the -F list, the -i/-x and -c files and the error-definition file.
#pragma once

#include <cstdio>
#include <string>

/// Opens a file for binary reading. A directory is refused (it would open
/// and then read as nothing, or fail in the middle of a scan): nullptr with
/// errno set to EISDIR.
std::FILE* open_input_file(const std::string& path);

/// Opens a definition or kernel descriptor file by its name as given on the
/// command line: "<name>.def", else the name itself. path is set to the name
/// opened. nullptr when neither opens; errno is then EISDIR if one of them
/// is a directory (path names it).
std::FILE* open_definition_file(const std::string& name, std::string& path);

/// The error for a directory named where a file is read:
/// "could not read file \"%s\": is a directory\n". The caller ends the run.
void report_directory_not_file(const std::string& path);
