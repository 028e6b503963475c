// The decode cache in the program: its rebuild over the .aff editor's text,
// reported in the main window's status bar.
#pragma once

// Installs the status hook; once at start-up.
void register_aff_cache_commands();
// Rebuilds the cache from the text of .aff editor 126 (nothing when it is
// unchanged).
void rebuild_aff_decode_cache_from_editor();
