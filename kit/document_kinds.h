// The kinds of document the main window edits, one per tab of panel 100:
// what the main window's menus, shortcuts and buttons do with each. Every kind
// fills in its own interface when the program registers its commands; the
// dispatchers reach a kind through the registry, which is the one place that
// knows which tab shows which kind. GUI-free.
#pragma once

#include "common/list_document.h"
#include "common/text.h"
#include "kit/find_search.h"
#include "kit/list_commands.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

enum class save_choice { save, save_as };

// Ctrl+Tab and Ctrl+Shift+Tab.
enum class tab_step { next, previous };

// Add makes a new entry; edit changes the selected one.
enum class entry_edit { add, edit };

// Delete Current without a selected entry: a notice, or nothing (the Find
// window deletes the entry it found itself).
enum class missing_selection { warn, quiet };

// The commands over the entries of an editable list (Dictionary, Thesaurus,
// Autocorrect); empty for the other kinds.
struct list_entry_commands {
  std::function<void(entry_edit)> edit;
  std::function<void()> check_all;
  std::function<void()> uncheck_all;
  std::function<void()> invert;
  std::function<void()> delete_checked;
  std::function<void(missing_selection)> delete_current;
};

enum class row_click { single, double_click };

// How a paged list colours its rows: the dictionary's words mark flag-only
// entries and show their tags in a column of their own; the autocorrect
// pairs show the wrong word red and the correction green.
enum class row_colours { plain, dictionary_words, correction_pairs };

// The main window's paged list of a kind: the gadgets beside it, its texts
// and the document it pages, all given by the subsystem that builds the
// kind's tab and registers the kind.
struct paged_list_view {
  int scroll = 0;          // its scroll bar: the first visible row
  int status_label = 0;    // "# Words: 12  Word: [3]"
  int changed_mark = 0;    // the mark right of the status label
  int selected_label = 0;  // "Selected: ..." (0 none)
  text_t count_word;       // "# Words:"
  text_t position_word;    // "Word: ["
  row_colours colours = row_colours::plain;
  // Return on the focused list edits the selected entry.
  bool return_edits = false;
  // The document it pages; nullptr until registered (the list is then not
  // paged). Views of the same document are redrawn together.
  list_document* entries = nullptr;
  // A place of its own in entries (the Hyphenation tab keeps one in the
  // dictionary's words, cleared when their count changes); nullptr: the
  // document's selection and first row.
  list_position* place = nullptr;
  // Its changed mark when that is not the document's (the pattern file's).
  std::function<bool()> changed;
  // The scroll value it last showed: a different one means someone moved
  // the bar, and the page follows. What the screen shows, kept by the view
  // as it draws.
  mutable int shown_scroll = 0;
};

struct document_kind {
  int tab = -1;  // its tab in panel 100
  // Ctrl+Tab (the next tab) shows nothing further from its tab.
  bool ends_next_tab = false;
  // A paged list the Find window and the Goto dialog search (the editable
  // lists, and the Hyphenation tab's view of the dictionary's words).
  bool searchable = false;
  // Undo and Redo over the entries (the editable lists), and their buttons.
  bool keeps_history = false;
  int undo_button = 0;
  int redo_button = 0;
  // The kind whose entries its list shows when not its own: the Hyphenation
  // tab shows the dictionary's (its Find edits and deletes dictionary words).
  const document_kind* list_owner = nullptr;
  const list_entry_commands& shown_entries() const { return list_owner ? list_owner->entries : entries; }
  // The Find window's title ("Find " + find_title), its "No ... found."
  // and the Goto dialog's name of the entries.
  text_t find_title;
  text_t found_name;
  text_t goto_name;
  // The texts of Erase, Sort and Clone (the editable lists).
  const list_member_texts* member_texts = nullptr;
  // How the Find window reads the entries (the thesaurus gives its meaning
  // count).
  find_entry_reader find_reader;
  // The tab's paged list and the first of its row of list buttons (0 none).
  int list_gadget = 0;
  int first_row_button = 0;
  paged_list_view paged;
  // Its file: the name and folder labels on its tab, where the document
  // keeps its path (empty until registered: the labels show "n/a") and its
  // list in the recent-files log (-1 none).
  int file_label = 0;
  int folder_label = 0;
  std::function<text_t()> path;
  int recent_list = -1;
  // Unsaved changes: the question before work could be lost names the kind
  // (document_name) while this says so. Empty: never changed.
  std::function<bool()> changed;
  text_t document_name;
  // Loads a file; "" asks for it first.
  std::function<void(const text_t& path)> load;
  // Empty for the read-only kinds (AutoText, LanguageTool).
  std::function<void(save_choice)> save;
  // Something to save: Save and Save As are enabled.
  std::function<bool()> savable;
  list_entry_commands entries;
  // After Erase emptied the list (the thesaurus forgets its encoding).
  std::function<void()> erased;
  // A double click on a row of its paged list that does not edit the entry
  // (the Hyphenation tab takes the word).
  std::function<void()> double_click;
  // The lists of a read-only tab that show the details of a clicked row.
  struct row_view {
    int list = 0;
    std::function<void(int64_t row, row_click click)> show;
  };
  std::vector<row_view> row_views;
};

// The gadgets of an editable list's tab (Dictionary, Thesaurus, Autocorrect).
struct editable_list_gadgets {
  int list = 0;
  int scroll = 0;
  int status_label = 0;
  int changed_mark = 0;
  int selected_label = 0;
  int file_label = 0;
  int folder_label = 0;
  int first_row_button = 0;
  int undo_button = 0;
  int redo_button = 0;
};
// Gives a kind an editable list's gadgets: a paged list the Find window and
// the Goto dialog search, with Undo and Redo.
void set_editable_list_gadgets(document_kind& kind, const editable_list_gadgets& gadgets);

class document_kinds {
 public:
  document_kinds();
  // The kinds point at each other: one registry, never copied.
  document_kinds(const document_kinds&) = delete;
  document_kinds& operator=(const document_kinds&) = delete;

  document_kind dictionary;
  document_kind thesaurus;
  document_kind hyphenation;  // the patterns, and the tab's view of the dictionary's words
  document_kind autocorrect;
  document_kind autotext;
  document_kind languagetool;

  // Every kind, in tab order.
  std::array<document_kind*, 6> all();
  std::array<const document_kind*, 6> all() const;

  // The kind a tab shows; nullptr for a number that is no tab.
  document_kind* of_tab(int tab);
  const document_kind* of_tab(int tab) const;
  // The tab Ctrl+Tab (next) or Ctrl+Shift+Tab shows from a tab; -1 none.
  int tab_after(int tab, tab_step step) const;
};
