#include "driver/command_line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "driver/settings.h"

namespace {

// Runs the option reader on a fresh set of settings.
const Settings& read(std::vector<std::string> args) {
  mutable_settings() = Settings();
  args.insert(args.begin(), "vornc");
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  read_command_line(static_cast<int>(argv.size()), argv.data());
  return settings();
}

std::string temp_file(const std::string& name, const std::string& content) {
  std::string path = ::testing::TempDir() + name;
  std::ofstream(path, std::ios::binary) << content;
  return path;
}

}  // namespace

TEST(CommandLine, ModesAndTargets) {
  EXPECT_EQ(read({"-C"}).generator_mode, mode_c);
  EXPECT_EQ(read({"-P"}).generator_mode, mode_cpp);
  EXPECT_EQ(read({"-X"}).generator_mode, mode_com);
  EXPECT_EQ(read({"-N"}).generator_mode, mode_dotnet);
  EXPECT_EQ(read({"-Y"}).generator_mode, mode_python);
  EXPECT_EQ(read({"-M"}).generator_mode, mode_help);
  EXPECT_EQ(read({"-m"}).generator_mode, mode_module_list);
  const Settings& makefile_list = read({"-P", "-ma"});
  EXPECT_EQ(makefile_list.generator_mode, mode_cpp);
  EXPECT_EQ(makefile_list.generation_target, target_makefile_list);
  EXPECT_EQ(read({"-s"}).generation_target, target_library);
  EXPECT_EQ(read({"-s", "-u"}).generation_target, target_package);
  EXPECT_FALSE(read({"-u"}).package_free_functions);
  EXPECT_TRUE(read({"-us"}).package_free_functions);
  EXPECT_EQ(read({"-E"}).generation_target, target_opencl_list);
  EXPECT_EQ(read({"-K"}).generation_target, target_opencl_kernels);
}

TEST(CommandLine, AttachedTexts) {
  const Settings& s = read({"-pmylib", "-aAuthor Name", "-f(c) someone", "-Ax64-linux", "-r/opt/v",
                            "-U/x/clean.h", "-Dfeature_a", "-Dfeature_b", "-I", "-W", "-o", "-z"});
  EXPECT_EQ(s.package_name, "mylib");
  EXPECT_EQ(s.author, "Author Name");
  EXPECT_EQ(s.copyright_footer, "(c) someone");
  EXPECT_EQ(s.arch_override, "x64-linux");
  EXPECT_EQ(s.root_override, "/opt/v");
  EXPECT_EQ(s.com_cleanup_override, "/x/clean.h");
  EXPECT_EQ(s.feature_toggles, (std::vector<std::string>{"feature_a", "feature_b"}));
  EXPECT_TRUE(s.extension_interface && s.warnings_suppressed && s.omit_static_guards && s.python_flag);
  EXPECT_TRUE(s.def_files.empty());

  // -p takes only attached text: the next argument is a definition file.
  const Settings& next = read({"-p", "mylib"});
  EXPECT_EQ(next.package_name, "");
  ASSERT_EQ(next.def_files.size(), 1u);
  EXPECT_EQ(next.def_files[0].name, "mylib");
  EXPECT_FALSE(next.def_files[0].owned_by_driver);
}

TEST(CommandLine, Languages) {
  EXPECT_TRUE(read({"-l", "ja_JP"}).japanese);
  EXPECT_EQ(settings().doc_locale, "ja_JP");
  EXPECT_TRUE(settings().def_files.empty());
  EXPECT_EQ(read({"-lja_JP"}).doc_language, "japanese");
  EXPECT_EQ(read({"-lde_DE"}).doc_language, "german");
  EXPECT_EQ(read({"-lgerman"}).doc_locale, "de_DE");
  const Settings& french = read({"-lfr"});
  EXPECT_EQ(french.doc_language, "english");
  EXPECT_EQ(french.doc_locale, "en_US");
  // The Japanese flag is cleared by any later -l, even one that changes nothing.
  const Settings& cleared = read({"-lj", "-lfr"});
  EXPECT_FALSE(cleared.japanese);
  EXPECT_EQ(cleared.doc_language, "japanese");
}

