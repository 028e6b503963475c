#include "dictionary/aff_validate_window.h"

#include "affix/aff_validation.h"
#include "common/format.h"
#include "gui/gui.h"
#include "gui/modal_window.h"
#include "gui/text_cursor.h"
#include "kit/goto_window.h"
#include "kit/ids.h"
#include "kit/layout.h"
#include "kit/main_job_host.h"
#include "kit/window_helpers.h"

#include <algorithm>

using namespace aff_validate_ids;

namespace {

constexpr int BW = static_cast<int>(image_button_width), BH = static_cast<int>(image_button_height);
constexpr int LABEL_HEIGHT = 18, BAR_WIDTH = 158, BAR_HEIGHT = 8;
constexpr int IMAGE_EDIT_OLD = 83, IMAGE_EDIT_NEW = 84, IMAGE_PROCESS = 30042;
// F1 of the line editor.
constexpr int SHORTCUT_DIALOG_HELP = 1004;
// Rows added to the list per call while it fills.
constexpr size_t FILL_CHUNK = 512;

const char16_t kBanner[] =
    u"AFF Validate V2.2 - 2023-03-21\n"
    u"========================\n"
    u"This option provides SMART validation of the AFF.\n"
    u"\n"
    u"After making changes in the panel in the right,\n"
    u"if you wish to press the PROCESS button, you\n"
    u"will have to press the REFRESH button first.\n"
    u"\n";

struct panel_snapshot {
  std::vector<aff_validate_line_record> lines;
  int64_t selected = -1;
  int64_t checked = 0;
};

struct window_state {
  dictionary_document* dictionary = nullptr;
  // The panel's text parsed by Refresh; Process uses it from then on.
  aff_decode_cache panel_cache;
  bool panel_parsed = false;
  std::vector<aff_validate_line_record> lines;
  int64_t checked = 0;
  text_t captured;        // the .aff text when the window opened
  bool loaded = false;    // every line of it reached the panel
  panel_snapshot undo, redo;
  bool undo_available = false, redo_available = false;
};

window_state* open_state = nullptr;

int64_t line_count() { return static_cast<int64_t>(open_state->lines.size()); }

void log_line(const text_t& text) { append_gadget_line(LOG, text); }

void warn(const text_t& text) { message_box(u"Warning!", text, MB_ICON_WARNING); }

// ---- labels -----------------------------------------------------------------------------
void show_found() {
  set_gadget_text_if_changed(FOUND, u"Found:" + string_from_int(line_count()));
  gadget_move_resize(CHANGED_MARK, right_of(FOUND) + 2, GUI_KEEP, GUI_KEEP, GUI_KEEP);
}
void show_selected(bool with_count) {
  set_gadget_text_if_changed(SELECTED, aff_validate_selected_label(open_state->checked, line_count(), with_count));
}
void show_step_label(const text_t& text) { set_gadget_text_if_changed(STEP_LABEL, text); }

void set_controls(bool busy) {
  for (int g : {OK, CANCEL, PROCESS, CLEAR_LOG, REFRESH, LOG_BOTTOM, LOG_TOP, SAVE_REPORT, CLEAR_LINES, LINES_BOTTOM,
                LINES_TOP, GOTO, LINES})
    gadget_set_disabled(g, busy ? 1 : 0);
  gadget_set_disabled(UNDO, busy || !open_state->undo_available ? 1 : 0);
  gadget_set_disabled(REDO, busy || !open_state->redo_available ? 1 : 0);
}

// ---- rows -------------------------------------------------------------------------------------
text_t row_text(int64_t number, const text_t& line) { return string_from_int(number) + u"\n" + line; }

void colour_number_column() {
  gadget_set_item_color(LINES, -1, COLOR_BACKGROUND, static_cast<int>(COLOUR_LINE_NUMBER_BACKGROUND), 0);
  gadget_set_item_color(LINES, -1, COLOR_TEXT, 0, 0);
}

void show_line_colour(int64_t line, int32_t colour) {
  if (line == 0) {
    gadget_set_item_color(LINES, -1, COLOR_TEXT, 0, 1);
  } else if (line >= 1 && line <= gadget_count_items(LINES)) {
    gadget_set_item_color(LINES, static_cast<int>(line - 1), COLOR_TEXT, colour, 1);
  }
}

// Rows made anew from the records: numbers, texts, colours, check marks,
// then the selected row.
void refill_rows(int64_t selected) {
  const auto& lines = open_state->lines;
  std::vector<text_t> rows;
  rows.reserve(lines.size());
  for (size_t i = 0; i < lines.size(); ++i) rows.push_back(row_text(static_cast<int64_t>(i) + 1, lines[i].text));
  gadget_clear_items(LINES);
  gadget_add_items(LINES, rows);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].colour != 0) gadget_set_item_color(LINES, static_cast<int>(i), COLOR_TEXT, lines[i].colour, 1);
    if (lines[i].checked) gadget_set_item_state(LINES, static_cast<int>(i), ITEM_CHECKED);
  }
  colour_number_column();
  if (selected >= 0 && selected < line_count()) gadget_set_state(LINES, static_cast<int>(selected));
  show_found();
}

