// Pieces of the kernel data header that the golden cases do not reach: the
// byte-array layout at line boundaries, sources shared by file records,
// array names, dependency chains and text that needs escaping.
#include <gtest/gtest.h>

#include "opencl/kernel_writers.h"

namespace {

KernelTables one_file_one_kernel(const std::string& file_name) {
  KernelTables tables;
  KernelFile file;
  file.name = file_name;
  file.first_kernel = 0;
  tables.files.push_back(file);
  Kernel kernel;
  kernel.name = "k";
  kernel.vornix_name = "k_image";
  kernel.file = 0;
  tables.kernels.push_back(kernel);
  return tables;
}

std::string data_header(const KernelTables& tables, const KernelSources& sources) {
  Writer out;
  write_kernel_data_header(out, tables, sources);
  return out.text();
}

/// The text between two markers of a header.
std::string between(const std::string& text, const std::string& from, const std::string& to) {
  size_t start = text.find(from);
  if (start == std::string::npos) return "<" + from + " missing>";
  size_t end = text.find(to, start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

TEST(OpenclDataHeader, ByteArrayLinesOfFifteen) {
  KernelTables tables = one_file_one_kernel("f.cl");
  KernelSources sources;
  ASSERT_TRUE(collect_kernel_sources(tables, sources));
  for (int i = 0; i < 31; ++i) sources.sources[0].compressed.push_back(static_cast<unsigned char>(i * 9));
  EXPECT_EQ(between(data_header(tables, sources), "static unsigned char", "static KernelInfo"),
            "static unsigned char c_f[] = {\n"
            " 0x00,0x09,0x12,0x1b,0x24,0x2d,0x36,0x3f,0x48,0x51,0x5a,0x63,0x6c,0x75,0x7e,\n"
            " 0x87,0x90,0x99,0xa2,0xab,0xb4,0xbd,0xc6,0xcf,0xd8,0xe1,0xea,0xf3,0xfc,0x05,\n"
            " 0x0e\n"
            " };\n\n");

  sources.sources[0].compressed.resize(15);
  EXPECT_EQ(between(data_header(tables, sources), "static unsigned char", "static KernelInfo"),
            "static unsigned char c_f[] = {\n"
            " 0x00,0x09,0x12,0x1b,0x24,0x2d,0x36,0x3f,0x48,0x51,0x5a,0x63,0x6c,0x75,0x7e\n"
            " };\n\n");
}

TEST(OpenclDataHeader, FileRecordsShareTheirSource) {
  KernelTables tables;
  for (const char* name : {"a-b.cl", "c.cl", "a-b.cl"}) {
    KernelFile file;
    file.name = name;
    tables.files.push_back(file);
  }
  KernelSources sources;
  ASSERT_TRUE(collect_kernel_sources(tables, sources));
  ASSERT_EQ(sources.sources.size(), 2u);
  EXPECT_EQ(sources.sources[0].name, "a-b");
  EXPECT_EQ(sources.sources[0].array_name, "a_b");  // a C identifier
  EXPECT_EQ(sources.source_of_file, (std::vector<int>{0, 1, 0}));

  // Two names that would meet in one array.
  KernelFile clash;
  clash.name = "a_b.cl";
  tables.files.push_back(clash);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(collect_kernel_sources(tables, sources));
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "vornc error: the kernel files \"a-b.cl\" and \"a_b.cl\" would share the array c_a_b\n");
}

TEST(OpenclDataHeader, OperatorUsedByThreeKernels) {
  KernelTables tables = one_file_one_kernel("f.cl");
  for (int i = 1; i < 3; ++i) {
    tables.kernels.back().next = i;
    Kernel kernel = tables.kernels[0];
    kernel.vornix_name = "k" + std::to_string(i);
    kernel.next = -1;
    tables.kernels.push_back(kernel);
  }
  tables.dependencies = {{"abs_image", 1}, {"add_image", 0}, {"add_image", 1}, {"add_image", 2}};
  KernelSources sources;
  ASSERT_TRUE(collect_kernel_sources(tables, sources));
  std::string header = data_header(tables, sources);
  EXPECT_EQ(between(header, "static KernelDep", "#endif"),
            "static KernelDep  OCLKernelDep[4] = {\n"
            "  {&OCLKernelInfo[1],\n"
            "   NULL},\n"
            "  {&OCLKernelInfo[0],\n"
            "   &OCLKernelDep[2]},\n"
            "  {&OCLKernelInfo[1],\n"
            "   &OCLKernelDep[3]},\n"
            "  {&OCLKernelInfo[2],\n"
            "   NULL}\n"
            "};\n\n"
            "static OpKernelDep  OCLOpKernelDep[2] = {\n"
            "  {\"abs_image\",\n"
            "   &OCLKernelDep[0]},\n"
            "  {\"add_image\",\n"
            "   &OCLKernelDep[1]}\n"
            "};\n\n"
            "#define NUM_OP_DEP 2\n\n");
}

TEST(OpenclDataHeader, NoOperatorsFlagsWithQuotesAndAnEmptyExtensionList) {
  KernelTables tables = one_file_one_kernel("f.cl");
  tables.files[0].has_compile_flags = true;
  tables.files[0].compile_flags = "-DNAME=\"x\" -I C:\\cl";
  tables.files[0].has_extensions = true;  // "extensions: ;"
  KernelSources sources;
  ASSERT_TRUE(collect_kernel_sources(tables, sources));
  std::string header = data_header(tables, sources);
  EXPECT_EQ(between(header, "static KernelFileInfo", "static KernelInfo  OCLKernelInfo[1] ="),
            "static KernelFileInfo  OCLKernelFileInfo[1] = {\n"
            "  {\"f\",\n"
            "   c_f,\n"
            "   0,\n"
            "   \"-DNAME=\\\"x\\\" -I C:\\\\cl\",\n"
            "   0,\n"
            "   &OCLKernelInfo[0]}\n"
            "};\n\n");
  EXPECT_NE(header.find("static KernelDep  OCLKernelDep[0] = {\n};\n\n"
                        "static OpKernelDep  OCLOpKernelDep[0] = {\n};\n\n"
                        "#define NUM_OP_DEP 0\n\n#endif\n#endif\n"),
            std::string::npos)
      << header;
}

}  // namespace
