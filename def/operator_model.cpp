// The operator model's records and list operations.
#include "def/operator_model.h"

#include <cctype>

#include "driver/diagnostics.h"

const char* param_kind_text(int group) {
  static const char* const kinds[4] = {"input_object", "output_object", "input_control",
                                       "output_control"};
  return group >= 0 && group < 4 ? kinds[group] : "";
}

const ParameterExtras& Parameter::extras() const {
  static const ParameterExtras none;
  return extras_.extras != nullptr ? *extras_.extras : none;
}

ParameterExtras& Parameter::edit_extras() {
  if (extras_.extras == nullptr) extras_.extras = std::make_unique<ParameterExtras>();
  return *extras_.extras;
}

Parameter::ExtrasHolder& Parameter::ExtrasHolder::operator=(const ExtrasHolder& other) {
  if (this != &other)
    extras = other.extras != nullptr ? std::make_unique<ParameterExtras>(*other.extras) : nullptr;
  return *this;
}

int Operator::first_param(int group) const {
  int position = 0;
  for (int g = 0; g < group; ++g) position += static_cast<int>(declared[g].size());
  return position;
}

void Model::add_front(Operator* op) {
  declared.push_back(op);
  by_name[op->name] = op;
}

std::vector<Operator*> Model::list() const {
  return std::vector<Operator*>(declared.rbegin(), declared.rend());
}

Model& model() {
  // Lives until the process ends and is never taken apart: freeing every
  // record at exit would only cost time.
  static Model* the_model = new Model;
  return *the_model;
}

std::unique_ptr<OperatorInfo> make_operator_info(const std::vector<DeclaredParam> (&declared)[4]) {
  auto info = std::make_unique<OperatorInfo>();
  info->def_file = def_position().path;
  info->line = def_position().line;
  size_t count = 0;
  for (int group = 0; group < 4; ++group) count += declared[group].size();
  info->params.reserve(count);
  for (int group = 0; group < 4; ++group) {
    for (const DeclaredParam& d : declared[group]) {
      // made in place: a Parameter is large to move
      Parameter& p = info->params.emplace_back();
      p.name = d.name;
      p.kind = param_kind_text(group);
      p.group = group;
    }
  }
  return info;
}

namespace {
// the white space of the C locale
bool is_white_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
}  // namespace

void remove_white_space(std::string& text) {
  // Most values have none: they are only read until the first one.
  size_t size = text.size();
  size_t kept = 0;
  while (kept < size && !is_white_space(text[kept])) ++kept;
  if (kept == size) return;
  for (size_t i = kept + 1; i < size; ++i)
    if (!is_white_space(text[i])) text[kept++] = text[i];
  text.resize(kept);
}
