#include "kit/window_helpers.h"

#include "common/charset.h"

#include "common/event_hooks.h"
#include "common/file.h"
#include "gui/gui.h"
#include "kit/base_folder.h"
#include "kit/desktop.h"
#include "kit/identity.h"
#include "kit/ids.h"
#include "kit/layout.h"
#include "kit/requester_rules.h"

void fit_gadget_to_content(int g) {
  const int w = gadget_width_ex(g, 1);
  const int h = gadget_height_ex(g, 1);
  if (gadget_width(g) != w || gadget_height(g) != h) gadget_move_resize(g, GUI_KEEP, GUI_KEEP, w, h);
}

void set_gadget_text_if_changed(int g, const text_t& text) {
  if (gadget_get_text(g) == text) return;
  gadget_set_text(g, text);
  fit_gadget_to_content(g);
}

void set_spin_value_if_changed(int g, int64_t value) {
  const int state = gadget_get_state(g);
  if (gadget_get_text(g) == string_from_int(state) && state == value) return;
  gadget_set_text(g, string_from_int(value));
  gadget_set_state(g, static_cast<int>(value));
}

void append_gadget_line(int g, const text_t& text) {
  gadget_set_text(g, gadget_get_text(g) + text + u"\n");
}

// ---- Image buttons and images --------------------------------------------------------------

namespace {

void finish_image_button(int g, const text_t& tooltip, int disabled) {
  if (!tooltip.empty()) gadget_set_tooltip(g, tooltip);
  gadget_set_disabled(g, disabled);
}

void finish_image(int g, const text_t& tooltip) {
  if (!tooltip.empty()) gadget_set_tooltip(g, tooltip);
  gadget_set_disabled(g, 0);
}

}  // namespace

void show_error(const text_t& text) { message_box(u"Error!", text, MB_ICON_ERROR); }
void show_warning(const text_t& text) { message_box(u"Warning!", text, MB_ICON_WARNING); }

void create_image_button_at(int g, int x, int y, int width, int height, int image, int dx,
                            const text_t& tooltip, int disabled) {
  gadget_create_image_button(g, x + dx, y, width, height, image_pixbuf(image));
  finish_image_button(g, tooltip, disabled);
}

void create_image_button_right_of(int g, int reference, int width, int height, int image, int gap,
                                  const text_t& tooltip, int disabled) {
  gadget_create_image_button(g, gadget_x(reference) + gadget_width(reference) + gap,
                             gadget_y(reference), width, height, image_pixbuf(image));
  finish_image_button(g, tooltip, disabled);
}

void create_image_button_left_of(int g, int reference, int width, int height, int image, int gap,
                                 int dy, const text_t& tooltip, int disabled) {
  gadget_create_image_button(g, gadget_x(reference) - width - gap, gadget_y(reference) + dy, width,
                             height, image_pixbuf(image));
  finish_image_button(g, tooltip, disabled);
}

void create_image_button_below(int g, int reference, int width, int height, int image, int gap,
                               const text_t& tooltip, int disabled) {
  gadget_create_image_button(g, gadget_x(reference),
                             gadget_y(reference) + gadget_height(reference) + gap, width, height,
                             image_pixbuf(image));
  finish_image_button(g, tooltip, disabled);
}

void create_image_at(int g, int x, int y, int image, int dy, const text_t& tooltip) {
  gadget_create_image(g, x, y + dy, image_width(image), image_height(image), image_pixbuf(image));
  finish_image(g, tooltip);
}

void create_image_right_of(int g, int reference, int image, int dx, int dy, const text_t& tooltip) {
  gadget_create_image(g, gadget_x(reference) + gadget_width(reference) + dx, gadget_y(reference) + dy,
                      image_width(image), image_height(image), image_pixbuf(image));
  finish_image(g, tooltip);
}

void create_image_left_of(int g, int reference, int image, const text_t& tooltip) {
  gadget_create_image(g, gadget_x(reference) - image_width(image) - 5, gadget_y(reference),
                      image_width(image), image_height(image), image_pixbuf(image));
  finish_image(g, tooltip);
}

void add_icon_label(int image_gadget, int label_gadget, int x, int y, int image, const text_t& text,
                    int dx, int dy) {
  gadget_create_image(image_gadget, x, y, image_width(image), image_height(image), image_pixbuf(image));
  gadget_create_label(label_gadget, x + image_width(image) + dx, y + dy, 0, 0, text);
  fit_gadget_to_content(label_gadget);
}

void add_icon_label_below(int image_gadget, int label_gadget, int reference) {
  const int x = gadget_x(reference);
  const int y = gadget_y(reference) + gadget_height(reference) + 4;
  add_icon_label(image_gadget, label_gadget, x, y, IMAGE_FOLDER, u"n/a", 2, 1);
}

void add_icon_label_right(int image_gadget, int label_gadget, int reference, int image) {
  const int x = gadget_x(reference) + gadget_width(reference);
  add_icon_label(image_gadget, label_gadget, x, gadget_y(reference), image, u":n/a", 2, 1);
}

// ---- Numeric fields ----------------------------------------------------------------------------

int reject_out_of_range_number(int g, const text_t& message, double min, double max) {
  if (!number_text_out_of_range(gadget_get_text(g), min, max)) return 0;
  message_box(u"Warning!", message, MB_ICON_WARNING);
  gadget_set_focus(g);
  return 1;
}

