// Kernel sources: the preprocessor run without a shell, its temporary files,
// its failures, and the compression that the data header's consumer inflates.
#include <gtest/gtest.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdlib>
#include <random>

#include "opencl/kernel_headers.h"
#include "opencl/kernel_sources.h"
#include "driver/settings.h"
#include "opencl_test_files.h"

namespace {

using opencl_test::file_exists;
using opencl_test::ScratchFolder;

std::string inflate_all(const std::vector<unsigned char>& compressed) {
  z_stream stream{};
  EXPECT_EQ(inflateInit(&stream), Z_OK);
  stream.next_in = const_cast<Bytef*>(compressed.data());
  stream.avail_in = static_cast<uInt>(compressed.size());
  std::string text;
  std::vector<unsigned char> buffer(4096);
  int result = Z_OK;
  while (result == Z_OK) {
    stream.next_out = buffer.data();
    stream.avail_out = static_cast<uInt>(buffer.size());
    result = inflate(&stream, Z_NO_FLUSH);
    text.append(reinterpret_cast<char*>(buffer.data()), buffer.size() - stream.avail_out);
  }
  EXPECT_EQ(result, Z_STREAM_END);
  EXPECT_EQ(stream.avail_in, 0u);  // nothing after the stream's end
  inflateEnd(&stream);
  return text;
}

TEST(OpenclCompression, InflatesBackToTheText) {
  std::string text = "__kernel void k(__global int* p) { p[0] = 1; }\n";
  std::vector<unsigned char> compressed;
  ASSERT_TRUE(compress_kernel_source(text, compressed));
  EXPECT_EQ(inflate_all(compressed), text);

  // The text ends at its first NUL byte.
  std::string with_nul = std::string("#define A 1\n") + '\0' + "garbage";
  ASSERT_TRUE(compress_kernel_source(with_nul, compressed));
  EXPECT_EQ(inflate_all(compressed), "#define A 1\n");

  ASSERT_TRUE(compress_kernel_source("", compressed));
  EXPECT_EQ(inflate_all(compressed), "");
}

TEST(OpenclCompression, OneCompressorForManyTexts) {
  // A reused stream gives the bytes of a fresh one, text after text.
  KernelCompressor compressor;
  for (std::string text : {"__kernel void a() {}\n", "", "#define B 2\n#define B 2\n#define B 2\n"}) {
    std::vector<unsigned char> reused, fresh;
    ASSERT_TRUE(compressor.compress(text, reused));
    ASSERT_TRUE(compress_kernel_source(text, fresh));
    EXPECT_EQ(reused, fresh);
    EXPECT_EQ(inflate_all(reused), text);
  }
}

TEST(OpenclCompression, OutputLargerThanOneBuffer) {
  // Random letters compress to well above the 131,072-byte buffer.
  std::mt19937 random(7);
  std::string text;
  for (int i = 0; i < 400000; ++i) text += static_cast<char>('!' + random() % 90);
  std::vector<unsigned char> compressed;
  ASSERT_TRUE(compress_kernel_source(text, compressed));
  EXPECT_GT(compressed.size(), 131072u * 2);
  EXPECT_EQ(inflate_all(compressed), text);
}

TEST(OpenclPreprocessing, CommandLine) {
  EXPECT_EQ(preprocessor_command("/opt/vx", "filters"),
            (std::vector<std::string>{"cpp", "-P", "-undef", "-x", "c", "-I",
                                      "/opt/vx/source/vlib_opencl/include",
                                      "/opt/vx/source/vlib_opencl/source/filters.cl"}));
  // A relative root that looks like an option is not read as one.
  EXPECT_EQ(preprocessor_command("-vx", "f").back(), "./-vx/source/vlib_opencl/source/f.cl");
}

/// An installation root with shell characters in its name.
struct RootWithKernels {
  ScratchFolder folder;
  std::string root = folder / "root $(touch pwned) `touch pwned`; touch pwned";
  RootWithKernels() {
    folder.write("root $(touch pwned) `touch pwned`; touch pwned/source/vlib_opencl/include/defs.h",
                 "#define WIDTH 640\n");
  }
  void source(const std::string& name, const std::string& text) const {
    folder.write(root.substr(folder.path().size() + 1) + "/source/vlib_opencl/source/" + name +
                     ".cl",
                 text);
  }
};

class OpenclPreprocessingRun : public testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("TMPDIR");
    had_tmpdir_ = old != nullptr;
    if (had_tmpdir_) old_tmpdir_ = old;
    setenv("TMPDIR", temp_.path().c_str(), 1);
    char dir[4096];
    ASSERT_NE(getcwd(dir, sizeof dir), nullptr);
    old_dir_ = dir;
    ASSERT_EQ(chdir(work_.path().c_str()), 0);
  }
  void TearDown() override {
    if (had_tmpdir_) {
      setenv("TMPDIR", old_tmpdir_.c_str(), 1);
    } else {
      unsetenv("TMPDIR");
    }
    EXPECT_EQ(chdir(old_dir_.c_str()), 0);
    mutable_settings().has_root_override = false;
    mutable_settings().root_override.clear();
  }
  bool temp_is_empty() const {
    return std::system(("test -z \"$(ls -A '" + temp_.path() + "')\"").c_str()) == 0;
  }

  RootWithKernels kernels_;
  ScratchFolder temp_;
  ScratchFolder work_;
  std::string old_dir_;
  std::string old_tmpdir_;
  bool had_tmpdir_ = false;
};

