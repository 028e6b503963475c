#include "shell/gadget_dispatch.h"

#include "shell/shell_ids.h"

namespace {

// The commands other parts provide for one editable list.
struct list_command_names {
  const char* edit;
  const char* check_all;
  const char* uncheck_all;
  const char* invert;
  const char* delete_checked;
  const char* delete_current;
};

const list_command_names* command_names_of(int tab) {
  static const list_command_names dictionary = {"edit_dictionary_word",          "check_all_dictionary_words",
                                                "uncheck_all_dictionary_words",  "invert_dictionary_selection",
                                                "delete_checked_dictionary_words", "delete_current_dictionary_word"};
  static const list_command_names thesaurus = {"edit_synonym",           "check_all_synonyms",
                                               "uncheck_all_synonyms",   "invert_synonym_selection",
                                               "delete_checked_synonyms", "delete_current_synonym"};
  static const list_command_names autocorrect = {"edit_autocorrect_word",       "check_all_autocorrects",
                                                 "uncheck_all_autocorrects",    "invert_autocorrect_selection",
                                                 "delete_checked_autocorrects", "delete_current_autocorrect"};
  switch (tab) {
    case TAB_DICTIONARY: return &dictionary;
    case TAB_THESAURUS: return &thesaurus;
    case TAB_AUTOCORRECT: return &autocorrect;
    default: return nullptr;
  }
}

gadget_action call_action(std::string name, std::vector<int64_t> numbers = {}) {
  gadget_action a;
  a.kind = gadget_action_kind::calls;
  a.calls.push_back(dispatch_call{std::move(name), shell_command_args{{}, std::move(numbers)}});
  return a;
}

gadget_action list_action(gadget_action_kind kind, int tab, bool disables = false) {
  gadget_action a;
  a.kind = kind;
  a.list = tab;
  a.disables_controls = disables;
  if (kind == gadget_action_kind::undo || kind == gadget_action_kind::redo) a.pause_ms = 250;
  return a;
}

gadget_action find_or_goto(int row_position, int tab) {
  std::vector<int64_t> flags = list_tab_flags(tab);
  if (row_position == ROW_FIND) return call_action("show_find_window", flags);
  flags.push_back(0);  // not from AFF Validate
  return call_action("show_goto_dialog", flags);
}

// A button of the row of tab 0, 1 or 3 at position 1..15.
gadget_action row_button_action(int tab, int position) {
  const list_command_names& names = *command_names_of(tab);
  switch (position) {
    case ROW_ADD: return call_action(names.edit, {1, 0});
    case ROW_EDIT: return call_action(names.edit, {0, 1});
    case ROW_SELECT_ALL: return call_action(names.check_all);
    case ROW_SELECT_NONE: return call_action(names.uncheck_all);
    case ROW_INVERT: return call_action(names.invert);
    case ROW_DELETE_SELECTED: return call_action(names.delete_checked);
    case ROW_DELETE_CURRENT: return call_action(names.delete_current, {0});
    case ROW_ERASE: return list_action(gadget_action_kind::erase, tab, true);
    case ROW_SORT: return list_action(gadget_action_kind::sort, tab, true);
    case ROW_FIND:
    case ROW_GOTO: return find_or_goto(position, tab);
    case ROW_UNDO: return list_action(gadget_action_kind::undo, tab);
    case ROW_REDO: return list_action(gadget_action_kind::redo, tab);
    case ROW_GO_BOTTOM: return list_action(gadget_action_kind::go_bottom, tab);
    case ROW_GO_TOP: return list_action(gadget_action_kind::go_top, tab);
    default: return {};
  }
}

gadget_action toolbar_action(int gadget, int tab) {
  gadget_action a;
  a.disables_controls = true;
  a.only_when_enabled = true;
  a.kind = gadget_action_kind::calls;
  switch (gadget) {
    case TOOLBAR_OPEN: a.calls = loader_calls(tab, u""); break;
    case TOOLBAR_OPEN_REFRESH:
      a.kind = gadget_action_kind::open_refresh;
      a.calls = loader_calls(tab, u"");
      break;
    case TOOLBAR_SAVE: a.calls = saver_calls(tab, 1, 0); break;
    case TOOLBAR_SAVE_AS: a.calls = saver_calls(tab, 0, 1); break;
    default: return {};
  }
  return a;
}

gadget_action caret(gadget_action_kind kind, int editor) {
  gadget_action a;
  a.kind = kind;
  a.editor = editor;
  return a;
}

}  // namespace

