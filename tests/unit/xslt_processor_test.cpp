// The -T processor runs any stylesheet it is given, fenced in: no network,
// writes only below the working directory, external entities and DTDs only
// from below it unless --allow-external. Each case runs vornc in a working
// directory "work" beside a file that lies outside it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

class XsltFence : public testing::Test {
 protected:
  void SetUp() override {
    char dir_template[] = "/tmp/vornc-xslt-fence-XXXXXX";
    root_ = mkdtemp(dir_template);
    work_ = root_ + "/work";
    mkdir(work_.c_str(), 0755);
    write(root_ + "/secret.txt", "outside secret");
    write(root_ + "/outside.dtd", "<!ENTITY greeting \"from outside\">");
    write(work_ + "/local.txt", "inside text");
    write(work_ + "/inside.dtd", "<!ENTITY greeting \"from inside\">");
    write(work_ + "/copy.xsl",
          "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">\n"
          "<xsl:output method=\"text\"/>\n"
          "<xsl:template match=\"/\"><xsl:value-of select=\"/r\"/></xsl:template>\n"
          "</xsl:stylesheet>\n");
  }
  void TearDown() override { std::system(("rm -rf " + root_).c_str()); }

  static void write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  static bool exists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
  }

  // Runs "vornc -T <arguments>" in work/; returns the status.
  int run(const std::string& arguments) {
    std::string command = "cd " + work_ + " && " + VORNC_BINARY + " -T " + arguments +
                          " </dev/null >out.txt 2>err.txt";
    int raw = std::system(command.c_str());
    stdout_ = read(work_ + "/out.txt");
    stderr_ = read(work_ + "/err.txt");
    std::remove((work_ + "/out.txt").c_str());
    std::remove((work_ + "/err.txt").c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }
  static std::string read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::string with_entity(const std::string& system_id) {
    return "<?xml version=\"1.0\"?>\n<!DOCTYPE r [<!ENTITY x SYSTEM \"" + system_id +
           "\">]>\n<r>&x;</r>\n";
  }

  std::string root_, work_, stdout_, stderr_;
};

TEST_F(XsltFence, ExternalEntitiesOnlyFromBelowTheWorkingDirectory) {
  write(work_ + "/inside.xml", with_entity("local.txt"));
  EXPECT_EQ(run("copy.xsl inside.xml"), 0) << stderr_;
  EXPECT_EQ(stdout_, "inside text");

  for (const std::string& id : {root_ + "/secret.txt", "file://" + root_ + "/secret.txt",
                                std::string("../secret.txt")}) {
    SCOPED_TRACE(id);
    write(work_ + "/outside.xml", with_entity(id));
    EXPECT_EQ(run("copy.xsl outside.xml"), 1);
    EXPECT_EQ(stdout_.find("outside secret"), std::string::npos);
    EXPECT_NE(stderr_.find("vornc error: refused to load '"), std::string::npos) << stderr_;
    EXPECT_NE(stderr_.find("vornc error: Failed to load XML file outside.xml\n"), std::string::npos);
  }
  // A symbolic link inside that points outside is outside.
  ASSERT_EQ(symlink((root_ + "/secret.txt").c_str(), (work_ + "/link.txt").c_str()), 0);
  write(work_ + "/linked.xml", with_entity("link.txt"));
  EXPECT_EQ(run("copy.xsl linked.xml"), 1);
  EXPECT_EQ(stdout_.find("outside secret"), std::string::npos);

  // The option lifts the fence for local files, in any place among the
  // arguments.
  write(work_ + "/outside.xml", with_entity(root_ + "/secret.txt"));
  EXPECT_EQ(run("--allow-external copy.xsl outside.xml"), 0) << stderr_;
  EXPECT_EQ(stdout_, "outside secret");
  EXPECT_EQ(run("copy.xsl outside.xml --allow-external"), 0) << stderr_;
  EXPECT_EQ(stdout_, "outside secret");
}