int64_t selected_row() {
  const int row = gadget_get_state(LINES);
  return row >= 0 && row < line_count() ? row : -1;
}

int64_t count_checked() {
  return std::count_if(open_state->lines.begin(), open_state->lines.end(),
                       [](const aff_validate_line_record& l) { return l.checked != 0; });
}

// ---- undo -----------------------------------------------------------------------------------
void save_undo() {
  window_state& s = *open_state;
  s.undo = {s.lines, selected_row(), s.checked};
  s.undo_available = true;
  s.redo_available = false;
  gadget_set_disabled(UNDO, 0);
  gadget_set_disabled(REDO, 1);
  set_gadget_text_if_changed(CHANGED_MARK, u"\u25CF");
}

void restore(const panel_snapshot& from) {
  window_state& s = *open_state;
  s.lines = from.lines;
  s.checked = from.checked;
  refill_rows(from.selected);
  show_selected(true);
}

void undo_panel() {
  window_state& s = *open_state;
  if (!s.undo_available) return;
  s.redo = {s.lines, selected_row(), s.checked};
  s.undo_available = false;
  s.redo_available = true;
  gadget_set_disabled(UNDO, 1);
  gadget_set_disabled(REDO, 0);
  restore(s.undo);
}

void redo_panel() {
  window_state& s = *open_state;
  if (!s.redo_available) return;
  const panel_snapshot redo = s.redo;
  save_undo();
  restore(redo);
}

// ---- line commands ------------------------------------------------------------------------
bool refuse_without_lines() {
  if (line_count() > 0) return false;
  warn(u"No lines found.");
  return true;
}

bool refuse_without_selection() {
  if (refuse_without_lines()) return true;
  if (selected_row() >= 0) return false;
  warn(u"No line selected.");
  return true;
}

void after_change(int64_t selected, bool selected_label) {
  refill_rows(selected);
  if (selected_label) show_selected(true);
}

void insert_line(int64_t at, const text_t& text) {
  save_undo();
  open_state->lines.insert(open_state->lines.begin() + at, {text, AFF_LINE_BLACK, 0});
  after_change(at, false);
}

void set_all_checks(int mode) {  // 0 none, 1 all, 2 invert
  if (refuse_without_lines()) return;
  for (auto& l : open_state->lines) l.checked = mode == 2 ? !l.checked : mode;
  for (int64_t i = 0; i < line_count(); ++i)
    gadget_set_item_state(LINES, static_cast<int>(i), open_state->lines[i].checked ? ITEM_CHECKED : 0);
  open_state->checked = count_checked();
  show_selected(false);
}

void delete_selected_lines() {
  if (refuse_without_lines()) return;
  if (open_state->checked == 0) {
    warn(u"No selected lines found.");
    return;
  }
  if (message_box(u"Warning!", u"Really delete selected lines?", MB_YES_NO | MB_ICON_WARNING) != MB_ANSWER_YES) return;
  save_undo();
  auto& lines = open_state->lines;
  lines.erase(std::remove_if(lines.begin(), lines.end(), [](const aff_validate_line_record& l) { return l.checked; }),
              lines.end());
  open_state->checked = 0;
  after_change(-1, true);
}

void delete_line() {
  if (refuse_without_selection()) return;
  const int64_t s = selected_row();
  if (message_box(u"Warning!", u"Really delete line?", MB_YES_NO | MB_ICON_WARNING) != MB_ANSWER_YES) return;
  save_undo();
  if (open_state->lines[s].checked) open_state->checked -= 1;
  open_state->lines.erase(open_state->lines.begin() + s);
  after_change(std::min(s, line_count() - 1), true);
}

