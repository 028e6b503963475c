// Gadget kinds, states and attributes over real GTK widgets.
#include <algorithm>
#include <string>

#include "gui/gui.h"
#include "gui/test_driver.h"

namespace {

using gui_test::fetched_event;

constexpr int WIN = 40;

class Gadgets : public gui_test::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    ASSERT_TRUE(window_open_no_parent(WIN, 20, 20, 700, 500, u"Gadgets", WINDOW_SYSTEM_MENU));
  }
  void show() {
    gui_test::wait_window(WIN);
    ASSERT_TRUE(gui_test::run_steps());
    gui_test::drain_events();
  }
};

// Window events (moved, sized, activated) come and go as X pleases; the
// gadget events are the ones that count.
bool no_gadget_events() {
  for (const fetched_event& e : gui_test::drain_events())
    if (e.type == EVENT_GADGET) return false;
  return true;
}

int count_events(const std::vector<fetched_event>& all, int object, int subtype) {
  return (int)std::count_if(all.begin(), all.end(), [&](const fetched_event& e) {
    return e.type == EVENT_GADGET && e.object == object && e.subtype == subtype;
  });
}

TEST_F(Gadgets, KindsAreReportedAndMissingGadgetsAnswerZero) {
  struct {
    int g, kind;
  } made[] = {{1, GADGET_BUTTON},     {2, GADGET_ENTRY},       {3, GADGET_LABEL},       {4, GADGET_CHECKBOX},
              {5, GADGET_RADIO_BUTTON}, {7, GADGET_FRAME},     {8, GADGET_COMBO_BOX},   {9, GADGET_IMAGE},
              {10, GADGET_HYPERLINK}, {14, GADGET_PROGRESS_BAR}, {15, GADGET_SCROLL_BAR}, {17, GADGET_SLIDER},
              {19, GADGET_IMAGE_BUTTON}, {22, GADGET_TEXT_VIEW}, {26, GADGET_SPIN},     {28, GADGET_TAB_PANEL},
              {33, GADGET_CANVAS},    {12, GADGET_COLUMN_LIST}, {11, GADGET_CONTAINER}};
  ASSERT_TRUE(gadget_create_button(1, 0, 0, 80, 28, u"B"));
  ASSERT_TRUE(gadget_create_entry(2, 0, 30, 80, 24, u"e"));
  ASSERT_TRUE(gadget_create_label(3, 0, 60, 80, 18, u"l"));
  ASSERT_TRUE(gadget_create_checkbox(4, 0, 80, 80, 21, u"c"));
  ASSERT_TRUE(gadget_create_radio_button(5, 0, 100, 80, 21, u"r"));
  ASSERT_TRUE(gadget_create_frame(7, 100, 0, 80, 80, u"f"));
  ASSERT_TRUE(gadget_create_combo_box(8, 100, 90, 80, 26));
  ASSERT_TRUE(gadget_create_image(9, 100, 120, 16, 16, nullptr));
  ASSERT_TRUE(gadget_create_hyperlink(10, 100, 140, 80, 18, u"link", 255));
  ASSERT_TRUE(gadget_create_progress_bar(14, 200, 0, 158, 8, 0, 100));
  ASSERT_TRUE(gadget_create_scroll_bar(15, 200, 20, 18, 100, 0, 10, 1, SCROLL_BAR_VERTICAL));
  ASSERT_TRUE(gadget_create_slider(17, 230, 20, 100, 20, 0, 10, 0));
  ASSERT_TRUE(gadget_create_image_button(19, 230, 50, 44, 44, nullptr));
  ASSERT_TRUE(gadget_create_text_view(22, 300, 50, 100, 60));
  ASSERT_TRUE(gadget_create_spin(26, 300, 120, 80, 31, 0, 9, SPIN_NUMERIC));
  ASSERT_TRUE(gadget_create_tab_panel(28, 400, 0, 200, 100));
  gadget_parent_pop();
  ASSERT_TRUE(gadget_create_canvas(33, 400, 110, 50, 50, 0));
  ASSERT_TRUE(gadget_create_column_list(12, 400, 170, 200, 100, u"Col", 100));
  ASSERT_TRUE(gadget_create_container(11, 0, 300, 100, 100));
  gadget_parent_pop();
  for (auto& m : made) EXPECT_EQ(gadget_kind(m.g), m.kind) << m.g;

  EXPECT_EQ(gadget_kind(999), 0);
  EXPECT_EQ(gadget_get_state(999), 0);
  EXPECT_EQ(gadget_exists(999), 0);
  EXPECT_EQ(gadget_get_text(999), u"");
  EXPECT_EQ(gadget_count_items(999), 0);
  EXPECT_EQ(gadget_get_color(999, COLOR_TEXT), -1);
  gadget_set_text(999, u"nothing");  // does nothing
  EXPECT_EQ(gadget_count_items(1), 0);  // a button has no items
  EXPECT_EQ(gadget_get_text(12), u"");  // a list has no text
  EXPECT_EQ(gadget_window(1), WIN);
}

