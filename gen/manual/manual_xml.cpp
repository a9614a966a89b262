// The reference manual's entry: gathers the documented operators and the
// chapter entries, substitutes the result states, builds the class lists of
// the three class interfaces, then writes the table of contents, one file per
// documented operator and the class files, and hands them to the stylesheet
// step for formats other than "xml".
#include "gen/manual/manual_xml.h"

#include <algorithm>
#include <cctype>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

#include "gen/manual/manual_transform.h"
#include "gen/manual/manual_writers.h"
#include "driver/diagnostics.h"
#include "gen/manual/search_files.h"
#include "driver/settings.h"
#include "gen/index_topics.h"

namespace {

bool is_word_character(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Replaces every whole-word occurrence of word; true when there was one.
bool replace_word(std::string& text, const std::string& word, const std::string& replacement) {
  bool replaced = false;
  size_t position = 0;
  while ((position = text.find(word, position)) != std::string::npos) {
    size_t end = position + word.size();
    bool starts_word = position == 0 || !is_word_character(text[position - 1]);
    bool ends_word = end == text.size() || !is_word_character(text[end]);
    if (starts_word && ends_word) {
      text.replace(position, word.size(), replacement);
      position += replacement.size();
      replaced = true;
    } else {
      position = end;
    }
  }
  return replaced;
}

void index_members(const ClassModel& model,
                   std::unordered_map<const Operator*, std::vector<ClassMember>>& members) {
  for (const ClassRecord& record : model.classes) {
    for (const ClassMethod& method : record.constructors)
      members[method.op].push_back({&record, &method, true});
    for (const ClassMethod& method : record.methods)
      members[method.op].push_back({&record, &method, false});
  }
}

void build_classes(const OperatorList& ops, ManualClasses& classes) {
  classes.cpp = build_class_model(ops, class_interface_cpp);
  classes.com = build_class_model(ops, class_interface_com);
  classes.dotnet = build_class_model(ops, class_interface_dotnet);
  index_members(*classes.cpp, classes.cpp_members);
  index_members(*classes.com, classes.com_members);
  index_members(*classes.dotnet, classes.dotnet_members);
}

// The operator pages share the working directory with the manual's own
// files: an operator named like one of them would overwrite it or lose its
// own page, so the run ends before anything is written.
void check_page_names(const std::vector<const Operator*>& pages, const std::vector<std::string>& class_ids) {
  const std::string& format = settings().manual_format;
  const bool xml = format == "xml";
  const bool latex = format == "latex";
  const std::string extension = xml ? "xml" : manual_page_extension();
  std::set<std::string> fixed;
  if (xml) {
    fixed = {toc_file_name().substr(0, toc_file_name().size() - 4), "classes", "class_list"};
  } else if (latex) {
    fixed = {"index", "index_classes"};
  } else {
    fixed = {"index", "index_by_name", "legal_notes", "index_classes"};
    fixed.insert(class_ids.begin(), class_ids.end());  // one page per class
    if (extension == "js") fixed.insert({"search", "search_index"});  // the search box's scripts
  }
  for (const Operator* op : pages) {
    bool chapter_page = !xml && !latex && op->name.compare(0, 4, "toc_") == 0;
    if (fixed.count(op->name) == 0 && !chapter_page) continue;
    report_error("operator %s would overwrite the manual's file %s.%s\n", op->name.c_str(),
                 op->name.c_str(), extension.c_str());
    std::exit(1);
  }
}

// ---- operator files, written ahead by worker threads ----

// One operator file as a worker wrote it, with the warnings raised on the
// way (or the failure that ended it).
struct OperatorFile {
  std::string text;
  std::vector<std::string> warnings;
  std::exception_ptr failure;
  bool done = false;
};

OperatorFile write_operator_file(const ManualRun& run, const Operator& op) {
  OperatorFile file;
  collect_manual_warnings(&file.warnings);
  try {
    file.text = operator_file_xml(run, op);
  } catch (...) {
    file.failure = std::current_exception();
  }
  collect_manual_warnings(nullptr);
  file.done = true;
  return file;
}

// The operator files are independent and only read the run and the model,
// so worker threads write their texts ahead, a bounded number of files at
// most, while the calling thread saves them in order (and writes files
// itself while the next one is not ready): only it creates files and
// reports, so the files and the messages come as they would from one
// thread.
class OperatorFileWorkers {
 public:
  // The threads begin after the first file, which the caller wrote.
  OperatorFileWorkers(const ManualRun& run, const std::vector<const Operator*>& pages,
                      OperatorFile first, size_t thread_count)
      : run_(run), pages_(pages), files_(pages.size()), next_(1) {
    files_[0] = std::move(first);
    for (size_t i = 0; i < thread_count; ++i) threads_.emplace_back([this] { work(); });
  }
  ~OperatorFileWorkers() { stop(); }
  OperatorFileWorkers(const OperatorFileWorkers&) = delete;
  OperatorFileWorkers& operator=(const OperatorFileWorkers&) = delete;

  // The file of pages[index], once written; the pages are taken in order.
  OperatorFile take(size_t index) {
    std::unique_lock<std::mutex> lock(mutex_);
    // While the file is not written yet, this thread writes the next ones
    // itself rather than sleep and be woken for each file.
    while (!files_[index].done && next_ < pages_.size() && next_ < index + files_ahead) {
      size_t own = next_++;
      lock.unlock();
      OperatorFile file = write_operator_file(run_, *pages_[own]);
      lock.lock();
      files_[own] = std::move(file);
    }
    if (!files_[index].done) {
      taker_waiting_ = true;
      written_.wait(lock, [&] { return files_[index].done; });
      taker_waiting_ = false;
    }
    OperatorFile file = std::move(files_[index]);
    taken_ = index + 1;
    // Waiting threads are woken once half their lead is taken, not for
    // every file.
    bool wake = threads_waiting_ > 0 && next_ <= taken_ + files_ahead / 2;
    lock.unlock();
    if (wake) room_.notify_all();
    return file;
  }

  // Lets the threads end after the file they are writing; waits for them.
  void stop() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stopping_ = true;
    }
    room_.notify_all();
    for (std::thread& thread : threads_)
      if (thread.joinable()) thread.join();
  }

