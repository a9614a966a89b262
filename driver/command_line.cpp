// The command line: options into the settings, definition-file lists, the
// include/exclude and TAGS files, the usage texts, and the run from start to
// exit status.
#include "driver/command_line.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "classes/handle_types.h"
#include "def/def_parser_api.h"
#include "driver/build_step.h"
#include "driver/output.h"
#include "driver/xslt_processor.h"
#include "driver/def_files.h"
#include "driver/diagnostics.h"
#include "driver/input_files.h"
#include "driver/settings.h"
#include "opencl/kernel_headers.h"

namespace {

// Reads a whole line of any length; false at the end of the file.
bool read_line(std::FILE* file, std::string& line) {
  line.clear();
  int c;
  bool any = false;
  while ((c = std::fgetc(file)) != EOF) {
    any = true;
    if (c == '\n') return true;
    line += static_cast<char>(c);
  }
  return any;
}

bool is_name_char(int c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// A package name becomes part of file names: letters, digits and '_', not
// beginning with a digit. (An empty name, from "-p" alone, names no folder.)
bool is_identifier(const std::string& name) {
  if (!name.empty() && name[0] >= '0' && name[0] <= '9') return false;
  for (char c : name)
    if (!is_name_char(static_cast<unsigned char>(c))) return false;
  return true;
}

[[noreturn]] void usage_exit(int status) {
  print_usage();
  std::fflush(stdout);
  fail(status);
}

void read_include_exclude_file(char letter, const char* name) {
  std::FILE* file = open_input_file(name);
  if (file == nullptr && errno == EISDIR) {
    report_directory_not_file(name);
    fail(1);
  }
  if (file == nullptr) {
    report_error("-%c %sclude file not found \"%s\"\n", letter, letter == 'i' ? "in" : "ex", name);
    usage_exit(1);
  }
  note_input_file(name);
  Settings& s = mutable_settings();
  if (s.include_exclude_mode != 0 && s.include_exclude_mode != letter) {
    std::fclose(file);
    report_error("-i and -x must not be used together\n");
    fail(1);
  }
  s.include_exclude_mode = letter;
  std::string current;
  int c;
  while ((c = std::fgetc(file)) != EOF) {
    if (is_name_char(c)) {
      current += static_cast<char>(c);
    } else if (!current.empty()) {
      s.include_exclude.push_back(current);
      s.include_exclude_names.insert(current);
      current.clear();
    }
  }
  if (!current.empty()) {
    s.include_exclude.push_back(current);
    s.include_exclude_names.insert(current);
  }
  std::fclose(file);
}

// A TAGS function line begins with "Verror" and holds a DEL: the function
// text runs from the first letter at or after the eighth character up to the
// DEL. Lines naming a ".c" file are source-file lines.
void read_tags_file(const char* name) {
  std::FILE* file = open_input_file(name);
  if (file == nullptr && errno == EISDIR) {
    report_directory_not_file(name);
    fail(1);
  }
  if (file == nullptr) {
    report_error("could not open file '%s'", name);
    fail(1);
  }
  note_input_file(name);
  Settings& s = mutable_settings();
  std::string line;
  while (read_line(file, line)) {
    if (line.find(".c") != std::string::npos) continue;
    if (line.compare(0, 6, "Verror") != 0) continue;
    size_t del = line.find('\x7f');
    if (del == std::string::npos) continue;
    size_t start = 7;
    while (start < del && !std::isalpha(static_cast<unsigned char>(line[start]))) ++start;
    if (start > del) start = del;
    s.tags.insert(s.tags.begin(), line.substr(start, del - start));
  }
  std::fclose(file);
}

void add_def_file(const std::string& name, bool owned) {
  Settings& s = mutable_settings();
  if (static_cast<int>(s.def_files.size()) >= max_def_files) {
    s.def_files_refused = true;
    return;
  }
  s.def_files.push_back(DefFile{name, owned});
}

void read_def_file_list(const char* name) {
  std::FILE* file = open_input_file(name);
  if (file == nullptr && errno == EISDIR) {
    report_directory_not_file(name);
    fail(1);
  }
  if (file == nullptr) {
    report_error("could not open file \"%s\"\n\n", name);
    fail(1);
  }
  note_input_file(name);
  std::string line;
  while (read_line(file, line)) {
    // A list written on Windows ends its lines with CR LF.
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) add_def_file(line, true);
  }
  std::fclose(file);
}

void set_language(const char* text) {
  Settings& s = mutable_settings();
  s.japanese = false;
  switch (text[0]) {
    case 'e':
      s.doc_language = "english";
      s.doc_locale = "en_US";
      break;
    case 'd':
    case 'g':
      s.doc_language = "german";
      s.doc_locale = "de_DE";
      break;
    case 'j':
      s.doc_language = "japanese";
      s.doc_locale = "ja_JP";
      s.japanese = true;
      break;
    default:
      break;
  }
}

// -R / -L: "[test]<format>[:<interface>]".
void set_manual(const char* attached) {
  Settings& s = mutable_settings();
  std::string text = attached;
  std::string interface;
  size_t colon = text.find(':');
  if (colon != std::string::npos) {
    interface = text.substr(colon + 1);
    text.erase(colon);
  }
  if (!text.empty()) {
    if (text.compare(0, 4, "test") == 0) {
      s.test_mode = true;
      text.erase(0, 4);
    }
    // the format names the pages' extension: nothing that leads elsewhere
    for (char c : text) {
      if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '-') {
        report_error("manual format \"%s\" is no file extension (letters, digits, '_' and '-' only)\n",
                     text.c_str());
        fail(1);
      }
    }
    s.manual_format = text;
  }
  if (!interface.empty()) {
    static const char* const interfaces[] = {"vdevelop", "c", "cpp", "python", "dotnet"};
    if (std::find(std::begin(interfaces), std::end(interfaces), interface) == std::end(interfaces)) {
      report_error("unknown manual interface \"%s\" (one of vdevelop, c, cpp, python, dotnet)\n",
                   interface.c_str());
      fail(1);
    }
    s.manual_interface = interface;
  }
}

