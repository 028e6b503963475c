#include "editors/hyphenation/hyphenation_tab_ui.h"

#include "affix/affix_expansion.h"
#include "affix/expansion_output.h"
#include "common/dic_entry.h"
#include "common/file.h"
#include "dictionary/word_editor_window.h"
#include "editors/hyphenation/hyphenation_engine.h"
#include "editors/hyphenation/hyphenation_file.h"
#include "gui/gui.h"
#include "kit/command_registry.h"
#include "kit/ids.h"
#include "kit/layout.h"
#include "kit/list_view_ui.h"
#include "kit/main_job_host.h"
#include "kit/main_window_hooks.h"
#include "kit/recent_files.h"
#include "kit/recent_files_ui.h"
#include "kit/window_helpers.h"

#include <vector>

namespace {

const char16_t kOpenPattern[] = u"Hyphenation (*.dic)|*.dic";
const char16_t kSavePattern[] = u"Hyphenation Dictionary (*.dic)|*.dic";
const char16_t kChangedQuestion[] = u"The Hyphenation has been changed.\n\nContinue?";
constexpr int kWordFieldOrange = 969215;
constexpr int kWordFieldBlack = 0;

void warn(const text_t& text) { message_box(u"Warning!", text, MB_ICON_WARNING); }

// A question that would throw away unsaved patterns: only Yes goes on.
bool may_discard_changes(const hyphenation_document_record& doc) {
  return !doc.changed ||
         message_box(u"Warning!", kChangedQuestion, MB_YES_NO | MB_ICON_INFORMATION | MB_DEFAULT_NO) == MB_ANSWER_YES;
}

void set_changed(hyphenation_document_record& doc, const document_kind& kind, bool changed) {
  doc.changed = changed;
  update_paged_list_status_label(kind);
}

// After the document changed its file: path, labels, recent files, menu.
void file_known(hyphenation_document_record& doc, const document_kind& kind, const text_t& path) {
  doc.path = path;
  document_file_known(kind, path);
}

// List 188: one row per word form of the entry, the flag coloured by its
// row type.
void fill_word_forms(dictionary_document& dictionary, const preferences& prefs, const text_t& entry) {
  gadget_clear_items(HYPHENATION_RESULTS);
  const aff_decode_cache& cache = dictionary.decode_cache();
  std::vector<hyphenation_derived_row> forms;
  hyphenation_rows_sink sink(forms, preferred_row_type_colours(prefs.applied));
  expand_entry(cache, entry, sink);
  std::vector<text_t> rows;
  rows.reserve(forms.size());
  for (const hyphenation_derived_row& r : forms) rows.push_back(r.word + u"\n" + r.flag + u"\n");
  gadget_add_items(HYPHENATION_RESULTS, rows);
  for (size_t i = 0; i < forms.size(); ++i) {
    const int32_t colour = forms[i].type_colour;
    if (colour != COLOR_DEFAULT) gadget_set_item_color(HYPHENATION_RESULTS, static_cast<int>(i), COLOR_TEXT, colour, 1);
  }
  update_hyphenation_count_label();
}

// Hyphenates the rows of list 188 with the rules of editor 187; a refused
// rules text leaves the word forms as they are.
void hyphenate_rows(hyphenation_decode_cache& table) {
  long_job_host& host = main_window_job_host();
  if (build_hyphenation_decode_cache(table, gadget_get_text(HYPHENATION_EDITOR), host) !=
      hyphenation_rules_status::ready) {
    return;
  }
  const int count = gadget_count_items(HYPHENATION_RESULTS);
  std::vector<hyphenation_row> rows(static_cast<size_t>(count));
  for (int r = 0; r < count; ++r) rows[static_cast<size_t>(r)].word = gadget_get_item_text(HYPHENATION_RESULTS, r, 0);
  const int64_t done = apply_hyphenation_patterns(table, rows, host);
  for (int r = 0; r < done; ++r) {
    const hyphenation_row& after = rows[static_cast<size_t>(r)];
    gadget_set_item_text(HYPHENATION_RESULTS, r, after.word, 0);
    if (after.no_matches) {
      gadget_set_item_text(HYPHENATION_RESULTS, r, u"No matches", 2);
      gadget_set_item_color(HYPHENATION_RESULTS, r, COLOR_TEXT, static_cast<int>(COLOUR_RED), 2);
    } else {
      gadget_set_item_text(HYPHENATION_RESULTS, r, after.rule, 2);
    }
  }
}

void expand_and_hyphenate(hyphenation_document_record& doc, dictionary_document& dictionary, const preferences& prefs,
                          const text_t& entry) {
  fill_word_forms(dictionary, prefs, entry);
  hyphenate_rows(doc.table);
}

// Popup 217 on list 188: the selected row's word, rule, or both.
void copy_result(int item) {
  if (gadget_count_items(HYPHENATION_RESULTS) == 0) {
    warn(u"No words found.");
    return;
  }
  const int row = gadget_get_state(HYPHENATION_RESULTS);
  if (row < 0) {
    warn(u"No word selected.");
    return;
  }
  const text_t word = gadget_get_item_text(HYPHENATION_RESULTS, row, 0);
  if (item == POPUP_COPY_WORD) {
    clipboard_set_text(word);
    return;
  }
  const text_t rule = gadget_get_item_text(HYPHENATION_RESULTS, row, 2);
  if (rule.empty()) {
    warn(u"No rule found.");
    return;
  }
  clipboard_set_text(item == POPUP_COPY_RULE ? rule : word + u"\u2192" + rule);
}

bool is_navigation_key(int id) {
  return id == SHORTCUT_UP || id == SHORTCUT_DOWN || id == SHORTCUT_PAGE_UP || id == SHORTCUT_PAGE_DOWN ||
         id == SHORTCUT_HOME || id == SHORTCUT_END;
}

void handle_hyphenation_tab_event(hyphenation_document_record& doc, document_kind& kind, const command_event& e) {
  if (gadget_get_state(MAIN_TAB_PANEL) != TAB_HYPHENATION) return;
  if (e.type == EVENT_GADGET) {
    // The editor, the results and the word field take the keys themselves.
    if (e.id == HYPHENATION_EDITOR || e.id == HYPHENATION_RESULTS || e.id == HYPHENATION_WORD_FIELD) {
      if (list_shortcuts_active) remove_list_shortcuts();
    } else if (!list_shortcuts_active) {
      install_list_shortcuts();
    }
    if (e.id == HYPHENATION_EDITOR && e.subtype == SUBTYPE_CHANGE && !doc.changed) set_changed(doc, kind, true);
    if (e.id == HYPHENATION_WORD_FIELD && e.subtype == SUBTYPE_CHANGE) highlight_hyphenation_word_field();
  }
  if (e.type == EVENT_MENU && is_navigation_key(e.id) && gadget_get_focus() == HYPHENATION_LIST) {
    if ((e.id == SHORTCUT_UP || e.id == SHORTCUT_DOWN) && doc.place.selected == -1) return;
    navigate_paged_list(kind, e.id);
  }
}

}  // namespace

