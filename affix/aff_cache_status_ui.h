// The decode cache's rebuilds reported in the main window's status bar.
#pragma once

// Installs the rebuild status hook; once at start-up.
void install_aff_cache_status_bar();
