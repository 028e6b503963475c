// The read-only LanguageTool tab: its list of chunks, the .xml code and the
// categories, with what its kind shows.
#pragma once

#include "kit/document_kinds.h"

// Gives the main window the tab's builder and fills kind's file labels.
void register_languagetool_tab(document_kind& kind);