void load_hyphenation(hyphenation_document_record& doc, const document_kind& kind, const text_t& given_path) {
  show_main_status(u"Loading Hyphenation... <ESC> to abort.");
  reset_main_progress();
  if (!may_discard_changes(doc)) return;
  text_t path = given_path;
  if (path.empty()) path = request_existing_file(u"Open Hyphenation", kOpenPattern, u".dic", doc.path);
  if (path.empty()) {
    show_main_aborted();
    return;
  }
  if (!check_file_exists(path, u".DIC file not found.")) {
    show_main_status(u"File not found.");
    return;
  }
  const text_t question = hyphenation_encoding_question(probe_hyphenation_file(path));
  if (!question.empty() && message_box(u"Warning!", question, MB_YES_NO | MB_ICON_WARNING) == MB_ANSWER_NO) {
    show_main_aborted();
    return;
  }
  const hyphenation_file_result r = load_hyphenation_file(path, main_window_job_host());
  if (r.status != hyphenation_file_status::ok) {
    message_box(u"Error!", r.message, MB_ICON_ERROR);
    show_main_status(r.status_text);
    return;
  }
  gadget_set_text(HYPHENATION_EDITOR, r.text);
  set_changed(doc, kind, false);
  file_known(doc, kind, path);
  show_main_status(r.status_text);
}

