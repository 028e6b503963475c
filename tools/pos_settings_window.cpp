#include "tools/pos_settings_window.h"

#include "gui/gui.h"
#include "gui/modal_window.h"
#include "kit/ids.h"
#include "kit/layout.h"
#include "kit/main_window_hooks.h"
#include "kit/settings_files.h"
#include "kit/window_helpers.h"
#include "tools/pos_rules.h"

#include <algorithm>
#include <cstdint>
#include <vector>

using namespace pos_settings_ids;

namespace {

constexpr int kButtonWidth = 90;
constexpr int kCloneBelowImage = 92;

int64_t language_count(const pos_rule_tables& t) {
  return std::min<int64_t>(t.language_count, static_cast<int64_t>(t.languages.size()));
}

text_t language_name(const pos_rule_tables& t, int64_t language) {
  if (language < 0 || language >= language_count(t)) return {};
  return t.languages[static_cast<size_t>(language)];
}

int row_count() { return gadget_count_items(RULE_LIST); }
int selected_row() { return gadget_get_state(RULE_LIST); }
bool row_checked(int row) { return (gadget_get_item_state(RULE_LIST, row) & ITEM_CHECKED) != 0; }

int checked_rows() {
  int k = 0;
  for (int i = 0; i < row_count(); ++i) k += row_checked(i) ? 1 : 0;
  return k;
}

void warn(const text_t& text) { message_box(u"Warning!", text, MB_ICON_WARNING); }

void update_pos_rule_labels(const pos_rule_tables& t) {
  const int64_t count = static_cast<int64_t>(pos_language_rules(t, t.language).size());
  set_gadget_text_if_changed(FOUND_LABEL, pos_rules_found_label(count));
  set_gadget_text_if_changed(SELECTED_LABEL, pos_rules_selected_label(checked_rows(), count));
}

void fill_pos_rule_list(const pos_rule_tables& t) {
  gadget_clear_items(RULE_LIST);
  gadget_add_items(RULE_LIST, pos_language_rules(t, t.language));
}

// The row's three cells joined by LF: the rule as the list shows it.
text_t row_rule(int row) {
  return join_pos_rule({gadget_get_item_text(RULE_LIST, row, 0), gadget_get_item_text(RULE_LIST, row, 1),
                        gadget_get_item_text(RULE_LIST, row, 2)});
}

bool room_for_a_rule(const pos_rule_tables& t) {
  if (static_cast<int64_t>(pos_language_rules(t, t.language).size()) < POS_RULE_MAX) return true;
  warn(u"The maximum number of rules per language is " + string_from_int(POS_RULE_MAX));
  return false;
}

// Rule `row + 1` becomes `rule`; the list row follows.
void insert_rule(pos_rule_tables& t, int row, const text_t& rule) {
  std::vector<text_t> rules = pos_language_rules(t, t.language);
  row = std::clamp(row, 0, static_cast<int>(rules.size()));
  rules.insert(rules.begin() + row, rule);
  set_pos_language_rules(t, t.language, rules);
  gadget_add_item(RULE_LIST, row, rule);
  gadget_set_state(RULE_LIST, row);
}

void add_rule_at(pos_rule_tables& t, int row) {
  if (!room_for_a_rule(t)) return;
  const text_t rule = show_pos_rule_dialog(u"\n\n");
  if (!rule.empty()) insert_rule(t, row, rule);
}

void edit_rule(pos_rule_tables& t) {
  const int s = selected_row();
  if (s < 0) {
    warn(u"No rule selected.");
    return;
  }
  const text_t rule = show_pos_rule_dialog(row_rule(s));
  if (rule.empty()) return;
  std::vector<text_t> rules = pos_language_rules(t, t.language);
  if (s >= static_cast<int>(rules.size())) return;
  rules[static_cast<size_t>(s)] = rule;
  set_pos_language_rules(t, t.language, rules);
  gadget_set_item_text(RULE_LIST, s, rule, 0);
}

void delete_pos_rule(pos_rule_tables& t) {
  if (row_count() == 0) {
    warn(u"No rules for current language.");
    return;
  }
  const int s = selected_row();
  if (s < 0) {
    warn(u"No rule selected.");
    return;
  }
  if (message_box(u"Warning!", u"Really delete rule?", MB_YES_NO | MB_ICON_WARNING) == MB_ANSWER_NO) return;
  std::vector<text_t> rules = pos_language_rules(t, t.language);
  if (s < static_cast<int>(rules.size())) rules.erase(rules.begin() + s);
  set_pos_language_rules(t, t.language, rules);
  gadget_remove_item(RULE_LIST, s);
}

void delete_checked_rules(pos_rule_tables& t) {
  if (row_count() == 0 || checked_rows() == 0) {
    warn(u"No items selected.");
    return;
  }
  std::vector<text_t> kept;
  for (int i = 0; i < row_count(); ++i) {
    if (!row_checked(i)) kept.push_back(row_rule(i));
  }
  set_pos_language_rules(t, t.language, kept);
  fill_pos_rule_list(t);
}

void set_all_checks(int mode) {  // 1 check, 0 uncheck, -1 invert
  if (mode < 0 && row_count() == 0) {
    warn(u"No items selected.");
    return;
  }
  for (int i = 0; i < row_count(); ++i) {
    const int state = gadget_get_item_state(RULE_LIST, i);
    const bool on = mode < 0 ? !row_checked(i) : mode == 1;
    gadget_set_item_state(RULE_LIST, i, on ? (state | ITEM_CHECKED) : (state & ~ITEM_CHECKED));
  }
}

// A settings file that cannot be written is named; the old one stays.
void save_settings_file(const pos_rule_tables& t, const text_t& name,
                        bool (*write)(text_view, const pos_rule_tables&)) {
  const text_t path = settings_file_path(name);
  if (!write(path, t)) message_box(u"Error!", u"Can't write the file:\n" + path, MB_ICON_ERROR);
}

void build_popup_menu() {
  menu_free(RULE_POPUP);
  menu_create_image_popup(RULE_POPUP);
  menu_add_item_image(ITEM_ADD_ABOVE, u"Add Above", image_pixbuf(IMAGE_ADD_ABOVE));
  menu_add_item_image(ITEM_ADD_BELOW, u"Add Below", image_pixbuf(IMAGE_ADD_BELOW));
  menu_add_item_image(ITEM_EDIT, u"Edit", image_pixbuf(IMAGE_EDIT));
  menu_add_item_image(ITEM_CLONE_BELOW, u"Clone Below", image_pixbuf(kCloneBelowImage));
  menu_add_separator();
  add_selection_popup_items({.select_all = ITEM_SELECT_ALL,
                             .select_none = ITEM_SELECT_NONE,
                             .invert = ITEM_INVERT,
                             .delete_selected = ITEM_DELETE_SELECTED,
                             .delete_one = ITEM_DELETE});
}

void build_window(const pos_rule_tables& t, text_view resolution, int width, int height) {
  const int ew10 = static_cast<int>(scale_extra_width_for(resolution, 10));
  gadget_create_label(LANGUAGE_LABEL, 10, 10, 0, static_cast<int>(text_gadget_height), u"Use language:");
  fit_gadget_to_content(LANGUAGE_LABEL);
  gadget_create_combo_box(LANGUAGE_COMBO, 10, bottom_of(LANGUAGE_LABEL) + 3, 130, static_cast<int>(combo_box_height));
  for (int64_t i = 0; i < language_count(t); ++i) gadget_add_item(LANGUAGE_COMBO, -1, language_name(t, i));
  gadget_set_state(LANGUAGE_COMBO, static_cast<int>(t.language));
  gadget_create_button(REMEMBER, right_of(LANGUAGE_COMBO) + 15, gadget_y(LANGUAGE_COMBO), 88,
                       static_cast<int>(button_height), u"Remember");
  gadget_create_column_list_ex(RULE_LIST, 10, bottom_of(LANGUAGE_COMBO) + 8,
                               993 + static_cast<int>(scale_extra_width_for(resolution, 100)),
                               350 + static_cast<int>(scale_extra_height_for(resolution, 100)), u"POS source: .dic",
                               275 + ew10,
                               LIST_CHECK_BOXES);
  gadget_add_column(RULE_LIST, 1, u"POS target: LanguageTool", 275 + ew10);
  gadget_add_column(RULE_LIST, 2, u"Comments", 450 + ew10);
  use_language_font(RULE_LIST);
  const int y = bottom_of(RULE_LIST) + 8;
  const int bh = static_cast<int>(button_height);
  gadget_create_button(ADD, 10, y, kButtonWidth, bh, u"Add");
  gadget_create_button(EDIT, 105, y, kButtonWidth, bh, u"Edit");
  gadget_create_button(DELETE, 200, y, kButtonWidth, bh, u"Delete");
  create_image_button_at(GO_BOTTOM, right_of(DELETE) + 24, y, bh, bh, IMAGE_GO_BOTTOM, 0, u"Go to bottom", 0);
  create_image_button_at(GO_TOP, right_of(GO_BOTTOM) + 10, y, bh, bh, IMAGE_GO_TOP, 0, u"Go to top", 0);
  gadget_create_label(FOUND_LABEL, 10, y + bh + 8, 200, static_cast<int>(text_gadget_height), u"Found:0");
  gadget_create_label(SELECTED_LABEL, 10, bottom_of(FOUND_LABEL) + 2, 200, static_cast<int>(text_gadget_height),
                      u"Selected:None");
  const int ok_x = width - 115;
  const int ok_y = height - 35;
  gadget_create_button(OK, ok_x, ok_y, kButtonWidth, bh, u"OK");
  gadget_create_button(CANCEL, ok_x - 110, ok_y, kButtonWidth, bh, u"Cancel");
  gadget_create_button(SAVE, ok_x - 110 - 20 - kButtonWidth, ok_y, kButtonWidth, bh, u"Save");
  build_popup_menu();
  shortcut_add(WINDOW, KEY_ESCAPE, KEY_ID_ESCAPE);
  shortcut_add(WINDOW, KEY_DELETE, KEY_ID_DELETE);
  shortcut_add(WINDOW, KEY_F1, KEY_ID_HELP);
  shortcut_add(WINDOW, key_ctrl('A'), KEY_ID_ADD);
}

enum class window_end { open, kept, cancelled };

// Menu items of the popup and the window's shortcuts.
window_end handle_command(pos_rule_tables& t, int id) {
  switch (id) {
    case KEY_ID_ESCAPE: return window_end::kept;
    case KEY_ID_DELETE:
    case ITEM_DELETE: delete_pos_rule(t); break;
    case KEY_ID_HELP: open_manual_page(u""); break;
    case KEY_ID_ADD: add_rule_at(t, row_count()); break;
    case ITEM_ADD_ABOVE:
      if (selected_row() < 0) warn(u"No rule selected.");
      else add_rule_at(t, selected_row());
      break;
    case ITEM_ADD_BELOW: add_rule_at(t, selected_row() < 0 ? 0 : selected_row() + 1); break;
    case ITEM_EDIT: edit_rule(t); break;
    case ITEM_CLONE_BELOW:
      if (selected_row() < 0) warn(u"No rule selected.");
      else if (room_for_a_rule(t)) insert_rule(t, selected_row() + 1, row_rule(selected_row()));
      break;
    case ITEM_SELECT_ALL: set_all_checks(1); break;
    case ITEM_SELECT_NONE: set_all_checks(0); break;
    case ITEM_INVERT: set_all_checks(-1); break;
    case ITEM_DELETE_SELECTED: delete_checked_rules(t); break;
    default: return window_end::open;
  }
  update_pos_rule_labels(t);
  return window_end::open;
}

window_end handle_gadget(pos_rule_tables& t, int gadget, int subtype) {
  switch (gadget) {
    case LANGUAGE_COMBO: {
      const int chosen = gadget_get_state(LANGUAGE_COMBO);
      if (chosen >= 0 && chosen != t.language) {
        t.language = chosen;
        fill_pos_rule_list(t);
      }
      break;
    }
    case RULE_LIST:
      if (subtype == SUBTYPE_DOUBLE_CLICK) edit_rule(t);
      if (subtype == SUBTYPE_RIGHT_CLICK) menu_popup(RULE_POPUP, window_widget(WINDOW));
      break;
    case ADD: add_rule_at(t, row_count()); break;
    case EDIT: edit_rule(t); break;
    case DELETE: delete_pos_rule(t); break;
    case GO_BOTTOM:
      if (row_count() > 0) gadget_set_state(RULE_LIST, row_count() - 1);
      break;
    case GO_TOP:
      if (row_count() > 0) gadget_set_state(RULE_LIST, 0);
      break;
    case REMEMBER: save_settings_file(t, pos_settings_prefs_file, write_pos_settings_file); break;
    case SAVE: save_settings_file(t, pos_lists_prefs_file, write_pos_lists_file); break;
    case OK: return window_end::kept;
    case CANCEL: return window_end::cancelled;
    default: return window_end::open;
  }
  update_pos_rule_labels(t);
  return window_end::open;
}

text_t pos_menu_text(const pos_rule_tables& t, const char16_t* what) {
  return text_t(what) + u" (" + language_name(t, t.language) + u")";
}

}  // namespace