void clear_lines() {
  // A box closed without an answer keeps the lines, as No does.
  if (line_count() > 0 && message_box(u"Warning!", u"Really delete all lines?", MB_YES_NO | MB_ICON_INFORMATION) !=
                              MB_ANSWER_YES)
    return;
  save_undo();
  open_state->lines.clear();
  open_state->checked = 0;
  after_change(-1, true);
}

void edit_line() {
  if (refuse_without_selection()) return;
  const int64_t s = selected_row();
  const text_t old_text = open_state->lines[s].text;
  window_set_disabled(WINDOW, 1);
  if (!window_open(EDIT_DIALOG, GUI_KEEP, GUI_KEEP, 710, 145, u"Edit an AFF Validate line", TOOL_WINDOW_FLAGS,
                   window_widget(WINDOW))) {
    window_set_disabled(WINDOW, 0);
    message_box(u"Error!", u"Can't open a window.", MB_ICON_ERROR);
    return;
  }
  gadget_create_image(EDIT_OLD_IMAGE, 11, 14, 16, 16, image_pixbuf(IMAGE_EDIT_OLD));
  gadget_create_image(EDIT_NEW_IMAGE, 11, 55, 16, 16, image_pixbuf(IMAGE_EDIT_NEW));
  gadget_create_entry_ex(EDIT_OLD, 41, 12, 640, 24, old_text, ENTRY_READ_ONLY);
  gadget_create_entry(EDIT_NEW, 41, 53, 640, 24, old_text);
  const int button_y = 145 - 10 - static_cast<int>(button_height);
  gadget_create_button(EDIT_OK, 91, button_y, static_cast<int>(narrow_button_width), static_cast<int>(button_height),
                       u"OK");
  gadget_create_button(EDIT_CANCEL, 191, button_y, static_cast<int>(narrow_button_width),
                       static_cast<int>(button_height), u"Cancel");
  shortcut_add(EDIT_DIALOG, KEY_ESCAPE, SHORTCUT_ESCAPE);
  shortcut_add(EDIT_DIALOG, KEY_RETURN, SHORTCUT_RETURN);
  shortcut_add(EDIT_DIALOG, KEY_F1, SHORTCUT_DIALOG_HELP);
  gadget_set_focus(EDIT_NEW);
  run_modal_loop(EDIT_DIALOG, [&](const modal_event& e) {
    if (e.is_close_box() || e.is_menu(SHORTCUT_ESCAPE) || e.is_gadget(EDIT_CANCEL)) return modal_step::close;
    if (e.is_menu(SHORTCUT_RETURN)) event_post(EVENT_GADGET, EDIT_DIALOG, EDIT_OK);
    if (e.is_menu(SHORTCUT_DIALOG_HELP)) open_manual_page(u"");
    if (!e.is_gadget(EDIT_OK)) return modal_step::stay;
    const text_t new_text = gadget_get_text(EDIT_NEW);
    if (new_text != old_text) {
      save_undo();
      open_state->lines[s].text = new_text;
      gadget_set_item_text(LINES, static_cast<int>(s), new_text, 1);
      gadget_set_item_color(LINES, static_cast<int>(s), COLOR_TEXT, open_state->lines[s].colour, 1);
    }
    return modal_step::close;
  });
  end_modal_window(EDIT_DIALOG, WINDOW);
}

void take_checks_from_rows() {
  for (int64_t i = 0; i < line_count(); ++i)
    open_state->lines[i].checked = (gadget_get_item_state(LINES, static_cast<int>(i)) & ITEM_CHECKED) ? 1 : 0;
  open_state->checked = count_checked();
  show_selected(true);
}

void goto_line() {
  goto_list list;
  list.kind = u"lines";
  list.count = line_count();
  list.parent = WINDOW;
  list.jump = [](int64_t index) { gadget_set_state(LINES, static_cast<int>(index)); };
  show_goto_dialog(list);
}

// ---- loading ----------------------------------------------------------------------------------
tool_window_job_host loading_host() {
  return tool_window_job_host({.window = WINDOW, .progress_bar = LOAD_PROGRESS, .escape_label = LOAD_ESCAPE});
}