void save_hyphenation(hyphenation_document_record& doc, const document_kind& kind, int save, int save_as) {
  show_main_status(u"Saving Hyphenation... <ESC> to abort.");
  reset_main_progress();
  const text_t text = gadget_get_text(HYPHENATION_EDITOR);
  if (text.empty()) {
    warn(u"The .DIC file is empty.");
    show_main_aborted();
    return;
  }
  text_t target = save == 1 ? doc.path : text_t();
  if (target.empty() || save_as == 1) target = request_save_path(u"Save Hyphenation", kSavePattern, u".dic", doc.path);
  if (target.empty()) {
    show_main_aborted();
    return;
  }
  // A text without patterns (after Clear) would wipe a pattern file.
  if (!hyphenation_text_has_patterns(text) && file_size_by_path(target) > 0) {
    const hyphenation_file_result old = load_hyphenation_file(target, main_window_job_host());
    if (old.status != hyphenation_file_status::ok || hyphenation_text_has_patterns(old.text)) {
      if (message_box(u"Warning!", hyphenation_replace_patterns_question(target), MB_YES_NO | MB_ICON_WARNING) !=
          MB_ANSWER_YES) {
        show_main_aborted();
        return;
      }
    }
  }
  const hyphenation_file_result r = save_hyphenation_file(target, text, main_window_job_host());
  if (r.status != hyphenation_file_status::ok) {
    message_box(u"Error!", r.message, MB_ICON_ERROR);
    show_main_status(r.status_text);
    return;
  }
  // The editor shows what the file now holds.
  if (r.encoding_line_changed) gadget_set_text(HYPHENATION_EDITOR, r.text);
  set_changed(doc, kind, false);
  file_known(doc, kind, target);
  show_main_status(r.status_text);
  if (!r.notice.empty()) message_box(u"Information!", r.notice, MB_ICON_INFORMATION);
}

void hyphenate_entered_word(hyphenation_document_record& doc, dictionary_document& dictionary, const preferences& prefs) {
  const text_t word = gadget_get_text(HYPHENATION_WORD_FIELD);
  if (word.empty() || word.front() == u' ' || word.front() == u'/') {
    warn(u"No word selected.");
    return;
  }
  fill_word_forms(dictionary, prefs, word);
  doc.last_hyphenated_word = word;
  hyphenate_rows(doc.table);
}

void update_hyphenation(hyphenation_document_record& doc, dictionary_document& dictionary, const preferences& prefs) {
  if (doc.last_hyphenated_word.empty()) {
    warn(u"No last hyphenated word.");
    return;
  }
  expand_and_hyphenate(doc, dictionary, prefs, doc.last_hyphenated_word);
}

void clear_hyphenation(hyphenation_document_record& doc, const document_kind& kind) {
  if (!may_discard_changes(doc)) return;
  gadget_set_text(HYPHENATION_EDITOR, u"UTF-8\n");
  gadget_clear_items(HYPHENATION_RESULTS);
  set_changed(doc, kind, false);
  update_hyphenation_count_label();
}

void update_hyphenation_count_label() {
  const text_t text = u"# Hyphenations:" + string_from_int(gadget_count_items(HYPHENATION_RESULTS));
  if (gadget_get_text(HYPHENATION_COUNT_LABEL) != text) gadget_set_text(HYPHENATION_COUNT_LABEL, text);
}

void highlight_hyphenation_word_field() {
  const bool flags_only = gadget_get_text(HYPHENATION_WORD_FIELD).starts_with(u"/");
  const int colour = gadget_get_color(HYPHENATION_WORD_FIELD, COLOR_TEXT);
  if (flags_only && colour != kWordFieldOrange) gadget_set_color(HYPHENATION_WORD_FIELD, COLOR_TEXT, kWordFieldOrange);
  if (!flags_only && colour == kWordFieldOrange) gadget_set_color(HYPHENATION_WORD_FIELD, COLOR_TEXT, kWordFieldBlack);
}

namespace {

// The pattern editor holds more than one line almost always ("UTF-8\n" at
// least), so its text is only read when it has a single line.
bool pattern_editor_empty() {
  if (gadget_count_items(HYPHENATION_EDITOR) > 1) return false;
  return gadget_get_text(HYPHENATION_EDITOR).empty();
}

}  // namespace

