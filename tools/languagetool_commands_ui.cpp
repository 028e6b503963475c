#include "tools/languagetool_commands_ui.h"

#include "tools/grammar_rules_ui.h"
#include "tools/pos_extraction_ui.h"
#include "tools/pos_settings_window.h"

void register_languagetool_commands(grammar_document_record& grammar, dictionary_document& dictionary,
                                    pos_rule_tables& pos_rules, const preferences& prefs, main_commands& commands) {
  register_grammar_rules_commands(grammar, commands.kinds.languagetool, commands.tools);
  register_pos_settings_commands(pos_rules, prefs, commands.tools);
  register_pos_extraction_commands(dictionary, pos_rules, commands.tools);
}