TEST_F(XsltFence, ExternalDtdsOnlyFromBelowTheWorkingDirectory) {
  write(work_ + "/inside.xml", "<!DOCTYPE r SYSTEM \"inside.dtd\">\n<r>&greeting;</r>\n");
  EXPECT_EQ(run("copy.xsl inside.xml"), 0) << stderr_;
  EXPECT_EQ(stdout_, "from inside");
  write(work_ + "/outside.xml", "<!DOCTYPE r SYSTEM \"../outside.dtd\">\n<r>&greeting;</r>\n");
  EXPECT_EQ(run("copy.xsl outside.xml"), 1);
  EXPECT_EQ(stdout_.find("from outside"), std::string::npos);
  EXPECT_EQ(run("copy.xsl outside.xml --allow-external"), 0) << stderr_;
  EXPECT_EQ(stdout_, "from outside");
}

TEST_F(XsltFence, NoNetworkAccess) {
  // Nothing listens on port 9 of this machine; the run must not even try,
  // and must not pass the empty result off as a success.
  write(work_ + "/net_entity.xml", with_entity("http://127.0.0.1:9/x.txt"));
  EXPECT_EQ(run("copy.xsl net_entity.xml --allow-external"), 1);
  write(work_ + "/fetch.xsl",
        "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">\n"
        "<xsl:output method=\"text\"/>\n"
        "<xsl:template match=\"/\">[<xsl:value-of select=\"document('http://127.0.0.1:9/d.xml')\"/>]"
        "</xsl:template>\n</xsl:stylesheet>\n");
  write(work_ + "/plain.xml", "<r>plain</r>\n");
  EXPECT_EQ(run("fetch.xsl plain.xml"), 1);
  EXPECT_EQ(stdout_, "");
  write(work_ + "/import.xsl",
        "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">\n"
        "<xsl:import href=\"http://127.0.0.1:9/other.xsl\"/>\n</xsl:stylesheet>\n");
  EXPECT_EQ(run("import.xsl plain.xml"), 1);
}

TEST_F(XsltFence, WritesOnlyBelowTheWorkingDirectory) {
  auto writer = [](const std::string& href) {
    return "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">\n"
           "<xsl:output method=\"text\"/>\n"
           "<xsl:template match=\"/\"><xsl:document href=\"" + href +
           "\" method=\"text\">written</xsl:document>done</xsl:template>\n</xsl:stylesheet>\n";
  };
  write(work_ + "/plain.xml", "<r>plain</r>\n");
  for (const std::string& href : {std::string("../escaped.txt"), root_ + "/escaped.txt",
                                  std::string("sub/../../escaped.txt"), std::string("/tmp/../") +
                                  root_.substr(1) + "/escaped.txt"}) {
    SCOPED_TRACE(href);
    write(work_ + "/escape.xsl", writer(href));
    EXPECT_EQ(run("escape.xsl plain.xml"), 1);
    EXPECT_FALSE(exists(root_ + "/escaped.txt"));
    EXPECT_NE(stderr_.find("vornc error: refused to write '"), std::string::npos) << stderr_;
  }
  // Below the working directory, folders included, is fine.
  write(work_ + "/inside.xsl", writer("pages/deeper/page.txt"));
  EXPECT_EQ(run("inside.xsl plain.xml"), 0) << stderr_;
  EXPECT_EQ(stdout_, "done");
  EXPECT_EQ(read(work_ + "/pages/deeper/page.txt"), "written");
}

// Stylesheets and the documents they read may lie anywhere on the local
// disk: only entities and DTDs are fenced.
TEST_F(XsltFence, StylesheetsAndDocumentsFromAnywhereLocal) {
  write(root_ + "/shared.xsl",
        "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">\n"
        "<xsl:output method=\"text\"/>\n"
        "<xsl:template match=\"/\"><xsl:value-of select=\"document('data.xml')/d\"/></xsl:template>\n"
        "</xsl:stylesheet>\n");
  write(root_ + "/data.xml", "<d>shared data</d>\n");
  write(work_ + "/plain.xml", "<r>plain</r>\n");
  EXPECT_EQ(run(root_ + "/shared.xsl plain.xml"), 0) << stderr_;
  EXPECT_EQ(stdout_, "shared data");
}

}  // namespace
