// The Goto dialog (window 498): asks for a 1-based position in one list and
// jumps there. It serves the four lists of the main window and the line list
// of the AFF Validate window, which gives its own count and jump.
#pragma once

#include "common/text.h"
#include "kit/document_kinds.h"

#include <cstdint>
#include <functional>

namespace goto_ids {
constexpr int GOTO_ENTRY = 499, GOTO_OK = 500, GOTO_CANCEL = 501;
}

struct goto_list {
  text_t kind;          // "words", "synonyms", "autocorrect words", "lines"
  int64_t count = 0;
  int parent = 0;       // the window the dialog opens over
  std::function<void(int64_t index)> jump;  // 0-based
};

// Returns when the dialog has closed (at once with "No ... found." when the
// list is empty).
void show_goto_dialog(const goto_list& list);
// Over the list of a searchable kind (document_kinds.h).
void show_goto_dialog_for(const document_kind& kind);
// The text last confirmed in the dialog, shown when it opens again.
const text_t& goto_dialog_text();