void register_hyphenation_commands(hyphenation_document_record& doc, dictionary_document& dictionary,
                                   document_kind& kind, const preferences& prefs) {
  // The tab pages the dictionary's words at a place of its own; its changed
  // mark is the pattern file's.
  kind.paged.entries = &dictionary.list;
  kind.paged.place = &doc.place;
  kind.paged.changed = [&doc] { return doc.changed; };
  kind.paged.count_word = u"# Words:";
  kind.paged.position_word = u"Word: [";
  kind.paged.colours = row_colours::dictionary_words;
  kind.load = [&doc, &kind](const text_t& path) { load_hyphenation(doc, kind, path); };
  kind.save = [&doc, &kind](save_choice c) {
    save_hyphenation(doc, kind, c == save_choice::save ? 1 : 0, c == save_choice::save_as ? 1 : 0);
  };
  kind.savable = [] { return !pattern_editor_empty(); };
  // A double click on the tab's list of dictionary words takes the word with
  // its flags, without the entry's tags, into the word field.
  kind.double_click = [&doc, &dictionary] {
    const list_document& words = dictionary.list;
    gadget_set_text(HYPHENATION_WORD_FIELD, text_t(dic_entry_word_and_flags(words.entry(doc.place.selected))));
    highlight_hyphenation_word_field();
  };
  register_command(command_kind::gadget, HYPHENATION_HYPHENATE,
                   [&doc, &dictionary, &prefs](const command_event&) { hyphenate_entered_word(doc, dictionary, prefs); });
  register_command(command_kind::gadget, HYPHENATION_UPDATE,
                   [&doc, &dictionary, &prefs](const command_event&) { update_hyphenation(doc, dictionary, prefs); });
  register_command(command_kind::gadget, HYPHENATION_CLEAR, [&doc, &kind](const command_event&) { clear_hyphenation(doc, kind); });
  for (int item : {POPUP_COPY_WORD, POPUP_COPY_RULE, POPUP_COPY_WORD_AND_RULE}) {
    register_command(command_kind::popup_item, item, [](const command_event& e) { copy_result(e.id); });
  }
  register_event_hook(event_hook::hyphenation_tab,
                      [&doc, &kind](const command_event& e) { handle_hyphenation_tab_event(doc, kind, e); });
  kind.changed = [&doc] { return doc.changed; };
  kind.document_name = u"Hyphenation";
  kind.path = [&doc] { return doc.path; };
}

