// The event queue over real GTK: suppression, merging, posting, the
// no-event accessors, dropping, disabled windows, bound callbacks, shortcuts.
#include <algorithm>

#include "gui/gui.h"
#include "gui/test_driver.h"

namespace {

using gui_test::fetched_event;

constexpr int WIN = 10;
constexpr int ENTRY = 11;
constexpr int LIST = 12;
constexpr int BUTTON = 13;
constexpr int TEXT = 14;

class EventQueue : public gui_test::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    ASSERT_TRUE(window_open_no_parent(WIN, 50, 50, 400, 300, u"Events", WINDOW_SYSTEM_MENU));
    ASSERT_TRUE(gadget_create_entry(ENTRY, 10, 10, 200, 24, u""));
    ASSERT_TRUE(gadget_create_column_list_ex(LIST, 10, 40, 300, 150, u"Word", 200, LIST_CHECK_BOXES));
    ASSERT_TRUE(gadget_create_button(BUTTON, 10, 200, 100, 28, u"OK"));
    ASSERT_TRUE(gadget_create_text_view(TEXT, 220, 200, 150, 60));
    for (const char16_t* w : {u"alpha", u"beta", u"gamma"}) gadget_add_item(LIST, -1, w);
    gui_test::wait_window(WIN);
    ASSERT_TRUE(gui_test::run_steps());
    gui_test::drain_events();
  }
};

std::vector<fetched_event> of_object(const std::vector<fetched_event>& all, int type, int object) {
  std::vector<fetched_event> out;
  for (const fetched_event& e : all)
    if (e.type == type && e.object == object) out.push_back(e);
  return out;
}

int count_subtype(const std::vector<fetched_event>& all, int object, int subtype) {
  return (int)std::count_if(all.begin(), all.end(), [&](const fetched_event& e) {
    return e.type == EVENT_GADGET && e.object == object && e.subtype == subtype;
  });
}

TEST_F(EventQueue, ProgramChangesRaiseNoEvents) {
  gadget_set_text(ENTRY, u"set by the program");
  gadget_set_state(LIST, 1);
  gadget_set_item_state(LIST, 2, ITEM_CHECKED);
  gadget_set_text(TEXT, u"line 1\nline 2");
  gadget_add_item(LIST, -1, u"delta");
  gadget_remove_item(LIST, 0);
  gadget_clear_items(LIST);
  // (Window events may come from X at any time; no gadget event may.)
  for (const fetched_event& e : gui_test::drain_events()) EXPECT_NE(e.type, EVENT_GADGET);
  EXPECT_EQ(gadget_get_text(ENTRY), u"set by the program");
}

TEST_F(EventQueue, TypedChangesMergeWhileWaiting) {
  gui_test::type_text(ENTRY, u"abc");
  ASSERT_TRUE(gui_test::run_steps());
  auto events = gui_test::drain_events();
  // Three key presses, three equal change events in a row: one is queued.
  EXPECT_EQ(count_subtype(events, ENTRY, SUBTYPE_CHANGE), 1);
  EXPECT_EQ(gadget_get_text(ENTRY), u"abc");

  // Once fetched, an event is never merged with: the next change is new.
  gui_test::type_text(ENTRY, u"d");
  ASSERT_TRUE(gui_test::run_steps());
  EXPECT_EQ(count_subtype(gui_test::drain_events(), ENTRY, SUBTYPE_CHANGE), 1);
}

TEST_F(EventQueue, OnlyTheNewestWaitingEventIsCompared) {
  gui_test::type_text(ENTRY, u"a");
  gui_test::click(BUTTON);
  gui_test::type_text(ENTRY, u"b");
  ASSERT_TRUE(gui_test::run_steps());
  auto events = gui_test::drain_events();
  EXPECT_EQ(count_subtype(events, ENTRY, SUBTYPE_CHANGE), 2);
  EXPECT_EQ(count_subtype(events, BUTTON, SUBTYPE_CLICK), 1);
}

TEST_F(EventQueue, TwoPostedButtonEventsAreBothDelivered) {
  event_post(EVENT_GADGET, WIN, 96);
  event_post(EVENT_GADGET, WIN, 96);
  for (int i = 0; i < 2; ++i) {
    ASSERT_EQ(event_wait(), EVENT_GADGET);
    EXPECT_EQ(event_get_window(), WIN);
    EXPECT_EQ(event_get_gadget(), 96);
    EXPECT_EQ(event_get_subtype(), 0);
  }
}