[[noreturn]] void wrong_parameter(const char* argument) {
  report_error("wrong parameter \"%s\"\n\n", argument);
  usage_exit(1);
}

// -T: "{-p <name> <value>} <xsl-file> [<xml-file>]". "--allow-external"
// outside a -p pair lets external entities and DTDs come from outside the
// working directory; it is taken out before the rest is read.
int run_xslt_mode(int argc, char** argv) {
  std::vector<char*> kept(argv, argv + argc);
  bool allow_external = false;
  for (size_t i = 2; i < kept.size();) {
    if (std::strcmp(kept[i], "-p") == 0) {
      i += 3;
    } else if (std::strcmp(kept[i], "--allow-external") == 0) {
      allow_external = true;
      kept.erase(kept.begin() + static_cast<long>(i));
    } else {
      ++i;
    }
  }
  argc = static_cast<int>(kept.size());
  argv = kept.data();
  std::vector<std::pair<std::string, std::string>> parameters;
  int stylesheet = 2;
  for (int i = 2; i < argc;) {
    if (std::strcmp(argv[i], "-p") == 0) {
      if (i + 2 >= argc) {
        print_xslt_usage();
        std::fflush(stdout);
        return -1;
      }
      parameters.emplace_back(argv[i + 1], argv[i + 2]);
      i += 3;
      stylesheet = i;
    } else {
      ++i;
    }
  }
  if (stylesheet >= argc) {
    print_xslt_usage();
    std::fflush(stdout);
    return -1;
  }
  const char* xml = stylesheet + 1 < argc ? argv[stylesheet + 1] : "-";
  note_input_file(argv[stylesheet]);
  if (std::strcmp(xml, "-") != 0) note_input_file(xml);
  stage_xml_file_outputs();
  return run_xslt_processor(argv[stylesheet], xml, parameters, allow_external);
}

}  // namespace

