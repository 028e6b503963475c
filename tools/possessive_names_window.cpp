#include "tools/possessive_names_window.h"

#include "gui/gui.h"
#include "gui/modal_window.h"
#include "kit/ids.h"
#include "kit/layout.h"
#include "kit/list_view_ui.h"
#include "kit/main_job_host.h"
#include "kit/window_helpers.h"
#include "tools/paste_and_log_ui.h"
#include "tools/possessive_names.h"

#include <cstdint>

using namespace possessive_names_ids;

namespace {

// Kept while the program runs.
text_t possessive_remove_text_1 = u"'s";
text_t possessive_remove_text_2 = u"\u2019s";
int64_t log_index_enabled = 1;
constexpr paste_and_log_ids kEditors{.input = INPUT, .log = LOG, .process = PROCESS, .clear = CLEAR,
                                     .input_bottom = INPUT_BOTTOM, .input_top = INPUT_TOP,
                                     .log_bottom = LOG_BOTTOM, .log_top = LOG_TOP,
                                     .log_index = LOG_INDEX, .log_start = LOG_START};

void set_label(int g, const text_t& text) { set_gadget_text_if_changed(g, text); }

void set_controls_disabled(int disabled) {
  for (int g : {LOG_INDEX, PROCESS, CLOSE, FLAG, INPUT, REMOVE_1, REMOVE_2}) gadget_set_disabled(g, disabled);
  gadget_set_disabled(LOG_START, disabled || !log_index_enabled ? 1 : 0);
}

void run_import(dictionary_document& dictionary) {
  set_controls_disabled(1);
  gadget_set_text(LOG, u"");
  // The flag is checked against the FLAG mode of the .aff as it is now,
  // edits included.
  const int64_t flag_mode = dictionary.decode_cache().aff_flag_mode;
  possessive_options options;
  options.flag_text = gadget_get_text(FLAG);
  options.remove_1 = possessive_remove_text_1;
  options.remove_2 = possessive_remove_text_2;
  options.log_index = log_index_enabled != 0;
  options.log_start = gadget_get_state(LOG_START);
  options.on_tick = [](int64_t line, int64_t lines, int64_t added, text_view log) {
    set_label(PROCESSING_LABEL, u"Processing: " + string_from_int(line) + u"/" + string_from_int(lines));
    set_label(FOUND_LABEL, u"Found:" + string_from_int(added));
    gadget_set_text(LOG, text_t(log));
  };
  tool_window_job_host host({.window = WINDOW, .escape_label = ESCAPE_LABEL});
  const possessive_result r = import_possessive_names(gadget_get_text(INPUT), options, flag_mode, dictionary.list, host);
  switch (r.status) {
    case possessive_status::nothing_to_process:
      message_box(u"Warning!", u"Nothing to process.", MB_ICON_WARNING);
      break;
    case possessive_status::bad_flag: message_box(u"Warning!", POSSESSIVE_BAD_FLAG, MB_ICON_WARNING); break;
    case possessive_status::aborted: gadget_set_text(LOG, r.log); break;
    case possessive_status::done:
      gadget_set_text(LOG, r.log);
      set_label(PROCESSING_LABEL, u"Processing: " + string_from_int(r.lines) + u"/" + string_from_int(r.lines) +
                                      u" Done!");
      set_label(FOUND_LABEL, u"Found:" + string_from_int(r.added));
      break;
  }
  set_label(ESCAPE_LABEL, u"");
  set_controls_disabled(0);
}

void build_window(text_view resolution, int width, int height) {
  const int bw = static_cast<int>(image_button_width), bh = static_cast<int>(image_button_height);
  const int lh = static_cast<int>(text_gadget_height), sh = static_cast<int>(string_gadget_height);
  build_paste_and_log(kEditors, u"Paste here the full text with the names.", resolution);

  const int y = bottom_of(PROCESS) + 12;
  gadget_create_label(REMOVE_LABEL, 10, y + 3, 0, lh, u"       Remove:");
  fit_gadget_to_content(REMOVE_LABEL);
  // As wide as the flag field: 25 pixels clip "'s" inside the entry's padding.
  constexpr int remove_width = 50;
  gadget_create_entry(REMOVE_1, right_of(REMOVE_LABEL) + 5, y, remove_width, sh, possessive_remove_text_1);
  gadget_create_entry(REMOVE_2, right_of(REMOVE_1) + 5, y, remove_width, sh, possessive_remove_text_2);
  gadget_create_label(FLAG_LABEL, right_of(REMOVE_2) + 20, y + 3, 0, lh, u"Possessives:");
  fit_gadget_to_content(FLAG_LABEL);
  gadget_create_entry(FLAG, right_of(FLAG_LABEL) + 5, y, 50, sh, u"/M");
  for (int g : {REMOVE_1, REMOVE_2, FLAG}) use_language_font(g);
  gadget_create_label(PROCESSING_LABEL, 10, y + sh + 10, 200, lh, u"Processing: 0/0");
  gadget_create_label(ESCAPE_LABEL, 215, y + sh + 10, 120, lh, u"");

  const int log_x = gadget_x(LOG);
  gadget_create_label(FOUND_LABEL, log_x, bottom_of(LOG) + 8, 200, lh, u"Found:0");
  create_image_button_at(LOG_BOTTOM, log_x + 275, bottom_of(LOG) + 8, bw, bh, IMAGE_GO_BOTTOM, 0, u"Go to bottom", 0);
  create_image_button_right_of(LOG_TOP, LOG_BOTTOM, bw, bh, IMAGE_GO_TOP, 5, u"Go to top", 0);
  build_log_index(LOG_INDEX, LOG_START, log_x, bottom_of(LOG) + 28, {LOG_BOTTOM, LOG_TOP});
  create_image_button_at(CLOSE, width - bw - 10, height - bh - 10, bw, bh, IMAGE_CLOSE, 0, u"Close", 0);
  shortcut_add(WINDOW, KEY_ESCAPE, SHORTCUT_ESCAPE);
  shortcut_add(WINDOW, KEY_F1, SHORTCUT_HELP);
}

// True closes the window.
bool handle_gadget(dictionary_document& dictionary, int gadget, int subtype) {
  if (handle_paste_and_log_gadget(kEditors, gadget, log_index_enabled)) return false;
  switch (gadget) {
    case PROCESS: run_import(dictionary); break;
    case REMOVE_1:
      if (subtype == SUBTYPE_CHANGE) possessive_remove_text_1 = gadget_get_text(REMOVE_1);
      break;
    case REMOVE_2:
      if (subtype == SUBTYPE_CHANGE) possessive_remove_text_2 = gadget_get_text(REMOVE_2);
      break;
    case CLOSE: return true;
    default: break;
  }
  return false;
}

}  // namespace