TEST_F(Gadgets, ScrollBarRunsFromMinimumToMaximumMinusPagePlusOne) {
  ASSERT_TRUE(gadget_create_scroll_bar(50, 10, 10, 18, 300, 0, 99, 13, SCROLL_BAR_VERTICAL));
  show();
  EXPECT_EQ(gadget_get_attribute(50, ATTR_MINIMUM), 0);
  EXPECT_EQ(gadget_get_attribute(50, ATTR_MAXIMUM), 99);
  EXPECT_EQ(gadget_get_attribute(50, ATTR_PAGE_LENGTH), 13);
  gadget_set_state(50, 200);
  EXPECT_EQ(gadget_get_state(50), 87);
  gadget_set_state(50, -5);
  EXPECT_EQ(gadget_get_state(50), 0);
  EXPECT_TRUE(no_gadget_events());
  // Dragged by the user to the end: the same last value, with an event.
  gui_test::set_value(50, 1000);
  ASSERT_TRUE(gui_test::run_steps());
  EXPECT_EQ(gadget_get_state(50), 87);
  EXPECT_EQ(count_events(gui_test::drain_events(), 50, SUBTYPE_CLICK), 1);
  // A smaller range clamps the value; an empty document collapses it to 0..0.
  gadget_set_attribute(50, ATTR_MAXIMUM, 20);
  EXPECT_EQ(gadget_get_state(50), 8);
  gadget_set_attribute(50, ATTR_MAXIMUM, 0);
  EXPECT_EQ(gadget_get_state(50), 0);
}

int wheel_callback_runs = 0;
int count_wheel_callback() {
  ++wheel_callback_runs;
  return 0;
}

// A list showing one page beside its own bar: the wheel over the rows moves
// the bar, with the same event (and bound callback) a drag gives; the bar's
// range bounds it both ways. A list without a bar scrolls itself.
TEST_F(Gadgets, WheelOverAPagedListMovesItsScrollBar) {
  ASSERT_TRUE(gadget_create_column_list(62, 10, 10, 300, 200, u"Word", 200));
  for (int i = 0; i < 5; ++i) gadget_add_item(62, -1, u"row");
  ASSERT_TRUE(gadget_create_scroll_bar(63, 310, 10, 18, 200, 0, 99, 13, SCROLL_BAR_VERTICAL));
  gadget_set_list_scroll_bar(62, 63);
  ASSERT_TRUE(gadget_create_column_list(64, 350, 10, 300, 100, u"Word", 200));
  for (int i = 0; i < 200; ++i) gadget_add_item(64, -1, u"row");
  show();
  wheel_callback_runs = 0;
  gadget_bind_event(63, count_wheel_callback, SUBTYPE_CLICK);
  struct wheel_case {
    int clicks;
    int value;
  };
  const wheel_case cases[] = {{10, 30}, {-3, 21}, {40, 87}, {-100, 0}};
  for (const wheel_case& c : cases) {
    SCOPED_TRACE("wheel " + std::to_string(c.clicks));
    gui_test::scroll_wheel(62, c.clicks);
    ASSERT_TRUE(gui_test::run_steps());
    EXPECT_EQ(gadget_get_state(63), c.value);
    EXPECT_GE(count_events(gui_test::drain_events(), 63, SUBTYPE_CLICK), 1);
  }
  EXPECT_GE(wheel_callback_runs, 4);
  gadget_unbind_event(63, count_wheel_callback, SUBTYPE_CLICK);
  // A disabled bar stays where it is.
  gadget_set_disabled(63, 1);
  gui_test::scroll_wheel(62, 5);
  ASSERT_TRUE(gui_test::run_steps());
  EXPECT_EQ(gadget_get_state(63), 0);

  gui_test::wait_until([] { return gui_test::first_visible_row(64) == 0; }, "the plain list shows its top");
  gui_test::scroll_wheel(64, 3);
  gui_test::wait_until([] { return gui_test::first_visible_row(64) > 0; }, "the plain list scrolled");
  ASSERT_TRUE(gui_test::run_steps());
}

TEST_F(Gadgets, CheckingARowDeselectsIt) {
  ASSERT_TRUE(gadget_create_column_list_ex(60, 10, 10, 300, 200, u"Word", 200, LIST_CHECK_BOXES));
  for (const char16_t* w : {u"one", u"two", u"three"}) gadget_add_item(60, -1, w);
  show();
  gadget_set_state(60, 1);
  EXPECT_EQ(gadget_get_item_state(60, 1), ITEM_SELECTED);
  gadget_set_item_state(60, 1, ITEM_CHECKED);
  EXPECT_EQ(gadget_get_item_state(60, 1), ITEM_CHECKED);
  EXPECT_EQ(gadget_get_state(60), -1);
  gadget_set_item_state(60, 2, ITEM_CHECKED | ITEM_SELECTED);
  EXPECT_EQ(gadget_get_item_state(60, 2), 3);
  gadget_set_item_state(60, 0, ITEM_INCONSISTENT | ITEM_CHECKED | ITEM_SELECTED);
  EXPECT_EQ(gadget_get_item_state(60, 0), 7);
  EXPECT_TRUE(no_gadget_events());
  // The user's click on a check box reports a change.
  gui_test::toggle_row_check(60, 1);
  ASSERT_TRUE(gui_test::run_steps());
  EXPECT_EQ(gadget_get_item_state(60, 1) & ITEM_CHECKED, 0);
  EXPECT_EQ(count_events(gui_test::drain_events(), 60, SUBTYPE_CHANGE), 1);
}

