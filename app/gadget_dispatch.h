// What the buttons, toolbar and footer link of the main window and the items
// of the list popup menu do: the commands of the tab's document kind, or one
// of the inline list commands (Erase, Sort, Clone, Go to an end, Undo, Redo,
// Find, Goto) and editor buttons the gadget dispatcher performs itself.
// GUI-free.
#pragma once

#include "app/menu_dispatch.h"

enum class gadget_action_kind {
  nothing,
  command,
  open_refresh,  // the shown kind's loader with the newest entry of its recent files
  licence_link,
  erase,
  sort,
  clone,
  go_bottom,
  go_top,
  undo,
  redo,
  find,
  go_to,
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
  std::function<void()> command;
  std::function<void(const text_t& path)> load;  // open_refresh
  int list = -1;     // the list's tab for the list commands
  int editor = 0;    // caret buttons
};

// Gadget of window 0 clicked while tab is shown.
gadget_action gadget_action_for(int gadget, int tab, const document_kinds& kinds);
// Item 503..512 of popup menu 502 opened on list 124, 160 or 221.
gadget_action popup_action_for(int item, int owner_list, const document_kinds& kinds);

// The kind whose paged list a list gadget is (124, 160, 185, 221); nullptr
// for any other gadget.
const document_kind* paged_list_kind(int list, const document_kinds& kinds);
