#include "tools/grammar_rules_ui.h"

#include "common/file.h"
#include "gui/gui.h"
#include "kit/ids.h"
#include "kit/main_job_host.h"
#include "kit/recent_files.h"
#include "kit/recent_files_ui.h"
#include "kit/window_helpers.h"
#include "tools/grammar_rules.h"

#include <vector>

namespace {

constexpr int kCategoryBackground = 0x577AB9;
constexpr int kCategoryText = 0xFFFFFF;
constexpr int kRuleGroupText = 0x009900;
constexpr int kDefaultOffText = 0x0000FF;
constexpr int kItemColumns = 7;

void show_chunk_count(int64_t chunks) {
  set_gadget_text_if_changed(GRAMMAR_STATUS_LABEL, u"# Chunks:" + string_from_int(chunks));
}

void colour_item_rows(const grammar_document_record& doc) {
  gadget_set_item_color(GRAMMAR_LIST, -1, COLOR_BACKGROUND, static_cast<int>(COLOUR_LINE_NUMBER_BACKGROUND), 0);
  for (size_t i = 0; i < doc.items.size(); ++i) {
    const grammar_item_record& item = doc.items[i];
    const int row = static_cast<int>(i);
    if (item.kind == u"category") {
      for (int c = 1; c < kItemColumns; ++c) {
        gadget_set_item_color(GRAMMAR_LIST, row, COLOR_BACKGROUND, kCategoryBackground, c);
        gadget_set_item_color(GRAMMAR_LIST, row, COLOR_TEXT, kCategoryText, c);
      }
    } else if (item.kind == u"rulegroup") {
      for (int c = 1; c < kItemColumns; ++c) gadget_set_item_color(GRAMMAR_LIST, row, COLOR_TEXT, kRuleGroupText, c);
    }
    if (item.default_value == u"off") gadget_set_item_color(GRAMMAR_LIST, row, COLOR_TEXT, kDefaultOffText, 6);
  }
}

// The lists, view and labels show the document afresh.
void show_grammar_document(const grammar_document_record& doc) {
  gadget_set_text(GRAMMAR_VIEW, u"");
  set_gadget_text_if_changed(GRAMMAR_RULE1_LABEL, u":n/a");
  set_gadget_text_if_changed(GRAMMAR_RULE2_LABEL, u":n/a");
  gadget_clear_items(GRAMMAR_LIST);
  gadget_clear_items(GRAMMAR_CATEGORY_LIST);
  gadget_add_items(GRAMMAR_LIST, grammar_item_rows(doc));
  colour_item_rows(doc);
  gadget_add_items(GRAMMAR_CATEGORY_LIST, grammar_category_list_rows(doc));
  gadget_set_item_color(GRAMMAR_CATEGORY_LIST, -1, COLOR_BACKGROUND, static_cast<int>(COLOUR_LINE_NUMBER_BACKGROUND),
                        0);
  gadget_set_item_color(GRAMMAR_CATEGORY_LIST, -1, COLOR_TEXT, kCategoryText, 1);
  gadget_set_item_color(GRAMMAR_CATEGORY_LIST, -1, COLOR_BACKGROUND, kCategoryBackground, 1);
  update_grammar_category_header(doc);
  // The grammar file is read only: its changed mark never shows.
  gadget_set_hidden(GRAMMAR_CHANGED_MARK, 1);
  show_chunk_count(static_cast<int64_t>(doc.items.size()));
}

}  // namespace