TEST_F(Gadgets, ListClicksAndSelection) {
  ASSERT_TRUE(gadget_create_column_list(61, 10, 10, 300, 300, u"Word", 150));
  gadget_add_column(61, -1, u"Flags", 100);
  gadget_add_item(61, -1, u"house\nS");
  gadget_add_item(61, -1, u"tree\nSM");
  show();
  EXPECT_EQ(gadget_get_attribute(61, ATTR_COLUMN_COUNT), 2);
  EXPECT_EQ(gadget_get_item_text(61, 1, 1), u"SM");
  EXPECT_EQ(gadget_get_item_text(61, -1, 1), u"Flags");

  gui_test::select_row(61, 1);
  ASSERT_TRUE(gui_test::run_steps());
  EXPECT_EQ(gadget_get_state(61), 1);
  auto events = gui_test::drain_events();
  EXPECT_EQ(count_events(events, 61, SUBTYPE_CLICK), 1);
  EXPECT_EQ(count_events(events, 61, SUBTYPE_CHANGE), 1);

  gui_test::double_click_row(61, 0);
  gui_test::right_click_row(61, 0);
  gui_test::click_header(61, 1);
  ASSERT_TRUE(gui_test::run_steps());
  events = gui_test::drain_events();
  EXPECT_EQ(count_events(events, 61, SUBTYPE_DOUBLE_CLICK), 1);
  EXPECT_EQ(count_events(events, 61, SUBTYPE_RIGHT_CLICK), 1);
  EXPECT_EQ(count_events(events, 61, SUBTYPE_HEADER_CLICK), 1);
  EXPECT_EQ(gadget_get_attribute(61, ATTR_HEADER_CLICKED), 1);

  // A click where there is no row clears the selection.
  gui_test::click_below_rows(61);
  ASSERT_TRUE(gui_test::run_steps());
  EXPECT_EQ(gadget_get_state(61), -1);
}

// Focus arriving (Tab, a tab switch) selects no row, even in a list just
// filled afresh; a click after it still does.
TEST_F(Gadgets, TheFocusSelectsNoListRow) {
  ASSERT_TRUE(gadget_create_entry(60, 10, 10, 200, 24, u""));
  ASSERT_TRUE(gadget_create_column_list(61, 10, 50, 300, 200, u"Word", 150));
  for (const char16_t* w : {u"house", u"tree", u"cat"}) gadget_add_item(61, -1, w);
  show();
  gui_test::focus(60);
  gui_test::press_key(WIN, KEY_TAB);
  gui_test::wait_until([] { return gadget_get_focus() == 61; }, "the list has the focus");
  ASSERT_TRUE(gui_test::run_steps());
  EXPECT_EQ(gadget_get_state(61), -1);
  EXPECT_EQ(count_events(gui_test::drain_events(), 61, SUBTYPE_CHANGE), 0);

  gadget_clear_items(61);
  for (const char16_t* w : {u"oak", u"elm"}) gadget_add_item(61, -1, w);
  gui_test::focus(60);
  gui_test::focus(61);
  ASSERT_TRUE(gui_test::run_steps());
  EXPECT_EQ(gadget_get_state(61), -1);
  gui_test::select_row(61, 1);
  ASSERT_TRUE(gui_test::run_steps());
  EXPECT_EQ(gadget_get_state(61), 1);
}

// Tab follows the order the gadgets were created in: a button that stands
// beside the first field, a little lower, comes after the second field.
TEST_F(Gadgets, TabFollowsTheCreationOrder) {
  ASSERT_TRUE(gadget_create_entry(60, 10, 10, 200, 24, u""));
  ASSERT_TRUE(gadget_create_entry(62, 10, 60, 200, 24, u""));
  ASSERT_TRUE(gadget_create_button(63, 220, 20, 80, 28, u"Swap"));
  ASSERT_TRUE(gadget_create_checkbox(64, 10, 100, 120, 21, u"Case"));
  show();
  gui_test::focus(60);
  const int forward[] = {62, 63, 64};
  for (int g : forward) {
    gui_test::press_key(WIN, KEY_TAB);
    gui_test::wait_until([g] { return gadget_get_focus() == g; }, "Tab reaches gadget " + std::to_string(g));
  }
  const int backward[] = {63, 62, 60};
  for (int g : backward) {
    gui_test::press_key(WIN, KEY_TAB | KEY_SHIFT);
    gui_test::wait_until([g] { return gadget_get_focus() == g; }, "Shift+Tab reaches gadget " + std::to_string(g));
  }
  ASSERT_TRUE(gui_test::run_steps());
}