// The lines into the panel, polling as a long job; false when the user
// stopped it (the panel then holds the rows added so far, and OK will not
// write them back).
bool load_lines(const text_t& text) {
  window_state& s = *open_state;
  std::vector<aff_validate_line_record> lines = split_aff_validate_lines(text);
  const int64_t count = static_cast<int64_t>(lines.size());
  tool_window_job_host host = loading_host();
  long_job job(host, u"", 2 * count, true);
  gadget_set_hidden(LOAD_PROGRESS, 0);
  int64_t shown = count;  // the split is done once the text is whole
  job.on_tick = [&](int64_t position) {
    set_gadget_text_if_changed(FOUND, u"Found:" + string_from_int(position - count) +
                                          format_percentage(static_cast<int32_t>(std::min<int64_t>(position, INT32_MAX)),
                                                            static_cast<int32_t>(std::min<int64_t>(2 * count, INT32_MAX))));
    set_gadget_text_if_changed(LOAD_TIME, format_elapsed_time(u"\u231A", job.elapsed_ms()));
  };
  log_line(u"Number of lines processed:" + string_from_int(count));
  log_line(u"Populating gadget with the lines...");
  bool stopped = false;
  std::vector<text_t> rows;
  for (size_t begin = 0; begin < lines.size() && !stopped; begin += FILL_CHUNK) {
    const size_t end = std::min(lines.size(), begin + FILL_CHUNK);
    rows.clear();
    for (size_t i = begin; i < end; ++i) rows.push_back(row_text(static_cast<int64_t>(i) + 1, lines[i].text));
    gadget_add_items(LINES, rows);
    s.lines.insert(s.lines.end(), lines.begin() + begin, lines.begin() + end);
    for (size_t i = begin; i < end && !stopped; ++i) stopped = !job.step(++shown);
  }
  colour_number_column();
  show_found();
  gadget_set_hidden(LOAD_PROGRESS, 1);
  set_gadget_text_if_changed(LOAD_TIME, format_elapsed_time(u"\u231A", job.elapsed_ms()));
  if (stopped) {
    job.abort();
    log_line(u"Aborted.");
    return false;
  }
  job.end(u"");
  log_line(u"Populating done.");
  return true;
}

// ---- buttons ------------------------------------------------------------------------------------
void process() {
  if (line_count() == 0) {
    warn(u"Nothing to process.");
    log_line(u"Nothing to process.");
    log_line(u"");
    return;
  }
  save_undo();
  set_controls(true);
  gadget_set_state(PROGRESS, 0);
  gadget_set_hidden(PROGRESS, 0);
  tool_window_job_host host({.window = WINDOW, .progress_bar = PROGRESS, .escape_label = ESCAPE_LABEL,
                             .timer = AFF_VALIDATE_TIMER, .timer_ms = AFF_VALIDATE_TIMER_MS});
  aff_validation_view view;
  view.step_started = [](int n) {
    show_step_label(u"Processing:" + string_from_int(n) + u"/" + string_from_int(AFF_VALIDATION_STEPS));
  };
  view.finished = [] {
    show_step_label(u"Processing:" + string_from_int(AFF_VALIDATION_STEPS) + u"/" +
                    string_from_int(AFF_VALIDATION_STEPS) + u" Done!");
  };
  view.aborted = [] { show_step_label(u"Processing:Aborted."); };
  view.log = [](text_view block) { append_gadget_line(LOG, text_t(block)); };
  view.colour_line = show_line_colour;
  view.elapsed = [](int64_t ms) { set_gadget_text_if_changed(TIME_LABEL, format_elapsed_time(u"\u231A", ms)); };
  view.progress = [](int64_t position, int64_t maximum) {
    set_gadget_text_if_changed(PERCENT_LABEL,
                               format_percentage(static_cast<int32_t>(std::min<int64_t>(position, INT32_MAX)),
                                                 static_cast<int32_t>(std::min<int64_t>(maximum, INT32_MAX))));
  };
  window_state& s = *open_state;
  const aff_decode_cache& cache = s.panel_parsed ? s.panel_cache : s.dictionary->decode_cache();
  run_aff_validation(s.lines, s.captured, cache, host, view);
  gadget_set_state(PROGRESS, 0);
  gadget_set_hidden(PROGRESS, 1);
  set_controls(false);
  set_gadget_text_if_changed(ESCAPE_LABEL, u"");
  set_gadget_text_if_changed(PERCENT_LABEL, u"");
}

