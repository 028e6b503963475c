// The parts every tab of the main window's panel 100 is made of (its paged
// list, the row of list buttons, the status, file and "Selected:" labels)
// and the layout a build gives them. Each subsystem builds its own tab from
// these, through the builder it hands set_main_tab_builder
// (kit/main_window_hooks.h).
#pragma once

#include "common/text.h"
#include "kit/layout.h"
#include "kit/preferences.h"

#include <initializer_list>
#include <utility>

// What one build lays the window out for: the resolution of the
// preferences record, and the applied rows and pixels.
struct main_tab_layout {
  const preferences& prefs;
  int sx(int percent) const { return static_cast<int>(scale_extra_width_for(prefs.record.window_resolution, percent)); }
  int sy(int percent) const { return static_cast<int>(scale_extra_height_for(prefs.record.window_resolution, percent)); }
  int adj() const { return static_cast<int>(prefs.applied.pixels_plus); }
  // The height every list of tabs 0, 1, 3, 4 and 5 shares.
  int list_height() const { return sy(100) + adj() + 315; }
};

inline constexpr int TAB_BUTTON_W = static_cast<int>(chained_image_button_width);
inline constexpr int TAB_BUTTON_H = static_cast<int>(chained_image_button_height);
inline constexpr int TAB_LABEL_H = static_cast<int>(text_gadget_height);

// A list with check boxes at (4, 6) and its scroll bar right of it. A list
// that pages a document through the bar has the mouse wheel move the bar.
void create_paged_list(const main_tab_layout& l, int list, int scroll, int width, int height, bool pages_by_bar);
// The fifteen row buttons below the list. Undo and Redo start disabled (the
// histories are empty after a build); read-only tabs disable every button.
void create_button_row(int first, int list, bool read_only);
// Status label and the changed mark right of it.
void create_status_label(int label, int mark, int x, int y, const text_t& text);
// File-name label (image 124, "n/a") at (x, y) with the folder label below.
void create_file_labels(int file_image, int file_label, int folder_image, int folder_label, int x, int y);
// The "Add-on/Extension opened" mark stays hidden until an extension is open.
void create_extension_mark(int g, int file_image);
void create_selected_label(int g, int y);
// "Rule " + image + ":n/a" (font 1001) starting at (x, y).
void create_rule_line(int caption, int image, int label, int x, int y, int image_number);
// The six disabled view buttons of tabs 4 and 5, right to left from the
// first one's x, with the gaps between them.
void create_view_buttons(const int (&gadgets)[6], const int (&images)[6], const char16_t* const (&tips)[6],
                         int first_x, int y, const int (&gaps)[5]);
// Columns 1, 2, ... after the "Line #" column.
void add_list_columns(int list, std::initializer_list<std::pair<const char16_t*, int>> columns);
