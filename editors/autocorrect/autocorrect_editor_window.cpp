#include "editors/autocorrect/autocorrect_editor_window.h"

#include "common/format.h"
#include "dictionary/word_editor.h"
#include "editors/autocorrect/autocorrect_editor.h"
#include "editors/autocorrect/block_list_file.h"
#include "gui/gui.h"
#include "gui/modal_window.h"
#include "kit/ids.h"
#include "kit/layout.h"
#include "kit/list_view_ui.h"
#include "kit/undo_redo_ui.h"
#include "kit/window_helpers.h"

using namespace autocorrect_editor_ids;

namespace {

constexpr int WIDTH = 730, HEIGHT = 140;
constexpr int IMAGE_INCORRECT = 83, IMAGE_CORRECT = 84, IMAGE_SWAP = 113;
// F1 in tool windows.
constexpr int SHORTCUT_TOOL_HELP = 1004;

bool editor_open = false;

struct field_look {
  int gadget;
  int64_t text_colour;                 // the field's own
  int64_t background = COLOR_DEFAULT;  // the one shown now
};

void warn(const text_t& text) { message_box(u"Warning!", text, MB_ICON_WARNING); }

// The field's text as it may be stored: a typed or pasted TAB, CR or LF is
// removed at once.
text_t field_text(int g) {
  const text_t raw = gadget_get_text(g);
  const text_t cleaned = clean_autocorrect_field(raw);
  if (cleaned != raw) gadget_set_text(g, cleaned);
  return cleaned;
}

// Red with black text while the text has a leading, trailing or double space.
void colour_field(field_look& f) {
  const bool invalid = has_invalid_spaces(field_text(f.gadget));
  const int64_t background = invalid ? AUTOCORRECT_INVALID_BACKGROUND : COLOR_DEFAULT;
  if (background == f.background) return;
  f.background = background;
  gadget_set_color(f.gadget, COLOR_BACKGROUND, static_cast<int>(background));
  gadget_set_color(f.gadget, COLOR_TEXT, static_cast<int>(invalid ? AUTOCORRECT_INVALID_TEXT_COLOUR : f.text_colour));
}

void build_fields(const autocorrect_fields& at_open) {
  const int entry_h = static_cast<int>(string_gadget_height);
  gadget_create_image(INCORRECT_IMAGE, 10, 15, 24, 24, image_pixbuf(IMAGE_INCORRECT));
  gadget_create_entry(INCORRECT_FIELD, 41, 12, 620, entry_h, at_open.incorrect);
  gadget_create_image(CORRECT_IMAGE, 12, 20 + entry_h, 24, 24, image_pixbuf(IMAGE_CORRECT));
  gadget_create_entry(CORRECT_FIELD, 41, 17 + entry_h, 620, entry_h, at_open.correct);
  for (int g : {INCORRECT_FIELD, CORRECT_FIELD}) use_language_font(g);
  gadget_set_color(INCORRECT_FIELD, COLOR_TEXT, static_cast<int>(AUTOCORRECT_INCORRECT_COLOUR));
  gadget_set_color(CORRECT_FIELD, COLOR_TEXT, static_cast<int>(AUTOCORRECT_CORRECT_COLOUR));
  // Square, its centre on the lower edge of the incorrect field.
  const int side = static_cast<int>(image_button_height);
  create_image_button_at(SWAP, right_of(INCORRECT_FIELD) + 10, 12 + entry_h - side / 2, side, side, IMAGE_SWAP, 0,
                         u"Toggle text Incorrect↔Correct", 0);
  create_image_button_at(OK, 91, 130 - side, static_cast<int>(image_button_width), side, IMAGE_OK, 0, u"OK", 0);
  create_image_button_right_of(CANCEL, OK, static_cast<int>(image_button_width), side, IMAGE_CANCEL, 10, u"Cancel", 0);
}

// True when OK was clicked with texts that pass; a refusal keeps the window.
bool accepted() {
  const autocorrect_editor_check check =
      validate_autocorrect_fields(field_text(INCORRECT_FIELD), field_text(CORRECT_FIELD));
  if (check.ok) return true;
  warn(check.message);
  gadget_set_focus(check.focus);
  return false;
}

void commit(list_document& doc, bool add, const autocorrect_fields& at_open) {
  const text_t incorrect = field_text(INCORRECT_FIELD);
  const text_t correct = field_text(CORRECT_FIELD);
  const bool changed = incorrect != at_open.incorrect || correct != at_open.correct;
  if (!commit_word_editor_entry(doc, add, autocorrect_entry_of_fields(incorrect, correct), changed)) return;
  if (add) {
    doc.notify_count_changed();  // scroll range, page and labels
  } else {
    redraw_paged_list(doc);
  }
  update_paged_list_status_labels(doc);
  update_undo_redo_buttons(doc);
}

}  // namespace