void refresh() {
  set_controls(true);
  log_line(u"Converting the right panel to .AFF text");
  if (line_count() == 0) {
    warn(u"Nothing to process.");
    log_line(u"Nothing to process.");
    log_line(u"");
  } else {
    // The panel text is parsed into a cache of the window's own: the .aff
    // editor and the dictionary's cache are never replaced, so nothing of
    // them can be lost on the way.
    log_line(u"");
    log_line(u"Replacing the original .AFF gadget");
    log_line(u"");
    log_line(u"Processing the .AFF gadget");
    rebuild_aff_cache_from_panel(open_state->panel_cache, open_state->lines,
                                 open_state->dictionary->on_cache_rebuild);
    open_state->panel_parsed = true;
    log_line(u"");
    log_line(u"Restoring back the original .AFF gadget");
    log_line(u"");
  }
  set_controls(false);
}

void save_report() {
  const text_t path = request_save_path(u"Save AFF Validate report", u"Text (*.txt)|*.txt", u".txt");
  if (path.empty()) return;
  if (!write_aff_validation_report(gadget_get_text(LOG), path)) {
    message_box(u"Error!", u"Can't write the file:\n" + path, MB_ICON_ERROR);
    return;
  }
  message_box(u"Information!", u"Report saved:\n" + path, MB_ICON_INFORMATION);
}

// Writes the panel back to the .aff editor when it differs from the text
// taken at opening; a panel that was not loaded whole is never written.
void apply_panel() {
  text_t text;
  if (!open_state->loaded) {
    warn(u"The lines were not all loaded: the .AFF text stays as it was.");
    return;
  }
  if (!aff_validate_text_to_write(open_state->lines, open_state->loaded, open_state->captured, text)) return;
  open_state->dictionary->set_aff_text(std::move(text));
  open_state->dictionary->list.mark_changed();
}

// ---- the window ----------------------------------------------------------------------------------
void create_label(int g, int x, int y, const text_t& text) {
  gadget_create_label(g, x, y, 10, LABEL_HEIGHT, text);
  fit_gadget_to_content(g);
}

void create_popup() {
  menu_free(POPUP);
  menu_create_image_popup(POPUP);
  auto item = [](int id, const char16_t* text, int image) { menu_add_item_image(id, text, image_pixbuf(image)); };
  item(ADD_ABOVE, u"Add Above", IMAGE_ADD_ABOVE);
  item(ADD_BELOW, u"Add Below", IMAGE_ADD_BELOW);
  item(EDIT, u"Edit", IMAGE_EDIT);
  item(CLONE_BELOW, u"Clone Below", 92);
  menu_add_separator();
  add_selection_popup_items({.select_all = SELECT_ALL,
                             .select_none = SELECT_NONE,
                             .invert = INVERT,
                             .delete_selected = DELETE_SELECTED,
                             .delete_one = DELETE_LINE});
}

