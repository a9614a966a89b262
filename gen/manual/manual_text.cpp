// Documentation texts in the manual: the choice of the run's language (else
// English) and the summary and paragraph writers that
// put a converted text into its element.
#include "gen/manual/manual_writers.h"
#include "driver/settings.h"

const std::string* run_language_text(const TaggedList<std::string>& texts) {
  for (const auto& text : texts)
    if (text.language == settings().doc_language) return &text.value;
  return nullptr;
}

const std::string* manual_text(const TaggedList<std::string>& texts) {
  if (const std::string* text = run_language_text(texts)) return text;
  for (const auto& text : texts)
    if (text.language == "english") return &text.value;
  return nullptr;
}

void write_converted(Writer& out, const std::string& text, bool paragraph_mode) {
  convert_markup(out, text, paragraph_mode);
}

void write_summary_element(Writer& out, const char* element, const std::string& text) {
  out.put("<%s>%s", element, "");
  convert_markup(out, text, false);
  out.put("%s</%s>\n", "", element);
}

void write_paragraph_element(Writer& out, const char* element, const std::string& text) {
  out.put("<%s>", element);
  write_markup_paragraphs(out, text);
  out.put("</%s>\n", element);
}
