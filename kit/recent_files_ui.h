// The recent-files menu items and the main window's file labels.
#pragma once

#include "common/text.h"
#include "kit/document_kinds.h"
#include "kit/recent_files.h"

// The workspace's recent files and the kinds whose lists and labels they
// are; before start-up. Both must outlive the main loop.
void register_recent_files(recent_file_lists& recent, const document_kinds& kinds);

// update_recent_files_for_tab for the list of the tab shown in panel 100,
// then the menu is refreshed. "" normalises the log, RECENT_FILES_CLEAR
// empties the list.
void update_recent_files(text_view path);
// Menu items 102..111: "n: " + entry n of the shown tab's list, disabled
// when the entry is empty.
void refresh_recent_files_menu();
// Entry n (1..10) of a kind's list; "" outside.
text_t recent_file_of_tab(const document_kind& kind, int64_t n);

// File-name and folder labels of a kind's tab ("n/a" without a file), from
// the path the kind gives.
void update_tab_file_labels(const document_kind& kind);
// All six (after the main window is rebuilt).
void update_all_file_labels();
// After a kind's document changed its file: its labels, its recent files
// and the menu.
void document_file_known(const document_kind& kind, const text_t& path);