namespace {

void build_hyphenation_tab(const main_tab_layout& l) {
  const int h = l.list_height();
  create_paged_list(l, HYPHENATION_LIST, HYPHENATION_SCROLL, l.sx(10) + 435, h, true);
  add_list_columns(HYPHENATION_LIST, {{u"Words", l.sx(10) + 160}, {u"Postags/Comments", 170}});

  const int editor_x = right_of(HYPHENATION_SCROLL) + 10;
  const int editor_w = l.sx(100) - l.sx(10) + 518;
  gadget_create_text_view(HYPHENATION_EDITOR, editor_x, 6, editor_w, l.sy(50) + l.adj() + 144);
  use_language_font(HYPHENATION_EDITOR);
  gadget_set_tooltip(HYPHENATION_EDITOR, u"The .dic file");
  gadget_set_text(HYPHENATION_EDITOR, u"UTF-8\n");
  create_image_button_at(HYPHENATION_CLEAR, editor_x, bottom_of(HYPHENATION_EDITOR) + 5, TAB_BUTTON_W, TAB_BUTTON_H, IMAGE_CLEAR, 0,
                         u"Clear", 0);
  create_image_button_right_of(HYPHENATION_EDITOR_GO_BOTTOM, HYPHENATION_CLEAR, TAB_BUTTON_W, TAB_BUTTON_H, IMAGE_GO_BOTTOM, 15,
                               u"Go to bottom", 0);
  create_image_button_right_of(HYPHENATION_EDITOR_GO_TOP, HYPHENATION_EDITOR_GO_BOTTOM, TAB_BUTTON_W, TAB_BUTTON_H, IMAGE_GO_TOP, 5,
                               u"Go to top", 0);

  gadget_create_column_list(HYPHENATION_RESULTS, editor_x, bottom_of(HYPHENATION_EDITOR) + TAB_BUTTON_H + 10, editor_w,
                            l.sy(50) + 76, u"Word", l.sx(30) + 165);
  add_list_columns(HYPHENATION_RESULTS, {{u"Flag", 68}, {u"Rule", l.sx(15) + 385}});
  use_language_font(HYPHENATION_RESULTS);
  create_image_button_below(HYPHENATION_UPDATE, HYPHENATION_RESULTS, TAB_BUTTON_W, TAB_BUTTON_H, IMAGE_REFRESH, 5, u"Update", 1);
  gadget_create_label(HYPHENATION_COUNT_LABEL, gadget_x(HYPHENATION_RESULTS) + TAB_BUTTON_W + 10,
                      bottom_of(HYPHENATION_RESULTS) + 5, 200, TAB_LABEL_H, u"# Hyphenations:0");

  const int word_y = bottom_of(HYPHENATION_LIST) + 5;
  gadget_create_label_ex(HYPHENATION_WORD_LABEL, 10, word_y, static_cast<int>(button_width) - 50, TAB_LABEL_H,
                         u"Word:", LABEL_RIGHT);
  gadget_create_entry(HYPHENATION_WORD_FIELD, gadget_width(HYPHENATION_WORD_LABEL) + 20, word_y, 165,
                      static_cast<int>(string_gadget_height), u"");
  use_language_font(HYPHENATION_WORD_FIELD);
  create_image_button_right_of(HYPHENATION_HYPHENATE, HYPHENATION_WORD_FIELD, TAB_BUTTON_W, TAB_BUTTON_H, IMAGE_HYPHENATE, 5,
                               u"Hyphenate", 0);
  create_image_button_right_of(HYPHENATION_FIND, HYPHENATION_HYPHENATE, TAB_BUTTON_W, TAB_BUTTON_H, IMAGE_FIND, 5, u"Find", 0);
  create_image_button_right_of(HYPHENATION_GOTO, HYPHENATION_FIND, TAB_BUTTON_W, TAB_BUTTON_H, IMAGE_GOTO, 5, u"Goto", 0);
  create_image_button_right_of(HYPHENATION_GO_BOTTOM, HYPHENATION_GOTO, TAB_BUTTON_W, TAB_BUTTON_H, IMAGE_GO_BOTTOM, 15,
                               u"Go to bottom", 0);
  create_image_button_right_of(HYPHENATION_GO_TOP, HYPHENATION_GO_BOTTOM, TAB_BUTTON_W, TAB_BUTTON_H, IMAGE_GO_TOP, 5, u"Go to top",
                               0);

  // Same line as the other tabs' status labels.
  const int label_y = bottom_of(HYPHENATION_LIST) + 8 + TAB_BUTTON_H + 5;
  create_status_label(HYPHENATION_STATUS_LABEL, HYPHENATION_CHANGED_MARK, 10, label_y, u"# Words:0");
  create_file_labels(HYPHENATION_FILE_IMAGE, HYPHENATION_FILE_LABEL, HYPHENATION_FOLDER_IMAGE,
                     HYPHENATION_FOLDER_LABEL, gadget_x(DICTIONARY_GOTO), label_y);
  create_extension_mark(HYPHENATION_EXTENSION_IMAGE, HYPHENATION_FILE_IMAGE);
  create_selected_label(HYPHENATION_SELECTED_LABEL, label_y + TAB_LABEL_H + 5);

  // Affix colour keys: label, then the colour's image 1 px right; the next
  // label 15 px right of the previous image.
  struct key {
    int label, image;
    const char16_t* text;
    int64_t colour;
  };
  const key keys[4] = {{HYPHENATION_PRIMARY_LABEL, HYPHENATION_PRIMARY_IMAGE, u"Primary:", l.prefs.record.affix_colour_primary},
                       {HYPHENATION_BOTH_LABEL, HYPHENATION_BOTH_IMAGE, u"Both:", l.prefs.record.affix_colour_both},
                       {HYPHENATION_SUFFIX_LABEL, HYPHENATION_SUFFIX_IMAGE, u"Suffix:", l.prefs.record.affix_colour_suffix},
                       {HYPHENATION_PREFIX_LABEL, HYPHENATION_PREFIX_IMAGE, u"Prefix:", l.prefs.record.affix_colour_prefix}};
  int x = gadget_x(HYPHENATION_COUNT_LABEL);
  const int y = bottom_of(HYPHENATION_COUNT_LABEL) + 8;
  for (const key& k : keys) {
    gadget_create_label(k.label, x, y, 0, TAB_LABEL_H, k.text);
    fit_gadget_to_content(k.label);
    const int64_t index = k.colour >= 0 && k.colour < AFFIX_COLOUR_COUNT ? k.colour : 0;
    create_image_right_of(k.image, k.label, IMAGE_AFFIX_COLOUR_FIRST + static_cast<int>(index), 1, 1, u"");
    x = right_of(k.image) + 15;
  }
}

}  // namespace

void register_hyphenation_tab(document_kind& kind, const document_kind& dictionary) {
  set_main_tab_builder(kind, build_hyphenation_tab);
  kind.list_gadget = HYPHENATION_LIST;
  // No "Selected:" label of its own.
  kind.paged.scroll = HYPHENATION_SCROLL;
  kind.paged.status_label = HYPHENATION_STATUS_LABEL;
  kind.paged.changed_mark = HYPHENATION_CHANGED_MARK;
  kind.paged.selected_label = 0;
  kind.file_label = HYPHENATION_FILE_LABEL;
  kind.folder_label = HYPHENATION_FOLDER_LABEL;
  kind.searchable = true;
  kind.list_owner = &dictionary;
  kind.find_title = u"a Word";
  kind.found_name = u"dictionary words";
  kind.goto_name = u"words";
}
