/// The command line: reads the arguments into the settings, and the usage
/// texts.
#pragma once

/// Runs the whole program for these arguments and returns the exit status.
int run_vornc(int argc, char** argv);

/// Reads the options and definition-file names (not -T) into the settings.
/// Usage errors end the run with their status.
void read_command_line(int argc, char** argv);

void print_usage();
void print_xslt_usage();

/// The include/exclude test: true when the operator is left out.
bool excluded_by_list(const char* name);
