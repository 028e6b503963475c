// The Thesaurus tab: its list of head words with their meanings, and what
// its kind shows (gadgets, the texts of Find, Goto and the list buttons).
#pragma once

#include "kit/document_kinds.h"

// Gives the main window the tab's builder and fills kind's gadgets and texts.
void register_thesaurus_tab(document_kind& kind);