int64_t colour_invalid_number_field(int g, int empty_allowed, int64_t min, int64_t max) {
  const number_field_check check = check_integer_field(gadget_get_text(g), empty_allowed == 1, min, max);
  int colour = COLOR_DEFAULT;
  if (check.look == number_field_look::invalid) colour = static_cast<int>(COLOUR_INVALID_FIELD);
  if (check.look == number_field_look::zero_disables) colour = static_cast<int>(COLOUR_ZERO_DISABLES_FIELD);
  if (gadget_get_color(g, COLOR_BACKGROUND) != colour) gadget_set_color(g, COLOR_BACKGROUND, colour);
  return check.value;
}

// ---- Files ----------------------------------------------------------------------------------------

text_t request_save_path(const text_t& title, const text_t& pattern, const text_t& extension,
                         const text_t& current_file) {
  const text_t chosen = file_dialog_save(title, path_directory(current_file), pattern, 0);
  if (chosen.empty()) return u"";
  const text_t path = save_path_with_extension(chosen, pattern, extension);
  if (file_size_by_path(path) >= 0) {
    // Only Yes overwrites; the file stays until the save replaces it.
    if (message_box(u"Warning!", u"File already exists! Overwrite it?", MB_YES_NO | MB_ICON_WARNING) !=
        MB_ANSWER_YES) {
      return u"";
    }
  }
  return path;
}

text_t request_existing_file(const text_t& title, const text_t& pattern, const text_t& /*extension*/,
                             const text_t& current_file) {
  const text_t path = file_dialog_open(title, path_directory(current_file), pattern, 0);
  if (path.empty()) return u"";
  if (file_size_by_path(path) <= 0) {
    message_box(u"Error", u"File not found.", MB_ICON_ERROR);
    return u"";
  }
  return path;
}

int check_file_exists(const text_t& path, const text_t& message) {
  if (file_size_by_path(path) > 0) return 1;
  message_box(u"Error!", message, MB_ICON_ERROR);
  return 0;
}

void show_main_status(const text_t& text) { status_bar_set_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT, text); }

void reset_main_progress() { status_bar_set_progress_value(MAIN_STATUS_BAR, STATUS_FIELD_PROGRESS, 0, 1); }

void show_main_aborted() {
  reset_main_progress();
  show_main_status(u"Aborted.");
}

int confirm_non_utf8_bom_file(const text_t& path, charset_declaration where) {
  // The question names the encoding the file will be read in.
  text_t encoding = encoding_name(FORMAT_ASCII);
  if (file_open_read(1, path)) {
    if (file_read_bom(1) == FORMAT_UTF8) {
      file_close(1);
      return 1;
    }
    const declared_format found = file_detect_declared_format(1, where);
    file_close(1);
    // A charset that cannot be decoded: the load itself refuses, naming it.
    if (found.unknown) return 1;
    encoding = found.declared ? charset_name(found.format) : encoding_name(found.format);
  }
  if (message_box(u"Warning!", non_utf8_bom_question(encoding), MB_YES_NO | MB_ICON_WARNING) ==
      MB_ANSWER_NO) {
    status_bar_set_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT, u"Aborted.");
    return 0;
  }
  return 1;
}

int64_t count_file_lines(const text_t& path) {
  constexpr int line_counter_file = 100;
  drain_pending_events();
  if (file_is_open(line_counter_file)) {
    message_box(u"Warning!", u"File number " + string_from_int(line_counter_file) + u" already exists.",
                MB_ICON_WARNING);
    return 0;
  }
  if (!file_open_read(line_counter_file, path)) return 0;
  const int format = file_read_bom(line_counter_file);
  int64_t lines = 0;
  do {
    file_read_line(line_counter_file, format);
    ++lines;
  } while (!file_at_end(line_counter_file));
  file_close(line_counter_file);
  return lines;
}

// ---- Desktop -------------------------------------------------------------------------------------

// The opener ends when a program took the target (or, with some desktops,
// when the browser closes): its failure is reported whenever it comes.
void open_with_desktop(const text_t& target) {
  const int64_t pid = start_desktop_opener(target);
  if (pid == 0) {
    message_box(u"Error!", desktop_opener_failure_message(target), MB_ICON_ERROR);
    return;
  }
  process_watch_exit(pid, [target](int exit_code) {
    if (exit_code != 0) message_box(u"Error!", desktop_opener_failure_message(target), MB_ICON_ERROR);
  });
}

void open_manual_page(const text_t& anchor) {
  const text_t path = manual_path(base_folder());
  if (!check_file_exists(path, u"HTML Help not found.\n\nFile:" + manual_file_name)) return;
  open_with_desktop(u"file:///" + path + anchor);
}

int right_of(int gadget) { return gadget_x(gadget) + gadget_width(gadget); }
int bottom_of(int gadget) { return gadget_y(gadget) + gadget_height(gadget); }
void use_language_font(int gadget) { gadget_set_font(gadget, font_description(FONT_LANGUAGE)); }

void add_selection_popup_items(const selection_popup_items& items) {
  const auto item = [](int id, const char16_t* text, int image) { menu_add_item_image(id, text, image_pixbuf(image)); };
  item(items.select_all, u"Select All", IMAGE_SELECT_ALL);
  item(items.select_none, u"Select None", IMAGE_SELECT_NONE);
  item(items.invert, u"Invert Selection", IMAGE_INVERT);
  menu_add_separator();
  item(items.delete_selected, u"Delete Selected", IMAGE_DELETE_SELECTED);
  item(items.delete_one, items.delete_one_text, IMAGE_DELETE_CURRENT);
}
