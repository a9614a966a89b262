/// The index-topic table: keyword and file-extension identifiers with their
/// English, German and Japanese texts, read from index_topics.xml below the
/// installation root. Shared by the help files and the reference manual.
#pragma once

#include <string>
#include <vector>

#include "def/operator_model.h"

struct IndexTopic {
  std::string id;
  std::string texts[3];  // English, German, Japanese
};

struct IndexTopicTable {
  std::vector<IndexTopic> topics;  // sorted by identifier, byte order

  /// The text of an identifier in a language column (0 English, 1 German,
  /// 2 Japanese), found by binary search; nullptr when it is not there.
  const std::string* find(const std::string& id, int column) const;
};

/// Reads an index-topic file. A file that cannot be opened gives an empty
/// table without a message. Otherwise "Loading external keyword file
/// <path>" goes to standard output; a file that does not parse gives the
/// error "Failed to load XML file <path>" and an empty table. German and
/// Japanese texts that are missing take the English text.
IndexTopicTable load_index_topics(const std::string& path);

/// The path of the index-topic file: "<root>/doc/macros/index_topics.xml"
/// below the installation root, else "index_topics.xml".
std::string index_topic_path();

/// The run's table, loaded from index_topic_path() on first use.
const IndexTopicTable& index_topics();

/// The keywords of an operator. With "id": the identifiers as written (the
/// record's English keyword list). Otherwise each identifier translated into
/// that language through the index-topic table, an unknown one left as it is;
/// when the table knows none of them and the record has its own keyword list
/// in that language, that list. With report set each unknown identifier is
/// reported (in an English run).
TextList keyword_lookup(const Operator& op, const std::string& language_name, bool report);
/// The same through a given table.
TextList keyword_lookup(const Operator& op, const std::string& language_name, bool report,
                        const IndexTopicTable& table);

/// The descriptions of file-extension identifiers in a language through the
/// index-topic table (an unknown identifier stays as it is).
TextList file_ext_descriptions(const Operator& op, const TextList& file_ext,
                               const std::string& language_name, bool report);
TextList file_ext_descriptions(const Operator& op, const TextList& file_ext,
                               const std::string& language_name, bool report,
                               const IndexTopicTable& table);
