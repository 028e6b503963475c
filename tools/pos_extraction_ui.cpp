#include "tools/pos_extraction_ui.h"

#include "dictionary/dic_file.h"
#include "gui/gui.h"
#include "kit/ids.h"
#include "kit/main_job_host.h"
#include "kit/window_helpers.h"
#include "tools/pos_extraction.h"
#include "tools/pos_rules.h"

void extract_pos_words_to_file(dictionary_document& dictionary, pos_list_form form,
                               const pos_rule_tables& pos_rules) {
  show_main_status(u"Extracting POSes from Dictionary... <ESC> to abort.");
  reset_main_progress();
  const text_t& aff_text = dictionary.aff_text();
  const std::vector<text_t> rules = pos_language_rules(pos_rules, pos_rules.language);
  const pos_extraction_result refused = check_pos_extraction(dictionary.list, aff_text, rules);
  if (refused.status != pos_extraction_status::ok) {
    message_box(u"Warning!", refused.message, MB_ICON_WARNING);
    show_main_status(refused.status_text);
    return;
  }
  // Only the file the user confirmed is replaced, and only once it is whole.
  const text_t target = request_save_path(u"Save extracted POSes", u"Text files (*.txt)|*.txt", u".txt");
  if (target.empty()) {
    show_main_status(u"Aborted.");
    return;
  }
  const pos_extraction_result r =
      extract_pos_words(dictionary.list, aff_text, rules, form, target, main_window_job_host());
  if (!r.message.empty()) message_box(u"Error!", r.message, MB_ICON_ERROR);
  show_main_status(r.status_text);
}

void register_pos_extraction_commands(dictionary_document& dictionary, const pos_rule_tables& pos_rules,
                                      tool_registry& tools) {
  tools.set_command(MENU_POS_ADDED, [&dictionary, &pos_rules] {
    extract_pos_words_to_file(dictionary, pos_list_form::added, pos_rules);
  });
  tools.set_command(MENU_POS_SPELLING, [&dictionary, &pos_rules] {
    extract_pos_words_to_file(dictionary, pos_list_form::spelling, pos_rules);
  });
}