TEST_F(Gadgets, ListTextsColumnsAndColours) {
  ASSERT_TRUE(gadget_create_column_list(62, 10, 10, 400, 300, u"A", 100));
  gadget_add_item(62, -1, u"a1");
  gadget_add_column(62, 1, u"C", 80);
  gadget_add_column(62, 1, u"B", 80);  // inserted between: rows keep their texts
  EXPECT_EQ(gadget_get_item_text(62, 0, 0), u"a1");
  gadget_set_item_text(62, 0, u"x\ny\nz", 0);  // line feeds fill several columns
  EXPECT_EQ(gadget_get_item_text(62, 0, 1), u"y");
  EXPECT_EQ(gadget_get_item_text(62, 0, 2), u"z");
  gadget_set_item_text(62, 0, u"only b", 1);
  EXPECT_EQ(gadget_get_item_text(62, 0, 1), u"only b");
  EXPECT_EQ(gadget_get_item_text(62, 0, 0), u"x");
  EXPECT_EQ(gadget_get_item_text(62, 5, 0), u"");

  gadget_set_item_attribute(62, 2, ITEM_ATTR_COLUMN_WIDTH, 0);
  EXPECT_EQ(gadget_get_item_attribute(62, 2, ITEM_ATTR_COLUMN_WIDTH), 0);  // hidden
  gadget_set_item_attribute(62, 2, ITEM_ATTR_COLUMN_WIDTH, 120);
  EXPECT_EQ(gadget_get_item_attribute(62, 2, ITEM_ATTR_COLUMN_WIDTH), 120);
  gadget_set_item_attribute(62, 1, ITEM_ATTR_COLUMN_ALIGN, 1);
  EXPECT_EQ(gadget_get_item_attribute(62, 1, ITEM_ATTR_COLUMN_ALIGN), 1);

  gadget_set_item_color(62, 0, COLOR_TEXT, 255, 1);
  EXPECT_EQ(gadget_get_item_color(62, 0, COLOR_TEXT, 1), 255);
  EXPECT_EQ(gadget_get_item_color(62, 0, COLOR_TEXT, 0), -1);
  gadget_set_item_color_all_columns(62, 0, COLOR_BACKGROUND, 16772038);
  EXPECT_EQ(gadget_get_item_color(62, 0, COLOR_BACKGROUND, 2), 16772038);
  gadget_set_item_color(62, 0, COLOR_TEXT, -1, 1);
  EXPECT_EQ(gadget_get_item_color(62, 0, COLOR_TEXT, 1), -1);
  gadget_set_item_color(62, -1, COLOR_BACKGROUND, 65280, 0);  // every row of column 0
  EXPECT_EQ(gadget_get_item_color(62, -1, COLOR_BACKGROUND, 0), 65280);
  EXPECT_EQ(gadget_get_item_color(62, 0, COLOR_BACKGROUND, 0), -1);
  show();
}

TEST_F(Gadgets, BulkFillKeepsOrderAndSelection) {
  ASSERT_TRUE(gadget_create_column_list(63, 10, 10, 300, 300, u"Line", 200));
  std::vector<text_t> rows;
  for (int i = 0; i < 5000; ++i) rows.push_back(u"row " + from_utf8(std::to_string(i)));
  gadget_add_items(63, rows);
  EXPECT_EQ(gadget_count_items(63), 5000);
  EXPECT_EQ(gadget_get_item_text(63, 4999, 0), u"row 4999");
  gadget_set_state(63, 2500);
  EXPECT_EQ(gadget_get_state(63), 2500);
  // Single appends past the threshold detach too; the selection survives.
  for (int i = 0; i < 300; ++i) gadget_add_item(63, -1, u"more");
  EXPECT_EQ(gadget_get_state(63), 2500);
  EXPECT_EQ(gadget_count_items(63), 5300);
  gadget_add_item(63, 0, u"first");
  EXPECT_EQ(gadget_get_item_text(63, 0, 0), u"first");
  gadget_set_state(63, 6000);  // beyond the rows: none
  EXPECT_EQ(gadget_get_state(63), -1);
  show();
  EXPECT_TRUE(no_gadget_events());
  gadget_clear_items(63);
  EXPECT_EQ(gadget_count_items(63), 0);
  EXPECT_TRUE(no_gadget_events());
}

TEST_F(Gadgets, OptionButtonsGroupUntilAnotherGadget) {
  ASSERT_TRUE(gadget_create_radio_button(70, 10, 10, 100, 21, u"a"));
  ASSERT_TRUE(gadget_create_radio_button(71, 10, 35, 100, 21, u"b"));
  ASSERT_TRUE(gadget_create_label(72, 10, 60, 100, 18, u"---"));
  ASSERT_TRUE(gadget_create_radio_button(73, 10, 85, 100, 21, u"c"));
  ASSERT_TRUE(gadget_create_radio_button(74, 10, 110, 100, 21, u"d"));
  for (int g : {70, 71, 73, 74}) EXPECT_EQ(gadget_get_state(g), 0);
  gadget_set_state(70, 1);
  gadget_set_state(73, 1);
  EXPECT_EQ(gadget_get_state(70), 1);
  EXPECT_EQ(gadget_get_state(73), 1);
  gadget_set_state(71, 1);
  EXPECT_EQ(gadget_get_state(70), 0);
  EXPECT_EQ(gadget_get_state(73), 1);  // the other group is untouched
  gadget_set_state(71, 0);
  EXPECT_EQ(gadget_get_state(71), 0);
  EXPECT_EQ(gadget_get_state(70), 0);
  show();
  gui_test::click(74);
  ASSERT_TRUE(gui_test::run_steps());
  EXPECT_EQ(gadget_get_state(74), 1);
  EXPECT_EQ(gadget_get_state(73), 0);
  auto events = gui_test::drain_events();
  EXPECT_EQ(count_events(events, 74, SUBTYPE_CLICK), 1);
  EXPECT_EQ(count_events(events, 73, SUBTYPE_CLICK), 0);  // switching off raises nothing
}

