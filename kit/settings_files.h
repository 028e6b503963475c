// The files of the settings folder: where each lies and how large it may be.
// Each tool window writes its own .prefs file there.
#pragma once

#include "common/text.h"

#include <cstdint>
#include <vector>

// settings_folder() + name.
text_t settings_file_path(text_view name);

// The most bytes a settings file of that name can need (by what its format
// holds). A larger file is refused unread, so that its defaults apply, and a
// profile that holds one is refused.
int64_t settings_file_size_limit(text_view name);
// True when the file at path is larger than its name allows.
bool settings_file_oversized(text_view path);
// The same; a refused file's path is added to refused (once) for the
// start-up message.
bool settings_file_refused(text_view path, std::vector<text_t>& refused);
