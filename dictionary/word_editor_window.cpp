#include "dictionary/word_editor_window.h"

#include "affix/affix_expansion.h"
#include "affix/expansion_output.h"
#include "common/date_time.h"
#include "dictionary/derived_words_panel.h"
#include "dictionary/dic_file.h"
#include "dictionary/word_editor.h"
#include "gui/gui.h"
#include "gui/modal_window.h"
#include "kit/id_blocks.h"
#include "kit/ids.h"
#include "kit/layout.h"
#include "kit/list_view_ui.h"
#include "kit/preferences.h"
#include "kit/window_helpers.h"

#include <algorithm>

using namespace word_editor_ids;

static_assert(ids_in_block(ENTRY_EDITOR_BLOCK, {WINDOW, WORD_LABEL, TAGS_FIELD, MATCH_COUNT, KIND_FIRST_LABEL + 7,
                                                AFF_VIEW, SORT_FIRST_RADIO + 4, NESTED_LIST, POPUP, REMOVE_FLAG,
                                                AFF_AID_COMBO, UNKNOWN_CONTINUATION_FLAGS, OK, CANCEL}));
static_assert(ids_in_block(WORD_EDITOR_FLAGS_BLOCK,
                           {KEEPCASE, NEEDAFFIX, FORBIDDENWORD, COMPLEXPREFIXES, CIRCUMFIX, FLAG_MODE,
                            COMPLEX_PREFIXES_WARNING}));
static_assert(ids_in_block(WORD_EDITOR_POPUP_ITEMS_BLOCK, {COPY_WORD, REMOVE_FLAG}));
int64_t pending_word_editor_action = 0;

