#include "dictionary/dictionary_commands_ui.h"

#include "dictionary/dic_file.h"
#include "shell/command_registry.h"
#include "shell/list_tab_commands_ui.h"
#include "shell/list_view_ui.h"
#include "shell/shell_commands.h"
#include "shell/shell_ids.h"

namespace {

void register_if_missing(command_kind kind, int id, command_handler handler) {
  if (!has_command(kind, id)) register_command(kind, id, std::move(handler));
}

}  // namespace

void check_all_dictionary_words() { check_all_on_tab(TAB_DICTIONARY, dictionary_command_texts()); }

void uncheck_all_dictionary_words() { uncheck_all_on_tab(TAB_DICTIONARY, dictionary_command_texts()); }

void invert_dictionary_selection() { invert_checks_on_tab(TAB_DICTIONARY, dictionary_command_texts()); }

void delete_checked_dictionary_words() { delete_checked_on_tab(TAB_DICTIONARY, dictionary_command_texts()); }

int delete_current_dictionary_word(int quiet) {
  return delete_current_on_tab(TAB_DICTIONARY, dictionary_command_texts(), quiet == 1) ? 1 : 0;
}

void register_dictionary_list_commands() {
  register_shell_command("check_all_dictionary_words", [](const shell_command_args&) { check_all_dictionary_words(); });
  register_shell_command("uncheck_all_dictionary_words",
                         [](const shell_command_args&) { uncheck_all_dictionary_words(); });
  register_shell_command("invert_dictionary_selection", [](const shell_command_args&) { invert_dictionary_selection(); });
  register_shell_command("delete_checked_dictionary_words",
                         [](const shell_command_args&) { delete_checked_dictionary_words(); });
  register_shell_command("delete_current_dictionary_word", [](const shell_command_args& a) {
    delete_current_dictionary_word(a.numbers.empty() ? 0 : static_cast<int>(a.numbers.front()));
  });
  register_shell_command("invert_synonym_selection", [](const shell_command_args&) { invert_synonym_selection(); });
  register_shell_command("invert_autocorrect_selection",
                         [](const shell_command_args&) { invert_autocorrect_selection(); });

  struct button {
    int gadget;
    void (*run)();
  };
  const button buttons[] = {{DICTIONARY_SELECT_ALL, check_all_dictionary_words},
                            {DICTIONARY_SELECT_NONE, uncheck_all_dictionary_words},
                            {DICTIONARY_INVERT, invert_dictionary_selection},
                            {DICTIONARY_DELETE_SELECTED, delete_checked_dictionary_words},
                            {DICTIONARY_DELETE_CURRENT, [] { delete_current_dictionary_word(0); }}};
  for (const button& b : buttons) {
    register_if_missing(command_kind::gadget, b.gadget, [run = b.run](const command_event&) { run(); });
  }
  const button popup_items[] = {{POPUP_SELECT_ALL, check_all_dictionary_words},
                                {POPUP_SELECT_NONE, uncheck_all_dictionary_words},
                                {POPUP_INVERT, invert_dictionary_selection},
                                {POPUP_DELETE_SELECTED, delete_checked_dictionary_words},
                                {POPUP_DELETE_CURRENT, [] { delete_current_dictionary_word(0); }}};
  for (const button& b : popup_items) {
    register_if_missing(command_kind::popup_item, b.gadget, [run = b.run](const command_event& e) {
      if (e.owner == DICTIONARY_LIST) run();
    });
  }
  register_if_missing(command_kind::shortcut, SHORTCUT_DELETE, [](const command_event& e) {
    if (e.tab == TAB_DICTIONARY) delete_current_dictionary_word(0);
  });
}
