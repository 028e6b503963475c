#include "app/dispatch_ui.h"
#include "app/gadget_dispatch.h"
#include "app/main_dispatch.h"
#include "common/date_time.h"
#include "gui/gui.h"
#include "gui/text_cursor.h"
#include "kit/base_folder.h"
#include "kit/command_registry.h"
#include "kit/ids.h"
#include "kit/list_commands.h"
#include "kit/list_view_ui.h"
#include "kit/main_job_host.h"
#include "kit/preferences.h"
#include "kit/recent_files.h"
#include "kit/recent_files_ui.h"
#include "kit/undo_redo_ui.h"
#include "kit/window_helpers.h"

#include <climits>
#include <vector>

namespace {

void status_text(const text_t& text) { status_bar_set_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT, text); }

int ask(text_view title, text_view text, int flags) { return message_box(text_t(title), text_t(text), flags); }

// The page and labels of a list whose entries changed but not their number.
void show_list_again(const list_document& doc) {
  redraw_paged_list(doc);
  update_paged_list_labels(doc);
}

// ---- Inline list commands ---------------------------------------------------------------------

// The kinds whose lists show this kind's entries with a page and selection
// of their own (the Hyphenation tab's view of the dictionary).
std::vector<const document_kind*> views_of(const document_kind& kind, const document_kinds& kinds) {
  std::vector<const document_kind*> views;
  for (const document_kind* k : kinds.all()) {
    if (k->list_owner == &kind) views.push_back(k);
  }
  return views;
}

void erase_list(const document_kind& kind) {
  if (!kind.member_texts) return;
  list_document& doc = paged_list_document(kind);
  paged_list_first_row(kind);  // the snapshot keeps the page shown now
  const list_command_result result = erase_list_document(doc, *kind.member_texts, ask);
  if (result == list_command_result::refused) status_text(u"Aborted.");
  if (result != list_command_result::done) return;
  status_text(u"Erasing...");
  status_bar_set_progress_value(MAIN_STATUS_BAR, STATUS_FIELD_PROGRESS, 0, 1);
  update_tab_file_labels(kind);
  if (kind.erased) kind.erased();
  // The scroll range collapses; the dictionary's also on the Hyphenation tab.
  paged_list_count_changed(doc);
  status_bar_set_progress(MAIN_STATUS_BAR, STATUS_FIELD_PROGRESS, 100, 1, 0, 100);
  status_text(u"OK.");
  status_bar_set_progress_value(MAIN_STATUS_BAR, STATUS_FIELD_PROGRESS, 0, 1);
}

void sort_list(const document_kind& kind, const document_kinds& kinds, text_view separator) {
  if (!kind.member_texts) return;
  list_document& doc = paged_list_document(kind);
  paged_list_first_row(kind);
  const list_command_result result = sort_list_document(doc, *kind.member_texts, main_window_job_host(), separator,
                                                        [&doc] { update_paged_list_labels(doc); });
  if (result == list_command_result::refused) return;
  // Also after an abort: nothing is selected any more.
  show_list_again(doc);
  // The views page the same entries, now in another order.
  for (const document_kind* view : views_of(kind, kinds)) {
    show_paged_list_position(*view, -1, result == list_command_result::done ? 0 : paged_list_first_row(*view));
    update_paged_list_labels(doc);
  }
}

// The document reports its new count, which redraws its pages (the
// dictionary's on both tabs) and labels.
void clone_entry(const document_kind& kind, const document_kinds& kinds) {
  if (!kind.member_texts) return;
  paged_list_first_row(kind);
  // The count change clears the views' selections, but an append moves no
  // entry: they keep their selection and page.
  struct kept_position {
    const document_kind* view;
    int64_t selected;
    int64_t first_row;
  };
  std::vector<kept_position> kept;
  for (const document_kind* view : views_of(kind, kinds)) {
    kept.push_back({view, paged_list_selected(*view), paged_list_first_row(*view)});
  }
  list_document& doc = paged_list_document(kind);
  if (clone_selected_entry(doc, *kind.member_texts, ask) != list_command_result::done) return;
  for (const kept_position& k : kept) {
    show_paged_list_position(*k.view, k.selected, k.first_row);
    update_paged_list_labels(doc);
  }
}

void go_to_end(const document_kind& kind, bool bottom, int64_t rows) {
  int64_t selected = paged_list_selected(kind);
  int64_t first = paged_list_first_row(kind);
  if (!go_to_list_end(paged_list_document(kind).count(), bottom, rows, selected, first)) return;
  show_paged_list_position(kind, selected, first);
}

// Clearing the .aff text throws it away: only Yes goes on.
void clear_aff_editor(const document_kind& dictionary) {
  if (!gadget_get_text(AFF_EDITOR).empty() &&
      ask(u"Warning!", u"The .AFF has contents.\n\nContinue?", MB_YES_NO | MB_ICON_INFORMATION | MB_DEFAULT_NO) !=
          MB_ANSWER_YES) {
    return;
  }
  // The dictionary takes the emptied text in when it is next read.
  gadget_set_text(AFF_EDITOR, u"");
  paged_list_document(dictionary).mark_changed();
  update_paged_list_status_label(dictionary);
}

void open_licence() {
  text_t path = base_folder() + u"Vocabrix_manual_V40.html#7.apache_license";
  if (path.empty() || path.front() != u'/') path.insert(path.begin(), u'/');
  open_with_desktop(u"file://" + path);
}

