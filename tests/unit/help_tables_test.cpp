#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <set>

#include "gen/chapter_table.h"
#include "gen/help/documentation_checks.h"
#include "gen/index_topics.h"
#include "driver/settings.h"

namespace {

std::unique_ptr<Operator> documented_operator(const std::string& name) {
  auto op = std::make_unique<Operator>();
  op->name = name;
  op->info = std::make_unique<OperatorInfo>();
  push_front(op->info->short_descriptions, "english", std::string("Summary."));
  return op;
}

class HelpTables : public testing::Test {
 protected:
  void SetUp() override { saved_ = settings(); }
  void TearDown() override { mutable_settings() = saved_; }

  std::string write_file(const std::string& text) {
    path_ = testing::TempDir() + "help_tables_index_topics.xml";
    std::ofstream(path_, std::ios::binary) << text;
    return path_;
  }

  Settings saved_;
  std::string path_;
};

const char* const topics_xml =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<index_topics>\n"
    "  <index_topic id=\"tif\">\n"
    "    <translation lang=\"en_US\" text=\"TIFF image\"/>\n"
    "    <translation lang=\"de_DE\" text=\"TIFF-Bild\"/>\n"
    "    <translation lang=\"jp_JP\" text=\"TIFF 画像\"/>\n"
    "  </index_topic>\n"
    "  <index_topic id=\"segmentation\">\n"
    "    <translation lang=\"en_US\" text=\"Segmentation\"/>\n"
    "    <translation lang=\"de_DE\" text=\"Segmentierung\"/>\n"
    "  </index_topic>\n"
    "  <other id=\"ignored\"/>\n"
    "  <index_topic id=\"Threshold\">\n"
    "    <translation lang=\"en_US\" text=\"thresholding\"/>\n"
    "    <translation lang=\"ja_JP\" text=\"not the file's code\"/>\n"
    "  </index_topic>\n"
    "  <index_topic><translation lang=\"en_US\" text=\"no id\"/></index_topic>\n"
    "</index_topics>\n";

}  // namespace

TEST_F(HelpTables, ChapterTableRows) {
  EXPECT_EQ(chapter_row_count, 165);
  std::set<std::string> ids;
  for (int i = 0; i < chapter_row_count; ++i) {
    ids.insert(chapter_rows[i].id);
    for (const char* name : chapter_rows[i].names) EXPECT_STRNE(name, "") << chapter_rows[i].id;
  }
  EXPECT_EQ(ids.size(), 165u);
  EXPECT_STREQ(chapter_rows[0].id, "Noise");
  EXPECT_STREQ(chapter_rows[164].id, "EncryptedItem");
  EXPECT_STREQ(chapter_name("VariationModel", "english"), "Variation Model");
  EXPECT_STREQ(chapter_name("VariationModel", "german"), "Variationsmodell");
  EXPECT_STREQ(chapter_name("IODevices", "english"), "I/O Devices");
  EXPECT_STREQ(chapter_name("IODevices", "german"), "I/O-Geräte");
  EXPECT_STREQ(chapter_name("LookUpTable", "english"), "Look-Up Table");
  EXPECT_STREQ(chapter_name("Noise", "german"), "Rauschen");
  EXPECT_EQ(chapter_name("noise", "english"), nullptr);  // identifiers are case-sensitive
  EXPECT_EQ(chapter_name("Noise", "klingon"), nullptr);
}

TEST_F(HelpTables, ChapterLookup) {
  auto op = documented_operator("threshold");
  push_front(op->info->chapters, "english", TextList{"Segmentation", "Threshold", "Nowhere"});
  push_front(op->info->chapters, "german", TextList{"Eigene", "Kapitel"});
  mutable_settings().doc_language = "german";
  EXPECT_EQ(chapter_lookup(*op, "id", false), (TextList{"Segmentation", "Threshold", "Nowhere"}));
  // names the table knows; the unknown identifier stays in its place
  EXPECT_EQ(chapter_lookup(*op, "german", false),
            (TextList{"Segmentierung", "Schwellwert", "Nowhere"}));

  auto own = documented_operator("own");
  push_front(own->info->chapters, "english", TextList{"Mine"});
  push_front(own->info->chapters, "german", TextList{"Meins"});
  EXPECT_EQ(chapter_lookup(*own, "german", false), TextList{"Meins"});
  EXPECT_EQ(chapter_lookup(*own, "english", false), TextList{"Mine"});
}