TEST_F(Gadgets, NumericSpinClampsAndReportsArrows) {
  ASSERT_TRUE(gadget_create_spin(80, 10, 10, 80, 31, 1, 500, SPIN_NUMERIC));
  show();
  EXPECT_EQ(gadget_get_state(80), 1);
  EXPECT_EQ(gadget_get_text(80), u"1");
  gadget_set_state(80, 900);
  EXPECT_EQ(gadget_get_state(80), 500);
  EXPECT_EQ(gadget_get_text(80), u"500");
  gui_test::set_value(80, 42);  // typed
  ASSERT_TRUE(gui_test::run_steps());
  EXPECT_EQ(gadget_get_state(80), 42);
  EXPECT_GE(count_events(gui_test::drain_events(), 80, SUBTYPE_CHANGE), 1);
  gui_test::set_value(80, 7000);
  ASSERT_TRUE(gui_test::run_steps());
  EXPECT_EQ(gadget_get_state(80), 500);
  EXPECT_TRUE(gui_test::drain_events().size() >= 1);
}

TEST_F(Gadgets, TabPanelsAreParents) {
  ASSERT_TRUE(gadget_create_tab_panel(90, 10, 10, 400, 300));
  gadget_add_item(90, -1, u"First");
  ASSERT_TRUE(gadget_create_button(91, 10, 10, 80, 28, u"on first"));
  gadget_add_item(90, -1, u"Second");
  ASSERT_TRUE(gadget_create_button(92, 10, 10, 80, 28, u"on second"));
  gadget_parent_pop();
  ASSERT_TRUE(gadget_create_button(93, 420, 10, 80, 28, u"on window"));
  gadget_parent_push(90, 0);
  ASSERT_TRUE(gadget_create_label(94, 10, 50, 80, 18, u"again first"));
  gadget_parent_pop();
  EXPECT_EQ(gadget_count_items(90), 2);
  EXPECT_EQ(gadget_get_item_text(90, 1, 0), u"Second");
  EXPECT_EQ(gadget_get_state(90), 0);
  gadget_set_state(90, 5);  // beyond the last tab: nothing
  EXPECT_EQ(gadget_get_state(90), 0);
  gadget_set_state(90, 1);
  EXPECT_EQ(gadget_get_state(90), 1);
  show();
  gui_test::select_tab(90, 0);
  ASSERT_TRUE(gui_test::run_steps());
  auto events = gui_test::drain_events();
  EXPECT_EQ(count_events(events, 90, SUBTYPE_CHANGE), 1);
  EXPECT_FALSE(gadget_get_hidden(91));
  // The button of the hidden tab cannot be clicked.
  EXPECT_TRUE(gadget_exists(92));
  EXPECT_EQ(gadget_x(94), 10);
  EXPECT_EQ(gadget_y(94), 50);
}

TEST_F(Gadgets, TextViewLinesAndText) {
  ASSERT_TRUE(gadget_create_text_view(100, 10, 10, 300, 200));
  gadget_set_text(100, u"one\ntwo\r\nthree");
  EXPECT_EQ(gadget_get_text(100), u"one\ntwo\r\nthree");
  EXPECT_EQ(gadget_count_items(100), 3);
  EXPECT_EQ(gadget_get_item_text(100, 0, 0), u"one");
  gadget_add_item(100, -1, u"four");
  EXPECT_EQ(gadget_get_text(100), u"one\ntwo\r\nthree\nfour");
  gadget_add_item(100, 0, u"zero");
  EXPECT_EQ(gadget_get_item_text(100, 0, 0), u"zero");
  gadget_remove_item(100, 0);
  EXPECT_EQ(gadget_get_item_text(100, 0, 0), u"one");
  EXPECT_TRUE(no_gadget_events());
  uint64_t rev = gadget_get_text_revision(100);
  gadget_set_item_text(100, 3, u"FOUR", 0);  // may raise a change
  EXPECT_EQ(gadget_get_text(100), u"one\ntwo\r\nthree\nFOUR");
  EXPECT_GT(gadget_get_text_revision(100), rev);
  gadget_set_attribute(100, ATTR_READ_ONLY, 1);
  EXPECT_EQ(gadget_get_attribute(100, ATTR_READ_ONLY), 1);
  gadget_set_attribute(100, ATTR_READ_ONLY, 0);
  show();
  gadget_set_text(100, u"");
  gui_test::type_text(100, u"ab\ncd");
  ASSERT_TRUE(gui_test::run_steps());
  EXPECT_EQ(gadget_get_text(100), u"ab\ncd");
  EXPECT_EQ(count_events(gui_test::drain_events(), 100, SUBTYPE_CHANGE), 1);
}

