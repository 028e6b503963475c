// The decode cache in the program: its rebuild as a named command over the
// .aff editor's text, reported in the main window's status bar.
#pragma once

// Registers "rebuild_aff_decode_cache" and installs the status hook; once at
// start-up.
void register_aff_cache_commands();