 private:
  static constexpr size_t files_ahead = 32;

  void work() {
    leave_ending_signals_to_main_thread();
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      while (!stopping_ && next_ < pages_.size() && next_ >= taken_ + files_ahead) {
        ++threads_waiting_;
        room_.wait(lock);
        --threads_waiting_;
      }
      if (stopping_ || next_ >= pages_.size() || run_is_ending()) return;
      size_t index = next_++;
      lock.unlock();
      OperatorFile file = write_operator_file(run_, *pages_[index]);
      lock.lock();
      files_[index] = std::move(file);
      if (taker_waiting_) written_.notify_one();
    }
  }

  const ManualRun& run_;
  const std::vector<const Operator*>& pages_;
  std::mutex mutex_;
  std::condition_variable written_, room_;
  std::vector<OperatorFile> files_;
  size_t next_;       // the next page a thread takes up
  size_t taken_ = 0;  // pages the calling thread has taken
  size_t threads_waiting_ = 0;  // for room to write ahead
  bool taker_waiting_ = false;  // for the file it takes next
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

// The workers of the running step, stopped by the exit handler when a file
// that cannot be written ends the run while they work.
OperatorFileWorkers* running_workers = nullptr;

void stop_running_workers() {
  if (running_workers != nullptr) running_workers->stop();
}

// The operator files of an XML manual: begun as soon as the run is known,
// so that they are written while the calling thread writes the table of
// contents, and saved in order by save_all().
class OperatorFiles {
 public:
  OperatorFiles(const ManualRun& run, const std::vector<const Operator*>& pages)
      : run_(run), pages_(pages) {
    // The index-topic table is read (and its reading announced) by this
    // thread, before any worker needs it.
    for (const Operator* op : pages) {
      if (keyword_lookup(*op, "id", false).empty()) continue;
      keyword_lookup(*op, settings().doc_language, false);
      break;
    }
    const size_t thread_count = std::min<size_t>(2, pages.size() / 8);
    if (thread_count == 0) return;  // a few files are written here, one by one
    // The first file is written here, so that what the writers set up on
    // first use (tables, lookups) exists before the exit handler is
    // registered: a run that ends early stops the threads before it is
    // taken down.
    OperatorFile first = write_operator_file(run, *pages.front());
    std::atexit(stop_running_workers);
    workers_ = std::make_unique<OperatorFileWorkers>(run, pages, std::move(first), thread_count);
    running_workers = workers_.get();
  }
  ~OperatorFiles() {
    if (workers_ != nullptr) running_workers = nullptr;
  }
  OperatorFiles(const OperatorFiles&) = delete;
  OperatorFiles& operator=(const OperatorFiles&) = delete;

