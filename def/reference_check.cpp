// The reference check: related-operator lists and the \OpRef{...} and
// \ParRef{...} commands of documentation texts must name existing, current
// operators and the operator's own parameters.
#include "def/reference_check.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "driver/diagnostics.h"
#include "driver/settings.h"

namespace {

using OperatorIndex = std::unordered_map<std::string, const Operator*>;

// Documented, and outside extension packages also given a functionality.
bool is_current(const Operator& op) {
  if (!op.info->has_documentation()) return false;
  if (settings().generation_target != target_package && op.info->functionality.empty())
    return false;
  return true;
}

void check_operator_name(const Operator& op, const OperatorIndex& index, const char* key,
                         const std::string& name) {
  auto found = index.find(name);
  const char* verdict = nullptr;
  if (found == index.end())
    verdict = "unknown";
  else if (!is_current(*found->second))
    verdict = "old";
  if (verdict != nullptr)
    report_warning("\"%s\", line: %d:  in proc '%s' %s %s: '%s'\n", op.info->def_file.c_str(),
                   op.info->line, op.name.c_str(), verdict, key, name.c_str());
}

// Names found in one operator's texts, newest first, without duplicates.
struct FoundReferences {
  std::vector<std::string> operators;
  std::vector<std::string> parameters;
};

void add_unique(std::vector<std::string>& names, std::string name) {
  for (const std::string& known : names)
    if (known == name) return;
  names.insert(names.begin(), std::move(name));
}

[[noreturn]] void reference_error(const Operator& op, const std::string& message) {
  report_error("\"%s\", line: %d:  in proc '%s' %s\n", op.info->def_file.c_str(), op.info->line,
               op.name.c_str(), message.c_str());
  std::exit(1);
}

bool ends_name(char c) {
  return c == ' ' || c == '\n' || c == '\t' || c == '}' || c == '(' || c == ';';
}

bool is_white_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

void scan_text(const Operator& op, const std::string& text, FoundReferences& found) {
  // Every command word ends in "Ref": find that first, then look back for
  // "Op" or "Par", so long texts are walked at memchr speed.
  size_t from = 0;
  while (from < text.size()) {
    size_t ref = text.find("Ref", from);
    if (ref == std::string::npos) return;
    size_t place;
    bool operator_ref;
    if (ref >= from + 2 && text.compare(ref - 2, 2, "Op") == 0) {
      place = ref - 2;
      operator_ref = true;
    } else if (ref >= from + 3 && text.compare(ref - 3, 3, "Par") == 0) {
      place = ref - 3;
      operator_ref = false;
    } else {
      from = ref + 1;
      continue;
    }
    size_t brace = text.find('{', place);
    if (brace == std::string::npos) reference_error(op, "missing '{' in *Ref command");
    size_t start = brace + 1;
    while (start < text.size() && is_white_space(text[start])) ++start;
    size_t end = start;
    while (end < text.size() && !ends_name(text[end])) ++end;
    bool preceded_by_backslash = place > 0 && text[place - 1] == '\\';
    if (!preceded_by_backslash || start - place >= 16) {
      reference_error(op, format_text("wrong syntax for *Ref in '..%.20s..'", text.c_str() + place));
    }
    std::string name = text.substr(start, end - start);
    add_unique(operator_ref ? found.operators : found.parameters, name);
    from = end;
  }
}

template <typename Payload>
void scan_tagged(const Operator& op, const TaggedList<Payload>& texts, FoundReferences& found) {
  for (const Tagged<Payload>& entry : texts) scan_text(op, entry.value, found);
}

void check_operator(const Operator& op, const OperatorIndex& index) {
  const OperatorInfo& info = *op.info;
  if (info.module == -1 && info.has_documentation())
    report_warning("\"%s\", line: %d:  no module in proc '%s'\n", info.def_file.c_str(), info.line,
                   op.name.c_str());

  const struct {
    const char* key;
    const TextList* names;
  } related[] = {{"successor", &info.successor},
                 {"predecessor", &info.predecessor},
                 {"alternatives", &info.alternatives},
                 {"see_also", &info.see_also}};
  for (const auto& list : related)
    for (const std::string& name : *list.names) check_operator_name(op, index, list.key, name);

  FoundReferences found;
  scan_tagged(op, info.short_descriptions, found);
  scan_tagged(op, info.descriptions, found);
  scan_tagged(op, info.warnings, found);
  scan_tagged(op, info.attention, found);
  scan_tagged(op, info.result, found);
  scan_tagged(op, info.complexity, found);
  for (const Parameter& p : info.params) scan_tagged(op, p.descriptions, found);

  for (const std::string& name : found.operators) check_operator_name(op, index, "\\OpRef", name);
  for (const std::string& name : found.parameters) {
    bool known = false;
    for (const Parameter& p : info.params) known = known || p.name == name;
    if (!known) reference_error(op, format_text("unknown \\ParRef: '%s'", name.c_str()));
  }
}

}  // namespace

int check_references(const OperatorList& ops) {
  OperatorIndex index;
  index.reserve(ops.size() * 2);
  for (const Operator* op : ops) index.emplace(op->name, op);  // the first of a name wins
  for (const Operator* op : ops) check_operator(*op, index);
  return static_cast<int>(ops.size());
}
