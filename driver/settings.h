/// Run-wide settings, filled once from the command line and read by every
/// later stage.
#pragma once

#include <string>
#include <unordered_set>
#include <vector>

/// Generator modes chosen by the mode letter.
enum GeneratorMode {
  mode_operator_table = 0,  // -H
  mode_c = 2,               // -C
  mode_cpp = 3,             // -P
  mode_com = 4,             // -X
  mode_dotnet = 5,          // -N
  mode_help = 6,            // -M
  mode_manual = 7,          // -R / -L
  mode_module_list = 8,     // -m
  mode_python = 11,         // -Y
};

/// Generation targets.
enum GenerationTarget {
  target_library = 1,          // -s
  target_package = 2,          // -u (default)
  target_opencl_list = 3,      // -E
  target_opencl_kernels = 4,   // -K
  target_makefile_list = 5,    // -ma
};

struct DefFile {
  std::string name;
  bool owned_by_driver = false;  // came from a -F list
};

struct Settings {
  int generator_mode = mode_operator_table;
  int generation_target = target_package;
  std::string package_name = "User";
  std::string author;
  std::string copyright_footer;
  std::string manual_format = "html";
  std::string manual_interface = "vdevelop";
  bool test_mode = false;
  std::string doc_language = "english";
  std::string doc_locale = "en_US";
  bool japanese = false;
  bool has_root_override = false;
  std::string root_override;
  bool has_arch_override = false;
  std::string arch_override;
  bool has_com_cleanup_override = false;
  std::string com_cleanup_override;
  std::string error_def_path;
  bool warnings_suppressed = false;
  bool extension_interface = false;   // -I (VlibXpi)
  bool omit_static_guards = false;    // -o
  bool package_free_functions = false;  // -us
  bool parser_trace = false;          // -d
  bool python_flag = false;           // -z
  char include_exclude_mode = 0;      // 'i', 'x' or 0
  std::vector<std::string> include_exclude;  // in file order
  std::unordered_set<std::string> include_exclude_names;  // the same, indexed
  std::vector<std::string> feature_toggles;
  /// Function texts of the TAGS file, newest first (reverse file order).
  std::vector<std::string> tags;
  std::vector<DefFile> def_files;
  bool def_files_refused = false;  // more names were given than a run accepts
  /// Build-step options.
  std::string depfile;           // --depfile, made absolute when read
  bool write_if_changed = false;  // --write-if-changed
  bool list_outputs = false;      // --list-outputs
  /// The folders of -di as seen from where vornc was started ("" or ending
  /// in '/'), put in front of the run's relative names in the dependency
  /// file and the output list.
  std::string start_folder_prefix;
};

/// The settings of this run (read-only after the command line is read).
const Settings& settings();
/// Write access for the command-line reader and for tests.
Settings& mutable_settings();

/// Version text of the usage text and of every banner.
constexpr const char* vornc_version = "23.05";
/// The maker, named in every banner's "Software by" line and in the manual.
constexpr const char* maker_company = "Talvik Software GmbH";
constexpr const char* maker_web_address = "https://www.talvik-software.example";
/// Most definition files a run accepts.
constexpr int max_def_files = 2048;

/// Installation root: the -r override, else VORNIXROOT; empty and false when
/// neither is set.
bool installation_root(std::string& root);
/// Architecture: the -A override, else VORNIXARCH.
bool architecture(std::string& arch);
/// The COM clean-up header path (-U, else below the installation root).
std::string com_cleanup_header_path();
/// The whole error-definition file; ends the run (status 1) when no path was
/// given or the file cannot be read.
std::string error_definition_text();