  void save_all() {
    for (size_t index = 0; index < pages_.size(); ++index) {
      const std::string name = pages_[index]->name + ".xml";
      if (workers_ == nullptr) {
        save_xml_file(name, operator_file_xml(run_, *pages_[index]));
        continue;
      }
      OperatorFile file = workers_->take(index);
      for (const std::string& warning : file.warnings) report_warning("%s", warning.c_str());
      if (file.failure) std::rethrow_exception(file.failure);
      save_xml_file(name, file.text);
    }
  }

 private:
  const ManualRun& run_;
  const std::vector<const Operator*>& pages_;
  std::unique_ptr<OperatorFileWorkers> workers_;
};

}  // namespace

std::string substitute_result_states(const std::string& text) {
  static const char* const words[][2] = {{"TRUE", "2 (V_MSG_TRUE)"},
                                         {"FALSE", "3 (V_MSG_FALSE)"},
                                         {"VOID", "4 (V_MSG_VOID)"},
                                         {"FAIL", "5 (V_MSG_FAIL)"}};
  std::string result = text;
  for (const auto& word : words) {
    if (replace_word(result, word[0], word[1]))
      std::fprintf(stderr, "Substitution discovered. Change: '%s' in:\n%s\n", word[0],
                   text.c_str());
  }
  return result;
}

const std::string* manual_result(const ManualRun& run, const Operator& op) {
  auto found = run.results.find(&op);
  return found == run.results.end() ? nullptr : &found->second;
}

void write_reference_manual(const OperatorList& ops) {
  ManualRun run;
  for (const Operator* op : ops) {
    if (!op->info || !op->info->has_documentation()) continue;
    run.entries.push_back(op);
  }
  for (const Operator* entry : model().star_entries) run.entries.push_back(entry);
  // An unknown example language ends the run before any file is written,
  // so that no half manual is left behind.
  for (const Operator* entry : run.entries) check_example_languages(*entry);

  for (const Operator* entry : run.entries) {
    const std::string* result = manual_text(entry->info->result);
    if (result != nullptr) run.results[entry] = substitute_result_states(*result);
  }
  build_classes(ops, run.classes);

  std::vector<const Operator*> pages;
  for (const Operator* op : run.entries)
    if (op->name != "*") pages.push_back(op);
  std::unique_ptr<ChapterNode> tree = build_chapter_tree(run);
  // The operator files of an XML manual are begun now, to be written beside
  // the class files and the table of contents.
  std::optional<OperatorFiles> operator_files;
  if (settings().manual_format == "xml") operator_files.emplace(run, pages);
  ClassFiles class_files = class_files_xml(run);
  check_page_names(pages, class_files.ids);
  auto report_undescribed_classes = [&class_files] {
    for (const std::string& name : class_files.undescribed)
      report_warning("No class description for class %s\n", name.c_str());
  };

  if (operator_files) {
    save_xml_file(toc_file_name(), table_of_contents_xml(run, *tree));
    operator_files->save_all();
    report_undescribed_classes();
    save_xml_file("classes.xml", class_files.classes);
    save_xml_file("class_list.xml", class_files.class_list);
    return;
  }
  ManualSources sources;
  for (const Operator* op : pages) sources.operator_names.push_back(op->name);
  sources.operator_xml = [&](size_t index, const char* only_interface, const char* picked_for) {
    std::string text = operator_file_xml(run, *pages[index], only_interface, picked_for);
    if (index + 1 == pages.size()) report_undescribed_classes();
    return text;
  };
  sources.toc_xml = table_of_contents_xml(run, *tree);
  sources.classes_xml = std::move(class_files.classes);
  sources.class_list_xml = std::move(class_files.class_list);
  if (pages.empty()) report_undescribed_classes();
  if (settings().manual_format != "latex") write_search_files(run, manual_page_extension());
  if (!transform_manual(sources)) std::exit(1);
}