TEST_F(Gadgets, EntryFlagsAndMaximumLength) {
  ASSERT_TRUE(gadget_create_entry_ex(110, 10, 10, 100, 24, u"", ENTRY_NUMERIC));
  ASSERT_TRUE(gadget_create_entry_ex(111, 10, 40, 100, 24, u"", ENTRY_UPPER_CASE));
  ASSERT_TRUE(gadget_create_entry(112, 10, 70, 100, 24, u""));
  gadget_set_attribute(112, ATTR_MAX_LENGTH, 0);  // counts as 1
  EXPECT_EQ(gadget_get_attribute(112, ATTR_MAX_LENGTH), 1);
  gadget_set_attribute(112, ATTR_MAX_LENGTH, 3);
  show();
  gui_test::type_text(110, u"a1b2");
  gui_test::type_text(111, u"straße");
  gui_test::type_text(112, u"abcdef");
  ASSERT_TRUE(gui_test::run_steps());
  EXPECT_EQ(gadget_get_text(110), u"12");
  EXPECT_EQ(gadget_get_text(111), u"STRASSE");
  EXPECT_EQ(gadget_get_text(112), u"abc");
  auto events = gui_test::drain_events();
  EXPECT_GE(count_events(events, 110, SUBTYPE_FOCUS_IN), 1);
  EXPECT_GE(count_events(events, 110, SUBTYPE_FOCUS_OUT), 1);
}

TEST_F(Gadgets, DropDownEntries) {
  ASSERT_TRUE(gadget_create_combo_box(120, 10, 10, 150, 26));
  ASSERT_TRUE(gadget_create_combo_box_ex(121, 10, 40, 150, 26, COMBO_EDITABLE | COMBO_UPPER_CASE));
  ASSERT_TRUE(gadget_create_combo_box_ex(122, 10, 70, 150, 26, COMBO_EDITABLE | COMBO_LOWER_CASE));
  for (const char16_t* t : {u"English", u"German", u"French"}) gadget_add_item(120, -1, t);
  EXPECT_EQ(gadget_get_state(120), -1);
  gadget_set_state(120, 1);
  EXPECT_EQ(gadget_get_text(120), u"German");
  gadget_set_state(120, 9);
  EXPECT_EQ(gadget_get_state(120), -1);
  EXPECT_TRUE(no_gadget_events());
  show();
  gui_test::select_combo(120, 2);
  gui_test::type_text(121, u"de_DE");
  gui_test::type_text(122, u"De_DE");
  ASSERT_TRUE(gui_test::run_steps());
  EXPECT_EQ(gadget_get_state(120), 2);
  EXPECT_EQ(gadget_get_text(121), u"DE_DE");
  EXPECT_EQ(gadget_get_text(122), u"de_de");
  EXPECT_EQ(count_events(gui_test::drain_events(), 120, SUBTYPE_CHANGE), 1);
}

TEST_F(Gadgets, ColoursFontsAndLook) {
  ASSERT_TRUE(gadget_create_label(130, 10, 10, 0, 0, u"A label that is fitted"));
  EXPECT_EQ(color_rgb(1, 2, 3), 1 + 2 * 256 + 3 * 65536);
  EXPECT_EQ(gadget_get_color(130, COLOR_TEXT), -1);
  gadget_set_color(130, COLOR_TEXT, 255);
  EXPECT_EQ(gadget_get_color(130, COLOR_TEXT), 255);
  gadget_set_color(130, COLOR_TEXT, -1);
  EXPECT_EQ(gadget_get_color(130, COLOR_TEXT), -1);
  ASSERT_TRUE(font_load(1, u"Sans", 10, 0));
  ASSERT_TRUE(font_load(2, u"Sans", 20, FONT_BOLD));
  gadget_set_font(130, font_description(1));
  int small = gadget_width_ex(130, 1);
  gadget_set_font(130, font_description(2));
  int large = gadget_width_ex(130, 1);
  EXPECT_GT(small, 0);
  EXPECT_GT(large, small);
  EXPECT_GT(gadget_height_ex(130, 1), 10);
  gadget_move_resize(130, GUI_KEEP, GUI_KEEP, large, gadget_height_ex(130, 1));
  EXPECT_EQ(gadget_x(130), 10);
  EXPECT_EQ(gadget_width(130), large);
  gadget_set_disabled(130, 1);
  EXPECT_EQ(gadget_get_disabled(130), 1);
  gadget_set_hidden(130, 1);
  EXPECT_EQ(gadget_get_hidden(130), 1);
  EXPECT_EQ(font_description(99), nullptr);
}