TEST(CommandLine, ManualFormatAndInterface) {
  const Settings& test = read({"-Rtestxml:c"});
  EXPECT_EQ(test.generator_mode, mode_manual);
  EXPECT_TRUE(test.test_mode);
  EXPECT_EQ(test.manual_format, "xml");
  EXPECT_EQ(test.manual_interface, "c");
  const Settings& plain = read({"-R"});
  EXPECT_FALSE(plain.test_mode);
  EXPECT_EQ(plain.manual_format, "html");
  EXPECT_EQ(plain.manual_interface, "vdevelop");
  const Settings& latex = read({"-Llatex:cpp"});
  EXPECT_EQ(latex.manual_format, "latex");
  EXPECT_EQ(latex.manual_interface, "cpp");
  EXPECT_EQ(read({"-R:dotnet"}).manual_format, "html");
  EXPECT_EQ(settings().manual_interface, "dotnet");
}

TEST(CommandLine, TraceDirectoryAndErrorDefinitions) {
  EXPECT_TRUE(read({"-d"}).parser_trace);
  EXPECT_TRUE(read({"-debug"}).parser_trace);
  // -di as the last argument does nothing.
  EXPECT_FALSE(read({"-di"}).parser_trace);
  const Settings& e = read({"-e", "-error-def-path", "errors.txt", "-extra"});
  EXPECT_EQ(e.error_def_path, "errors.txt");
  EXPECT_TRUE(e.def_files.empty());
  EXPECT_EQ(read({"-error-def-path"}).error_def_path, "");
}

TEST(CommandLine, IncludeListsAndTheirTest) {
  std::string long_name(300, 'n');
  std::string list = temp_file("include.lst", "threshold, zoom_region\n" + long_name + ";last_name");
  read({"-i", list});
  EXPECT_EQ(settings().include_exclude,
            (std::vector<std::string>{"threshold", "zoom_region", long_name, "last_name"}));
  EXPECT_FALSE(excluded_by_list("threshold"));
  EXPECT_FALSE(excluded_by_list(long_name.c_str()));  // long names are kept whole
  EXPECT_TRUE(excluded_by_list("Threshold"));
  EXPECT_TRUE(excluded_by_list(long_name.substr(0, 255).c_str()));

  read({"-x" + list});
  EXPECT_TRUE(excluded_by_list("threshold"));
  EXPECT_FALSE(excluded_by_list("other"));

  // The same letter twice adds up.
  std::string second = temp_file("include2.lst", "other");
  read({"-i", list, "-i", second});
  EXPECT_FALSE(excluded_by_list("other"));
  EXPECT_FALSE(excluded_by_list("threshold"));

  read({});
  EXPECT_FALSE(excluded_by_list("anything"));
}

TEST(CommandLine, TagsFileFunctionLines) {
  std::string long_function(400, 'f');
  std::string tags = temp_file("TAGS",
                               "\x0c\nsource/filters.c,120\n"
                               "Verror CThreshold(Vproc_handle proc_id)\x7f" "12,340\n"
                               "Verror   *" + long_function + "\x7f" "1,2\n"
                               "Verror NoDelete(void)\n"
                               "static Verror Other\x7f" "1,1\n"
                               "Verror Cfun.c\x7f" "1,1\n");
  const Settings& s = read({"-c", tags});
  // Newest first; the function text runs from the first letter after
  // "Verror" up to the DEL.
  ASSERT_EQ(s.tags.size(), 2u);
  EXPECT_EQ(s.tags[0], long_function);
  EXPECT_EQ(s.tags[1], "CThreshold(Vproc_handle proc_id)");
}

TEST(CommandLine, DefinitionFileLists) {
  std::string list = temp_file("defs.lst", "first\n\nsecond.def\nthird");
  const Settings& s = read({"a.def", "-F" + list, "b"});
  ASSERT_EQ(s.def_files.size(), 5u);
  EXPECT_EQ(s.def_files[0].name, "a.def");
  EXPECT_EQ(s.def_files[1].name, "first");
  EXPECT_TRUE(s.def_files[1].owned_by_driver);
  EXPECT_EQ(s.def_files[3].name, "third");
  EXPECT_EQ(s.def_files[4].name, "b");
  EXPECT_FALSE(s.def_files[4].owned_by_driver);
}

