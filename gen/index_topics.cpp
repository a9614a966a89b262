// The index-topic table: loading index_topics.xml with libxml2, sorting it
// by identifier and translating keywords and file extensions through it.
#include "gen/index_topics.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "gen/chapter_table.h"
#include "driver/diagnostics.h"
#include "driver/output.h"
#include "driver/settings.h"

namespace {

// The file's language attributes; Japanese is "jp_JP" there, not "ja_JP".
const char* const topic_languages[3] = {"en_US", "de_DE", "jp_JP"};

std::string attribute(xmlNode* node, const char* name, bool& present) {
  xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
  present = value != nullptr;
  if (value == nullptr) return "";
  std::string text(reinterpret_cast<const char*>(value));
  xmlFree(value);
  return text;
}

bool named(xmlNode* node, const char* name) {
  return node->type == XML_ELEMENT_NODE &&
         std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

IndexTopic read_topic(xmlNode* node, bool& has_id) {
  IndexTopic topic;
  topic.id = attribute(node, "id", has_id);
  bool has_text[3] = {false, false, false};
  for (xmlNode* child = node->children; child != nullptr; child = child->next) {
    if (!named(child, "translation")) continue;
    bool has_lang = false, present = false;
    std::string lang = attribute(child, "lang", has_lang);
    for (int column = 0; column < 3; ++column) {
      if (lang != topic_languages[column]) continue;
      std::string text = attribute(child, "text", present);
      if (present) {
        topic.texts[column] = text;
        has_text[column] = true;
      }
    }
  }
  for (int column = 1; column < 3; ++column)
    if (!has_text[column]) topic.texts[column] = topic.texts[0];
  return topic;
}

TextList translate(const IndexTopicTable& table, const Operator& op, const TextList& ids,
                   int column, bool report, bool& any_found) {
  TextList texts;
  any_found = false;
  for (const std::string& id : ids) {
    const std::string* text = table.find(id, column);
    if (text != nullptr) {
      any_found = true;
      texts.push_back(*text);
    } else {
      if (report) report_unknown_identifier(id, op);
      texts.push_back(id);
    }
  }
  return texts;
}

}  // namespace

const std::string* IndexTopicTable::find(const std::string& id, int column) const {
  if (column < 0 || column > 2) return nullptr;
  auto at = std::lower_bound(topics.begin(), topics.end(), id,
                             [](const IndexTopic& topic, const std::string& key) {
                               return topic.id < key;
                             });
  if (at == topics.end() || at->id != id) return nullptr;
  return &at->texts[column];
}

IndexTopicTable load_index_topics(const std::string& path) {
  IndexTopicTable table;
  std::FILE* probe = std::fopen(path.c_str(), "rb");
  if (probe == nullptr) return table;
  std::fclose(probe);
  note_input_file(path);
  std::printf("Loading external keyword file %s\n", path.c_str());
  std::fflush(stdout);
  // entities substituted and the external DTD loaded; libxml2's own
  // messages are kept quiet in favour of the one error below
  xmlDoc* doc = xmlReadFile(path.c_str(), nullptr,
                            XML_PARSE_NOENT | XML_PARSE_DTDLOAD | XML_PARSE_NOERROR |
                                XML_PARSE_NOWARNING | XML_PARSE_NONET);
  xmlNode* root = doc != nullptr ? xmlDocGetRootElement(doc) : nullptr;
  if (root == nullptr) {
    report_error("Failed to load XML file %s\n", path.c_str());
    if (doc != nullptr) xmlFreeDoc(doc);
    return table;
  }
  for (xmlNode* node = root->children; node != nullptr; node = node->next) {
    if (!named(node, "index_topic")) continue;
    bool has_id = false;
    IndexTopic topic = read_topic(node, has_id);
    if (has_id) table.topics.push_back(std::move(topic));  // a topic without id cannot be found
  }
  xmlFreeDoc(doc);
  std::stable_sort(table.topics.begin(), table.topics.end(),
                   [](const IndexTopic& a, const IndexTopic& b) { return a.id < b.id; });
  return table;
}

std::string index_topic_path() {
  std::string root;
  if (installation_root(root)) return format_text("%s/doc/macros/index_topics.xml", root.c_str());
  return "index_topics.xml";
}

const IndexTopicTable& index_topics() {
  static const IndexTopicTable table = load_index_topics(index_topic_path());
  return table;
}

TextList keyword_lookup(const Operator& op, const std::string& language_name, bool report) {
  // the table is read only once there is something to translate
  bool nothing_to_translate = op.info == nullptr || language_name == "id" ||
                              list_in_language(op.info->keywords, "english") == nullptr;
  static const IndexTopicTable empty_table;
  return keyword_lookup(op, language_name, report,
                        nothing_to_translate ? empty_table : index_topics());
}

TextList keyword_lookup(const Operator& op, const std::string& language_name, bool report,
                        const IndexTopicTable& table) {
  if (op.info == nullptr) return {};
  const TextList* ids = list_in_language(op.info->keywords, "english");
  if (language_name == "id") return ids != nullptr ? *ids : TextList{};
  const TextList* own = list_in_language(op.info->keywords, language_name);
  if (ids == nullptr) return own != nullptr ? *own : TextList{};
  bool any_found = false;
  TextList texts = translate(table, op, *ids, language_column(language_name), report, any_found);
  if (!any_found && own != nullptr) return *own;
  return texts;
}

TextList file_ext_descriptions(const Operator& op, const TextList& file_ext,
                               const std::string& language_name, bool report) {
  if (file_ext.empty()) return {};
  return file_ext_descriptions(op, file_ext, language_name, report, index_topics());
}

TextList file_ext_descriptions(const Operator& op, const TextList& file_ext,
                               const std::string& language_name, bool report,
                               const IndexTopicTable& table) {
  bool any_found = false;
  return translate(table, op, file_ext, language_column(language_name), report, any_found);
}
