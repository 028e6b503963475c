#include "editors/thesaurus/thesaurus_tab_ui.h"

#include "editors/thesaurus/thesaurus_file.h"
#include "gui/gui.h"
#include "kit/ids.h"
#include "kit/layout.h"
#include "kit/main_tab_parts.h"
#include "kit/main_window_hooks.h"
#include "kit/window_helpers.h"

namespace {

void build_thesaurus_tab(const main_tab_layout& l) {
  const int h = l.list_height();
  create_paged_list(l, THESAURUS_LIST, THESAURUS_SCROLL, l.sx(100) + 960, h, true);
  gadget_add_column(THESAURUS_LIST, 1, u"Synonyms", l.sx(5) + 160);
  for (int n = 1; n <= THESAURUS_MEANING_COLUMNS; ++n) {
    gadget_add_column(THESAURUS_LIST, n + 1, u"Meaning " + string_from_int(n), l.sx(10) + 186);
  }
  create_button_row(THESAURUS_FIRST_ROW_BUTTON, THESAURUS_LIST, false);
  const int label_y = bottom_of(THESAURUS_ADD) + 5;
  create_status_label(THESAURUS_STATUS_LABEL, THESAURUS_CHANGED_MARK, 10, label_y, u"# Synonyms:0");
  create_file_labels(THESAURUS_FILE_IMAGE, THESAURUS_FILE_LABEL, THESAURUS_FOLDER_IMAGE, THESAURUS_FOLDER_LABEL,
                     gadget_x(THESAURUS_GOTO), label_y);
  create_extension_mark(THESAURUS_EXTENSION_IMAGE, THESAURUS_FILE_IMAGE);
  create_selected_label(THESAURUS_SELECTED_LABEL, label_y + TAB_LABEL_H + 5);
}

}  // namespace

void register_thesaurus_tab(document_kind& kind) {
  set_main_tab_builder(kind, build_thesaurus_tab);
  set_editable_list_gadgets(kind, {.list = THESAURUS_LIST,
                                   .scroll = THESAURUS_SCROLL,
                                   .status_label = THESAURUS_STATUS_LABEL,
                                   .changed_mark = THESAURUS_CHANGED_MARK,
                                   .selected_label = THESAURUS_SELECTED_LABEL,
                                   .file_label = THESAURUS_FILE_LABEL,
                                   .folder_label = THESAURUS_FOLDER_LABEL,
                                   .first_row_button = THESAURUS_FIRST_ROW_BUTTON,
                                   .undo_button = THESAURUS_UNDO,
                                   .redo_button = THESAURUS_REDO});
  kind.find_title = u"a Synonym";
  kind.found_name = u"synonyms";
  kind.goto_name = u"synonyms";
  kind.member_texts = &thesaurus_member_texts();
  kind.find_reader.shown = find_list::thesaurus;
}