// A list written on Windows: the CR of each line end is no part of the name.
TEST(CommandLine, DefinitionFileListWithCrLf) {
  std::string list = temp_file("crlf.lst", "first\r\n\r\nsecond.def\r\nthird\r");
  const Settings& s = read({"-F" + list});
  ASSERT_EQ(s.def_files.size(), 3u);
  EXPECT_EQ(s.def_files[0].name, "first");
  EXPECT_EQ(s.def_files[1].name, "second.def");
  EXPECT_EQ(s.def_files[2].name, "third");
}

// A directory where a file is read opens but holds no text: each kind of
// side file reports it (status 1) instead of reading it as empty.
TEST(CommandLineDeath, DirectoriesAreNoFiles) {
  std::string dir = ::testing::TempDir();
  if (!dir.empty() && dir.back() == '/') dir.pop_back();
  std::string message = "^vornc error: could not read file \"" + dir + "\": is a directory\n$";
  EXPECT_EXIT(read({"-i", dir}), ::testing::ExitedWithCode(1), message);
  EXPECT_EXIT(read({"-x" + dir}), ::testing::ExitedWithCode(1), message);
  EXPECT_EXIT(read({"-c", dir}), ::testing::ExitedWithCode(1), message);
  EXPECT_EXIT(read({"-F" + dir}), ::testing::ExitedWithCode(1), message);
  mutable_settings() = Settings();
  mutable_settings().error_def_path = dir;
  EXPECT_EXIT(error_definition_text(), ::testing::ExitedWithCode(1),
              "^Cannot open " + dir + " for reading.\n$");
}

TEST(CommandLineDeath, UsageErrors) {
  EXPECT_EXIT(read({"-H", "-q"}), ::testing::ExitedWithCode(1), "wrong parameter \"-q\"");
  EXPECT_EXIT(read({"-T"}), ::testing::ExitedWithCode(1), "wrong parameter \"-T\"");
  EXPECT_EXIT(read({"-}"}), ::testing::ExitedWithCode(1), "wrong parameter \"-\\}\"");
  std::string a = temp_file("a.lst", "x");
  EXPECT_EXIT(read({"-i", a, "-x", a}), ::testing::ExitedWithCode(1),
              "-i and -x must not be used together");
  EXPECT_EXIT(read({"-dinowhere", "/nonexistent/dir"}), ::testing::ExitedWithCode(1),
              "could not change to directory '/nonexistent/dir'");
}

TEST(Settings, InstallationRootAndArchitecture) {
  mutable_settings() = Settings();
  setenv("VORNIXROOT", "/env/root", 1);
  setenv("VORNIXARCH", "env-arch", 1);
  std::string value;
  EXPECT_TRUE(installation_root(value));
  EXPECT_EQ(value, "/env/root");
  EXPECT_TRUE(architecture(value));
  EXPECT_EQ(value, "env-arch");
  EXPECT_EQ(com_cleanup_header_path(), "/env/root/source/winsrc/clean_reg_vornixx.h");
  read({"-r/cmd/root", "-Acmd-arch", "-U/my/clean.h"});
  EXPECT_TRUE(installation_root(value));
  EXPECT_EQ(value, "/cmd/root");
  EXPECT_TRUE(architecture(value));
  EXPECT_EQ(value, "cmd-arch");
  EXPECT_EQ(com_cleanup_header_path(), "/my/clean.h");
  unsetenv("VORNIXROOT");
  read({});
  EXPECT_FALSE(installation_root(value));
  unsetenv("VORNIXARCH");
}

TEST(SettingsDeath, ErrorDefinitionText) {
  mutable_settings() = Settings();
  EXPECT_EXIT(error_definition_text(), ::testing::ExitedWithCode(1),
              "^-error-def-path option missing.\n$");
  mutable_settings().error_def_path = "/nonexistent/errors";
  EXPECT_EXIT(error_definition_text(), ::testing::ExitedWithCode(1),
              "^Cannot open /nonexistent/errors for reading.\n$");
  std::string content = std::string("E_ONE 1\n") + std::string(100000, 'x');
  mutable_settings().error_def_path = temp_file("errors.def", content);
  EXPECT_EQ(error_definition_text(), content);
}
