#include "tools/master_wordlist_window.h"

#include "common/date_time.h"
#include "common/file.h"
#include "common/format.h"
#include "gui/gui.h"
#include "gui/modal_window.h"
#include "kit/ids.h"
#include "kit/layout.h"
#include "kit/main_job_host.h"
#include "kit/preferences.h"
#include "kit/window_helpers.h"
#include "tools/master_wordlist.h"

#include <algorithm>
#include <cstdint>
#include <vector>

using namespace master_wordlist_ids;

namespace {

constexpr int kMaxFiles = 10;
constexpr int kBlack = 0x000000;
constexpr int kCountPending = 0x0000FF;  // red + green * 256 + blue * 65536
constexpr int kMasterColour = 0x0000FF;
constexpr int kOtherColour = 0x009900;
constexpr int kAddMasterImage = 30044, kAddOthersImage = 30045, kProcessImage = 30042;
constexpr int kSaveImage = 30023, kHyphenSaveImage = 30024, kUppercaseSaveImage = 30025;
constexpr int kStepImage = 30065, kLimitImage = 30064;
constexpr int kManualAnchorKey = SHORTCUT_HELP;

const char16_t* const kStepTitles[MASTER_COMPARE_STEPS] = {
    u"1. Load Master wordlist twice", u"2. Load Other wordlists",        u"3. Sort wordlists in ASCII",
    u"4. eXclusive delete words",     u"5. Sort wordlists in UTF-8-BOM", u"6. Count unique words"};

struct file_slot {
  text_t path;
  int64_t size = 0;
};

// The window's state for one opening.
struct master_window_state {
  std::vector<file_slot> slots = std::vector<file_slot>(kMaxFiles);
  bool list_changed = true;
  std::vector<sort_work_record> missing_words;
  int64_t missing_count = 0;
  text_t separator;  // thousands separator of the counts
};
master_window_state* state = nullptr;

void warn(const text_t& text) { message_box(u"Warning!", text, MB_ICON_WARNING); }

int rows() { return gadget_count_items(FILE_LIST); }
bool row_checked(int row) { return (gadget_get_item_state(FILE_LIST, row) & ITEM_CHECKED) != 0; }
text_t row_type(int row) { return gadget_get_item_text(FILE_LIST, row, 1); }
text_t row_path(int row) { return gadget_get_item_text(FILE_LIST, row, 2); }
int rows_of_type(const char16_t* type) {
  int n = 0;
  for (int i = 0; i < rows(); ++i) n += row_type(i) == type ? 1 : 0;
  return n;
}

void update_selection_label() {
  int checked = 0;
  for (int i = 0; i < rows(); ++i) checked += row_checked(i) ? 1 : 0;
  text_t text = u"Selected:";
  if (rows() == 0 || checked == 0) text += u"None";
  else if (checked == rows()) text += u"All";
  else text += string_from_int(checked) + u"/" + string_from_int(rows());
  set_gadget_text_if_changed(SELECTED_LABEL, text);
}

void renumber_rows() {
  for (int i = 0; i < rows(); ++i) gadget_set_item_text(FILE_LIST, i, string_from_int(i + 1), 0);
}

void free_slot(const text_t& path) {
  for (file_slot& s : state->slots) {
    if (s.path == path) {
      s = file_slot();
      return;
    }
  }
}

// The open requester; the row's text (path, "?", size) or "" when nothing
// was chosen or every slot is taken.
text_t select_wordlist_file(const text_t& kind) {
  const text_t path = request_existing_file(u"Select " + kind + u" Text File", u"Text File (*.txt)|*.txt", u".txt");
  if (path.empty()) return {};
  const int64_t size = file_size_by_path(path);
  for (file_slot& s : state->slots) {
    if (s.path.empty()) {
      s = {path, size};
      return path + u"\n?\n" + format_file_size(u"", size, 0);
    }
  }
  return {};
}

void add_file(const char16_t* kind) {
  const text_t text = select_wordlist_file(kind);
  if (text.empty()) return;
  const int row = rows();
  gadget_add_item(FILE_LIST, -1, string_from_int(row + 1) + u"\n" + kind + u"\n" + text);
  gadget_set_item_color(FILE_LIST, row, COLOR_BACKGROUND, static_cast<int>(COLOUR_LINE_NUMBER_BACKGROUND), 0);
  gadget_set_item_color(FILE_LIST, row, COLOR_TEXT, text_t(kind) == u"Master" ? kMasterColour : kOtherColour, 1);
  gadget_set_item_color(FILE_LIST, row, COLOR_TEXT, kCountPending, 3);
  state->list_changed = true;
  update_selection_label();
}

void set_all_checks(int mode) {  // 1 check, 0 uncheck, -1 invert
  if (rows() == 0) {
    warn(u"Nothing to process.");
    return;
  }
  for (int i = 0; i < rows(); ++i) {
    const bool on = mode < 0 ? !row_checked(i) : mode == 1;
    gadget_set_item_state(FILE_LIST, i, on ? ITEM_CHECKED : 0);
  }
  update_selection_label();
}

void delete_current_row() {
  const int row = gadget_get_state(FILE_LIST);
  if (rows() == 0 || row < 0) {
    warn(u"Nothing to delete.");
    return;
  }
  if (message_box(u"Warning!", u"Delete selected entry?", MB_YES_NO | MB_ICON_WARNING) == MB_ANSWER_NO) return;
  free_slot(row_path(row));
  gadget_remove_item(FILE_LIST, row);
  renumber_rows();
  state->list_changed = true;
  update_selection_label();
}

void delete_checked_rows() {
  int checked = 0;
  for (int i = 0; i < rows(); ++i) checked += row_checked(i) ? 1 : 0;
  if (checked == 0) {
    warn(u"Nothing to delete.");
  } else if (message_box(u"Warning!", u"Delete selected entries?", MB_YES_NO | MB_ICON_WARNING) != MB_ANSWER_NO) {
    for (int i = rows() - 1; i >= 0; --i) {
      if (!row_checked(i)) continue;
      free_slot(row_path(i));
      gadget_remove_item(FILE_LIST, i);
    }
    renumber_rows();
    state->list_changed = true;
  }
  update_selection_label();
}

// The buttons follow the list: called before each wait when it changed.
void update_button_states() {
  const int masters = rows_of_type(u"Master");
  const int others = rows_of_type(u"Other");
  const bool any = rows() > 0;
  gadget_set_disabled(ADD_MASTER, masters > 0 ? 1 : 0);
  gadget_set_disabled(ADD_OTHERS, masters + others >= kMaxFiles ? 1 : 0);
  gadget_set_disabled(PROCESS, masters > 0 && others > 0 ? 0 : 1);
  for (int g = SELECT_ALL; g <= DELETE_CURRENT; ++g) gadget_set_disabled(g, any ? 0 : 1);
  for (int g = SAVE_ALL; g <= SAVE_UPPERCASE; ++g) gadget_set_disabled(g, state->missing_count != 0 ? 0 : 1);
  int64_t size = 0;
  for (const file_slot& s : state->slots) size += s.size;
  set_gadget_text_if_changed(FILES_SIZE_LABEL, u"Total files size:" + format_file_size(u"", size, 0));
}

void disable_controls(int disabled) {
  for (int g = ADD_MASTER; g <= CLOSE; ++g) gadget_set_disabled(g, disabled);
  for (int g = SELECT_ALL; g <= DELETE_CURRENT; ++g) gadget_set_disabled(g, disabled);
  gadget_set_disabled(FILE_LIST, disabled);
}

void set_step_image(int step, int image) {
  if (step >= 1 && step <= MASTER_COMPARE_STEPS) gadget_set_image(STEP_STATE_FIRST + step - 1, image_pixbuf(image));
}

tool_window_job_host job_host() {
  return tool_window_job_host(
      {.window = WINDOW, .progress_bar = PROGRESS, .time_label = TIME_LABEL, .escape_label = ESCAPE_LABEL});
}

void run_comparison() {
  set_gadget_text_if_changed(TIME_LABEL, u"");
  set_gadget_text_if_changed(TOTAL_LABEL, u"Total words:N/A");
  set_gadget_text_if_changed(MISSING_LABEL, u"Missing words:N/A");
  set_gadget_text_if_changed(HYPHENATED_LABEL, u"Missing hyphenated:N/A");
  set_gadget_text_if_changed(UPPERCASE_LABEL, u"Missing uppercase:N/A");
  set_gadget_text_if_changed(PROCESSING_LABEL, u"Processing:0/0");
  for (int step = 1; step <= MASTER_COMPARE_STEPS; ++step) gadget_set_image(STEP_STATE_FIRST + step - 1, nullptr);
  state->missing_words.clear();
  state->missing_count = 0;

  text_t master;
  std::vector<text_t> others;
  std::vector<int> other_rows;
  int master_row = -1;
  for (int i = 0; i < rows(); ++i) {
    if (row_type(i) == u"Master" && master_row < 0) {
      master_row = i;
      master = row_path(i);
    } else if (row_type(i) == u"Other") {
      others.push_back(row_path(i));
      other_rows.push_back(i);
    }
  }
  const int64_t start_ms = time_elapsed_ms();
  auto show_count = [](int row, int64_t lines) {
    gadget_set_item_text(FILE_LIST, row, format_count(lines, state->separator), 3);
    gadget_set_item_color(FILE_LIST, row, COLOR_TEXT, kBlack, 3);
  };
  master_compare_observer observer;
  observer.step_started = [](int step, text_view text) {
    set_gadget_text_if_changed(PROCESSING_LABEL, u"Processing:" + string_from_int(step) + u"/" +
                                                     string_from_int(MASTER_COMPARE_STEPS) + text_t(text));
    set_step_image(step, IMAGE_STEP_RUNNING);
    while (event_poll() > 0) {
    }
  };
  observer.step_done = [](int step) { set_step_image(step, IMAGE_STEP_DONE); };
  observer.file_counted = [&](int64_t index, int64_t lines) {
    if (index < 0 && master_row >= 0) show_count(master_row, lines);
    if (index >= 0 && index < static_cast<int64_t>(other_rows.size())) show_count(other_rows[index], lines);
  };
  observer.total_words = [](int64_t words) {
    set_gadget_text_if_changed(TOTAL_LABEL, u"Total words:" + format_count(words, state->separator) + u" (All files)");
  };
  tool_window_job_host host = job_host();
  master_compare_result r = compare_with_master(master, others, host, observer);
  const text_t elapsed = format_elapsed_time(u"\u231a", time_elapsed_ms() - start_ms);
  set_gadget_text_if_changed(TIME_LABEL, elapsed);
  const text_t of_steps = u"/" + string_from_int(MASTER_COMPARE_STEPS);
  if (r.status != master_compare_status::done) {
    set_step_image(r.step, IMAGE_STEP_FAILED);
    set_gadget_text_if_changed(PROCESSING_LABEL, u"Processing:" + string_from_int(r.step) + of_steps + u": Aborted.");
    if (r.status == master_compare_status::master_unreadable) {
      message_box(u"Error!", u"Can't read the Master wordlist:\n" + master, MB_ICON_ERROR);
    }
    return;
  }
  set_gadget_text_if_changed(MISSING_LABEL, u"Missing words:" + format_count(r.missing, state->separator));
  set_gadget_text_if_changed(HYPHENATED_LABEL, u"Missing hyphenated:" + format_count(r.hyphenated, state->separator));
  set_gadget_text_if_changed(UPPERCASE_LABEL, u"Missing uppercase:" + format_count(r.uppercase, state->separator));
  set_gadget_text_if_changed(PROCESSING_LABEL, u"Processing:" + string_from_int(MASTER_COMPARE_STEPS) + of_steps +
                                                   u": Done!");
  state->missing_count = r.missing;
  state->missing_words = std::move(r.missing_words);
  if (!r.unreadable_others.empty()) {
    text_t names;
    for (const text_t& path : r.unreadable_others) names += u"\n" + path;
    warn(u"These files could not be read:" + names);
  }
  if (r.missing == 0) warn(u"No words are missing in Master wordlist.");
}

void save_missing(missing_word_filter filter) {
  const text_t path = request_save_path(u"Save Text File", u"Text file (*.txt) | *.txt", u".txt");
  if (path.empty()) return;
  const int64_t start_ms = time_elapsed_ms();
  tool_window_job_host host = job_host();
  const missing_words_save_result r = save_missing_words_file(state->missing_words, filter, path, host);
  set_gadget_text_if_changed(TIME_LABEL, format_elapsed_time(u"\u231a", time_elapsed_ms() - start_ms));
  if (r.write_failed) {
    message_box(u"Error!", u"Can't write the file:\n" + path, MB_ICON_ERROR);
    return;
  }
  if (r.aborted) return;
  if (filter == missing_word_filter::hyphenated) {
    message_box(u"Warning!", u"Hyphenated words extracted:" + format_count(r.written, state->separator), MB_ICON_INFORMATION);
  } else if (filter == missing_word_filter::uppercase) {
    message_box(u"Warning!", u"Uppercase words extracted:" + format_count(r.written, state->separator), MB_ICON_INFORMATION);
  }
}

// A job between the controls switched off and on; the list is then marked
// changed so that the buttons follow its state again.
template <class F>
void run_job(F&& job) {
  disable_controls(1);
  job();
  disable_controls(0);
  state->list_changed = true;
}

void build_popup_menu() {
  menu_free(POPUP);
  menu_create_image_popup(POPUP);
  add_selection_popup_items({.select_all = ITEM_SELECT_ALL,
                             .select_none = ITEM_SELECT_NONE,
                             .invert = ITEM_INVERT,
                             .delete_selected = ITEM_DELETE_CHECKED,
                             .delete_one = ITEM_DELETE_CURRENT});
}

void build_window(text_view resolution, int width, int height) {
  const int ew = static_cast<int>(scale_extra_width_for(resolution, 100));
  const int eh = static_cast<int>(scale_extra_height_for(resolution, 100));
  const int bw = static_cast<int>(image_button_width), bh = static_cast<int>(image_button_height);
  const int lh = static_cast<int>(text_gadget_height);
  create_image_button_at(ADD_MASTER, 10, 10, bw, bh, kAddMasterImage, 0, u"Add Master", 0);
  create_image_button_at(ADD_OTHERS, 10, bottom_of(ADD_MASTER) + 10, bw, bh, kAddOthersImage, 0, u"Add Others", 0);
  create_image_button_at(PROCESS, 10, bottom_of(ADD_OTHERS) + 10, bw, bh, kProcessImage, 0, u"Import && Process", 0);

  gadget_create_column_list_ex(FILE_LIST, right_of(ADD_MASTER) + 15, 10, 925 + ew, 125 + eh, u"#", 85,
                               LIST_CHECK_BOXES);
  gadget_add_column(FILE_LIST, 1, u"Type", 110);
  gadget_add_column(FILE_LIST, 2, u"File", 350 + ew);
  gadget_add_column(FILE_LIST, 3, u"# Words", 135);
  gadget_add_column(FILE_LIST, 4, u"Filesize", 135);
  use_language_font(FILE_LIST);
  const int list_x = gadget_x(FILE_LIST);
  gadget_create_label(SELECTED_LABEL, list_x, bottom_of(FILE_LIST) + 10, 200, lh, u"Selected:None");

  const int row_y = bottom_of(SELECTED_LABEL) + 5;
  create_image_button_at(SELECT_ALL, list_x, row_y, bw, bh, IMAGE_SELECT_ALL, 0, u"All", 0);
  create_image_button_right_of(SELECT_NONE, SELECT_ALL, bw, bh, IMAGE_SELECT_NONE, 5, u"None", 0);
  create_image_button_right_of(INVERT, SELECT_NONE, bw, bh, IMAGE_INVERT, 5, u"Invert Selection", 0);
  create_image_button_right_of(DELETE_CHECKED, INVERT, bw, bh, IMAGE_DELETE_SELECTED, 5, u"Delete Selected", 0);
  create_image_button_right_of(DELETE_CURRENT, DELETE_CHECKED, bw, bh, IMAGE_DELETE_CURRENT, 5, u"Delete", 0);

  const int steps_x = right_of(DELETE_CURRENT) + 75;
  gadget_create_label(PROCESSING_LABEL, steps_x, row_y, 450, lh, u"Processing:0/0");
  int y = bottom_of(PROCESSING_LABEL) + 6;
  // The step icon shows at its own size: the rows make room for it.
  const int icon_w = image_width(kStepImage), icon_h = image_height(kStepImage);
  const int row_step = std::max(22, icon_h + 2);
  for (int k = 1; k <= MASTER_COMPARE_STEPS; ++k) {
    gadget_create_image(STEP_ICON_FIRST + k - 1, steps_x, y, icon_w, icon_h, image_pixbuf(kStepImage));
    gadget_set_tooltip(STEP_ICON_FIRST + k - 1, u"Step " + string_from_int(k));
    gadget_create_label(STEP_LABEL_FIRST + k - 1, steps_x + 24, y, 230, lh, kStepTitles[k - 1]);
    gadget_create_image(STEP_STATE_FIRST + k - 1, steps_x + 260, y, 16, 16, nullptr);
    y += row_step;
  }

  y = bottom_of(SELECT_ALL) + 10;
  const struct {
    int gadget;
    const char16_t* text;
  } labels[] = {{TOTAL_LABEL, u"Total words:N/A"},
                {MISSING_LABEL, u"Missing words:N/A"},
                {HYPHENATED_LABEL, u"Missing hyphenated:N/A"},
                {UPPERCASE_LABEL, u"Missing uppercase:N/A"},
                {FILES_SIZE_LABEL, u"Total files size:0"}};
  for (const auto& l : labels) {
    gadget_create_label(l.gadget, list_x, y, 300, lh, l.text);
    y += lh + 4;
  }

  const int bar_x = right_of(FILE_LIST) - static_cast<int>(progress_bar_width);
  gadget_create_progress_bar(PROGRESS, bar_x, bottom_of(FILE_LIST) + 10, static_cast<int>(progress_bar_width),
                             static_cast<int>(progress_bar_height), 0, 100);
  gadget_create_label(TIME_LABEL, bar_x, bottom_of(PROGRESS) + 4, static_cast<int>(progress_bar_width), lh, u"");
  gadget_create_label(ESCAPE_LABEL, bar_x, bottom_of(TIME_LABEL) + 2, static_cast<int>(progress_bar_width), lh, u"");

  create_image_button_at(CLOSE, width - bw - 10, height - bh - 10, bw, bh, IMAGE_CLOSE, 0, u"Close", 0);
  create_image_button_left_of(SAVE_UPPERCASE, CLOSE, bw, bh, kUppercaseSaveImage, 20, 0, u"Uppercase Save as", 1);
  create_image_button_left_of(SAVE_HYPHENATED, SAVE_UPPERCASE, bw, bh, kHyphenSaveImage, 5, 0, u"Hyphen Save as", 1);
  create_image_button_left_of(SAVE_ALL, SAVE_HYPHENATED, bw, bh, kSaveImage, 5, 0, u"Save as", 1);

  // Two rows of icon and text at the bottom, each as high as its icon.
  const int limit_y = height - 28 - std::max(22, image_height(kLimitImage) + 2);
  add_icon_label(LIMIT_ICON, LIMIT_LABEL, 10, limit_y, kLimitImage, u"Total number of files is limited to 10.",
                 static_cast<int>(icon_text_offset), 0);
  add_icon_label(ABOUT_ICON, ABOUT_LABEL, 10, height - 28, IMAGE_INFORMATION,
                 u"Find words missing in a Master (Main) wordlist based on other wordlists.",
                 static_cast<int>(icon_text_offset), 0);
  build_popup_menu();
  shortcut_add(WINDOW, KEY_ESCAPE, SHORTCUT_ESCAPE);
  shortcut_add(WINDOW, KEY_F1, kManualAnchorKey);
}

// Menu items of the popup and the shortcuts; true closes the window.
bool handle_command(int id) {
  switch (id) {
    case SHORTCUT_ESCAPE: return true;
    case kManualAnchorKey: open_manual_page(u"#5.2.5.11.words_missing_master_wordlist"); break;
    case ITEM_SELECT_ALL: set_all_checks(1); break;
    case ITEM_SELECT_NONE: set_all_checks(0); break;
    case ITEM_INVERT: set_all_checks(-1); break;
    case ITEM_DELETE_CHECKED: delete_checked_rows(); break;
    case ITEM_DELETE_CURRENT: delete_current_row(); break;
    default: break;
  }
  return false;
}

bool handle_gadget(int gadget, int subtype) {
  switch (gadget) {
    case ADD_MASTER: add_file(u"Master"); break;
    case ADD_OTHERS: add_file(u"Other"); break;
    case PROCESS: run_job(run_comparison); break;
    case SAVE_ALL: run_job([] { save_missing(missing_word_filter::all); }); break;
    case SAVE_HYPHENATED: run_job([] { save_missing(missing_word_filter::hyphenated); }); break;
    case SAVE_UPPERCASE: run_job([] { save_missing(missing_word_filter::uppercase); }); break;
    case SELECT_ALL: set_all_checks(1); break;
    case SELECT_NONE: set_all_checks(0); break;
    case INVERT: set_all_checks(-1); break;
    case DELETE_CHECKED: delete_checked_rows(); break;
    case DELETE_CURRENT: delete_current_row(); break;
    case FILE_LIST:
      if (subtype == SUBTYPE_RIGHT_CLICK) menu_popup(POPUP, window_widget(WINDOW));
      update_selection_label();
      break;
    case CLOSE: return true;
    default: break;
  }
  return false;
}

}  // namespace

