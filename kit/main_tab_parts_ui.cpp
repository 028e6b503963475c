#include "kit/main_tab_parts.h"

#include "gui/gui.h"
#include "kit/ids.h"
#include "kit/window_helpers.h"

namespace {

struct row_button {
  int image;
  const char16_t* tooltip;
};
constexpr row_button row_buttons[LIST_ROW_BUTTONS] = {
    {IMAGE_ADD, u"Add"},
    {IMAGE_EDIT, u"Edit"},
    {IMAGE_SELECT_ALL, u"Select All"},
    {IMAGE_SELECT_NONE, u"Select None"},
    {IMAGE_INVERT, u"Invert Selection"},
    {IMAGE_DELETE_SELECTED, u"Delete Selected"},
    {IMAGE_DELETE_CURRENT, u"Delete Current"},
    {IMAGE_ERASE, u"Erase"},
    {IMAGE_SORT_ALPHABETICALLY, u"Sort Alphabetically"},
    {IMAGE_FIND, u"Find"},
    {IMAGE_GOTO, u"Goto"},
    {IMAGE_UNDO, u"Undo"},
    {IMAGE_REDO, u"Redo"},
    {IMAGE_GO_BOTTOM, u"Go to bottom"},
    {IMAGE_GO_TOP, u"Go to top"},
};

}  // namespace

// A list with check boxes at (4, 6) and its scroll bar right of it. A list
// that pages a document through the bar has the mouse wheel move the bar.
void create_paged_list(const main_tab_layout& l, int list, int scroll, int width, int height, bool pages_by_bar) {
  gadget_create_column_list_ex(list, 4, 6, width, height, u"Line #", 85, LIST_CHECK_BOXES);
  use_language_font(list);
  const int rows = static_cast<int>(l.prefs.applied.number_of_lines);
  gadget_create_scroll_bar(scroll, right_of(list), 6, 18, height, 0, rows, rows, SCROLL_BAR_VERTICAL);
  if (pages_by_bar) gadget_set_list_scroll_bar(list, scroll);
}

// The fifteen row buttons below the list. Undo and Redo start disabled (the
// histories are empty after a build); read-only tabs disable every button.
void create_button_row(int first, int list, bool read_only) {
  const int y = bottom_of(list) + 8;
  for (int k = 1; k <= LIST_ROW_BUTTONS; ++k) {
    const int g = first + k - 1;
    const row_button& b = row_buttons[k - 1];
    int disabled = read_only || k <= ROW_GOTO || k == ROW_UNDO || k == ROW_REDO ? 1 : 0;
    if (k == 1) {
      create_image_button_at(g, 10, y, TAB_BUTTON_W, TAB_BUTTON_H, b.image, 0, b.tooltip, disabled);
    } else {
      const int gap = (k == ROW_UNDO || k == ROW_GO_BOTTOM) ? 15 : 5;
      create_image_button_right_of(g, g - 1, TAB_BUTTON_W, TAB_BUTTON_H, b.image, gap, b.tooltip, disabled);
    }
  }
}

// Status label and the changed mark right of it.
void create_status_label(int label, int mark, int x, int y, const text_t& text) {
  gadget_create_label(label, x, y, 0, TAB_LABEL_H, text);
  fit_gadget_to_content(label);
  gadget_create_label(mark, right_of(label) + 2, y, 16, 16, u"");
  gadget_set_color(mark, COLOR_TEXT, static_cast<int>(COLOUR_RED));
}

// File-name label (image 124, "n/a") at (x, y) with the folder label below.
void create_file_labels(int file_image, int file_label, int folder_image, int folder_label, int x, int y) {
  add_icon_label(file_image, file_label, x, y, IMAGE_FILE, u"n/a", 2, 1);
  use_language_font(file_label);
  fit_gadget_to_content(file_label);
  add_icon_label_below(folder_image, folder_label, file_image);
  use_language_font(folder_label);
  fit_gadget_to_content(folder_label);
}

// The "Add-on/Extension opened" mark stays hidden until an extension is open.
void create_extension_mark(int g, int file_image) {
  create_image_left_of(g, file_image, IMAGE_EXTENSION_OPENED, u"Add-on/Extension opened");
  gadget_set_hidden(g, 1);
}

void create_selected_label(int g, int y) { gadget_create_label(g, 10, y, 210, TAB_LABEL_H, u"Selected:None"); }

// "Rule " + image + ":n/a" (font 1001) starting at (x, y).
void create_rule_line(int caption, int image, int label, int x, int y, int image_number) {
  gadget_create_label(caption, x, y, 0, TAB_LABEL_H, u"Rule ");
  fit_gadget_to_content(caption);
  add_icon_label_right(image, label, caption, image_number);
  gadget_move_resize(image, right_of(caption) + 2, GUI_KEEP, GUI_KEEP, GUI_KEEP);
  gadget_move_resize(label, right_of(image) + 2, GUI_KEEP, GUI_KEEP, GUI_KEEP);
  use_language_font(label);
  fit_gadget_to_content(label);
}

// The six disabled view buttons of tabs 4 and 5, right to left from the
// first one's x, with the gaps between them.
void create_view_buttons(const int (&gadgets)[6], const int (&images)[6], const char16_t* const (&tips)[6],
                         int first_x, int y, const int (&gaps)[5]) {
  int x = first_x;
  for (int k = 0; k < 6; ++k) {
    if (k > 0) x -= gaps[k - 1] + TAB_BUTTON_W;
    const int w = k < 2 ? static_cast<int>(image_button_width) : TAB_BUTTON_W;
    const int h = k < 2 ? static_cast<int>(image_button_height) : TAB_BUTTON_H;
    create_image_button_at(gadgets[k], x, y, w, h, images[k], 0, tips[k], 1);
  }
}

void add_list_columns(int list, std::initializer_list<std::pair<const char16_t*, int>> columns) {
  int position = 1;
  for (const auto& c : columns) gadget_add_column(list, position++, c.first, c.second);
}