TEST_F(HelpTables, ChapterLookupReports) {
  auto none = documented_operator("none");
  auto unknown = documented_operator("unknown");
  push_front(unknown->info->chapters, "english", TextList{"Mine"});
  mutable_settings().doc_language = "german";
  testing::internal::CaptureStderr();
  EXPECT_TRUE(chapter_lookup(*none, "german", true).empty());
  EXPECT_TRUE(chapter_lookup(*unknown, "german", true).empty());
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "vornc warning: No chapter for none!\n"
            "vornc warning: No german chapter name for unknown!\n");
  // unknown identifiers are reported in English runs only
  mutable_settings().doc_language = "english";
  testing::internal::CaptureStderr();
  EXPECT_EQ(chapter_lookup(*unknown, "english", true), TextList{"Mine"});
  EXPECT_EQ(chapter_lookup(*unknown, "english", false), TextList{"Mine"});
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "vornc warning: Unknown keyword, chapter, or file extension ID  'Mine' for operator "
            "'unknown'\n");
}

TEST_F(HelpTables, IndexTopicFileIsReadAndSorted) {
  std::string path = write_file(topics_xml);
  testing::internal::CaptureStdout();
  IndexTopicTable table = load_index_topics(path);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Loading external keyword file " + path + "\n");
  ASSERT_EQ(table.topics.size(), 3u);
  // byte order: upper case first
  EXPECT_EQ(table.topics[0].id, "Threshold");
  EXPECT_EQ(table.topics[1].id, "segmentation");
  EXPECT_EQ(table.topics[2].id, "tif");
  EXPECT_EQ(*table.find("tif", 1), "TIFF-Bild");
  EXPECT_EQ(*table.find("tif", 2), "TIFF 画像");
  // missing German and Japanese texts take the English one
  EXPECT_EQ(*table.find("segmentation", 2), "Segmentation");
  EXPECT_EQ(*table.find("Threshold", 1), "thresholding");
  EXPECT_EQ(*table.find("Threshold", 2), "thresholding");
  EXPECT_EQ(table.find("threshold", 0), nullptr);
  EXPECT_EQ(table.find("zzz", 0), nullptr);
  EXPECT_EQ(table.find("tif", 3), nullptr);
}

TEST_F(HelpTables, MissingOrBrokenIndexTopicFile) {
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  IndexTopicTable missing = load_index_topics(testing::TempDir() + "no_such_index_topics.xml");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_TRUE(missing.topics.empty());

  std::string path = write_file("<index_topics><index_topic id=\"a\">\n");
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  IndexTopicTable broken = load_index_topics(path);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "vornc error: Failed to load XML file " + path + "\n");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Loading external keyword file " + path + "\n");
  EXPECT_TRUE(broken.topics.empty());
}

TEST_F(HelpTables, IndexTopicPathFollowsTheInstallationRoot) {
  mutable_settings().has_root_override = true;
  mutable_settings().root_override = "/opt/vornix";
  EXPECT_EQ(index_topic_path(), "/opt/vornix/doc/macros/index_topics.xml");
}

TEST_F(HelpTables, KeywordAndFileExtensionLookup) {
  testing::internal::CaptureStdout();
  IndexTopicTable table = load_index_topics(write_file(topics_xml));
  testing::internal::GetCapturedStdout();
  auto op = documented_operator("threshold");
  push_front(op->info->keywords, "english", TextList{"segmentation", "binary"});
  mutable_settings().doc_language = "german";
  EXPECT_EQ(keyword_lookup(*op, "id", false, table), (TextList{"segmentation", "binary"}));
  // an identifier the table does not know stays as it is
  EXPECT_EQ(keyword_lookup(*op, "german", false, table), (TextList{"Segmentierung", "binary"}));
  // the record's own German keywords are used only when the table knows none
  push_front(op->info->keywords, "german", TextList{"Schwelle"});
  EXPECT_EQ(keyword_lookup(*op, "german", false, table), (TextList{"Segmentierung", "binary"}));
  EXPECT_EQ(keyword_lookup(*op, "german", false, IndexTopicTable{}), TextList{"Schwelle"});
  EXPECT_EQ(file_ext_descriptions(*op, {"tif", "xyz"}, "japanese", false, table),
            (TextList{"TIFF 画像", "xyz"}));

  mutable_settings().doc_language = "english";
  testing::internal::CaptureStderr();
  EXPECT_EQ(keyword_lookup(*op, "english", true, table), (TextList{"Segmentation", "binary"}));
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "vornc warning: Unknown keyword, chapter, or file extension ID  'binary' for operator "
            "'threshold'\n");
}

TEST(HelpChecks, ValueLiteralTypes) {
  EXPECT_STREQ(value_literal_type("42"), "integer");
  EXPECT_STREQ(value_literal_type("-1"), "integer");
  EXPECT_STREQ(value_literal_type("0.5"), "real");
  EXPECT_STREQ(value_literal_type("1e3"), "real");
  EXPECT_STREQ(value_literal_type("-.5"), "real");
  EXPECT_STREQ(value_literal_type("1e+3"), "string");
  EXPECT_STREQ(value_literal_type("'auto'"), "string");
}
