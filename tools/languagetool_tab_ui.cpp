#include "tools/languagetool_tab_ui.h"

#include "gui/gui.h"
#include "kit/ids.h"
#include "kit/layout.h"
#include "kit/list_commands.h"
#include "kit/main_tab_parts.h"
#include "kit/main_window_hooks.h"
#include "kit/window_helpers.h"

namespace {

void build_languagetool_tab(const main_tab_layout& l) {
  const int h = l.list_height();
  create_paged_list(l, GRAMMAR_LIST, GRAMMAR_SCROLL, l.sx(10) + 335, h, false);
  add_list_columns(GRAMMAR_LIST, {{u"Chunk Type", 95},
                                  {u"ID", l.sx(15) + 170},
                                  {u"Name", l.sx(15) + 170},
                                  {u"Type", l.sx(15) + 90},
                                  {u"Tags", l.sx(15) + 90},
                                  {u"Default", l.sx(15) + 90}});
  gadget_create_text_view_ex(GRAMMAR_VIEW, right_of(GRAMMAR_SCROLL) + 10, 6, l.sx(100) - 2 * l.sx(10) + 358,
                             l.sy(100) + l.adj() + 265, TEXT_VIEW_READ_ONLY);
  use_language_font(GRAMMAR_VIEW);
  gadget_set_tooltip(GRAMMAR_VIEW, u"The .xml code");
  gadget_create_column_list(GRAMMAR_CATEGORY_LIST, right_of(GRAMMAR_VIEW) + 10, 6, l.sx(10) + 255,
                            gadget_height(GRAMMAR_LIST), u"Line #", 85);
  gadget_add_column(GRAMMAR_CATEGORY_LIST, 1, u"ID Category", l.sx(10) + 170);
  use_language_font(GRAMMAR_CATEGORY_LIST);
  create_button_row(GRAMMAR_FIRST_ROW_BUTTON, GRAMMAR_LIST, true);

  const int label_y = bottom_of(GRAMMAR_FIRST_ROW_BUTTON) + 5;
  create_status_label(GRAMMAR_STATUS_LABEL, GRAMMAR_CHANGED_MARK, 10, label_y, u"# Chunks:0");
  create_file_labels(GRAMMAR_FILE_IMAGE, GRAMMAR_FILE_LABEL, GRAMMAR_FOLDER_IMAGE, GRAMMAR_FOLDER_LABEL,
                     gadget_x(GRAMMAR_FIRST_ROW_BUTTON + ROW_GOTO - 1), label_y);
  create_image_left_of(GRAMMAR_READ_ONLY_IMAGE, GRAMMAR_FILE_IMAGE, IMAGE_READ_ONLY, u"Read only");
  gadget_create_label(GRAMMAR_SELECTED_LABEL, 10, bottom_of(GRAMMAR_FIRST_ROW_BUTTON) + 27, 0, TAB_LABEL_H,
                      u"Selected:None");
  fit_gadget_to_content(GRAMMAR_SELECTED_LABEL);

  const int rule_x = gadget_x(GRAMMAR_VIEW);
  const int rule_y = bottom_of(GRAMMAR_VIEW) + 4;
  create_rule_line(GRAMMAR_RULE1_CAPTION, GRAMMAR_RULE1_IMAGE, GRAMMAR_RULE1_LABEL, rule_x, rule_y, IMAGE_RULE_1);
  create_rule_line(GRAMMAR_RULE2_CAPTION, GRAMMAR_RULE2_IMAGE, GRAMMAR_RULE2_LABEL, rule_x, rule_y + TAB_LABEL_H + 4,
                   IMAGE_RULE_2);

  const int gadgets[6] = {GRAMMAR_CANCEL,      GRAMMAR_OK,             GRAMMAR_EDIT_VIEW,
                          GRAMMAR_VIEW_GO_TOP, GRAMMAR_VIEW_GO_BOTTOM, GRAMMAR_VIEW_CLEAR};
  const int images[6] = {IMAGE_CANCEL, IMAGE_OK, IMAGE_EDIT, IMAGE_GO_TOP, IMAGE_GO_BOTTOM, IMAGE_CLEAR};
  const char16_t* const tips[6] = {u"Cancel", u"OK", u"Edit", u"Go to top", u"Go to bottom", u"Clear"};
  const int gaps[5] = {5, 5, 15, 5, 15};
  create_view_buttons(gadgets, images, tips, gadget_x(GRAMMAR_CATEGORY_LIST) - 10 - static_cast<int>(image_button_width),
                      bottom_of(GRAMMAR_VIEW) + 5, gaps);
}

}  // namespace

void register_languagetool_tab(document_kind& kind) {
  set_main_tab_builder(kind, build_languagetool_tab);
  kind.file_label = GRAMMAR_FILE_LABEL;
  kind.folder_label = GRAMMAR_FOLDER_LABEL;
}
