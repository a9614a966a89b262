/// What makes vornc a well-behaved build step: the long options (--depfile,
/// --write-if-changed, --list-outputs, --help, --version), the dependency
/// file, and the end of a run that puts its files in place only when it
/// succeeded.
#pragma once

#include <string>
#include <vector>

/// Takes the long options out of the arguments (they may stand anywhere)
/// into the settings and returns the rest, program name first. --help and
/// --version print their text and end the run; an unknown long option is
/// left for the option reader to refuse.
std::vector<char*> take_long_options(int argc, char** argv);

/// Prints the usage text and the section on the long options.
void print_long_usage();

/// Before the generators run: how files are staged, and standard output set
/// aside under --list-outputs.
void begin_generation();
/// After the run: with status 0 the staged files take their places, the
/// dependency file is written (or, under --list-outputs, the names are
/// printed) and standard output is checked; otherwise everything staged is
/// removed. Returns the final status.
int end_generation(int status);

/// A path as make and ninja read it in a dependency file: blanks and '#'
/// behind a backslash, '$' doubled.
std::string depfile_escaped(const std::string& path);
/// The text of a dependency file: the targets, a colon, the prerequisites,
/// with continued lines. Empty without targets.
std::string depfile_text(const std::vector<std::string>& targets,
                         const std::vector<std::string>& prerequisites);
/// A name of this run as seen from the folder vornc was started in (the
/// folder of -di put in front of a relative name).
std::string name_from_start_folder(const std::string& name);