TEST_F(OpenclPreprocessingRun, NoShellAndNoTemporaryFilesLeft) {
  kernels_.source("scale",
                  "@pragma OPENCL EXTENSION cl_khr_fp64 : enable\n"
                  "#include \"defs.h\"\n"
                  "__kernel void scale(int linux) { int w = WIDTH; } /* comment */\n");
  std::string text;
  testing::internal::CaptureStderr();
  bool ok;
  {
    PreprocessorFiles files;
    ASSERT_TRUE(files.open());
    // Made in TMPDIR, and already gone from it.
    for (int fd : {files.output, files.messages}) {
      char target[4096] = {};
      ASSERT_GT(readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), target, sizeof target - 1), 0);
      EXPECT_EQ(std::string(target).rfind(temp_.path() + "/vornc-kernel-", 0), 0u) << target;
      EXPECT_NE(std::string(target).find("(deleted)"), std::string::npos) << target;
    }
    ok = preprocess_kernel_source(kernels_.root, "scale", files, text);
    // The files serve the next source afresh, a shorter one included.
    kernels_.source("other", "@define X 1\n");
    std::string other;
    EXPECT_TRUE(preprocess_kernel_source(kernels_.root, "other", files, other));
    EXPECT_EQ(other, "#define X 1\n");
  }
  std::string errors = testing::internal::GetCapturedStderr();
  ASSERT_TRUE(ok) << errors;
  EXPECT_EQ(text,
            "#pragma OPENCL EXTENSION cl_khr_fp64 : enable\n"
            "__kernel void scale(int linux) { int w = 640; }\n");
  EXPECT_FALSE(file_exists("pwned"));
  EXPECT_FALSE(file_exists(kernels_.folder / "pwned"));
  EXPECT_TRUE(temp_is_empty());
  EXPECT_TRUE(std::system("test -z \"$(ls -A)\"") == 0);  // nothing in the working folder
}

TEST_F(OpenclPreprocessingRun, FailureIsAnErrorAndNoHeaderIsWritten) {
  kernels_.source("broken", "#include \"missing.h\"\n__kernel void k() {}\n");
  work_.write("k.def", "k <- broken.cl\nkernel name: k; vornix_name: k_image;\n");
  mutable_settings().has_root_override = true;
  mutable_settings().root_override = kernels_.root;
  testing::internal::CaptureStderr();
  int status = write_kernel_headers({"k"}, false);
  std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_EQ(status, 1);
  EXPECT_NE(errors.find("missing.h"), std::string::npos) << errors;  // the preprocessor's own
  EXPECT_NE(errors.find("vornc error: the C preprocessor failed on " + kernels_.root +
                        "/source/vlib_opencl/source/broken.cl (exit status 1)\n"),
            std::string::npos)
      << errors;
  EXPECT_FALSE(file_exists("VOpenCLKernel.h"));
  EXPECT_TRUE(temp_is_empty());
}

TEST_F(OpenclPreprocessingRun, UnusableTemporaryFolder) {
  setenv("TMPDIR", (temp_ / "absent").c_str(), 1);
  PreprocessorFiles files;
  testing::internal::CaptureStderr();
  EXPECT_FALSE(files.open());
  std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_EQ(errors.rfind("vornc error: Could not open " + temp_.path() + "/absent/", 0), 0u)
      << errors;
}

}  // namespace