bool build_window(text_view resolution) {
  const int ew = static_cast<int>(scale_extra_width_for(resolution, 50));
  const int eh = static_cast<int>(scale_extra_height_for(resolution, 100));
  const int width = 1014 + static_cast<int>(scale_extra_width_for(resolution, 100));
  const int height = 550 + eh;
  if (!window_open(WINDOW, GUI_KEEP, GUI_KEEP, width, height, u"AFF Validate", TOOL_WINDOW_FLAGS,
                   window_widget(MAIN_WINDOW)))
    return false;
  gadget_create_text_view_ex(LOG, 10, 10, 365 + ew, 412 + eh, TEXT_VIEW_READ_ONLY);
  use_language_font(LOG);
  gadget_create_column_list_ex(LINES, right_of(LOG) + 20, 10, 605 + ew, 377 + eh - LABEL_HEIGHT, u"Line #", 85,
                               LIST_CHECK_BOXES);
  gadget_add_column(LINES, 1, u"Text", gadget_width(LINES) - 120);
  use_language_font(LINES);
  create_image_button_at(OK, width - 10 - BW, height - 10 - BH, BW, BH, IMAGE_OK, 0, u"OK", 0);
  create_image_button_left_of(CANCEL, OK, BW, BH, IMAGE_CANCEL, 20, 0, u"Cancel", 0);
  create_image_button_at(PROCESS, 10, bottom_of(LOG) + 10, BW, BH, IMAGE_PROCESS, 0, u"Process", 0);
  create_image_button_right_of(CLEAR_LOG, PROCESS, BW, BH, IMAGE_CLEAR, 10, u"Clear", 0);
  create_image_button_right_of(REFRESH, CLEAR_LOG, BW, BH, IMAGE_REFRESH, 10, u"Refresh", 0);
  create_image_button_right_of(LOG_BOTTOM, REFRESH, BW, BH, IMAGE_GO_BOTTOM, 24, u"Go to bottom", 0);
  create_image_button_right_of(LOG_TOP, LOG_BOTTOM, BW, BH, IMAGE_GO_TOP, 10, u"Go to top", 0);
  create_image_button_right_of(SAVE_REPORT, LOG_TOP, BW, BH, IMAGE_SAVE_AS, 24, u"Save the report", 0);
  create_label(STEP_LABEL, 10, bottom_of(PROCESS) + 4, u"Processing: 0/0");
  create_label(PERCENT_LABEL, 10, bottom_of(STEP_LABEL), u"");
  gadget_create_progress_bar(PROGRESS, right_of(STEP_LABEL) + 40, gadget_y(STEP_LABEL), BAR_WIDTH, BAR_HEIGHT, 0, 1);
  gadget_set_hidden(PROGRESS, 1);
  create_label(TIME_LABEL, gadget_x(PROGRESS), bottom_of(PROGRESS), u"");
  create_label(ESCAPE_LABEL, gadget_x(PROGRESS), bottom_of(TIME_LABEL), u"");

  const int lx = gadget_x(LINES), below = bottom_of(LINES) + 8;
  create_label(FOUND, lx, below, u"Found:0");
  create_label(CHANGED_MARK, right_of(FOUND) + 2, below, u"\u25CF");
  gadget_set_color(CHANGED_MARK, COLOR_TEXT, static_cast<int>(COLOUR_RED));
  gadget_set_text(CHANGED_MARK, u"");
  create_label(SELECTED, lx, bottom_of(FOUND), u"Selected:None");
  const int clear_x = right_of(FOUND) + BAR_WIDTH + 100;
  create_image_button_at(CLEAR_LINES, clear_x, below, BW, BH, IMAGE_CLEAR, 0, u"Clear", 0);
  gadget_create_progress_bar(LOAD_PROGRESS, clear_x - BAR_WIDTH - 10, below, BAR_WIDTH, BAR_HEIGHT, 0, 1);
  gadget_set_hidden(LOAD_PROGRESS, 1);
  create_label(LOAD_TIME, gadget_x(LOAD_PROGRESS), below + BAR_HEIGHT + 2, u"");
  create_label(LOAD_ESCAPE, gadget_x(LOAD_PROGRESS), bottom_of(LOAD_TIME), u"");
  create_image_button_right_of(LINES_BOTTOM, CLEAR_LINES, BW, BH, IMAGE_GO_BOTTOM, 24, u"Go to bottom", 0);
  create_image_button_right_of(LINES_TOP, LINES_BOTTOM, BW, BH, IMAGE_GO_TOP, 10, u"Go to top", 0);
  create_image_button_at(REDO, right_of(LINES) - BW, below, BW, BH, IMAGE_REDO, 0, u"Redo", 1);
  create_image_button_left_of(UNDO, REDO, BW, BH, IMAGE_UNDO, 10, 0, u"Undo", 1);
  create_image_button_left_of(GOTO, UNDO, BW, BH, IMAGE_GOTO, 10, 0, u"Goto", 0);

  create_popup();
  shortcut_add(WINDOW, KEY_ESCAPE, SHORTCUT_ESCAPE);
  shortcut_add(WINDOW, key_ctrl('G'), SHORTCUT_GOTO);
  shortcut_add(WINDOW, key_ctrl('Z'), SHORTCUT_UNDO);
  shortcut_add(WINDOW, key_ctrl('Y'), SHORTCUT_REDO);
  shortcut_add(WINDOW, KEY_F1, SHORTCUT_HELP);
  return true;
}

