#include "tools/bulk_import_window.h"

#include "common/file.h"
#include "common/format.h"
#include "gui/gui.h"
#include "gui/modal_window.h"
#include "kit/ids.h"
#include "kit/layout.h"
#include "kit/list_view_ui.h"
#include "kit/main_job_host.h"
#include "kit/settings_files.h"
#include "kit/window_helpers.h"
#include "tools/bulk_import.h"
#include "tools/paste_and_log_ui.h"
#include "tools/wordlist_tools.h"

#include <cstdint>
#include <vector>

using namespace bulk_import_ids;

namespace {

// One opening of the window: its mode, the POS choice it remembers and
// whether the log lines are numbered.
struct window_session {
  int mode = BULK_IMPORT_DICTIONARY;
  const bulk_import_documents& documents;
  multiword_pos_options& pos;
  text_t resolution;  // the layout's, from the preferences record
  int64_t log_index_enabled = 1;
};

constexpr paste_and_log_ids kEditors{.input = INPUT, .log = OUTPUT, .process = PROCESS, .clear = CLEAR_INPUT,
                                     .input_bottom = INPUT_BOTTOM, .input_top = INPUT_TOP,
                                     .log_bottom = OUTPUT_BOTTOM, .log_top = OUTPUT_TOP,
                                     .log_index = LOG_INDEX, .log_start = LOG_START};

void warn(const text_t& text) { message_box(u"Warning!", text, MB_ICON_WARNING); }
bool import_mode(int mode) { return mode >= BULK_IMPORT_DICTIONARY && mode <= BULK_IMPORT_MULTIWORDS; }
bool document_mode(int mode) { return mode >= BULK_IMPORT_DICTIONARY && mode <= BULK_IMPORT_AUTOCORRECT; }

text_t window_title(int mode) {
  switch (mode) {
    case 5: return u"Sort small wordlist (Language-specific Tools)";
    case 6: return u"Delete Duplicates small wordlist (very slow)";
    case 7: return u"Convert XML tags to accents wordlist (very slow)";
    default: return u"Bulk Import (Dictionary/Thesaurus/Autocorrect/LanguageTool)";
  }
}

void set_label(int g, const text_t& text) { set_gadget_text_if_changed(g, text); }

tool_window_job_host job_host() {
  return tool_window_job_host({.window = WINDOW, .escape_label = ESCAPE_LABEL});
}

// The gadgets a run switches off (the log editor stays on).
void disable_controls(const window_session& s, int disabled) {
  for (int g : {PROCESS, CLOSE, PROCESS_REGEXP, LOG_INDEX, OPEN, SAVE_AS, POS_CATEGORY, POS_ENTRY, SPECIFY, REMEMBER,
                CLEAR_INPUT, INPUT_BOTTOM, INPUT_TOP, CLEAR_OUTPUT, OUTPUT_BOTTOM, OUTPUT_TOP, INPUT}) {
    if (gadget_exists(g)) gadget_set_disabled(g, disabled);
  }
  if (gadget_exists(LOG_START)) gadget_set_disabled(LOG_START, disabled || !s.log_index_enabled ? 1 : 0);
  if (!disabled && s.mode == BULK_IMPORT_MULTIWORDS) {
    gadget_set_disabled(SPECIFY, s.pos.category == BULK_IMPORT_POS_OTHER ? 0 : 1);
    gadget_set_disabled(POS_ENTRY, 0);
  }
  if (!disabled) set_label(ESCAPE_LABEL, u"");
}

void fill_pos_entry_combo(const multiword_pos_options& pos) {
  gadget_clear_items(POS_ENTRY);
  for (const text_t& item : bulk_import_pos_items(pos.category)) gadget_add_item(POS_ENTRY, -1, item);
  if (gadget_count_items(POS_ENTRY) > 0) gadget_set_state(POS_ENTRY, static_cast<int>(pos.entry));
}

void set_pos_controls_state(const multiword_pos_options& pos) {
  gadget_set_disabled(SPECIFY, pos.category == BULK_IMPORT_POS_OTHER ? 0 : 1);
  gadget_set_disabled(POS_ENTRY, pos.category == BULK_IMPORT_POS_OTHER ? 1 : 0);
}

list_document* target_document(const bulk_import_documents& documents, int mode) {
  if (mode == BULK_IMPORT_DICTIONARY) return &documents.dictionary.list;
  if (mode == BULK_IMPORT_THESAURUS) return &documents.thesaurus.list;
  if (mode == BULK_IMPORT_AUTOCORRECT) return &documents.autocorrect.list;
  return nullptr;
}

void run_import(const window_session& s) {
  const int mode = s.mode;
  gadget_set_text(OUTPUT, u"");
  bulk_import_options options;
  options.mode = mode;
  options.log_index = document_mode(mode) && s.log_index_enabled != 0;
  options.log_start = document_mode(mode) ? gadget_get_state(LOG_START) : 1;
  if (mode == BULK_IMPORT_MULTIWORDS) {
    const int chosen = gadget_get_state(POS_ENTRY);
    const text_t item = chosen >= 0 ? gadget_get_item_text(POS_ENTRY, chosen, 0) : text_t();
    const std::optional<text_t> tag = bulk_import_pos_tag(s.pos.category, item, gadget_get_text(SPECIFY));
    options.pos_valid = tag.has_value();
    options.tag = tag.value_or(text_t());
  }
  options.on_tick = [](int64_t line, int64_t lines, int64_t found) {
    set_label(PROCESSING_LABEL, u"Processing: " + string_from_int(line) + u"/" + string_from_int(lines));
    set_label(FOUND_LABEL, u"Found:" + string_from_int(found));
  };
  tool_window_job_host host = job_host();
  const bulk_import_result r = run_bulk_import(gadget_get_text(INPUT), options, target_document(s.documents, mode), host);
  switch (r.status) {
    case bulk_import_status::nothing_to_process: warn(u"Nothing to process."); return;
    case bulk_import_status::invalid_pos: warn(u"Not a valid target POS in the ComboBox."); return;
    case bulk_import_status::aborted: gadget_set_text(OUTPUT, r.log); return;
    case bulk_import_status::done: break;
  }
  gadget_set_text(OUTPUT, r.log);
  set_label(PROCESSING_LABEL, u"Processing: " + string_from_int(r.lines) + u"/" + string_from_int(r.lines) +
                                  u" Done!");
  set_label(FOUND_LABEL, u"Found:" + string_from_int(r.found));
  if (!r.refused.empty()) warn(bulk_import_refusal_message(r.refused));
}

void run_wordlist_tool(int mode) {
  gadget_set_text(OUTPUT, u"");
  set_label(FOUND_LABEL, u"Found:0");
  wordlist_tool_observer observer;
  observer.step_started = [](text_view step) { set_label(PROCESSING_LABEL, text_t(step)); };
  observer.on_tick = [](text_view step, int64_t position, int64_t lines) {
    set_label(PROCESSING_LABEL, text_t(step) + u" (" + string_from_int(position) + u"/" + string_from_int(lines) + u")");
    if (step == WORDLIST_STEP_OUTPUT) set_label(FOUND_LABEL, u"Found:" + string_from_int(position));
  };
  tool_window_job_host host = job_host();
  const text_t input = gadget_get_text(INPUT);
  const wordlist_tool_result r = mode == 5   ? sort_small_wordlist(input, host, observer)
                                 : mode == 6 ? delete_duplicate_lines(input, host, observer)
                                             : convert_xml_tags_to_accents(input, host, observer);
  if (r.status == wordlist_tool_status::nothing_to_process) {
    warn(u"Nothing to process.");
    set_label(PROCESSING_LABEL, u"Processing: 0/0");
    return;
  }
  gadget_set_text(OUTPUT, r.output);
  if (r.status == wordlist_tool_status::aborted) return;
  set_label(PROCESSING_LABEL, u"Processing Done!");
  set_label(FOUND_LABEL, u"Found:" + string_from_int(r.found));
  if (mode == 6) warn(u"Duplicates removed:" + string_from_int(r.removed));
}

void run_process(const window_session& s) {
  disable_controls(s, 1);
  if (import_mode(s.mode)) run_import(s);
  else run_wordlist_tool(s.mode);
  disable_controls(s, 0);
}

// "b|a|c": the alternatives sorted, both editors back on one line.
void run_process_regexp(const window_session& s) {
  const text_t expression = normalise_line_endings(gadget_get_text(INPUT));
  if (!regexp_alternatives_valid(expression)) {
    warn(REGEXP_WARNING);
    return;
  }
  gadget_set_text(INPUT, regexp_alternatives_to_lines(expression));
  run_process(s);
  gadget_set_text(INPUT, lines_to_regexp_alternatives(gadget_get_text(INPUT)));
  gadget_set_text(OUTPUT, lines_to_regexp_alternatives(gadget_get_text(OUTPUT)));
}

void open_word_list() {
  const text_t path =
      request_existing_file(u"Open Text File", u"Text file (*.txt)|*.txt|XML file (*.xml)|*.xml", u".txt");
  if (path.empty()) return;
  // The pasted text stays when the file is not read.
  tool_window_job_host host = job_host();
  text_t text;
  const word_list_read_status read = read_word_list_file(path, host, text);
  if (read == word_list_read_status::declined) return;
  if (read != word_list_read_status::ok) {
    message_box(u"Error!", u"Can't read the file:\n" + path, MB_ICON_ERROR);
    return;
  }
  gadget_set_text(INPUT, normalise_line_endings(text));
}

void save_output() {
  const text_t text = gadget_get_text(OUTPUT);
  if (text.empty()) {
    warn(u"Nothing to save.");
    return;
  }
  const text_t path =
      request_save_path(u"Save Text File", u"Text file (*.txt) | *.txt | XML file (*.xml) | *.xml", u".txt");
  if (path.empty()) return;
  atomic_file out;
  std::string bytes = "\xEF\xBB\xBF";
  append_utf8(bytes, normalise_line_endings(text));
  if (!out.create(path) || !out.write(bytes.data(), bytes.size()) || !out.commit()) {
    message_box(u"Error!", u"Can't write the file:\n" + path, MB_ICON_ERROR);
  }
}

void remember_pos_settings(multiword_pos_options& pos) {
  pos.custom = gadget_get_text(SPECIFY);
  const text_t path = settings_file_path(multiwords_prefs_file);
  if (!write_multiwords_prefs(path, pos)) {
    message_box(u"Error!", u"Can't write the file:\n" + path, MB_ICON_ERROR);
  }
}

void build_window(window_session& s, int width, int height) {
  const int mode = s.mode;
  const int bw = static_cast<int>(image_button_width), bh = static_cast<int>(image_button_height);
  const int lh = static_cast<int>(text_gadget_height);
  build_paste_and_log(kEditors, u"Paste here the full text with the words.", s.resolution);
  const int label_y = bottom_of(INPUT) + 110;
  gadget_create_label(PROCESSING_LABEL, 10, label_y, 200, lh, u"Processing: 0/0");
  gadget_create_label(ESCAPE_LABEL, 215, label_y, 100, lh, u"");

  const int out_x = gadget_x(OUTPUT);
  gadget_create_label(FOUND_LABEL, out_x, bottom_of(OUTPUT) + 8, 200, lh, u"Found:0");
  create_image_button_at(CLEAR_OUTPUT, out_x + 275, bottom_of(OUTPUT) + 8, bw, bh, IMAGE_CLEAR, 0, u"Clear", 0);
  create_image_button_right_of(OUTPUT_BOTTOM, CLEAR_OUTPUT, bw, bh, IMAGE_GO_BOTTOM, 25, u"Go to bottom", 0);
  create_image_button_right_of(OUTPUT_TOP, OUTPUT_BOTTOM, bw, bh, IMAGE_GO_TOP, 5, u"Go to top", 0);
  create_image_button_at(CLOSE, width - bw - 10, height - bh - 10, bw, bh, IMAGE_CLOSE, 0, u"Close", 0);

  if (document_mode(mode)) {
    s.log_index_enabled = 1;
    build_log_index(LOG_INDEX, LOG_START, out_x, bottom_of(OUTPUT) + 28, {CLEAR_OUTPUT, OUTPUT_BOTTOM, OUTPUT_TOP});
  } else if (mode == BULK_IMPORT_MULTIWORDS) {
    const int y = bottom_of(PROCESS) + 14;
    gadget_create_label(POS_LABEL, 10, y + 4, 40, lh, u"POS:");
    gadget_create_combo_box(POS_CATEGORY, right_of(POS_LABEL) + 5, y, 125, static_cast<int>(combo_box_height));
    for (const text_t& language : bulk_import_pos_languages()) gadget_add_item(POS_CATEGORY, -1, language);
    gadget_set_state(POS_CATEGORY, static_cast<int>(s.pos.category));
    gadget_create_combo_box(POS_ENTRY, right_of(POS_CATEGORY) + 5, y, 405, static_cast<int>(combo_box_height));
    fill_pos_entry_combo(s.pos);
    gadget_create_label(SPECIFY_LABEL, right_of(POS_ENTRY) + 10, y + 4, 60, lh, u"Specify:");
    gadget_create_entry(SPECIFY, right_of(SPECIFY_LABEL) + 5, y, 120, static_cast<int>(string_gadget_height),
                        s.pos.custom);
    create_image_button_right_of(REMEMBER, SPECIFY, bw, bh, IMAGE_REMEMBER, 10, u"Remember", 0);
    set_pos_controls_state(s.pos);
  } else {
    create_image_button_below(OPEN, PROCESS, bw, bh, IMAGE_OPEN, 14, u"Open...", 0);
    create_image_button_at(SAVE_AS, out_x + 10, gadget_y(OPEN), bw, bh, IMAGE_SAVE_AS, 0, u"Save as...", 0);
    if (mode == 5) {
      gadget_create_button(PROCESS_REGEXP, right_of(INPUT_TOP) + 10, gadget_y(PROCESS), 100,
                           static_cast<int>(button_height), u"Process regexp");
    }
  }
  shortcut_add(WINDOW, KEY_ESCAPE, SHORTCUT_ESCAPE);
  shortcut_add(WINDOW, KEY_F1, SHORTCUT_HELP);
}

// True closes the window.
bool handle_gadget(window_session& s, int gadget) {
  if (handle_paste_and_log_gadget(kEditors, gadget, s.log_index_enabled)) return false;
  switch (gadget) {
    case PROCESS: run_process(s); break;
    case PROCESS_REGEXP: run_process_regexp(s); break;
    case CLEAR_OUTPUT: gadget_set_text(OUTPUT, u""); break;
    case POS_CATEGORY: {
      const int chosen = gadget_get_state(POS_CATEGORY);
      if (chosen >= 0 && chosen != s.pos.category) {
        s.pos.category = chosen;
        s.pos.entry = 0;
        set_pos_controls_state(s.pos);
        fill_pos_entry_combo(s.pos);
      }
      break;
    }
    case POS_ENTRY:
      if (gadget_get_state(POS_ENTRY) >= 0) s.pos.entry = gadget_get_state(POS_ENTRY);
      break;
    case REMEMBER: remember_pos_settings(s.pos); break;
    case OPEN: open_word_list(); break;
    case SAVE_AS: save_output(); break;
    case CLOSE:
      if (s.mode == BULK_IMPORT_MULTIWORDS) s.pos.custom = gadget_get_text(SPECIFY);
      return true;
    default: break;
  }
  return false;
}

// The main window's lists show the documents as the window leaves them.
// The dictionary's words have two views: its tab's and the Hyphenation tab's.
void refresh_main_lists(const bulk_import_documents& documents) {
  const list_document* lists[] = {&documents.dictionary.list, &documents.thesaurus.list, &documents.autocorrect.list};
  for (const list_document* doc : lists) update_paged_list_labels(*doc);
  refresh_list_view_page();
  redraw_paged_list(documents.dictionary.list);
  for (const list_document* doc : lists) sync_paged_list_selection(*doc);
}

}  // namespace

