// The program's folder, found at start-up, and its settings folder.
#pragma once

#include "common/text.h"

// The program's folder with a trailing "/" (the executable's folder, else
// the current folder), and its settings folder.
const text_t& base_folder();
text_t settings_folder();  // base_folder() + "settings/"
// Points it at a folder (tests and benches use one of their own).
void set_base_folder(text_view folder);

// Finds the base folder from the executable's path (or the current folder
// when that has none) and creates base + "settings" when it is missing.
// A file of that name or an existing folder is left alone.
void find_base_folder_and_settings(text_view executable_path, text_view current_folder);