TEST_F(EventQueue, NoEventKeepsTheObjectAndGivesSubtypeMinusOne) {
  event_post(EVENT_GADGET, WIN, BUTTON);
  ASSERT_EQ(event_poll(), EVENT_GADGET);
  ASSERT_EQ(event_get_gadget(), BUTTON);
  // X may deliver a window event of its own meanwhile: the object kept is
  // that of the last event taken, whichever it was.
  int type, gadget = BUTTON, menu_item = BUTTON, window = WIN;
  while ((type = event_poll()) != 0) {
    gadget = event_get_gadget();
    menu_item = event_get_menu_item();
    window = event_get_window();
  }
  EXPECT_EQ(type, 0);
  EXPECT_EQ(event_get_type(), 0);
  EXPECT_EQ(event_get_subtype(), -1);
  EXPECT_EQ(event_get_gadget(), gadget);
  EXPECT_EQ(event_get_menu_item(), menu_item);
  EXPECT_EQ(event_get_window(), window);
  // A wait that finds nothing answers with a type of 0 or less and the same
  // accessors.
  if (event_wait_timeout(5) <= 0) {
    EXPECT_EQ(event_get_subtype(), -1);
    EXPECT_EQ(event_get_gadget(), gadget);
  }
}

TEST_F(EventQueue, ClosingAWindowDropsItsEvents) {
  ASSERT_TRUE(window_open_no_parent(20, 0, 0, 100, 100, u"Other", 0));
  event_post(EVENT_GADGET, 20, 1);
  event_post(EVENT_GADGET, WIN, 2);
  event_post(EVENT_MENU, 20, 3);
  window_close(20);
  int of_closed = 0, kept = 0;
  for (const fetched_event& e : gui_test::drain_events()) {
    if (e.window == 20) ++of_closed;
    if (e.window == WIN && e.type == EVENT_GADGET && e.object == 2) ++kept;
  }
  EXPECT_EQ(of_closed, 0);
  EXPECT_EQ(kept, 1);
}

TEST_F(EventQueue, TimerTicksMergeAndRemovalDropsThem) {
  static int ticks = 0;
  ticks = 0;
  event_callback count = [] {
    ++ticks;
    return 0;
  };
  event_bind(EVENT_TIMER, count, WIN, 800);
  ASSERT_EQ(timer_add(WIN, 800, 5), 1);
  gui_test::wait_until([] { return ticks >= 3; }, "three ticks");
  ASSERT_TRUE(gui_test::run_steps());
  // Not fetched in between, consecutive ticks wait as one event (a window
  // event from X in between may split them).
  auto events = gui_test::drain_events();
  size_t queued = of_object(events, EVENT_TIMER, 800).size();
  EXPECT_GE(queued, 1u);
  EXPECT_LT(queued, size_t(ticks));

  ticks = 0;
  gui_test::wait_until([] { return ticks >= 1; }, "another tick");
  ASSERT_TRUE(gui_test::run_steps());
  timer_remove(WIN, 800);
  EXPECT_TRUE(of_object(gui_test::drain_events(), EVENT_TIMER, 800).empty());
  event_unbind(EVENT_TIMER, count, WIN, 800);
}

TEST_F(EventQueue, ADisabledWindowRaisesNothing) {
  window_set_disabled(WIN, 1);
  EXPECT_EQ(window_get_disabled(WIN), 1);
  gui_test::close_window(WIN);
  ASSERT_TRUE(gui_test::run_steps());
  EXPECT_TRUE(of_object(gui_test::drain_events(), EVENT_CLOSE, 0).empty());
  window_set_disabled(WIN, 0);
  gui_test::close_window(WIN);
  ASSERT_TRUE(gui_test::run_steps());
  auto events = gui_test::drain_events();
  ASSERT_EQ(of_object(events, EVENT_CLOSE, 0).size(), 1u);
  EXPECT_TRUE(window_exists(WIN));  // the program closes it itself
}

