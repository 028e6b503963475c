// The LanguageTool kind and the LanguageTool Tools menu's commands.
#pragma once

#include "shell/main_commands.h"
#include "tools/grammar_rules.h"

// The grammar is the LanguageTool tab's document; it must outlive the commands.
void register_languagetool_commands(grammar_document_record& grammar, main_commands& commands);
