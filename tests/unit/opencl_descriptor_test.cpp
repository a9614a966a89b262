// Kernel descriptor language: the tables a parse fills, the scanner's states
// and the errors with their file and line.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "opencl/kernel_descriptors.h"
#include "opencl_test_files.h"

namespace {

using opencl_test::ScratchFolder;

/// Parses descriptor texts written as files name -> text; the names are
/// given on the "command line" in the order listed. Captures stderr.
struct Parsed {
  int status = 0;
  KernelTables tables;
  std::string errors;
};

Parsed parse(const ScratchFolder& folder,
             const std::vector<std::pair<std::string, std::string>>& files,
             std::vector<std::string> names = {}) {
  bool default_names = names.empty();
  for (const auto& file : files) {
    folder.write(file.first, file.second);
    if (default_names) names.push_back(file.first);
  }
  char old_dir[4096];
  EXPECT_NE(getcwd(old_dir, sizeof old_dir), nullptr);
  EXPECT_EQ(chdir(folder.path().c_str()), 0);
  Parsed parsed;
  testing::internal::CaptureStderr();
  parsed.status = parse_kernel_descriptors(names, parsed.tables);
  parsed.errors = testing::internal::GetCapturedStderr();
  EXPECT_EQ(chdir(old_dir), 0);
  return parsed;
}

Parsed parse_one(const std::string& text) {
  ScratchFolder folder;
  return parse(folder, {{"k.def", text}});
}

TEST(OpenclDescriptors, KernelsOfAFileAreLinkedInOrder) {
  Parsed p = parse_one(
      "image <- image.cl\n"
      "kernel name: first; vornix_name: first_image;\n"
      "kernel name: second; vornix_name: second_image;\n"
      "other <- other.cl\n"
      "kernel name: third; vornix_name: third_image;\n");
  ASSERT_EQ(p.status, 0) << p.errors;
  ASSERT_EQ(p.tables.files.size(), 2u);
  const KernelFile& image = p.tables.files[0];
  EXPECT_EQ(image.name, "image.cl");
  EXPECT_FALSE(image.has_compile_flags);
  EXPECT_FALSE(image.has_extensions);
  EXPECT_TRUE(image.operators.empty());
  EXPECT_EQ(image.first_kernel, 0);
  EXPECT_EQ(p.tables.files[1].first_kernel, 2);
  ASSERT_EQ(p.tables.kernels.size(), 3u);
  EXPECT_EQ(p.tables.kernels[0].next, 1);
  EXPECT_EQ(p.tables.kernels[1].next, -1);
  EXPECT_EQ(p.tables.kernels[2].next, -1);
  EXPECT_EQ(p.tables.kernels[1].file, 0);
  EXPECT_EQ(p.tables.kernels[2].file, 1);
  EXPECT_EQ(p.tables.kernels[1].name, "second");
  EXPECT_EQ(p.tables.kernels[1].vornix_name, "second_image");
  EXPECT_TRUE(p.tables.dependencies.empty());
}

TEST(OpenclDescriptors, FileOptionsAndOperatorPairs) {
  Parsed p = parse_one(
      "filters <- filters.cl\n"
      "compiler_flags: '-DA=1 -cl-fast-relaxed-math';\n"
      "operators: mean_image, median_image;\n"
      "extensions: cl_khr_fp64, cl_khr_local_int32_base_atomics;\n"
      "kernel name: a; vornix_name: a_image; operators: extra;\n"
      "kernel name: b; vornix_name: b_image;\n");
  ASSERT_EQ(p.status, 0) << p.errors;
  const KernelFile& file = p.tables.files[0];
  EXPECT_TRUE(file.has_compile_flags);
  EXPECT_EQ(file.compile_flags, "-DA=1 -cl-fast-relaxed-math");
  EXPECT_EQ(file.extensions,
            (std::vector<std::string>{"cl_khr_fp64", "cl_khr_local_int32_base_atomics"}));
  // File-level operators pair with each kernel when it opens; kernel-level
  // operators follow with their own kernel.
  std::vector<std::pair<std::string, int>> pairs;
  for (const OperatorDependency& d : p.tables.dependencies) {
    pairs.emplace_back(d.operator_name, d.kernel);
  }
  EXPECT_EQ(pairs, (std::vector<std::pair<std::string, int>>{
                       {"mean_image", 0}, {"median_image", 0}, {"extra", 0},
                       {"mean_image", 1}, {"median_image", 1}}));
}

TEST(OpenclDescriptors, KernelFieldsCommentsAndNumbers) {
  Parsed p = parse_one(
      "/* a descriptor\n   with a long comment */ f <- f.cl\n"
      "kernel\n"
      "  name /* between keyword and colon */ : a;\n"
      "  vornix_name: /* before the value */ a_image;\n"
      "  default_block_width: /* a number after a comment */ 16;\n"
      "  default_block_height: +4;\n"
      "  block_width_define: BW; block_height_define: BH;\n"
      "kernel name: b;vornix_name:b_image;operators:;\n");
  ASSERT_EQ(p.status, 0) << p.errors;
  const Kernel& a = p.tables.kernels[0];
  EXPECT_EQ(a.name, "a");
  EXPECT_EQ(a.vornix_name, "a_image");
  EXPECT_EQ(a.default_block_width, 16);
  EXPECT_EQ(a.default_block_height, 4);
  EXPECT_TRUE(a.has_block_width_define);
  EXPECT_EQ(a.block_width_define, "BW");
  EXPECT_EQ(a.block_height_define, "BH");
  const Kernel& b = p.tables.kernels[1];
  EXPECT_EQ(b.default_block_width, 0);
  EXPECT_EQ(b.default_block_height, 0);
  EXPECT_FALSE(b.has_block_width_define);
  EXPECT_FALSE(b.has_block_height_define);
}

TEST(OpenclDescriptors, KernelCountsOnlyAtTheStartOfALine) {
  // Anywhere else "kernel" is an identifier: a value, or a syntax error.
  Parsed value = parse_one("f <- f.cl\nkernel name: kernel; vornix_name: kernel_image;\n");
  ASSERT_EQ(value.status, 0) << value.errors;
  EXPECT_EQ(value.tables.kernels[0].name, "kernel");

  Parsed indented = parse_one(
      "f <- f.cl\n"
      "kernel name: a; vornix_name: a_image;\n"
      "\r\n"
      " kernel name: b; vornix_name: b_image;\n");
  EXPECT_EQ(indented.status, 1);
  EXPECT_EQ(indented.errors.rfind("vornc error: \"k.def\", line 4: syntax error", 0), 0u)
      << indented.errors;
}

TEST(OpenclDescriptors, ValuesOfTheWrongKindAreSyntaxErrors) {
  const char* bad[] = {
      "f <- f.cl\nkernel name: a; vornix_name: a_image; default_block_width: 16px;\n",
      "f <- f.cl\nkernel name: 'a'; vornix_name: a_image;\n",
      "f <- f.cl\ncompiler_flags: -O2;\nkernel name: a; vornix_name: a_image;\n",
      "f <- f.cl\n",                          // a file without kernels
      "f <- f.cl\nkernel\n",                  // a kernel without fields
      "f.cl\nkernel name: a; vornix_name: a_image;\n",  // no identifier and arrow
  };
  for (const char* text : bad) {
    Parsed p = parse_one(text);
    EXPECT_EQ(p.status, 1) << text;
    EXPECT_NE(p.errors.find("syntax error"), std::string::npos) << text << p.errors;
  }
}

TEST(OpenclDescriptors, FilesAreReadFromTheLastNameToTheFirst) {
  ScratchFolder folder;
  // "one" opens as one.def before the file named "one" itself; the line
  // counter starts again in each file.
  folder.write("one", "decoy <- decoy.cl\nkernel name: d; vornix_name: d_image;\n");
  Parsed p = parse(folder,
                   {{"one.def", "one <- one.cl\nkernel name: a; vornix_name: a_image;\n"},
                    {"two.txt", "\n\n\ntwo <- two.cl\nkernel name: b; vornix_name: b_image;\n"}},
                   {"one", "two.txt"});
  ASSERT_EQ(p.status, 0) << p.errors;
  ASSERT_EQ(p.tables.files.size(), 2u);
  EXPECT_EQ(p.tables.files[0].name, "two.cl");
  EXPECT_EQ(p.tables.files[1].name, "one.cl");

  Parsed broken = parse(folder, {{"bad.def", "bad <- bad.cl\nkernel name a;\n"}},
                        {"bad", "two.txt"});
  EXPECT_EQ(broken.status, 1);
  EXPECT_EQ(broken.errors.rfind("vornc error: \"bad.def\", line 2: syntax error", 0), 0u)
      << broken.errors;
}

TEST(OpenclDescriptors, EachFileStartsAtTheBeginningOfALine) {
  // The files form one stream, but a file that ends without a line feed
  // does not hide the "kernel" that opens the next one.
  ScratchFolder folder;
  Parsed p = parse(folder,
                   {{"more.def", "kernel name: b; vornix_name: b_image;\n"},
                    {"head.def", "f <- f.cl\nkernel name: a; vornix_name: a_image;"}});
  ASSERT_EQ(p.status, 0) << p.errors;
  ASSERT_EQ(p.tables.kernels.size(), 2u);
  EXPECT_EQ(p.tables.kernels[1].name, "b");
  EXPECT_EQ(p.tables.kernels[0].next, 1);
  EXPECT_EQ(p.tables.files[0].first_kernel, 0);
}

TEST(OpenclDescriptors, ChecksBeyondTheGrammar) {
  struct Case {
    const char* text;
    const char* error;
  } cases[] = {
      {"f <- f.cl\nextensions: cl_khr_fp64, cl_khr_3d_image_writes;\n"
       "kernel name: a; vornix_name: a_image;\n",
       "vornc error: \"k.def\", line 2: unknown OpenCL extension 'cl_khr_3d_image_writes'.\n"},
      {"f <- f.h\nkernel name: a; vornix_name: a_image;\n",
       "vornc error: \"k.def\", line 1: kernel file 'f.h' does not end in \".cl\".\n"},
      {"f <- f.cl\nkernel vornix_name: a_image;\n",
       "vornc error: \"k.def\", line 2: kernel without name.\n"},
      {"f <- f.cl\n\nkernel name: a;\n  default_block_width: 8;\n",
       "vornc error: \"k.def\", line 3: kernel 'a' without vornix_name.\n"},
      {"f <- f.cl\nkernel name: a; vornix_name: same;\ng <- g.cl\n"
       "kernel name: b; vornix_name: same;\n",
       "vornc error: \"k.def\", line 4: vornix_name 'same' is used twice.\n"},
  };
  for (const Case& c : cases) {
    Parsed p = parse_one(c.text);
    EXPECT_EQ(p.status, 1) << c.text;
    EXPECT_EQ(p.errors, c.error);
  }
}

TEST(OpenclDescriptors, BlockSizesAreWholeNumbersThatFitAnInt) {
  // Each of these once became some other number than the one written
  // (2147483647, 1, -8): now it is an error at its line.
  const char* bad[][2] = {
      {"99999999999999999999", "default_block_width"},
      {"2147483648", "default_block_width"},
      {"1.5e3", "default_block_height"},
      {"16.0", "default_block_width"},
      {"-8", "default_block_height"},
  };
  for (const auto& c : bad) {
    std::string text = std::string("f <- f.cl\nkernel name: a; vornix_name: a_image;\n  ") + c[1] +
                       ": " + c[0] + ";\n";
    Parsed p = parse_one(text);
    EXPECT_EQ(p.status, 1) << text;
    EXPECT_EQ(p.errors, std::string("vornc error: \"k.def\", line 3: ") + c[1] + ": '" + c[0] +
                            "' is no block size (a whole number from 0 to 2147483647).\n");
  }
  Parsed largest = parse_one(
      "f <- f.cl\nkernel name: a; vornix_name: a_image;\n"
      "  default_block_width: 2147483647; default_block_height: 0;\n");
  ASSERT_EQ(largest.status, 0) << largest.errors;
  EXPECT_EQ(largest.tables.kernels[0].default_block_width, 2147483647);
  EXPECT_EQ(largest.tables.kernels[0].default_block_height, 0);
}

TEST(OpenclDescriptors, DirectoryNamedAsDescriptor) {
  ScratchFolder folder;
  folder.write("here.def", "f <- f.cl\nkernel name: a; vornix_name: a_image;\n");
  ASSERT_EQ(mkdir((folder.path() + "/sub.def").c_str(), 0755), 0);
  Parsed p = parse(folder, {}, {"sub", "here"});
  EXPECT_EQ(p.status, 1);
  EXPECT_EQ(p.errors, "vornc error: could not read file \"sub.def\": is a directory\n");
}

TEST(OpenclDescriptors, MissingFile) {
  ScratchFolder folder;
  Parsed p = parse(folder, {{"here.def", "f <- f.cl\nkernel name: a; vornix_name: a_image;\n"}},
                   {"absent", "here"});
  EXPECT_EQ(p.status, 1);
  EXPECT_EQ(p.errors, "vornc error: file not found \"absent\"\n");
  // A parse after a failed one starts afresh.
  Parsed again = parse(folder, {}, {"here"});
  EXPECT_EQ(again.status, 0) << again.errors;
  EXPECT_EQ(again.tables.kernels.size(), 1u);
}

}  // namespace