void update_pos_menu_items(const pos_rule_tables& t) {
  const struct {
    int item;
    text_t text;
  } items[] = {{MENU_POS_ADDED, pos_menu_text(t, u"POS added.txt")},
               {MENU_POS_SPELLING, pos_menu_text(t, u"POS spelling.txt")}};
  for (const auto& i : items) {
    if (menu_get_item_text(MAIN_MENU, i.item) != i.text) menu_set_item_text(MAIN_MENU, i.item, i.text);
  }
}

text_t show_pos_rule_dialog(const text_t& rule) {
  window_set_disabled(WINDOW, 1);
  if (!window_open(RULE_WINDOW, 0, 0, 690, 155, u"Edit/Add a POS Setting line", TOOL_WINDOW_FLAGS,
                   window_widget(MAIN_WINDOW))) {
    message_box(u"Error", u"Can't open a window.", MB_ICON_ERROR);
    window_set_disabled(WINDOW, 0);
    return {};
  }
  const pos_rule_parts parts = split_pos_rule(rule);
  const int eh = static_cast<int>(string_gadget_height);
  gadget_create_entry(RULE_SOURCE, 41, 12, 620, eh, parts.source);
  gadget_create_entry(RULE_TARGET, 41, 48, 620, eh, parts.target);
  gadget_create_entry(RULE_COMMENT, 41, 84, 620, eh, parts.comment);
  gadget_create_button(RULE_OK, 91, 119, kButtonWidth, static_cast<int>(button_height), u"OK");
  gadget_create_button(RULE_CANCEL, 191, 119, kButtonWidth, static_cast<int>(button_height), u"Cancel");
  shortcut_add(RULE_WINDOW, KEY_ESCAPE, KEY_ID_ESCAPE);
  shortcut_add(RULE_WINDOW, KEY_RETURN, KEY_ID_RETURN);
  shortcut_add(RULE_WINDOW, KEY_F1, KEY_ID_HELP);
  gadget_set_focus(RULE_SOURCE);

  text_t result;
  run_modal_loop(RULE_WINDOW, [&result](const modal_event& e) {
    if (e.is_close_box() || e.is_menu(KEY_ID_ESCAPE) || e.is_gadget(RULE_CANCEL)) return modal_step::close;
    if (e.is_menu(KEY_ID_HELP)) open_manual_page(u"");
    if (!e.is_menu(KEY_ID_RETURN) && !e.is_gadget(RULE_OK)) return modal_step::stay;
    // TAB and line breaks would split the rule in the list and the settings file.
    const pos_rule_parts typed{clean_pos_rule_field(gadget_get_text(RULE_SOURCE)),
                               clean_pos_rule_field(gadget_get_text(RULE_TARGET)),
                               clean_pos_rule_field(gadget_get_text(RULE_COMMENT))};
    if (pos_rule_has_empty_field(typed)) {
      warn(u"Empty fields found.");
      return modal_step::stay;
    }
    result = join_pos_rule(typed);
    return modal_step::close;
  });
  end_modal_window(RULE_WINDOW, WINDOW, modal_end_order::close_window_first);
  return result;
}

