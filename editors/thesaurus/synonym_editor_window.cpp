#include "editors/thesaurus/synonym_editor_window.h"

#include "common/date_time.h"
#include "editors/thesaurus/synonym_editor.h"
#include "editors/thesaurus/thesaurus_file.h"
#include "gui/gui.h"
#include "gui/modal_window.h"
#include "kit/id_blocks.h"
#include "kit/ids.h"
#include "kit/layout.h"
#include "kit/list_view_ui.h"
#include "kit/undo_redo_ui.h"
#include "kit/window_helpers.h"

#include <algorithm>

using namespace synonym_editor_ids;

static_assert(ids_in_block(ENTRY_EDITOR_BLOCK, {WINDOW, WORD_LABEL, WORD_FIELD, MEANINGS_LABEL, COUNTER, MEANINGS,
                                                OK, CANCEL}));

namespace {

// F1 in tool windows.
constexpr int SHORTCUT_TOOL_HELP = 1004;
static_assert(SHORTCUT_BLOCK.holds(SHORTCUT_TOOL_HELP));
// The counter follows the text at most this often.
constexpr int64_t COUNTER_INTERVAL_MS = 300;
constexpr int BLACK = 0;

bool editor_open = false;

void warn(const text_t& text) { message_box(u"Warning!", text, MB_ICON_WARNING); }

// The grey colour marks the usage example: the field then counts as empty.
bool shows_example() { return gadget_get_color(MEANINGS, COLOR_TEXT) == SYNONYM_EXAMPLE_GREY; }

text_t meanings_text() { return shows_example() ? text_t() : gadget_get_text(MEANINGS); }

void show_example() {
  gadget_set_text(MEANINGS, SYNONYM_USAGE_EXAMPLE);
  gadget_set_color(MEANINGS, COLOR_TEXT, SYNONYM_EXAMPLE_GREY);
}

void hide_example() {
  gadget_set_text(MEANINGS, u"");
  gadget_set_color(MEANINGS, COLOR_TEXT, BLACK);
}

// The example leaves when the field takes the focus and comes back when it
// is left empty.
void follow_focus() {
  const bool focused = gadget_get_focus() == MEANINGS;
  if (focused && shows_example()) {
    hide_example();
  } else if (!focused && !shows_example() && gadget_get_text(MEANINGS).empty()) {
    show_example();
  }
}

void update_meanings_line_count(text_view separator) {
  set_gadget_text_if_changed(COUNTER, synonym_counter_text(synonym_counter_lines(meanings_text()), separator));
}

void colour_word_field(int& shown) {
  const int wanted = synonym_word_has_invalid_spaces(gadget_get_text(WORD_FIELD)) ? SYNONYM_INVALID_RED : -1;
  if (wanted == shown) return;
  shown = wanted;
  gadget_set_color(WORD_FIELD, COLOR_BACKGROUND, wanted);
}

void build_window(const synonym_editor_fields& fields, bool add, text_view resolution) {
  gadget_create_label(WORD_LABEL, 6, 9, 80, static_cast<int>(text_gadget_height), u"Synonym:");
  gadget_create_entry(WORD_FIELD, 91, 6, 320, static_cast<int>(string_gadget_height), fields.word);
  use_language_font(WORD_FIELD);
  const int w = static_cast<int>(image_button_width), h = static_cast<int>(image_button_height);
  create_image_button_at(OK, 96, bottom_of(WORD_FIELD) + 5, w, h, IMAGE_OK, 0, u"OK", 0);
  create_image_button_right_of(CANCEL, OK, w, h, IMAGE_CANCEL, 10, u"Cancel", 0);
  const int y = bottom_of(OK) + 5;
  gadget_create_label(MEANINGS_LABEL, 6, y, 80, static_cast<int>(text_gadget_height), u"Meanings:");
  gadget_create_text_view(MEANINGS, 91, y, 904 + static_cast<int>(scale_extra_width_for(resolution, 100)),
                          408 + static_cast<int>(scale_extra_height_for(resolution, 100)));
  use_language_font(MEANINGS);
  gadget_create_label(COUNTER, 412, 8, 100, static_cast<int>(text_gadget_height), u"");
  if (fields.meanings.empty()) {
    show_example();
  } else {
    gadget_set_text(MEANINGS, fields.meanings);
  }
  gadget_set_focus(add ? WORD_FIELD : MEANINGS);
  shortcut_add(WINDOW, KEY_ESCAPE, SHORTCUT_ESCAPE);
  shortcut_add(WINDOW, KEY_F1, SHORTCUT_TOOL_HELP);
}

// OK: the checks in order; the first failure is shown and focuses its field.
bool accept(text_t& entry) {
  if (shows_example()) hide_example();
  const text_t word = gadget_get_text(WORD_FIELD);
  const text_t meanings = gadget_get_text(MEANINGS);
  const synonym_editor_check check = check_synonym_editor_fields(word, meanings);
  if (!check.ok) {
    warn(check.message);
    gadget_set_focus(check.focus == synonym_field::word ? WORD_FIELD : MEANINGS);
    return false;
  }
  entry = synonym_entry_of_fields(word, meanings);
  return true;
}

void store(list_document& doc, bool add, int64_t index, text_t entry) {
  save_list_undo(doc, 0);
  if (add) {
    doc.append(std::move(entry));
    doc.mark_changed();
    // Scroll range, page and labels follow the count; the selection stays.
    doc.notify_count_changed();
  } else {
    doc.set_entry(index, std::move(entry));
    doc.mark_changed();
    redraw_paged_list(doc);
  }
  update_paged_list_status_labels(doc);
}

}  // namespace

