#include "kit/document_kinds.h"

#include "kit/ids.h"

document_kinds::document_kinds() {
  dictionary.tab = TAB_DICTIONARY;
  thesaurus.tab = TAB_THESAURUS;
  hyphenation.tab = TAB_HYPHENATION;
  autocorrect.tab = TAB_AUTOCORRECT;
  dictionary.list_gadget = DICTIONARY_LIST;
  thesaurus.list_gadget = THESAURUS_LIST;
  hyphenation.list_gadget = HYPHENATION_LIST;
  autocorrect.list_gadget = AUTOCORRECT_LIST;
  // The gadgets beside each paged list: scroll bar, status label, changed
  // mark, "Selected:" label (the Hyphenation tab has none).
  const auto place_gadgets = [](document_kind& k, int scroll, int status, int mark, int selected) {
    k.paged.scroll = scroll;
    k.paged.status_label = status;
    k.paged.changed_mark = mark;
    k.paged.selected_label = selected;
  };
  place_gadgets(dictionary, DICTIONARY_SCROLL, DICTIONARY_STATUS_LABEL, DICTIONARY_CHANGED_MARK,
                DICTIONARY_SELECTED_LABEL);
  place_gadgets(thesaurus, THESAURUS_SCROLL, THESAURUS_STATUS_LABEL, THESAURUS_CHANGED_MARK, THESAURUS_SELECTED_LABEL);
  place_gadgets(hyphenation, HYPHENATION_SCROLL, HYPHENATION_STATUS_LABEL, HYPHENATION_CHANGED_MARK, 0);
  place_gadgets(autocorrect, AUTOCORRECT_SCROLL, AUTOCORRECT_STATUS_LABEL, AUTOCORRECT_CHANGED_MARK,
                AUTOCORRECT_SELECTED_LABEL);
  const auto place_file_labels = [](document_kind& k, int file, int folder) {
    k.file_label = file;
    k.folder_label = folder;
  };
  place_file_labels(dictionary, DICTIONARY_FILE_LABEL, DICTIONARY_FOLDER_LABEL);
  place_file_labels(thesaurus, THESAURUS_FILE_LABEL, THESAURUS_FOLDER_LABEL);
  place_file_labels(hyphenation, HYPHENATION_FILE_LABEL, HYPHENATION_FOLDER_LABEL);
  place_file_labels(autocorrect, AUTOCORRECT_FILE_LABEL, AUTOCORRECT_FOLDER_LABEL);
  place_file_labels(autotext, AUTOTEXT_FILE_LABEL, AUTOTEXT_FOLDER_LABEL);
  place_file_labels(languagetool, GRAMMAR_FILE_LABEL, GRAMMAR_FOLDER_LABEL);
  dictionary.first_row_button = DICTIONARY_FIRST_ROW_BUTTON;
  thesaurus.first_row_button = THESAURUS_FIRST_ROW_BUTTON;
  autocorrect.first_row_button = AUTOCORRECT_FIRST_ROW_BUTTON;
  for (document_kind* k : {&dictionary, &thesaurus, &hyphenation, &autocorrect}) k->searchable = true;
  hyphenation.list_owner = &dictionary;
  dictionary.find_title = hyphenation.find_title = u"a Word";
  thesaurus.find_title = u"a Synonym";
  autocorrect.find_title = u"an Autocorrect word";
  dictionary.found_name = hyphenation.found_name = u"dictionary words";
  thesaurus.found_name = u"synonyms";
  autocorrect.found_name = u"autocorrect words";
  dictionary.goto_name = hyphenation.goto_name = u"words";
  thesaurus.goto_name = u"synonyms";
  autocorrect.goto_name = u"autocorrect words";
  dictionary.member_texts = &dictionary_member_texts();
  thesaurus.member_texts = &thesaurus_member_texts();
  autocorrect.member_texts = &autocorrect_member_texts();
  thesaurus.find_reader.shown = find_list::thesaurus;
  autocorrect.find_reader.shown = find_list::autocorrect;
  for (document_kind* k : {&dictionary, &thesaurus, &autocorrect}) k->keeps_history = true;
  dictionary.undo_button = DICTIONARY_UNDO;
  dictionary.redo_button = DICTIONARY_REDO;
  thesaurus.undo_button = THESAURUS_UNDO;
  thesaurus.redo_button = THESAURUS_REDO;
  autocorrect.undo_button = AUTOCORRECT_UNDO;
  autocorrect.redo_button = AUTOCORRECT_REDO;
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
