#include "app/gadget_dispatch.h"

#include "kit/ids.h"

namespace {

gadget_action command_action(std::function<void()> command) {
  gadget_action a;
  if (!command) return a;
  a.kind = gadget_action_kind::command;
  a.command = std::move(command);
  return a;
}

gadget_action edit_action(const list_entry_commands& e, entry_edit how) {
  if (!e.edit) return {};
  return command_action([f = e.edit, how] { f(how); });
}

gadget_action delete_current_action(const list_entry_commands& e) {
  if (!e.delete_current) return {};
  return command_action([f = e.delete_current] { f(missing_selection::warn); });
}

gadget_action list_action(gadget_action_kind kind, int tab, bool disables = false) {
  gadget_action a;
  a.kind = kind;
  a.list = tab;
  a.disables_controls = disables;
  return a;
}

// A button of the row of an editable list's tab at position 1..15.
gadget_action row_button_action(const document_kind& kind, int position) {
  const list_entry_commands& e = kind.entries;
  switch (position) {
    case ROW_ADD: return edit_action(e, entry_edit::add);
    case ROW_EDIT: return edit_action(e, entry_edit::edit);
    case ROW_SELECT_ALL: return command_action(e.check_all);
    case ROW_SELECT_NONE: return command_action(e.uncheck_all);
    case ROW_INVERT: return command_action(e.invert);
    case ROW_DELETE_SELECTED: return command_action(e.delete_checked);
    case ROW_DELETE_CURRENT: return delete_current_action(e);
    case ROW_ERASE: return list_action(gadget_action_kind::erase, kind.tab, true);
    case ROW_SORT: return list_action(gadget_action_kind::sort, kind.tab, true);
    case ROW_FIND: return list_action(gadget_action_kind::find, kind.tab);
    case ROW_GOTO: return list_action(gadget_action_kind::go_to, kind.tab);
    case ROW_UNDO: return list_action(gadget_action_kind::undo, kind.tab);
    case ROW_REDO: return list_action(gadget_action_kind::redo, kind.tab);
    case ROW_GO_BOTTOM: return list_action(gadget_action_kind::go_bottom, kind.tab);
    case ROW_GO_TOP: return list_action(gadget_action_kind::go_top, kind.tab);
    default: return {};
  }
}

gadget_action toolbar_action(int gadget, const document_kind* kind) {
  gadget_action a;
  a.disables_controls = true;
  a.only_when_enabled = true;
  a.kind = gadget_action_kind::command;
  switch (gadget) {
    case TOOLBAR_OPEN: a.command = open_command(kind); break;
    case TOOLBAR_OPEN_REFRESH:
      a.kind = gadget_action_kind::open_refresh;
      if (kind) a.load = kind->load;
      break;
    case TOOLBAR_SAVE: a.command = save_command(kind, save_choice::save); break;
    case TOOLBAR_SAVE_AS: a.command = save_command(kind, save_choice::save_as); break;
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

const document_kind* paged_list_kind(int list, const document_kinds& kinds) {
  for (const document_kind* k : kinds.all()) {
    if (k->list_gadget != 0 && k->list_gadget == list) return k;
  }
  return nullptr;
}

gadget_action gadget_action_for(int gadget, int tab, const document_kinds& kinds) {
  if (gadget >= TOOLBAR_OPEN && gadget <= TOOLBAR_SAVE_AS) return toolbar_action(gadget, kinds.of_tab(tab));
  for (const document_kind* k : kinds.all()) {
    const int first = k->first_row_button;
    if (first != 0 && gadget >= first && gadget < first + LIST_ROW_BUTTONS) {
      return row_button_action(*k, gadget - first + 1);
    }
  }
  const int hyphenation = kinds.hyphenation.tab;
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
    case HYPHENATION_FIND: return list_action(gadget_action_kind::find, hyphenation);
    case HYPHENATION_GOTO: return list_action(gadget_action_kind::go_to, hyphenation);
    case HYPHENATION_GO_BOTTOM: return list_action(gadget_action_kind::go_bottom, hyphenation);
    case HYPHENATION_GO_TOP: return list_action(gadget_action_kind::go_top, hyphenation);
    default: return {};
  }
}

gadget_action popup_action_for(int item, int owner_list, const document_kinds& kinds) {
  const document_kind* kind = paged_list_kind(owner_list, kinds);
  if (!kind || !kind->keeps_history) return {};
  const list_entry_commands& e = kind->entries;
  switch (item) {
    case POPUP_ADD: return edit_action(e, entry_edit::add);
    case POPUP_EDIT: return edit_action(e, entry_edit::edit);
    case POPUP_CLONE: return list_action(gadget_action_kind::clone, kind->tab);
    case POPUP_SELECT_ALL: return command_action(e.check_all);
    case POPUP_SELECT_NONE: return command_action(e.uncheck_all);
    case POPUP_INVERT: return command_action(e.invert);
    case POPUP_DELETE_SELECTED: return command_action(e.delete_checked);
    case POPUP_DELETE_CURRENT: return delete_current_action(e);
    default: return {};  // 505 and 506 stay disabled
  }
}
