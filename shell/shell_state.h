// Start-up state, layout constants and main-loop state of the shell.
#pragma once

#include "common/text.h"

#include <cstdint>

// The program's folder with a trailing "/" (the executable's folder, else
// the current folder), and its settings folder.
extern text_t base_folder;
text_t settings_folder();  // base_folder + "settings/"

// Finds the base folder from the executable's path (or the current folder
// when that has none) and creates base + "settings" when it is missing.
// A file of that name or an existing folder is left alone.
void find_base_folder_and_settings(text_view executable_path, text_view current_folder);

// Layout constants (pixels), read by every window builder.
constexpr int64_t image_button_width = 44;
constexpr int64_t image_button_height = 44;
constexpr int64_t chained_image_button_width = 44;
constexpr int64_t chained_image_button_height = 44;
constexpr int64_t button_width = 100;
constexpr int64_t narrow_button_width = 70;
constexpr int64_t button_height = 28;
constexpr int64_t text_gadget_height = 18;
constexpr int64_t string_gadget_height = 24;
constexpr int64_t combo_box_height = 26;
constexpr int64_t check_box_height = 21;
constexpr int64_t option_gadget_height = 21;
constexpr int64_t spin_gadget_height = 31;
constexpr int64_t progress_bar_width = 158;
constexpr int64_t progress_bar_height = 8;
constexpr int64_t icon_text_offset = 11;
// Used only by the Autocorrect Validate and Crunch windows.
constexpr int64_t small_icon_width = 14;
constexpr int64_t small_icon_height = 14;
constexpr int64_t step_icon_size = 24;

// Main-loop state.
extern int exit_requested;
extern int popup_owner_gadget;   // list that opened popup 502 or 217; 0 none
extern int list_shortcuts_active;
