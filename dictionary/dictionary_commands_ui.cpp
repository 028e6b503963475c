#include "dictionary/dictionary_commands_ui.h"

#include "dictionary/dic_file.h"
#include "kit/list_tab_commands_ui.h"
#include "kit/list_view_ui.h"

void check_all_dictionary_words(document_kind& dictionary) { check_all_on_tab(dictionary, dictionary_command_texts()); }

void uncheck_all_dictionary_words(document_kind& dictionary) {
  uncheck_all_on_tab(dictionary, dictionary_command_texts());
}

void invert_dictionary_selection(document_kind& dictionary) {
  invert_checks_on_tab(dictionary, dictionary_command_texts());
}

void delete_checked_dictionary_words(document_kind& dictionary) {
  delete_checked_on_tab(dictionary, dictionary_command_texts());
}

int delete_current_dictionary_word(document_kind& dictionary, int quiet) {
  return delete_current_on_tab(dictionary, dictionary_command_texts(), quiet == 1) ? 1 : 0;
}

void register_dictionary_list_commands(document_kind& dictionary) {
  register_list_entry_commands(dictionary, dictionary_command_texts());
}
