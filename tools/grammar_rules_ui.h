// The LanguageTool tab: opening a grammar file into the chunk and category
// lists, the details of a clicked chunk, and the structure export.
#pragma once

#include "kit/main_commands.h"

#include "common/text.h"
#include "tools/grammar_rules.h"

#include <cstdint>

// path "" asks for the file ("Open grammar rules"). A failed or aborted load
// leaves the shown grammar as it was.
void load_grammar_rules(grammar_document_record& grammar, const document_kind& languagetool, const text_t& path);
// Title of the category list's second column, with the row and rule counts.
void update_grammar_category_header(const grammar_document_record& grammar);
// A click (show_labels 1) or double click (0) on row `row` of the chunk list:
// the chunk's XML in the view, and on a click its id and name in the labels.
void show_grammar_item(const grammar_document_record& grammar, int64_t row, bool show_labels);
// A click or double click on a category row: its chunk is selected in the
// chunk list, and on a click its details are shown.
void select_grammar_category(const grammar_document_record& grammar, int64_t row, bool show_details);
// Writes the structure summary to a file the user chooses.
void export_grammar_structure(const grammar_document_record& grammar, bool with_line_numbers);

// The LanguageTool kind (its loader, the rows of lists 278 and 284), the
// structure exports and the tab's file labels, on the given grammar, which
// must outlive them.
void register_grammar_rules_commands(grammar_document_record& grammar, document_kind& languagetool,
                                     tool_registry& tools);