void load_grammar_rules(grammar_document_record& grammar, const document_kind& languagetool, const text_t& given_path) {
  show_main_status(u"Loading grammar rules... <ESC> to abort.");
  reset_main_progress();
  text_t path = given_path;
  if (path.empty()) {
    path = file_dialog_open(u"Open grammar rules", path_directory(grammar.path), u"Grammar.xml (*.xml)|*.xml", 0);
    if (path.empty()) {
      show_main_status(u"Aborted.");
      return;
    }
  }
  if (!check_file_exists(path, u".XML file not found.")) {
    show_main_status(u"File not found.");
    return;
  }
  const grammar_file_result r = load_grammar_file(path, main_window_job_host(), grammar, show_chunk_count);
  if (r.status != grammar_file_status::ok) {
    if (!r.message.empty()) message_box(u"Error!", r.message, MB_ICON_ERROR);
    // The count shown during the pass goes back to the grammar still open.
    show_chunk_count(static_cast<int64_t>(grammar.items.size()));
    show_main_status(r.status_text);
    return;
  }
  show_grammar_document(grammar);
  document_file_known(languagetool, path);
  reset_main_progress();
  show_main_status(r.status_text);
}

void update_grammar_category_header(const grammar_document_record& grammar) {
  const text_t title = grammar_category_header(grammar);
  if (gadget_get_item_text(GRAMMAR_CATEGORY_LIST, -1, 1) != title) {
    gadget_set_item_text(GRAMMAR_CATEGORY_LIST, -1, title, 1);
  }
}

void show_grammar_item(const grammar_document_record& grammar, int64_t row, bool show_labels) {
  if (row < 0 || row >= static_cast<int64_t>(grammar.items.size())) return;
  const grammar_item_record& item = grammar.items[static_cast<size_t>(row)];
  if (show_labels) {
    set_gadget_text_if_changed(GRAMMAR_RULE1_LABEL, u":" + item.id);
    set_gadget_text_if_changed(GRAMMAR_RULE2_LABEL, u":" + item.name);
  }
  gadget_set_text(GRAMMAR_VIEW, item.text);
}

void select_grammar_category(const grammar_document_record& grammar, int64_t row, bool show_details) {
  if (row < 0 || row >= static_cast<int64_t>(grammar.category_rows.size())) return;
  const int64_t item = grammar.category_rows[static_cast<size_t>(row)];
  gadget_set_state(GRAMMAR_LIST, static_cast<int>(item));
  if (show_details) show_grammar_item(grammar, item, true);
}

void export_grammar_structure(const grammar_document_record& grammar, bool with_line_numbers) {
  show_main_status(u"Exporting LanguageTool structure... <ESC> to abort.");
  reset_main_progress();
  if (grammar.items.empty()) {
    message_box(u"Warning!", u"Nothing to save.", MB_ICON_WARNING);
    show_main_status(u"Aborted.");
    return;
  }
  const text_t target = request_save_path(u"Save Text File", u"Text File (*.txt)|*.txt", u".txt");
  if (target.empty()) {
    show_main_status(u"Aborted.");
    return;
  }
  const grammar_file_result r =
      export_grammar_structure_file(grammar, target, with_line_numbers, main_window_job_host());
  if (!r.message.empty()) message_box(u"Error!", r.message, MB_ICON_ERROR);
  show_main_status(r.status_text);
}

void register_grammar_rules_commands(grammar_document_record& grammar, document_kind& languagetool,
                                     tool_registry& tools) {
  // The category list's header follows every load.
  languagetool.load = [&grammar, &languagetool](const text_t& path) {
    load_grammar_rules(grammar, languagetool, path);
    update_grammar_category_header(grammar);
  };
  // A click shows a row's details; a double click only its text.
  languagetool.row_views = {
      {GRAMMAR_LIST,
       [&grammar](int64_t row, row_click click) { show_grammar_item(grammar, row, click == row_click::single); }},
      {GRAMMAR_CATEGORY_LIST,
       [&grammar](int64_t row, row_click click) {
         select_grammar_category(grammar, row, click == row_click::single);
       }},
  };
  tools.set_command(MENU_RULES_STRUCTURE, [&grammar] { export_grammar_structure(grammar, true); });
  tools.set_command(MENU_RULES_STRUCTURE_PLAIN, [&grammar] { export_grammar_structure(grammar, false); });
  languagetool.path = [&grammar] { return grammar.path; };
}