void edit_synonym(list_document& doc, const preferences& prefs, entry_edit how) {
  const bool adding = how == entry_edit::add;
  if (!adding) {
    if (doc.empty()) {
      warn(u"No synonyms found.");
      return;
    }
    if (!doc.has_selection()) {
      warn(u"No synonym selected.");
      return;
    }
  }
  if (editor_open || window_exists(WINDOW)) return;  // window 428 is open already
  const int64_t index = adding ? -1 : doc.selected();
  const synonym_editor_fields fields = adding ? synonym_editor_fields{} : synonym_editor_fields_of_entry(doc.entry(index));

  const text_t& resolution = prefs.record.window_resolution;
  const text_t& separator = prefs.applied.number_separator_chr;
  window_set_disabled(MAIN_WINDOW, 1);
  if (!window_open(WINDOW, GUI_KEEP, GUI_KEEP, 1014 + static_cast<int>(scale_extra_width_for(resolution, 100)),
                   500 + static_cast<int>(scale_extra_height_for(resolution, 100)),
                   adding ? u"Add a synonym" : u"Edit a synonym",
                   TOOL_WINDOW_FLAGS, window_widget(MAIN_WINDOW))) {
    window_set_disabled(MAIN_WINDOW, 0);
    message_box(u"Error", u"Can't open a window.", MB_ICON_ERROR);
    return;
  }
  editor_open = true;
  build_window(fields, adding, resolution);
  follow_focus();
  update_meanings_line_count(separator);
  int64_t counted_ms = time_elapsed_ms();
  bool count_due = false;  // the meanings changed since the counter last ran
  int word_colour = -1;
  text_t entry;
  bool stored = false;
  const auto on_event = [&](const modal_event& e) {
    if (e.is_close_box() || e.is_menu(SHORTCUT_ESCAPE)) return modal_step::close;
    if (e.is_menu(SHORTCUT_TOOL_HELP)) open_manual_page(synonym_editor_manual_anchor);
    follow_focus();
    if (e.is_gadget(MEANINGS)) count_due = true;
    if (e.is_gadget(CANCEL)) return modal_step::close;
    if (e.is_gadget(OK) && accept(entry)) stored = true;  // the due count still runs before the window ends
    return modal_step::stay;
  };
  run_modal_loop(WINDOW, on_event,
                 {.before_wait = [&] { colour_word_field(word_colour); },
                  // A pending count wakes the loop when it is due, also without events.
                  .wait_ms = [&] {
                    return !count_due ? -1 : std::max<int64_t>(0, COUNTER_INTERVAL_MS + 1 - (time_elapsed_ms() - counted_ms));
                  },
                  .after_wait = [&] {
                    if (count_due && time_elapsed_ms() - counted_ms > COUNTER_INTERVAL_MS) {
                      update_meanings_line_count(separator);
                      counted_ms = time_elapsed_ms();
                      count_due = false;
                    }
                    return close_when(stored);
                  }});
  if (stored) store(doc, adding, index, std::move(entry));
  sync_paged_list_selection(doc);
  editor_open = false;
  end_modal_window(WINDOW, MAIN_WINDOW);
}

void register_synonym_editor_commands(list_document& synonyms, const preferences& prefs, list_entry_commands& entries) {
  entries.edit = [&synonyms, &prefs](entry_edit how) { edit_synonym(synonyms, prefs, how); };
}
