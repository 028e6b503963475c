#include "editors/autocorrect/autocorrect_tab_ui.h"

#include "editors/autocorrect/block_list_file.h"
#include "gui/gui.h"
#include "kit/ids.h"
#include "kit/layout.h"
#include "kit/main_tab_parts.h"
#include "kit/main_window_hooks.h"
#include "kit/window_helpers.h"

namespace {

void build_autocorrect_tab(const main_tab_layout& l) {
  const int h = l.list_height();
  create_paged_list(l, AUTOCORRECT_LIST, AUTOCORRECT_SCROLL, l.sx(100) + 960, h, true);
  add_list_columns(AUTOCORRECT_LIST, {{u"Incorrect", 210}, {u"Correct", 570}});
  create_button_row(AUTOCORRECT_FIRST_ROW_BUTTON, AUTOCORRECT_LIST, false);
  const int label_y = bottom_of(AUTOCORRECT_ADD) + 5;
  create_status_label(AUTOCORRECT_STATUS_LABEL, AUTOCORRECT_CHANGED_MARK, 10, label_y, u"# Autocorrects:0");
  create_file_labels(AUTOCORRECT_FILE_IMAGE, AUTOCORRECT_FILE_LABEL, AUTOCORRECT_FOLDER_IMAGE,
                     AUTOCORRECT_FOLDER_LABEL, 310, label_y);
  create_selected_label(AUTOCORRECT_SELECTED_LABEL, label_y + TAB_LABEL_H + 5);
}

void build_autotext_tab(const main_tab_layout& l) {
  const int h = l.list_height();
  create_paged_list(l, AUTOTEXT_LIST, AUTOTEXT_SCROLL, l.sx(10) + 435, h, false);
  add_list_columns(AUTOTEXT_LIST, {{u"abbreviated-name", 115}, {u"package-name", 115}, {u"Name", l.sx(10) + 170}});
  gadget_create_text_view_ex(AUTOTEXT_VIEW, right_of(AUTOTEXT_SCROLL) + 10, 6, l.sx(100) - l.sx(10) + 518,
                             l.sy(100) + l.adj() + 265, TEXT_VIEW_READ_ONLY);
  use_language_font(AUTOTEXT_VIEW);
  gadget_set_tooltip(AUTOTEXT_VIEW, u"The .xml code");
  create_button_row(AUTOTEXT_FIRST_ROW_BUTTON, AUTOTEXT_LIST, true);

  const int label_y = bottom_of(AUTOTEXT_FIRST_ROW_BUTTON) + 5;
  create_status_label(AUTOTEXT_STATUS_LABEL, AUTOTEXT_CHANGED_MARK, 10, label_y, u"# AutoTexts:0");
  create_file_labels(AUTOTEXT_FILE_IMAGE, AUTOTEXT_FILE_LABEL, AUTOTEXT_FOLDER_IMAGE, AUTOTEXT_FOLDER_LABEL,
                     gadget_x(AUTOTEXT_FIRST_ROW_BUTTON + ROW_GOTO - 1), label_y);
  create_extension_mark(AUTOTEXT_EXTENSION_IMAGE, AUTOTEXT_FILE_IMAGE);
  create_image_left_of(AUTOTEXT_READ_ONLY_IMAGE, AUTOTEXT_EXTENSION_IMAGE, IMAGE_READ_ONLY, u"Read only");
  gadget_create_label(AUTOTEXT_SELECTED_LABEL, 10, gadget_y(AUTOTEXT_FILE_IMAGE) + 22, 210, TAB_LABEL_H,
                      u"Selected:None");

  const int rule_x = gadget_x(AUTOTEXT_VIEW);
  const int rule_y = bottom_of(AUTOTEXT_VIEW) + 4;
  create_rule_line(AUTOTEXT_RULE1_CAPTION, AUTOTEXT_RULE1_IMAGE, AUTOTEXT_RULE1_LABEL, rule_x, rule_y, IMAGE_RULE_1);
  create_rule_line(AUTOTEXT_RULE2_CAPTION, AUTOTEXT_RULE2_IMAGE, AUTOTEXT_RULE2_LABEL, rule_x, rule_y + TAB_LABEL_H + 4,
                   IMAGE_RULE_2);

  const int gadgets[6] = {AUTOTEXT_CANCEL,         AUTOTEXT_OK,          AUTOTEXT_EDIT_VIEW,
                          AUTOTEXT_VIEW_GO_TOP,    AUTOTEXT_VIEW_GO_BOTTOM, AUTOTEXT_VIEW_CLEAR};
  const int images[6] = {IMAGE_CANCEL, IMAGE_OK, IMAGE_EDIT, IMAGE_GO_TOP, IMAGE_GO_BOTTOM, IMAGE_CLEAR};
  const char16_t* const tips[6] = {u"Cancel", u"OK", u"Edit", u"Go to top", u"Go to bottom", u"Clear"};
  const int gaps[5] = {10, 5, 15, 5, 15};
  create_view_buttons(gadgets, images, tips, right_of(AUTOTEXT_VIEW) - static_cast<int>(image_button_width),
                      bottom_of(AUTOTEXT_VIEW) + 3, gaps);
}

}  // namespace

void register_autocorrect_tab(document_kind& kind) {
  set_main_tab_builder(kind, build_autocorrect_tab);
  set_editable_list_gadgets(kind, {.list = AUTOCORRECT_LIST,
                                   .scroll = AUTOCORRECT_SCROLL,
                                   .status_label = AUTOCORRECT_STATUS_LABEL,
                                   .changed_mark = AUTOCORRECT_CHANGED_MARK,
                                   .selected_label = AUTOCORRECT_SELECTED_LABEL,
                                   .file_label = AUTOCORRECT_FILE_LABEL,
                                   .folder_label = AUTOCORRECT_FOLDER_LABEL,
                                   .first_row_button = AUTOCORRECT_FIRST_ROW_BUTTON,
                                   .undo_button = AUTOCORRECT_UNDO,
                                   .redo_button = AUTOCORRECT_REDO});
  kind.find_title = u"an Autocorrect word";
  kind.found_name = u"autocorrect words";
  kind.goto_name = u"autocorrect words";
  kind.member_texts = &autocorrect_member_texts();
  kind.find_reader.shown = find_list::autocorrect;
}

void register_autotext_tab(document_kind& kind) {
  set_main_tab_builder(kind, build_autotext_tab);
  kind.file_label = AUTOTEXT_FILE_LABEL;
  kind.folder_label = AUTOTEXT_FOLDER_LABEL;
}