namespace {

// A pending refresh runs once the clock is this far past the reference time.
constexpr int64_t REFRESH_DELAY_MS = 600;
// A change moves the reference time this far back: the refresh runs at the
// end of the same pass.
constexpr int64_t CHANGE_SETBACK_MS = 1000;
// Edit mode shows the first derived words shortly after opening.
constexpr int64_t OPENING_SETBACK_MS = 310;

// F1 in tool windows.
constexpr int SHORTCUT_TOOL_HELP = 1004;
static_assert(SHORTCUT_BLOCK.holds(SHORTCUT_TOOL_HELP));

constexpr int ACTION_WORD_CHANGED = 1, ACTION_OK = 2, ACTION_CANCEL = 3;

struct editor_state {
  explicit editor_state(derived_words_options& options) : derived(options) {}
  dictionary_document* dictionary = nullptr;
  const aff_decode_cache* cache = nullptr;  // the dictionary's, brought up to date at opening
  derived_words_options& derived;           // the list's sort mode, remembered by the program
  bool add = false;
  word_editor_fields at_open;
  bool refresh_pending = false;
  int64_t reference_ms = 0;
  bool close_requested = false;
  bool commit = false;
  word_field_look previous_look = word_field_look::empty;
  int64_t word_background = COLOR_DEFAULT;
  int64_t tags_background = COLOR_DEFAULT;
  taboo_look taboo{-2, -2};
  // One expander for the editor's refreshes: a refresh started from inside
  // the poll of a running one finds it busy and does nothing.
  affix_expander expander;
};

editor_state* open_editor = nullptr;
// The Taboo indicator's colour (see update_taboo_indicator).
int64_t nosuggest_indicator_colour = 0;
int taboo_image_shown = 0;

// Callbacks: inside the GUI signal they only store the action, so that a
// running expansion sees it at its next poll.
int on_word_editor_word_change() {
  pending_word_editor_action = ACTION_WORD_CHANGED;
  return 0;
}
int on_word_editor_ok() {
  pending_word_editor_action = ACTION_OK;
  return 0;
}
int on_word_editor_cancel() {
  pending_word_editor_action = ACTION_CANCEL;
  return 0;
}

// The expansion's stop test: events keep flowing while it runs, and any
// action of the user ends it.
bool poll_during_expansion() {
  event_poll();
  return pending_word_editor_action != 0;
}

void bind_callbacks() {
  gadget_bind_event(WORD_FIELD, on_word_editor_word_change, SUBTYPE_CHANGE);
  gadget_bind_event(OK, on_word_editor_ok, SUBTYPE_CLICK);
  gadget_bind_event(CANCEL, on_word_editor_cancel, SUBTYPE_CLICK);
  event_bind(EVENT_MENU, on_word_editor_cancel, WINDOW, SHORTCUT_ESCAPE);
  // Return and the close box would otherwise be swallowed by the
  // expansion's polling.
  event_bind(EVENT_MENU, on_word_editor_ok, WINDOW, SHORTCUT_RETURN);
  event_bind(EVENT_CLOSE, on_word_editor_cancel, WINDOW, -1);
}

void unbind_callbacks() {
  gadget_unbind_event(WORD_FIELD, on_word_editor_word_change, SUBTYPE_CHANGE);
  gadget_unbind_event(OK, on_word_editor_ok, SUBTYPE_CLICK);
  gadget_unbind_event(CANCEL, on_word_editor_cancel, SUBTYPE_CLICK);
  event_unbind(EVENT_MENU, on_word_editor_cancel, WINDOW, SHORTCUT_ESCAPE);
  event_unbind(EVENT_MENU, on_word_editor_ok, WINDOW, SHORTCUT_RETURN);
  event_unbind(EVENT_CLOSE, on_word_editor_cancel, WINDOW, -1);
  pending_word_editor_action = 0;
}

void warn(const text_t& text) { message_box(u"Warning!", text, MB_ICON_WARNING); }


// A field's text as it may be stored: a pasted TAB, CR or LF is removed at
// once.
text_t cleaned_field_text(int g, text_t (*clean)(text_view)) {
  text_t raw = gadget_get_text(g);
  text_t cleaned = clean(raw);
  if (cleaned != raw) gadget_set_text(g, cleaned);
  return cleaned;
}
text_t word_field_text() { return cleaned_field_text(WORD_FIELD, clean_word_field); }
text_t tags_field_text() { return cleaned_field_text(TAGS_FIELD, clean_tags_field); }

void set_background(int g, int64_t& shown, int64_t colour) {
  if (shown == colour) return;
  shown = colour;
  gadget_set_color(g, COLOR_BACKGROUND, static_cast<int>(colour));
}

// Before each wait: field colours, Taboo indicator, Display, indicators.
void refresh_looks(editor_state& st) {
  text_t word = word_field_text();
  word_field_look look = word_field_look_of(word);
  int64_t word_colour = look == word_field_look::flag_only ? WORD_EDITOR_AMBER
                        : look == word_field_look::invalid ? WORD_EDITOR_RED
                                                           : COLOR_DEFAULT;
  set_background(WORD_FIELD, st.word_background, word_colour);
  set_background(TAGS_FIELD, st.tags_background, tags_field_invalid(tags_field_text()) ? WORD_EDITOR_RED : COLOR_DEFAULT);

  taboo_look taboo = update_taboo_indicator(look, st.previous_look, nosuggest_indicator_colour);
  st.previous_look = look;
  if (taboo.label_colour != st.taboo.label_colour)
    gadget_set_color(TABOO_LABEL, COLOR_TEXT, static_cast<int>(taboo.label_colour));
  if (taboo.image != st.taboo.image) {
    gadget_set_image(TABOO_IMAGE, image_pixbuf(taboo.image));
    taboo_image_shown = taboo.image;
  }
  st.taboo = taboo;
  update_derived_words_panel(*st.cache);
}

void request_refresh(editor_state& st, int64_t setback) {
  st.refresh_pending = true;
  st.reference_ms = time_elapsed_ms() - setback;
}

bool refresh_due(const editor_state& st) {
  return st.refresh_pending && time_elapsed_ms() - st.reference_ms > REFRESH_DELAY_MS;
}

bool expandable(text_view word) { return !word.empty() && word.front() != u'/'; }

// Recomputes the derived words of the word field. A change of the word
// during the expansion abandons it and starts again with the new text; OK
// or Cancel stop it and take effect afterwards.
void refresh_derived_words(editor_state& st) {
  word_editor_report.indicators.circumfix_seen = false;
  clear_derived_words();
  bool complete = true;
  if (expandable(word_field_text())) {
    timer_add(WINDOW, LONG_JOB_TIMER, LONG_JOB_TIMER_MS);
    gadget_set_disabled(REFRESH, 1);
    do {
      word_editor_report.indicators.circumfix_seen = false;
      pending_word_editor_action = 0;
      text_t word = word_field_text();
      if (!expandable(word)) {
        word_editor_rows.clear();
        break;
      }
      word_editor_rows.clear();
      word_editor_report = st.expander.expand(*st.cache, word, word_editor_rows, poll_during_expansion);
      nosuggest_indicator_colour = word_editor_report.indicators.nosuggest ? 0xFF : 0xFF00;
    } while (pending_word_editor_action == ACTION_WORD_CHANGED);
    complete = pending_word_editor_action == 0;
    gadget_set_disabled(REFRESH, 0);
    timer_remove(WINDOW, LONG_JOB_TIMER);
  } else {
    word_editor_rows.clear();
  }
  st.refresh_pending = false;
  st.reference_ms = time_elapsed_ms();
  if (complete) {
    show_derived_words(st.derived);
    return;
  }
  // Stopped by OK or Cancel: the rows are partial. They are not shown; if
  // the window stays open (OK refused), the words are computed again.
  word_editor_rows.clear();
  request_refresh(st, CHANGE_SETBACK_MS);
  event_post(EVENT_GADGET, WINDOW, pending_word_editor_action == ACTION_OK ? OK : CANCEL);
}

void validate_and_commit(editor_state& st) {
  word_editor_check check = validate_word_editor_fields(word_field_text(), tags_field_text());
  if (!check.ok) {
    warn(check.message);
    gadget_set_focus(check.focus);
    return;
  }
  st.commit = true;
}

void build_fields() {
  gadget_create_label(WORD_LABEL, 6, 9, 50, static_cast<int>(text_gadget_height), u"Word:");
  gadget_create_entry(WORD_FIELD, 59, 6, 270, static_cast<int>(string_gadget_height), u"");
  use_language_font(WORD_FIELD);
  create_image_button_right_of(REFRESH, WORD_FIELD, 44, 44, IMAGE_REFRESH, 7, u"Refresh", 0);
  gadget_create_label(TABOO_LABEL, right_of(REFRESH) + 8, 9, 0, 0, u"Taboo");
  fit_gadget_to_content(TABOO_LABEL);
  gadget_set_color(TABOO_LABEL, COLOR_TEXT, WORD_EDITOR_BLACK);
  gadget_create_image(TABOO_IMAGE, right_of(TABOO_LABEL) + 4, 7, 24, 20, image_pixbuf(49));
  gadget_set_tooltip(TABOO_IMAGE, u"NOSUGGEST Flag");
  taboo_image_shown = 49;
  gadget_create_label(TAGS_LABEL, 6, 52, 52, static_cast<int>(text_gadget_height), u"Postags:");
  gadget_create_entry(TAGS_FIELD, 59, 50, 370, static_cast<int>(string_gadget_height), u"");
  use_language_font(TAGS_FIELD);
  create_image_button_at(OK, 56, 78, 44, 44, IMAGE_OK, 0, u"OK", 0);
  create_image_button_right_of(CANCEL, OK, 44, 44, IMAGE_CANCEL, 10, u"Cancel", 0);
}


// One event of the window's loop.
void handle_event(editor_state& st, const modal_event& e) {
  const int type = e.type;
  const int object = e.object;
  const int subtype = e.subtype;
  if (type == EVENT_CLOSE) {
    st.close_requested = true;
    return;
  }
  if (type == EVENT_MENU) {
    switch (object) {
      case SHORTCUT_ESCAPE: st.close_requested = true; return;
      case SHORTCUT_RETURN: event_post(EVENT_GADGET, WINDOW, OK); return;
      case SHORTCUT_TOOL_HELP: open_manual_page(word_editor_manual_anchor); return;
      default: handle_derived_words_panel_event(*st.cache, st.derived, type, object, subtype); return;
    }
  }
  if (type != EVENT_GADGET) return;
  switch (object) {
    case WORD_FIELD:
      if (subtype == SUBTYPE_CHANGE) request_refresh(st, CHANGE_SETBACK_MS);
      return;
    case REFRESH: request_refresh(st, CHANGE_SETBACK_MS); return;
    case OK: validate_and_commit(st); return;
    case CANCEL: st.close_requested = true; return;
    default: handle_derived_words_panel_event(*st.cache, st.derived, type, object, subtype); return;
  }
}

}  // namespace

