// The recent-files menu items and the main window's file labels.
#pragma once

#include "common/text.h"

#include <functional>

// update_recent_files_for_tab for the tab shown in panel 100, then the menu
// is refreshed. "" normalises the log, RECENT_FILES_CLEAR empties the list.
void update_recent_files(text_view path);
// Menu items 102..111: "n: " + entry n of the shown tab's list, disabled
// when the entry is empty.
void refresh_recent_files_menu();

// File-name and folder labels of each tab ("n/a" without a file). Each
// document's owner tells where its path is (the dictionary's is built in);
// until then the tab's labels show "n/a".
void set_file_label_path_source(int tab, std::function<text_t()> path);
void update_tab_file_labels(int tab);
void update_dictionary_file_labels();
void update_thesaurus_file_labels();
void update_hyphenation_file_labels();
void update_autocorrect_file_labels();
void update_autotext_file_labels();
void update_grammar_file_labels();
// All six (after the main window is rebuilt).
void update_all_file_labels();
