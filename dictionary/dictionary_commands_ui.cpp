#include "dictionary/dictionary_commands_ui.h"

#include "dictionary/dic_file.h"
#include "kit/ids.h"
#include "kit/list_tab_commands_ui.h"
#include "kit/list_view_ui.h"

void check_all_dictionary_words() { check_all_on_tab(TAB_DICTIONARY, dictionary_command_texts()); }

void uncheck_all_dictionary_words() { uncheck_all_on_tab(TAB_DICTIONARY, dictionary_command_texts()); }

void invert_dictionary_selection() { invert_checks_on_tab(TAB_DICTIONARY, dictionary_command_texts()); }

void delete_checked_dictionary_words() { delete_checked_on_tab(TAB_DICTIONARY, dictionary_command_texts()); }

int delete_current_dictionary_word(int quiet) {
  return delete_current_on_tab(TAB_DICTIONARY, dictionary_command_texts(), quiet == 1) ? 1 : 0;
}

void register_dictionary_list_commands(list_entry_commands& entries) {
  register_list_entry_commands(entries, TAB_DICTIONARY, dictionary_command_texts());
}