void run_gadget(int gadget, int tab, const main_commands& commands, find_options& find, const preferences& prefs) {
  const gadget_action a = gadget_action_for(gadget, tab, commands.kinds);
  if (a.kind == gadget_action_kind::nothing) return;
  if (a.only_when_enabled && gadget_get_disabled(gadget)) return;
  if (a.disables_controls) disable_main_controls();
  switch (a.kind) {
    case gadget_action_kind::nothing: break;
    case gadget_action_kind::command:
      if (a.command) a.command();
      break;
    // The newest file of the tab's list; an emptied list gives "", and the
    // loader asks for the file.
    case gadget_action_kind::open_refresh:
      if (a.load) a.load(recent_file_of_tab(*commands.kinds.of_tab(tab), 1));
      break;
    case gadget_action_kind::licence_link: open_licence(); break;
    case gadget_action_kind::erase: erase_list(*commands.kinds.of_tab(a.list)); break;
    case gadget_action_kind::sort: sort_list(*commands.kinds.of_tab(a.list), commands.kinds, prefs.applied.number_separator_chr); break;
    case gadget_action_kind::clone: clone_entry(*commands.kinds.of_tab(a.list), commands.kinds); break;
    case gadget_action_kind::go_bottom: go_to_end(*commands.kinds.of_tab(a.list), true, prefs.applied.number_of_lines); break;
    case gadget_action_kind::go_top: go_to_end(*commands.kinds.of_tab(a.list), false, prefs.applied.number_of_lines); break;
    // The buttons are disabled while there is nothing to take back.
    case gadget_action_kind::undo:
      undo_list_tab(*commands.kinds.of_tab(a.list));
      pause_after_undo_redo();
      break;
    case gadget_action_kind::redo:
      redo_list_tab(*commands.kinds.of_tab(a.list));
      pause_after_undo_redo();
      break;
    case gadget_action_kind::find: run_list_search(list_search::find, a.list, commands.kinds, find, prefs); break;
    case gadget_action_kind::go_to: run_list_search(list_search::go_to, a.list, commands.kinds, find, prefs); break;
    case gadget_action_kind::clear_aff_editor: clear_aff_editor(commands.kinds.dictionary); break;
    case gadget_action_kind::caret_to_end: gadget_set_cursor_position(a.editor, INT64_MAX); break;
    // "Go to top" leaves the caret after the first character, as it always has.
    case gadget_action_kind::caret_to_start: gadget_set_cursor_position(a.editor, 1); break;
  }
  if (a.disables_controls) refresh_control_states(commands);
}

void run_popup_item(int item, int owner, const document_kinds& kinds) {
  const gadget_action a = popup_action_for(item, owner, kinds);
  if (a.kind == gadget_action_kind::clone) clone_entry(*kinds.of_tab(a.list), kinds);
  if (a.kind == gadget_action_kind::command) a.command();
}

// ---- Clicks and double clicks on the lists ---------------------------------------------------

bool has_selected_row(int list) { return gadget_get_state(list) >= 0; }

void run_list_event(int gadget, int subtype, const document_kinds& kinds) {
  const document_kind* kind = paged_list_kind(gadget, kinds);
  if (subtype == SUBTYPE_DOUBLE_CLICK && kind) {
    if (paged_list_document(*kind).empty() || !has_selected_row(gadget)) return;
    if (kind->double_click) {
      kind->double_click();
    } else if (kind->entries.edit) {
      kind->entries.edit(entry_edit::edit);
    }
    return;
  }
  // The read-only tabs show the details of the clicked row (their owners
  // know whether there are items).
  if (!has_selected_row(gadget)) return;
  const int64_t row = gadget_get_state(gadget);
  if (subtype != SUBTYPE_CLICK && subtype != SUBTYPE_DOUBLE_CLICK) return;
  const row_click click = subtype == SUBTYPE_CLICK ? row_click::single : row_click::double_click;
  for (const document_kind* k : kinds.all()) {
    for (const document_kind::row_view& view : k->row_views) {
      if (view.list == gadget && view.show) view.show(row, click);
    }
  }
}

}  // namespace

void install_gadget_dispatch(const main_commands& commands, find_options& find, const preferences& prefs) {
  std::vector<int> gadgets = {FOOTER_LICENCE_LINK, AFF_CLEAR, AFF_GO_BOTTOM, AFF_GO_TOP};
  for (int g = TOOLBAR_OPEN; g <= TOOLBAR_SAVE_AS; ++g) gadgets.push_back(g);
  for (const document_kind* kind : commands.kinds.all()) {
    const int first = kind->first_row_button;
    for (int g = first; first != 0 && g < first + LIST_ROW_BUTTONS; ++g) gadgets.push_back(g);
  }
  for (int g = HYPHENATION_FIND; g <= HYPHENATION_EDITOR_GO_TOP; ++g) gadgets.push_back(g);
  for (int g : gadgets) {
    register_command(command_kind::gadget, g,
                     [&commands, &find, &prefs](const command_event& e) { run_gadget(e.id, e.tab, commands, find, prefs); });
  }
  for (int item = POPUP_EDIT; item <= POPUP_DELETE_CURRENT; ++item) {
    register_command(command_kind::popup_item, item,
                     [&commands](const command_event& e) { run_popup_item(e.id, e.owner, commands.kinds); });
  }
  std::vector<int> lists;
  for (const document_kind* kind : commands.kinds.all()) {
    if (kind->list_gadget != 0) lists.push_back(kind->list_gadget);
    for (const document_kind::row_view& view : kind->row_views) lists.push_back(view.list);
  }
  for (int list : lists) {
    register_command(command_kind::list_event, list,
                     [&commands](const command_event& e) { run_list_event(e.id, e.subtype, commands.kinds); });
  }
}
