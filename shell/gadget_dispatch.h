// What the buttons, toolbar and footer link of the main window and the items
// of the list popup menu do: named commands of other parts, or one of the
// inline list commands (Erase, Sort, Clone, Go to an end, Undo, Redo) and
// editor buttons the gadget dispatcher performs itself. GUI-free.
#pragma once

#include "shell/menu_dispatch.h"

enum class gadget_action_kind {
  nothing,
  calls,
  open_refresh,  // the shown tab's loader with the newest entry of its recent files
  licence_link,
  erase,
  sort,
  clone,
  go_bottom,
  go_top,
  undo,
  redo,
  clear_aff_editor,
  caret_to_end,    // of editor `editor`
  caret_to_start,
};

// The paged lists by their tab: 0 dictionary, 1 thesaurus, 2 the
// hyphenation tab's view of the dictionary, 3 autocorrect.
struct gadget_action {
  gadget_action_kind kind = gadget_action_kind::nothing;
  bool disables_controls = false;
  // Toolbar buttons act only while enabled: a posted click of a disabled
  // button (Ctrl+S with nothing to save) does nothing.
  bool only_when_enabled = false;
  dispatch_calls calls;
  int list = -1;     // the list's tab for the list commands
  int editor = 0;    // caret buttons
  int pause_ms = 0;  // after Undo and Redo
};

// Gadget of window 0 clicked while tab is shown.
gadget_action gadget_action_for(int gadget, int tab);
// Item 503..512 of popup menu 502 opened on list 124, 160 or 221.
gadget_action popup_action_for(int item, int owner_list);

// The list of a list tab and its tab (-1 when it is none of the four paged
// lists): 124 -> 0, 160 -> 1, 185 -> 2, 221 -> 3.
int paged_list_tab(int list);