row_type_colours preferred_row_type_colours(const preferences_kwx4& applied) {
  auto colour = [](int64_t index) {
    return index >= 0 && index < AFFIX_COLOUR_COUNT ? static_cast<int32_t>(affix_colour_table[static_cast<size_t>(index)])
                                                    : COLOR_DEFAULT;
  };
  return {colour(applied.affix_colour_primary), colour(applied.affix_colour_suffix),
          colour(applied.affix_colour_prefix), colour(applied.affix_colour_both)};
}

void edit_dictionary_word(dictionary_document& dictionary, entry_edit how, derived_words_options& options,
                          const preferences& prefs, aff_aid_languages& aff_aid) {
  list_document& doc = dictionary.list;
  if (how == entry_edit::edit) {
    if (doc.count() == 0) {
      warn(u"No dictionary words found.");
      return;
    }
    if (!doc.has_selection()) {
      warn(u"No dictionary word selected.");
      return;
    }
  }
  if (open_editor) return;  // window 428 is open already

  const aff_decode_cache& cache = dictionary.decode_cache();
  word_editor_report = {};
  nosuggest_indicator_colour = 0;
  pending_word_editor_action = 0;
  word_editor_rows = derived_rows_sink(preferred_row_type_colours(prefs.applied));

  editor_state st(options);
  st.dictionary = &dictionary;
  st.cache = &cache;
  st.add = how == entry_edit::add;
  if (!st.add) st.at_open = word_editor_fields_of_entry(doc.entry(doc.selected()));

  window_set_disabled(MAIN_WINDOW, 1);
  const text_t& resolution = prefs.record.window_resolution;
  if (!window_open(WINDOW, GUI_KEEP, GUI_KEEP, 1014 + static_cast<int>(scale_extra_width_for(resolution, 100)),
                   560 + static_cast<int>(scale_extra_height_for(resolution, 100)), st.add ? u"Add a word" : u"Edit a word",
                   TOOL_WINDOW_FLAGS, window_widget(MAIN_WINDOW))) {
    window_set_disabled(MAIN_WINDOW, 0);
    message_box(u"Error!", u"Can't open a window.", MB_ICON_ERROR);
    return;
  }
  open_editor = &st;
  build_fields();
  build_derived_words_panel(cache, options, prefs, aff_aid);
  gadget_set_text(WORD_FIELD, st.at_open.word);
  gadget_set_text(TAGS_FIELD, st.at_open.tags);
  if (!st.add) request_refresh(st, OPENING_SETBACK_MS);
  shortcut_add(WINDOW, KEY_ESCAPE, SHORTCUT_ESCAPE);
  shortcut_add(WINDOW, KEY_RETURN, SHORTCUT_RETURN);
  shortcut_add(WINDOW, KEY_F1, SHORTCUT_TOOL_HELP);
  gadget_set_focus(WORD_FIELD);
  bind_callbacks();

  const auto on_event = [&st](const modal_event& e) {
    handle_event(st, e);
    // Leaving needs no refresh: nothing would show it.
    return close_when(st.commit || st.close_requested);
  };
  run_modal_loop(WINDOW, on_event,
                 {.before_wait = [&st] { refresh_looks(st); },
                  // Wake up when the refresh is due, also when nothing happens.
                  .wait_ms = [&st] {
                    return st.refresh_pending
                               ? std::max<int64_t>(0, REFRESH_DELAY_MS + 1 - (time_elapsed_ms() - st.reference_ms))
                               : -1;
                  },
                  .after_wait = [&st] {
                    if (refresh_due(st)) refresh_derived_words(st);
                    return modal_step::stay;
                  },
                  // Events of any window reach the editor: the close box of a window left
                  // enabled under it (the Find window) closes the editor too.
                  .every_window = true});

  const text_t word = word_field_text();
  const text_t tags = tags_field_text();
  unbind_callbacks();
  if (st.commit) {
    aff_aid.selected_item = gadget_get_state(AFF_AID_COMBO);
    const bool changed = word != st.at_open.word || tags != st.at_open.tags;
    if (commit_word_editor_entry(doc, st.add, word_editor_entry_of_fields(word, tags, st.at_open), changed)) {
      if (st.add) {
        // Scroll ranges, both pages and the status labels follow the count.
        dictionary.count_changed();
      } else {
        redraw_paged_list(dictionary.list);
      }
      update_paged_list_status_labels(st.dictionary->list);
    }
  }
  sync_paged_list_selection(dictionary.list);
  free_derived_words_panel();
  open_editor = nullptr;
  end_modal_window(WINDOW, MAIN_WINDOW);
}

void register_word_editor_commands(dictionary_document& dictionary, derived_words_options& options,
                                   const preferences& prefs, aff_aid_languages& aff_aid, list_entry_commands& entries) {
  entries.edit = [&dictionary, &options, &prefs, &aff_aid](entry_edit how) {
    edit_dictionary_word(dictionary, how, options, prefs, aff_aid);
  };
}

int word_editor_indicator_image(int gadget) {
  if (gadget == TABOO_IMAGE) return open_editor ? taboo_image_shown : 0;
  return derived_words_indicator_image(gadget);
}
