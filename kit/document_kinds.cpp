#include "kit/document_kinds.h"

#include "kit/ids.h"

// Which tab shows which kind; each subsystem fills in the rest of its kind
// (gadgets, texts, commands) when the program registers it.
void set_editable_list_gadgets(document_kind& kind, const editable_list_gadgets& g) {
  kind.list_gadget = g.list;
  kind.paged.scroll = g.scroll;
  kind.paged.status_label = g.status_label;
  kind.paged.changed_mark = g.changed_mark;
  kind.paged.selected_label = g.selected_label;
  kind.file_label = g.file_label;
  kind.folder_label = g.folder_label;
  kind.first_row_button = g.first_row_button;
  kind.searchable = true;
  kind.keeps_history = true;
  kind.undo_button = g.undo_button;
  kind.redo_button = g.redo_button;
}

document_kinds::document_kinds() {
  dictionary.tab = TAB_DICTIONARY;
  thesaurus.tab = TAB_THESAURUS;
  hyphenation.tab = TAB_HYPHENATION;
  autocorrect.tab = TAB_AUTOCORRECT;
  // Ctrl+Tab stops at the Autocorrect tab; from the AutoText tab it still
  // reaches the last tab, beyond which there is none.
  autocorrect.ends_next_tab = true;
  autotext.tab = TAB_AUTOTEXT;
  languagetool.tab = TAB_LANGUAGETOOL;
  // The recent-files log keeps one list a tab, in tab order.
  for (document_kind* k : all()) k->recent_list = k->tab;
}

std::array<document_kind*, 6> document_kinds::all() {
  return {&dictionary, &thesaurus, &hyphenation, &autocorrect, &autotext, &languagetool};
}

std::array<const document_kind*, 6> document_kinds::all() const {
  return {&dictionary, &thesaurus, &hyphenation, &autocorrect, &autotext, &languagetool};
}

document_kind* document_kinds::of_tab(int tab) {
  return const_cast<document_kind*>(static_cast<const document_kinds&>(*this).of_tab(tab));
}

const document_kind* document_kinds::of_tab(int tab) const {
  switch (tab) {
    case TAB_DICTIONARY: return &dictionary;
    case TAB_THESAURUS: return &thesaurus;
    case TAB_HYPHENATION: return &hyphenation;
    case TAB_AUTOCORRECT: return &autocorrect;
    case TAB_AUTOTEXT: return &autotext;
    case TAB_LANGUAGETOOL: return &languagetool;
    default: return nullptr;
  }
}

int document_kinds::tab_after(int tab, tab_step step) const {
  const document_kind* kind = of_tab(tab);
  if (!kind) return -1;
  if (step == tab_step::next) return !kind->ends_next_tab && of_tab(tab + 1) ? tab + 1 : -1;
  return of_tab(tab - 1) ? tab - 1 : -1;
}