void show_possessive_names_window(dictionary_document& dictionary, const preferences& prefs) {
  const text_t& resolution = prefs.record.window_resolution;
  const int width = 1014 + static_cast<int>(scale_extra_width_for(resolution, 100));
  const int height = 570 + static_cast<int>(scale_extra_height_for(resolution, 100));
  window_set_disabled(MAIN_WINDOW, 1);
  if (!window_open(WINDOW, GUI_KEEP, GUI_KEEP, width, height, u"Import places/people names with possessives",
                   TOOL_WINDOW_FLAGS, window_widget(MAIN_WINDOW))) {
    message_box(u"Error!", u"Can't open a window.", MB_ICON_ERROR);
    window_set_disabled(MAIN_WINDOW, 0);
    return;
  }
  log_index_enabled = 1;
  build_window(resolution, width, height);
  run_modal_loop(WINDOW, [&dictionary](const modal_event& e) {
    if (e.is_close_box() || e.is_menu(SHORTCUT_ESCAPE)) return modal_step::close;
    if (e.is_menu(SHORTCUT_HELP)) open_manual_page(u"#5.2.5.3.import_places_names_possessives");
    if (e.type == EVENT_GADGET) return close_when(handle_gadget(dictionary, e.object, e.subtype));
    return modal_step::stay;
  });
  // Both views of the dictionary's words: its tab's and the Hyphenation tab's.
  update_paged_list_labels(dictionary.list);
  refresh_list_view_page();
  redraw_paged_list(dictionary.list);
  sync_paged_list_selection(dictionary.list);
  end_modal_window(WINDOW, MAIN_WINDOW, modal_end_order::close_window_first);
}

void register_possessive_names_commands(dictionary_document& dictionary, const preferences& prefs,
                                        tool_registry& tools) {
  tools.set_command(MENU_IMPORT_POSSESSIVES,
                    [&dictionary, &prefs] { show_possessive_names_window(dictionary, prefs); });
}