void show_bulk_import_window(int mode, const bulk_import_documents& documents, multiword_pos_options& pos,
                             const preferences& prefs) {
  if (mode < 1 || mode > 7) return;
  const text_t& resolution = prefs.record.window_resolution;
  const int width = 1014 + static_cast<int>(scale_extra_width_for(resolution, 100));
  const int height = 550 + static_cast<int>(scale_extra_height_for(resolution, 100));
  window_set_disabled(MAIN_WINDOW, 1);
  if (!window_open(WINDOW, GUI_KEEP, GUI_KEEP, width, height, window_title(mode), TOOL_WINDOW_FLAGS,
                   window_widget(MAIN_WINDOW))) {
    message_box(u"Error!", u"Can't open a window.", MB_ICON_ERROR);
    window_set_disabled(MAIN_WINDOW, 0);
    return;
  }
  window_session session{.mode = mode, .documents = documents, .pos = pos, .resolution = resolution};
  build_window(session, width, height);
  run_modal_loop(WINDOW, [&session](const modal_event& e) {
    if (e.is_close_box()) return modal_step::close;
    if (e.is_menu(SHORTCUT_ESCAPE)) {
      set_label(ESCAPE_LABEL, u"");
      return modal_step::close;
    }
    if (e.is_menu(SHORTCUT_HELP)) open_manual_page(u"#5.2.5.2.bulk_import");
    if (e.type == EVENT_GADGET) return close_when(handle_gadget(session, e.object));
    return modal_step::stay;
  });
  refresh_main_lists(documents);
  end_modal_window(WINDOW, MAIN_WINDOW, modal_end_order::close_window_first);
}

void register_bulk_import_commands(const bulk_import_documents& documents, multiword_pos_options& pos,
                                   const preferences& prefs, tool_registry& tools) {
  const struct {
    int item;
    int mode;
  } modes[] = {{MENU_DICTIONARY_BULK_IMPORT, 1},    {MENU_THESAURUS_BULK_IMPORT, 2},
               {MENU_AUTOCORRECT_BULK_IMPORT, 3},   {MENU_BULK_IMPORT_MULTIWORDS, 4},
               {MENU_SORT_SMALL_WORDLIST, 5},       {MENU_DEDUPLICATE_SMALL_WORDLIST, 6},
               {MENU_CONVERT_XML_ACCENTS, 7}};
  for (const auto& m : modes) {
    tools.set_command(m.item, [mode = m.mode, documents, &pos, &prefs] {
      show_bulk_import_window(mode, documents, pos, prefs);
    });
  }
}
