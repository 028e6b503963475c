#include "dictionary/dictionary_tab_ui.h"

#include "dictionary/dic_file.h"
#include "gui/gui.h"
#include "kit/ids.h"
#include "kit/layout.h"
#include "kit/main_tab_parts.h"
#include "kit/main_window_hooks.h"
#include "kit/window_helpers.h"

namespace {

void build_dictionary_tab(const main_tab_layout& l) {
  const int h = l.list_height();
  create_paged_list(l, DICTIONARY_LIST, DICTIONARY_SCROLL, l.sx(10) + 435, h, true);
  add_list_columns(DICTIONARY_LIST, {{u"Words", l.sx(10) + 160}, {u"Postags/Comments", 170}});
  gadget_create_text_view(AFF_EDITOR, right_of(DICTIONARY_SCROLL) + 10, 6, l.sx(100) - l.sx(10) + 518,
                          l.sy(100) + l.adj() - 44 + 315);
  use_language_font(AFF_EDITOR);
  gadget_set_tooltip(AFF_EDITOR, u"The .aff file");
  create_button_row(DICTIONARY_FIRST_ROW_BUTTON, DICTIONARY_LIST, false);

  create_image_button_at(AFF_CLEAR, right_of(AFF_EDITOR) - 3 * TAB_BUTTON_W - 30, bottom_of(AFF_EDITOR) + 5, TAB_BUTTON_W, TAB_BUTTON_H,
                         IMAGE_CLEAR, 0, u"Clear", 0);
  create_image_button_right_of(AFF_GO_BOTTOM, AFF_CLEAR, TAB_BUTTON_W, TAB_BUTTON_H, IMAGE_GO_BOTTOM, 15, u"Go to bottom", 0);
  create_image_button_right_of(AFF_GO_TOP, AFF_GO_BOTTOM, TAB_BUTTON_W, TAB_BUTTON_H, IMAGE_GO_TOP, 5, u"Go to top", 0);

  const int label_y = bottom_of(DICTIONARY_ADD) + 5;
  create_status_label(DICTIONARY_STATUS_LABEL, DICTIONARY_CHANGED_MARK, 10, label_y, u"# Words:0");
  create_file_labels(DICTIONARY_FILE_IMAGE, DICTIONARY_FILE_LABEL, DICTIONARY_FOLDER_IMAGE,
                     DICTIONARY_FOLDER_LABEL, gadget_x(DICTIONARY_GOTO), label_y);
  create_extension_mark(DICTIONARY_EXTENSION_IMAGE, DICTIONARY_FILE_IMAGE);
  create_selected_label(DICTIONARY_SELECTED_LABEL, label_y + TAB_LABEL_H + 5);
}

}  // namespace

void register_dictionary_tab(document_kind& kind) {
  set_main_tab_builder(kind, build_dictionary_tab);
  set_editable_list_gadgets(kind, {.list = DICTIONARY_LIST,
                                   .scroll = DICTIONARY_SCROLL,
                                   .status_label = DICTIONARY_STATUS_LABEL,
                                   .changed_mark = DICTIONARY_CHANGED_MARK,
                                   .selected_label = DICTIONARY_SELECTED_LABEL,
                                   .file_label = DICTIONARY_FILE_LABEL,
                                   .folder_label = DICTIONARY_FOLDER_LABEL,
                                   .first_row_button = DICTIONARY_FIRST_ROW_BUTTON,
                                   .undo_button = DICTIONARY_UNDO,
                                   .redo_button = DICTIONARY_REDO});
  kind.find_title = u"a Word";
  kind.found_name = u"dictionary words";
  kind.goto_name = u"words";
  kind.member_texts = &dictionary_member_texts();
}
