// The LanguageTool kind and the LanguageTool Tools menu's commands.
#pragma once

#include "dictionary/dictionary_document.h"
#include "kit/main_commands.h"
#include "kit/preferences.h"
#include "tools/grammar_rules.h"
#include "tools/pos_rules.h"

// The grammar is the LanguageTool tab's document and the dictionary the one
// POS extraction reads; the POS extraction and its settings window use
// pos_rules, and the settings window is laid out by prefs. All must outlive
// the commands.
void register_languagetool_commands(grammar_document_record& grammar, dictionary_document& dictionary,
                                    pos_rule_tables& pos_rules, const preferences& prefs, main_commands& commands);
