// The Autocorrect tab (its list of incorrect and correct pairs) and the
// read-only AutoText tab (its list beside the .xml code), with what their
// kinds show.
#pragma once

#include "kit/document_kinds.h"

// Each gives the main window its tab's builder and fills the kind's gadgets
// and texts.
void register_autocorrect_tab(document_kind& kind);
void register_autotext_tab(document_kind& kind);