void read_command_line(int argc, char** argv) {
  Settings& s = mutable_settings();
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (arg[0] != '-') {
      add_def_file(arg, false);
      continue;
    }
    char letter = arg[1];
    const char* attached = arg + 2;
    // The attached text, or the next argument when nothing is attached.
    auto attached_or_next = [&]() -> const char* {
      if (*attached != '\0') return attached;
      if (i + 1 < argc) return argv[++i];
      return attached;
    };
    switch (letter) {
      case 'H': s.generator_mode = mode_operator_table; break;
      case 'C': s.generator_mode = mode_c; break;
      case 'P': s.generator_mode = mode_cpp; break;
      case 'X': s.generator_mode = mode_com; break;
      case 'N': s.generator_mode = mode_dotnet; break;
      case 'Y': s.generator_mode = mode_python; break;
      case 'M': s.generator_mode = mode_help; break;
      case 'R':
      case 'L':
        s.generator_mode = mode_manual;
        set_manual(attached);
        break;
      case 'm':
        if (attached[0] == 'a')
          s.generation_target = target_makefile_list;
        else
          s.generator_mode = mode_module_list;
        break;
      case 's': s.generation_target = target_library; break;
      case 'u':
        s.generation_target = target_package;
        if (attached[0] == 's') s.package_free_functions = true;
        break;
      case 'E': s.generation_target = target_opencl_list; break;
      case 'K': s.generation_target = target_opencl_kernels; break;
      case 'p': s.package_name = attached; break;
      case 'a': s.author = attached; break;
      case 'f': s.copyright_footer = attached; break;
      case 'I': s.extension_interface = true; break;
      case 'W': s.warnings_suppressed = true; break;
      case 'o': s.omit_static_guards = true; break;
      case 'z': s.python_flag = true; break;
      case 'l': set_language(attached_or_next()); break;
      case 'i':
      case 'x': read_include_exclude_file(letter, attached_or_next()); break;
      case 'c': read_tags_file(attached_or_next()); break;
      case 'F': read_def_file_list(attached); break;
      case 'D': s.feature_toggles.push_back(attached); break;
      case 'A':
        s.has_arch_override = true;
        s.arch_override = attached;
        break;
      case 'r':
        s.has_root_override = true;
        s.root_override = attached;
        break;
      case 'U':
        s.has_com_cleanup_override = true;
        s.com_cleanup_override = attached;
        break;
      case 'd':
        if (std::strncmp(arg, "-di", 3) == 0) {
          if (i + 1 < argc) {
            const char* directory = argv[++i];
            if (chdir(directory) != 0) {
              report_error("could not change to directory '%s'\n", directory);
              fail(1);
            }
            s.start_folder_prefix = directory[0] == '/' ? std::string(directory) + "/"
                                                        : s.start_folder_prefix + directory + "/";
          }
        } else {
          s.parser_trace = true;
        }
        break;
      case 'e':
        if (std::strcmp(arg, "-error-def-path") == 0 && i + 1 < argc) s.error_def_path = argv[++i];
        break;
      default:
        wrong_parameter(arg);
    }
  }
}

bool excluded_by_list(const char* name) {
  char mode = settings().include_exclude_mode;
  if (mode == 0) return false;
  bool listed = settings().include_exclude_names.count(name) != 0;
  return mode == 'i' ? !listed : listed;
}