TEST_F(EventQueue, BoundCallbacksSeeTheEventAndItIsStillQueued) {
  static int calls = 0, seen_gadget = -1, seen_subtype = -1;
  calls = 0;
  event_callback cb = [] {
    ++calls;
    seen_gadget = event_get_gadget();
    seen_subtype = event_get_subtype();
    return 0;
  };
  gadget_bind_event(ENTRY, cb, SUBTYPE_CHANGE);
  gui_test::type_text(ENTRY, u"xy");
  ASSERT_TRUE(gui_test::run_steps());
  EXPECT_EQ(calls, 2);  // callbacks run for merged events too
  EXPECT_EQ(seen_gadget, ENTRY);
  EXPECT_EQ(seen_subtype, SUBTYPE_CHANGE);
  EXPECT_EQ(count_subtype(gui_test::drain_events(), ENTRY, SUBTYPE_CHANGE), 1);
  gadget_set_text(ENTRY, u"program");
  EXPECT_EQ(calls, 2);
  gadget_unbind_event(ENTRY, cb, SUBTYPE_CHANGE);
  gui_test::type_text(ENTRY, u"z");
  ASSERT_TRUE(gui_test::run_steps());
  EXPECT_EQ(calls, 2);
}

TEST_F(EventQueue, AShortcutSwallowsAKeyTypedIntoAnEntry) {
  ASSERT_TRUE(shortcut_add(WIN, 'X', 1001));
  gui_test::type_text(ENTRY, u"axb");
  ASSERT_TRUE(gui_test::run_steps());
  EXPECT_EQ(gadget_get_text(ENTRY), u"ab");
  auto menu = of_object(gui_test::drain_events(), EVENT_MENU, 1001);
  ASSERT_EQ(menu.size(), 1u);
  EXPECT_EQ(menu[0].window, WIN);
  // Removed, the key reaches the entry again.
  shortcut_remove(WIN, 'X');
  gui_test::type_text(ENTRY, u"x");
  ASSERT_TRUE(gui_test::run_steps());
  EXPECT_EQ(gadget_get_text(ENTRY), u"abx");
}

TEST_F(EventQueue, ShortcutKeysAsGdkSendsThem) {
  struct {
    int bound, pressed, id;
  } cases[] = {
      {KEY_RETURN, KEY_KP_ENTER, 1003},                         // keypad Enter
      {KEY_RETURN, KEY_RETURN, 1003},
      {KEY_TAB | KEY_SHIFT, KEY_TAB | KEY_SHIFT, 1020},         // arrives as ISO_Left_Tab
      {KEY_TAB | KEY_SHIFT | KEY_CTRL, KEY_TAB | KEY_SHIFT | KEY_CTRL, 1021},
      {KEY_TAB | KEY_CTRL, KEY_TAB | KEY_CTRL, 1022},
      {key_ctrl('O'), key_ctrl('O'), 1006},                       // 131151
      {'S' | KEY_SHIFT | KEY_CTRL, 'S' | KEY_SHIFT | KEY_CTRL, 1008},
      {KEY_ESCAPE, KEY_ESCAPE, 1000},
  };
  for (auto& c : cases) {
    shortcut_remove(WIN, -1);
    ASSERT_TRUE(shortcut_add(WIN, c.bound, c.id));
    gui_test::focus(ENTRY);
    gui_test::press_key(WIN, c.pressed);
    ASSERT_TRUE(gui_test::run_steps());
    auto menu = of_object(gui_test::drain_events(), EVENT_MENU, c.id);
    EXPECT_EQ(menu.size(), 1u) << "bound " << c.bound << " pressed " << c.pressed;
  }
  EXPECT_EQ(131151, key_ctrl('O'));
  EXPECT_EQ(196691, 'S' | KEY_SHIFT | KEY_CTRL);
  EXPECT_EQ(261897, KEY_TAB | KEY_SHIFT | KEY_CTRL);
}

TEST_F(EventQueue, ADrainEmptiesEverythingPending) {
  gadget_set_text(ENTRY, u"x");
  event_post(EVENT_MENU, WIN, 1);
  event_post(EVENT_MENU, WIN, 2);
  int menus = 0, type;
  while ((type = event_poll()) != 0)
    if (type == EVENT_MENU) ++menus;
  EXPECT_EQ(menus, 2);
  for (const fetched_event& e : gui_test::drain_events()) EXPECT_NE(e.type, EVENT_MENU);
}

}  // namespace
