// Window-building and requester helpers that every window uses: gadgets
// placed next to other gadgets, labels fitted to their text, numeric field
// checks, the file requesters, the encoding question and the desktop opener.
#pragma once

#include "common/file.h"
#include "common/text.h"

#include <cstdint>

// ---- Messages ----------------------------------------------------------------
void show_error(const text_t& text);    // "Error!", error icon
void show_warning(const text_t& text);  // "Warning!", warning icon

// ---- Labels and fields --------------------------------------------------------
// Resizes the gadget to its natural size when it differs; x and y are kept.
void fit_gadget_to_content(int g);
// Sets the text and fits the gadget only when the text differs (no flicker
// during timer refreshes).
void set_gadget_text_if_changed(int g, const text_t& text);
void set_spin_value_if_changed(int g, int64_t value);
// The gadget's text + text + LF (log areas of tool windows).
void append_gadget_line(int g, const text_t& text);

// ---- Image buttons and images -------------------------------------------------------
// Tooltips are set when not ""; image buttons take the given disabled state.
void create_image_button_at(int g, int x, int y, int width, int height, int image, int dx,
                            const text_t& tooltip, int disabled);
void create_image_button_right_of(int g, int reference, int width, int height, int image, int gap,
                                  const text_t& tooltip, int disabled);
void create_image_button_left_of(int g, int reference, int width, int height, int image, int gap,
                                 int dy, const text_t& tooltip, int disabled);
void create_image_button_below(int g, int reference, int width, int height, int image, int gap,
                               const text_t& tooltip, int disabled);
// Image gadgets take the image's own size.
void create_image_at(int g, int x, int y, int image, int dy, const text_t& tooltip);
void create_image_right_of(int g, int reference, int image, int dx, int dy, const text_t& tooltip);
void create_image_left_of(int g, int reference, int image, const text_t& tooltip);

// Icon and label pairs; the label is fitted to its text.
void add_icon_label(int image_gadget, int label_gadget, int x, int y, int image, const text_t& text,
                    int dx, int dy);
// Image 128 (folder) below the reference, label "n/a".
void add_icon_label_below(int image_gadget, int label_gadget, int reference);
// The image right of the reference, label ":n/a".
void add_icon_label_right(int image_gadget, int label_gadget, int reference, int image);

// ---- Numeric fields -------------------------------------------------------------------
// 1 when the field's text is malformed or outside min..max: warns with the
// message ("Warning!") and focuses the field. 0 when it is fine.
int reject_out_of_range_number(int g, const text_t& message, double min, double max);
// The live check of an integer field (red when invalid, light blue for a
// zero that disables); returns the value, min - 1 when malformed.
int64_t colour_invalid_number_field(int g, int empty_allowed, int64_t min, int64_t max);

// ---- Files ---------------------------------------------------------------------------------
// Both requesters open in the folder of current_file, the document's file
// ("" or a file without a folder: where GTK opens by default).
// The save requester; "" when cancelled. An existing file is only named in
// the question "File already exists! Overwrite it?": Yes returns the path
// (the caller's save replaces the file), No or a closed box returns "".
// Nothing is deleted here.
text_t request_save_path(const text_t& title, const text_t& pattern, const text_t& extension,
                         const text_t& current_file = u"");
// The open requester; "" when cancelled, or "File not found." for a missing,
// empty or folder path.
text_t request_existing_file(const text_t& title, const text_t& pattern, const text_t& extension,
                             const text_t& current_file = u"");
// Field 0 of the main status bar, the progress field emptied, and the two
// together as "Aborted.": what the open and save commands show.
void show_main_status(const text_t& text);
void reset_main_progress();
void show_main_aborted();
// 1 when the file's size is above 0; otherwise the message under "Error!".
int check_file_exists(const text_t& path, const text_t& message);
// 1 to go on: a UTF-8 mark goes on at once; otherwise the encoding question,
// naming the encoding the load reads the file in (by the declaration of its
// kind, where). No puts "Aborted." in the status bar and returns 0; Yes or a
// closed box 1. A declared charset that cannot be decoded asks nothing: the
// load refuses it by name.
int confirm_non_utf8_bom_file(const text_t& path, charset_declaration where = charset_declaration::none);
// Lines of the file as read in its byte-order-mark format (an empty file
// counts 1); 0 when it cannot be opened or file 100 is in use.
int64_t count_file_lines(const text_t& path);

// ---- Desktop ------------------------------------------------------------------------------
// Starts "xdg-open" with the percent-encoded target, detached; failures are
// not reported.
void open_with_desktop(const text_t& target);
// The manual beside the program at an anchor ("" for none); a missing
// manual is reported naming its file.
void open_manual_page(const text_t& anchor);

// Edges of a gadget inside its parent, for placing the next one.
int right_of(int gadget);
int bottom_of(int gadget);
// Shows the gadget's text in the user's font for the language's words (1001).
void use_language_font(int gadget);

// ---- Popup menus ----------------------------------------------------------------------------
// The item numbers of a list's selection block in its popup menu.
struct selection_popup_items {
  int select_all = 0;
  int select_none = 0;
  int invert = 0;
  int delete_selected = 0;
  int delete_one = 0;
  const char16_t* delete_one_text = u"Delete";  // the main window's lists say "Delete Current"
};
// Adds Select All, Select None, Invert Selection, a separator, Delete
// Selected and the delete of one entry to the image popup being built.
void add_selection_popup_items(const selection_popup_items& items);