void print_usage() {
  std::printf("This is the VORNIX compiler 'vornc' version %s\n\n", vornc_version);
  std::printf("Usage: vornc -(H|C|P|X|N|Y|M|Rxxx|T) -u [-p<package>] <options> <def-files>\n\n");
  std::printf("  VORNIX           -H                       Extension package build\n");
  std::printf("  C                -C                       Language interface builds\n");
  std::printf("  C++              -P\n");
  std::printf("  Microsoft .NET   -N\n");
  std::printf("  Python           -Y\n");
  std::printf("\n");
  std::printf("  Manual/Helpinfo  -M                       Help and documentation builds\n");
  std::printf("  Reference manual -R[<frmt>:<intf>]        <frmt> = html|latex|...|xml\n");
  std::printf("                                            <intf> = vdevelop|c|cpp|dotnet\n");
  std::printf("  Language (text)  -l<lang>                 <lang> = en_US|de_DE|ja_JP\n");
  std::printf("  Author info      -a<text>\n");
  std::printf("  Copyright footer -f<text>");  // no line end, as required
  std::printf("\n");
  std::printf("  User extension   -u [-I] [-p<package>]    Generate code for extension package\n");
  std::printf("                                            -I = Enable VlibXpi\n");
  std::printf("  Include/exclude  -i<file> | -x<file>      Provide explicit operator list\n");
  std::printf("  Transform        -T [-p...] <xsl> [<xml>] Transform XML files using XSLT\n");
  std::printf("  Warnings         -W                       Suppress warnings\n");
  std::printf("\n");
  std::printf("Example 1: vornc -H -u -pmylib myprocs.def  Creates package 'mylib'\n");
  std::printf("Example 2: vornc -P -u -pmylib myprocs.def  Creates C++ interface for 'mylib'\n");
}

void print_xslt_usage() {
  std::printf("This is the VORNIX compiler 'vornc' version %s\n\n", vornc_version);
  std::printf("When using the option -T, vornc works as an XSLT processor.\n");
  std::printf("This cannot be combined with further options except -p for\n");
  std::printf("specifying name-value pairs of XSLT processing options!\n\n");
  std::printf("The transformation result will be written to standard output.\n");
  std::printf("Omit <xml-file> to read XML data via standard input as well.\n\n");
  std::printf("Usage: vornc -T {-p <name> <value>} <xsl-file> [<xml-file>]\n\n");
}

namespace {

int run_generation(int argc, char** argv) {
  if (argc < 2) usage_exit(1);
  if (std::strcmp(argv[1], "-T") == 0) {
    begin_generation();
    return run_xslt_mode(argc, argv);
  }

  read_command_line(argc, argv);
  const Settings& s = settings();
  if (s.def_files_refused) {
    report_error("Maximum number of def files is %d.\n", max_def_files);
    fail(-1);
  }
  if (!is_identifier(s.package_name)) {
    report_error("package name \"%s\" is not an identifier (letters, digits and '_', not "
                 "beginning with a digit)\n",
                 s.package_name.c_str());
    fail(1);
  }
  init_handle_types(s.package_name);

  if (s.generation_target == target_opencl_list || s.generation_target == target_opencl_kernels) {
    if (s.def_files.empty()) usage_exit(1);
    std::vector<std::string> names;
    for (const DefFile& file : s.def_files) names.push_back(file.name);
    begin_generation();
    return write_kernel_headers(names, s.generation_target == target_opencl_list);
  }
  if (s.def_files.empty()) usage_exit(1);

  begin_generation();
  open_next_def_file();
  if (parse_definition_files() != 0) {
    report_error(
        "syntax-error in \"%s\"\n    <logical-name> <- <physical-name> \n        "
        "[<ObjInp>:<ObjOutp>:<CtrlInp>:<CtrlOutp>];\n    Example\n"
        "circle <- CCircle[:Circle:Line$I,Column$I,Radius$F:];\n",
        def_position().path.c_str());
    // A failed parse must stop the build that runs us.
    return 1;
  }
  return 0;
}

}  // namespace

int run_vornc(int argc, char** argv) {
  // Past a file-size limit a write fails with EFBIG and is reported, rather
  // than the signal ending the run with its files half-written.
  std::signal(SIGXFSZ, SIG_IGN);
  std::vector<char*> arguments = take_long_options(argc, argv);
  int status = run_generation(static_cast<int>(arguments.size()) - 1, arguments.data());
  return end_generation(status);
}