TEST_F(Gadgets, ImagesFromMemory) {
  static const unsigned char png[] = {
      0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44, 0x52, 0x00,
      0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x02, 0x08, 0x02, 0x00, 0x00, 0x00, 0x12, 0x16, 0xf1, 0x4d, 0x00,
      0x00, 0x00, 0x11, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9c, 0x63, 0xf8, 0xcf, 0xc0, 0x00, 0x41, 0x0c, 0x30,
      0xc6, 0x7f, 0x00, 0x3b, 0xd8, 0x05, 0xfb, 0x39, 0x4d, 0x96, 0xa5, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45,
      0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};
  ASSERT_TRUE(image_load_from_memory(5, png, sizeof png));
  EXPECT_TRUE(image_exists(5));
  EXPECT_EQ(image_width(5), 3);
  EXPECT_EQ(image_height(5), 2);
  EXPECT_FALSE(image_load_from_memory(6, png, 20));  // truncated
  EXPECT_FALSE(image_exists(6));
  EXPECT_EQ(image_width(6), 0);
  EXPECT_FALSE(image_load_file(7, u"/nonexistent/icon.png"));
  ASSERT_TRUE(gadget_create_image_button(140, 10, 10, 44, 44, image_pixbuf(5)));
  ASSERT_TRUE(gadget_create_image(141, 60, 10, 3, 2, image_pixbuf(5)));
  ASSERT_TRUE(gadget_create_column_list(142, 10, 60, 200, 100, u"x", 100));
  gadget_add_item_image(142, -1, u"with icon", image_pixbuf(5));
  show();
  gui_test::click(140);
  gui_test::double_click(141);
  gui_test::right_click(141);
  ASSERT_TRUE(gui_test::run_steps());
  auto events = gui_test::drain_events();
  EXPECT_EQ(count_events(events, 140, SUBTYPE_CLICK), 1);
  EXPECT_EQ(count_events(events, 141, SUBTYPE_DOUBLE_CLICK), 1);
  EXPECT_EQ(count_events(events, 141, SUBTYPE_RIGHT_CLICK), 1);
  image_free(5);
  EXPECT_FALSE(image_exists(5));
}

TEST_F(Gadgets, PieChartOnACanvas) {
  ASSERT_TRUE(gadget_create_canvas(150, 10, 10, 260, 261, CANVAS_BORDER));
  ASSERT_TRUE(drawing_start(drawing_canvas_output(150)));
  drawing_set_mode(DRAWING_GRADIENT);
  drawing_set_back_color(0xffffff);
  drawing_conic_gradient(125, 125, 0);
  // Half red, half blue, with sharp edges.
  drawing_add_gradient_color(color_rgb(255, 0, 0), 0.0);
  drawing_add_gradient_color(color_rgb(255, 0, 0), 0.5 - 0.00001);
  drawing_add_gradient_color(color_rgb(0, 0, 255), 0.5);
  drawing_add_gradient_color(color_rgb(0, 0, 255), 1.0);
  drawing_circle(125, 125, 110, 0);
  drawing_set_mode(DRAWING_SOLID);
  drawing_text(5, 238, u"NOTE: >100%", 0, 0xffffff);
  drawing_stop();
  EXPECT_EQ(drawing_canvas_pixel(150, 125, 200), color_rgb(255, 0, 0));  // below the centre
  EXPECT_EQ(drawing_canvas_pixel(150, 125, 50), color_rgb(0, 0, 255));   // above it
  EXPECT_EQ(drawing_canvas_pixel(150, 2, 2), 0xffffff);                  // outside the circle
  EXPECT_EQ(drawing_canvas_pixel(150, 999, 2), -1);
  EXPECT_EQ(drawing_canvas_output(9999), -1);
  EXPECT_FALSE(drawing_start(-1));
  show();
}

TEST_F(Gadgets, FilledSectorsAndBoxes) {
  ASSERT_TRUE(gadget_create_canvas(150, 10, 10, 260, 261, CANVAS_BORDER));
  ASSERT_TRUE(drawing_start(drawing_canvas_output(150)));
  drawing_box(0, 0, 260, 261, 0xffffff);
  // A quarter red from 3 to 6 o'clock, the rest blue; an empty sector draws nothing.
  drawing_sector(125, 125, 110, 0.0, 0.25, color_rgb(255, 0, 0));
  drawing_sector(125, 125, 110, 0.25, 1.0, color_rgb(0, 0, 255));
  drawing_sector(125, 125, 110, 0.5, 0.5, color_rgb(0, 255, 0));
  drawing_stop();
  EXPECT_EQ(drawing_canvas_pixel(150, 180, 180), color_rgb(255, 0, 0));  // lower right
  EXPECT_EQ(drawing_canvas_pixel(150, 70, 180), color_rgb(0, 0, 255));   // lower left
  EXPECT_EQ(drawing_canvas_pixel(150, 180, 70), color_rgb(0, 0, 255));   // upper right
  EXPECT_EQ(drawing_canvas_pixel(150, 70, 125), color_rgb(0, 0, 255));   // left of the centre
  EXPECT_EQ(drawing_canvas_pixel(150, 2, 2), 0xffffff);                  // outside the circle
  show();
}