// One event of the window's loop; true when the window is to close (apply:
// OK was pressed).
bool handle_event(const modal_event& e, bool& apply) {
  if (e.is_close_box()) return true;
  if (e.type == EVENT_MENU) {
    switch (e.object) {
      case SHORTCUT_ESCAPE: set_gadget_text_if_changed(ESCAPE_LABEL, u""); return true;
      case SHORTCUT_GOTO: goto_line(); break;
      case SHORTCUT_HELP: open_manual_page(aff_validate_manual_anchor); break;
      case ADD_ABOVE: if (!refuse_without_selection()) insert_line(selected_row(), u""); break;
      case ADD_BELOW: if (!refuse_without_selection()) insert_line(selected_row() + 1, u""); break;
      case CLONE_BELOW:
        if (!refuse_without_selection()) insert_line(selected_row() + 1, open_state->lines[selected_row()].text);
        break;
      case EDIT: edit_line(); break;
      case SELECT_ALL: set_all_checks(1); break;
      case SELECT_NONE: set_all_checks(0); break;
      case INVERT: set_all_checks(2); break;
      case DELETE_SELECTED: delete_selected_lines(); break;
      case DELETE_LINE: delete_line(); break;
      default: break;
    }
    return false;
  }
  if (e.type != EVENT_GADGET) return false;
  const int subtype = e.subtype;
  switch (e.object) {
    case LINES:
      if (subtype == SUBTYPE_CHANGE && line_count() > 0) take_checks_from_rows();
      if (subtype == SUBTYPE_RIGHT_CLICK) menu_popup(POPUP, window_widget(WINDOW));
      if (subtype == SUBTYPE_DOUBLE_CLICK) edit_line();
      break;
    case PROCESS: process(); break;
    case CLEAR_LOG: gadget_set_text(LOG, kBanner); break;
    case REFRESH: refresh(); break;
    case LOG_BOTTOM: gadget_set_cursor_position(LOG, INT64_MAX); break;
    case LOG_TOP: gadget_set_cursor_position(LOG, 1); break;
    case SAVE_REPORT: save_report(); break;
    case LINES_BOTTOM: if (line_count() > 0) gadget_set_state(LINES, static_cast<int>(line_count() - 1)); break;
    case LINES_TOP: if (line_count() > 0) gadget_set_state(LINES, 0); break;
    case CLEAR_LINES: clear_lines(); break;
    case UNDO: undo_panel(); break;
    case REDO: redo_panel(); break;
    case GOTO: goto_line(); break;
    case CANCEL: return true;
    case OK: apply = true; return true;
    default: break;
  }
  return false;
}

}  // namespace

void show_aff_validate_window(dictionary_document& dictionary, text_view resolution) {
  window_state state;
  state.dictionary = &dictionary;
  // Taken before the window opens: the line-end pass drains pending events,
  // which must not swallow an Escape meant for the loading.
  state.captured = normalise_line_endings(dictionary.aff_text());
  window_set_disabled(MAIN_WINDOW, 1);
  if (!build_window(resolution)) {
    window_set_disabled(MAIN_WINDOW, 0);
    message_box(u"Error!", u"Can't open a window.", MB_ICON_ERROR);
    return;
  }
  open_state = &state;
  gadget_set_text(LOG, kBanner);
  log_line(u"Processing number of lines...");
  set_controls(true);
  if (state.captured.empty()) {
    warn(u"Nothing to process.");
    log_line(u"Nothing to process.");
    state.loaded = true;
  } else {
    state.loaded = load_lines(state.captured);
  }
  set_controls(false);
  log_line(u"");

  bool apply = false;
  run_modal_loop(WINDOW, [&apply](const modal_event& e) { return close_when(handle_event(e, apply)); });
  if (apply) apply_panel();
  menu_free(POPUP);
  end_modal_window(WINDOW, MAIN_WINDOW, modal_end_order::close_window_first);
  open_state = nullptr;
}

void register_aff_validate_commands(dictionary_document& dictionary, const preferences& prefs, tool_registry& tools) {
  tools.set_command(
      MENU_AFF_VALIDATE, [&dictionary, &prefs] { show_aff_validate_window(dictionary, prefs.record.window_resolution); },
      [&dictionary] { dictionary.decode_cache(); });
}
