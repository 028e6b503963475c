#include "editors/autocorrect/autocorrect_editor.h"

#include "common/format.h"

autocorrect_fields autocorrect_fields_of_entry(text_view entry) {
  const size_t lf = entry.find(u'\n');
  if (lf == text_view::npos) return {text_t(entry), text_t()};
  const text_view rest = entry.substr(lf + 1);
  return {text_t(entry.substr(0, lf)), text_t(rest.substr(0, rest.find(u'\n')))};
}

text_t autocorrect_entry_of_fields(text_view incorrect, text_view correct) {
  return clean_autocorrect_field(incorrect) + u"\n" + clean_autocorrect_field(correct);
}

text_t clean_autocorrect_field(text_view text) { return string_remove_units(text, u"\t\r\n"); }

autocorrect_editor_check validate_autocorrect_fields(text_view incorrect, text_view correct) {
  using namespace autocorrect_editor_ids;
  if (incorrect.empty() || incorrect == u" ") return {false, u"No incorrect word text.", INCORRECT_FIELD};
  if (has_invalid_spaces(incorrect)) return {false, u"Invalid spaces in incorrect word.", INCORRECT_FIELD};
  if (correct.empty() || correct == u" ") return {false, u"No correct word text.", CORRECT_FIELD};
  if (has_invalid_spaces(correct)) return {false, u"Invalid spaces in correct word.", CORRECT_FIELD};
  if (incorrect == correct) return {false, u"Incorrect matches correct.", CORRECT_FIELD};
  return {};
}