int paged_list_tab(int list) {
  switch (list) {
    case DICTIONARY_LIST: return TAB_DICTIONARY;
    case THESAURUS_LIST: return TAB_THESAURUS;
    case HYPHENATION_LIST: return TAB_HYPHENATION;
    case AUTOCORRECT_LIST: return TAB_AUTOCORRECT;
    default: return -1;
  }
}

gadget_action gadget_action_for(int gadget, int tab) {
  if (gadget >= TOOLBAR_OPEN && gadget <= TOOLBAR_SAVE_AS) return toolbar_action(gadget, tab);
  const int row_firsts[3][2] = {{DICTIONARY_FIRST_ROW_BUTTON, TAB_DICTIONARY},
                                {THESAURUS_FIRST_ROW_BUTTON, TAB_THESAURUS},
                                {AUTOCORRECT_FIRST_ROW_BUTTON, TAB_AUTOCORRECT}};
  for (const auto& [first, row_tab] : row_firsts) {
    if (gadget >= first && gadget < first + LIST_ROW_BUTTONS) return row_button_action(row_tab, gadget - first + 1);
  }
  switch (gadget) {
    case FOOTER_LICENCE_LINK: {
      gadget_action a;
      a.kind = gadget_action_kind::licence_link;
      return a;
    }
    case AFF_CLEAR: {
      gadget_action a;
      a.kind = gadget_action_kind::clear_aff_editor;
      return a;
    }
    case AFF_GO_BOTTOM: return caret(gadget_action_kind::caret_to_end, AFF_EDITOR);
    case AFF_GO_TOP: return caret(gadget_action_kind::caret_to_start, AFF_EDITOR);
    case HYPHENATION_EDITOR_GO_BOTTOM: return caret(gadget_action_kind::caret_to_end, HYPHENATION_EDITOR);
    case HYPHENATION_EDITOR_GO_TOP: return caret(gadget_action_kind::caret_to_start, HYPHENATION_EDITOR);
    case HYPHENATION_FIND: return find_or_goto(ROW_FIND, TAB_HYPHENATION);
    case HYPHENATION_GOTO: return find_or_goto(ROW_GOTO, TAB_HYPHENATION);
    case HYPHENATION_GO_BOTTOM: return list_action(gadget_action_kind::go_bottom, TAB_HYPHENATION);
    case HYPHENATION_GO_TOP: return list_action(gadget_action_kind::go_top, TAB_HYPHENATION);
    case HYPHENATION_HYPHENATE: return call_action("hyphenate_word");
    case HYPHENATION_UPDATE: return call_action("update_hyphenation");
    case HYPHENATION_CLEAR: return call_action("clear_hyphenation");
    default: return {};
  }
}

gadget_action popup_action_for(int item, int owner_list) {
  const int tab = paged_list_tab(owner_list);
  const list_command_names* names = tab == TAB_HYPHENATION ? nullptr : command_names_of(tab);
  if (!names) return {};
  switch (item) {
    case POPUP_ADD: return call_action(names->edit, {1, 0});
    case POPUP_EDIT: return call_action(names->edit, {0, 1});
    case POPUP_CLONE: return list_action(gadget_action_kind::clone, tab);
    case POPUP_SELECT_ALL: return call_action(names->check_all);
    case POPUP_SELECT_NONE: return call_action(names->uncheck_all);
    case POPUP_INVERT: return call_action(names->invert);
    case POPUP_DELETE_SELECTED: return call_action(names->delete_checked);
    case POPUP_DELETE_CURRENT: return call_action(names->delete_current, {0});
    default: return {};  // 505 and 506 stay disabled
  }
}