void show_master_wordlist_window(const preferences& prefs) {
  const text_t& resolution = prefs.record.window_resolution;
  const int width = 1014 + static_cast<int>(scale_extra_width_for(resolution, 100));
  const int height = 550 + static_cast<int>(scale_extra_height_for(resolution, 100));
  window_set_disabled(MAIN_WINDOW, 1);
  if (!window_open(WINDOW, GUI_KEEP, GUI_KEEP, width, height, u"Words missing in Master Wordlist", TOOL_WINDOW_FLAGS,
                   window_widget(MAIN_WINDOW))) {
    message_box(u"Error!", u"Can't open a window.", MB_ICON_ERROR);
    window_set_disabled(MAIN_WINDOW, 0);
    return;
  }
  master_window_state opened;
  opened.separator = prefs.applied.number_separator_chr;
  state = &opened;
  build_window(resolution, width, height);

  const auto on_event = [](const modal_event& e) {
    if (e.is_close_box()) return modal_step::close;
    if (e.type == EVENT_MENU) return close_when(handle_command(e.object));
    if (e.type == EVENT_GADGET) return close_when(handle_gadget(e.object, e.subtype));
    return modal_step::stay;
  };
  run_modal_loop(WINDOW, on_event, {.before_wait = [] {
                   if (state->list_changed) {
                     state->list_changed = false;
                     update_button_states();
                   }
                 }});

  window_close(WINDOW);
  menu_free(POPUP);
  state = nullptr;  // the work records go with the opening
  window_set_disabled(MAIN_WINDOW, 0);
  window_activate(MAIN_WINDOW);
}

void register_master_wordlist_commands(const preferences& prefs, tool_registry& tools) {
  tools.set_command(MENU_MASTER_WORDLIST, [&prefs] { show_master_wordlist_window(prefs); });
}