void show_pos_settings_window(pos_rule_tables& t, text_view resolution) {
  const int width = 1014 + static_cast<int>(scale_extra_width_for(resolution, 100));
  const int height = 550 + static_cast<int>(scale_extra_height_for(resolution, 100));
  if (!window_open(WINDOW, GUI_KEEP, GUI_KEEP, width, height, u"Extract POS Settings (Unfinished)", TOOL_WINDOW_FLAGS,
                   window_widget(MAIN_WINDOW))) {
    message_box(u"Error", u"Can't open a window.", MB_ICON_ERROR);
    return;
  }
  window_set_size_limits(WINDOW, width, height, -1, -1);
  window_set_disabled(MAIN_WINDOW, 1);
  const int64_t language_before = t.language;
  const std::vector<int64_t> counts_before = t.counts;
  const std::vector<std::vector<text_t>> table_before = t.table;
  build_window(t, resolution, width, height);
  fill_pos_rule_list(t);
  update_pos_rule_labels(t);

  window_end end = window_end::open;
  run_modal_loop(WINDOW, [&](const modal_event& e) {
    if (e.is_close_box()) end = window_end::kept;
    else if (e.type == EVENT_MENU) end = handle_command(t, e.object);
    else if (e.type == EVENT_GADGET) end = handle_gadget(t, e.object, e.subtype);
    return close_when(end != window_end::open);
  });

  window_close(WINDOW);
  menu_free(RULE_POPUP);
  if (end == window_end::cancelled) {
    t.language = language_before;
    t.counts = counts_before;
    t.table = table_before;
  }
  // The extraction's menu items name the language it will use.
  update_pos_menu_items(t);
  window_set_disabled(MAIN_WINDOW, 0);
  window_activate(MAIN_WINDOW);
}

void register_pos_settings_commands(pos_rule_tables& tables, const preferences& prefs, tool_registry& tools) {
  tools.set_command(MENU_POS_SETTINGS,
                    [&tables, &prefs] { show_pos_settings_window(tables, prefs.record.window_resolution); });
  // The extraction's menu items name the chosen language on every build of
  // the main window.
  set_main_window_build_step("POS menu items", [&tables] { update_pos_menu_items(tables); });
}
