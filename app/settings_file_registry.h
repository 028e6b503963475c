// The settings files of the tools, as each registers its own with its
// commands (settings_file_registration, common/settings_file.h). Start-up
// resets and reads them through this list, never calling a tool.
#pragma once

#include "common/settings_file.h"
#include "common/text.h"

#include <vector>

// Adds a file to the list; a file of the same name (when it has one) is
// replaced, so that a new registration of the program takes over.
void register_settings_file(settings_file_registration file);
// Empties the list, before the program registers its files anew.
void forget_settings_files();
// Puts every registered record back to its defaults.
void reset_registered_settings();
// Reads each registered file in its order; a file larger than its name
// allows is added to oversized (once) and read as missing.
void read_registered_settings(std::vector<text_t>& oversized);