void edit_autocorrect_word(list_document& doc, entry_edit how) {
  const bool adding = how == entry_edit::add;
  if (!adding) {
    if (doc.empty()) {
      warn(u"No autocorrect words found.");
      return;
    }
    if (!doc.has_selection()) {
      warn(u"No autocorrect word selected.");
      return;
    }
  }
  if (editor_open || window_exists(WINDOW)) return;  // window 428 serves one editor at a time

  const autocorrect_fields at_open =
      adding ? autocorrect_fields() : autocorrect_fields_of_entry(doc.entry(doc.selected()));
  window_set_disabled(MAIN_WINDOW, 1);
  if (!window_open(WINDOW, GUI_KEEP, GUI_KEEP, WIDTH, HEIGHT,
                   adding ? u"Add an autocorrect word" : u"Edit an autocorrect word", TOOL_WINDOW_FLAGS,
                   window_widget(MAIN_WINDOW))) {
    window_set_disabled(MAIN_WINDOW, 0);
    message_box(u"Error!", u"Can't open a window.", MB_ICON_ERROR);
    return;
  }
  editor_open = true;
  build_fields(at_open);
  shortcut_add(WINDOW, KEY_ESCAPE, SHORTCUT_ESCAPE);
  shortcut_add(WINDOW, KEY_RETURN, SHORTCUT_RETURN);
  shortcut_add(WINDOW, KEY_F1, SHORTCUT_TOOL_HELP);
  gadget_set_focus(INCORRECT_FIELD);

  field_look looks[2] = {{INCORRECT_FIELD, AUTOCORRECT_INCORRECT_COLOUR}, {CORRECT_FIELD, AUTOCORRECT_CORRECT_COLOUR}};
  const auto on_event = [&](const modal_event& e) {
    if (e.is_close_box() || e.is_menu(SHORTCUT_ESCAPE) || e.is_gadget(CANCEL)) return modal_step::close;
    if (e.is_menu(SHORTCUT_RETURN)) event_post(EVENT_GADGET, WINDOW, OK);
    if (e.is_menu(SHORTCUT_TOOL_HELP)) open_manual_page(u"");
    if (e.is_gadget(SWAP)) {
      const text_t incorrect = gadget_get_text(INCORRECT_FIELD);
      gadget_set_text(INCORRECT_FIELD, gadget_get_text(CORRECT_FIELD));
      gadget_set_text(CORRECT_FIELD, incorrect);
    }
    if (e.is_gadget(OK) && accepted()) {
      commit(doc, adding, at_open);
      return modal_step::close;
    }
    return modal_step::stay;
  };
  run_modal_loop(WINDOW, on_event, {.before_wait = [&] {
                   for (field_look& f : looks) colour_field(f);
                 }});

  sync_paged_list_selection(doc);
  editor_open = false;
  end_modal_window(WINDOW, MAIN_WINDOW);
}

void register_autocorrect_editor_commands(list_document& autocorrects, list_entry_commands& entries) {
  entries.edit = [&autocorrects](entry_edit how) { edit_autocorrect_word(autocorrects, how); };
}
