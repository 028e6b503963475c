// The decode cache in the program: its parses reported in the main window's
// status bar.
#pragma once

#include "dictionary/dictionary_document.h"

// Once at start-up.
void register_aff_cache_commands(dictionary_document& dictionary);