TEST_F(Gadgets, StatusBarTextAndProgress) {
  ASSERT_TRUE(status_bar_create(101, window_widget(WIN)));
  status_bar_add_field(525);
  status_bar_add_field(GUI_KEEP);
  status_bar_set_text(101, 0, u"Loading Dictionary... <ESC> to abort.");
  status_bar_set_progress(101, 1, 0, 1, 0, 200);
  EXPECT_EQ(status_bar_get_progress(101, 1), 0);
  status_bar_set_progress_value(101, 1, 150, 1);
  EXPECT_EQ(status_bar_get_progress(101, 1), 150);
  show();
  gui_test::wait_status_text(101, 0, u"<ESC> to abort.", true);
  ASSERT_TRUE(gui_test::run_steps());
  EXPECT_GT(status_bar_height(101), 0);
  status_bar_set_text(101, 1, u"done");  // replaces the progress bar
  EXPECT_EQ(status_bar_get_progress(101, 1), -1);
  EXPECT_EQ(status_bar_get_text(101, 1), u"done");
  EXPECT_EQ(status_bar_get_text(101, 7), u"");
}

TEST_F(Gadgets, MenusPostTheirIds) {
  ASSERT_TRUE(menu_create_image_bar(6, window_widget(WIN)));
  menu_add_title(u"&File");
  menu_add_item(8, u"&Open...\tCtrl+O");
  menu_open_submenu_image(u"Recent", nullptr);
  menu_add_item(20, u"one");
  menu_close_submenu();
  menu_add_separator();
  menu_add_item(16, u"E&xit\tCtrl+Q");
  menu_add_title(u"&Help");
  menu_add_item(50, u"Fish && Chips");
  ASSERT_TRUE(menu_create_image_popup(502));
  menu_add_item(503, u"Edit");
  EXPECT_GT(menu_bar_height(), 10);
  EXPECT_EQ(menu_get_item_text(6, 8), u"&Open...\tCtrl+O");
  menu_set_item_text(6, 8, u"&Open\tCtrl+O");
  EXPECT_EQ(menu_get_item_text(6, 8), u"&Open\tCtrl+O");
  EXPECT_EQ(menu_get_item_disabled(6, 20), 0);
  menu_set_item_disabled(6, 20, 1);
  EXPECT_EQ(menu_get_item_disabled(6, 20), 1);
  EXPECT_EQ(menu_get_item_disabled(6, 777), -1);
  show();
  gui_test::choose_menu_item(16);
  gui_test::choose_menu_item(50);
  ASSERT_TRUE(gui_test::run_steps());
  std::vector<fetched_event> events;
  for (const fetched_event& e : gui_test::drain_events())
    if (e.type == EVENT_MENU) events.push_back(e);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].object, 16);
  EXPECT_EQ(events[0].window, WIN);
  EXPECT_EQ(events[1].object, 50);
  // The label binds nothing: Ctrl+Q raises no event.
  gui_test::press_key(WIN, key_ctrl('Q'));
  ASSERT_TRUE(gui_test::run_steps());
  for (const fetched_event& e : gui_test::drain_events()) EXPECT_NE(e.type, EVENT_MENU);
  // A popup item is chosen while its popup is shown.
  gui_test::run([] { menu_popup(502, window_widget(WIN)); }, "open the popup");
  gui_test::choose_menu_item(503);
  ASSERT_TRUE(gui_test::run_steps());
  events.clear();
  for (const fetched_event& e : gui_test::drain_events())
    if (e.type == EVENT_MENU) events.push_back(e);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events.back().object, 503);
  EXPECT_EQ(events.back().window, WIN);
}

TEST_F(Gadgets, ClipboardHoldsTheText) {
  clipboard_set_text(u"Wörterbuch");
  EXPECT_EQ(clipboard_get_text(), u"Wörterbuch");
}

TEST_F(Gadgets, WindowsAndTheirNumbers) {
  EXPECT_TRUE(window_exists(WIN));
  EXPECT_NE(window_widget(WIN), nullptr);
  EXPECT_EQ(window_widget(4711), nullptr);
  EXPECT_EQ(window_width(4711), 0);
  ASSERT_TRUE(window_open(41, GUI_KEEP, GUI_KEEP, 300, 200, u"Tool", WINDOW_CENTERED | WINDOW_HIDDEN,
                          window_widget(WIN)));
  EXPECT_EQ(window_get_hidden(41), 1);
  EXPECT_EQ(window_get_title(41), u"Tool");
  ASSERT_TRUE(gadget_create_button(160, 10, 10, 80, 28, u"in tool"));
  EXPECT_EQ(gadget_window(160), 41);
  window_set_hidden(41, 0);
  gui_test::wait_window(41);
  ASSERT_TRUE(gui_test::run_steps());
  EXPECT_EQ(window_width(41), 300);
  EXPECT_EQ(window_height(41), 200);
  window_close(41);
  EXPECT_FALSE(window_exists(41));
  EXPECT_FALSE(gadget_exists(160));
  // New gadgets go to the newest window left.
  ASSERT_TRUE(gadget_create_button(161, 10, 10, 80, 28, u"back"));
  EXPECT_EQ(gadget_window(161), WIN);
  window_close(-1);
  EXPECT_FALSE(window_exists(WIN));
  EXPECT_FALSE(gadget_create_button(162, 0, 0, 10, 10, u"nowhere"));
}

}  // namespace
