// The modal-window loop over real GTK: what ends it, which events it hands
// on, and the hooks each window uses around its waits.
#include <regex>
#include <string>
#include <vector>

#include "gui/gui.h"
#include "gui/modal_window.h"
#include "gui/test_driver.h"

namespace {

constexpr int OWNER = 20;  // the window that opens the modal one
constexpr int MODAL = 21;
constexpr int CLOSE_BUTTON = 22;
constexpr int OTHER_BUTTON = 23;
constexpr int OWNER_BUTTON = 24;
constexpr int ESCAPE_ITEM = 1000;
constexpr int HELP_ITEM = 1010;

bool is_kept(const modal_event& e) {
  return e.type == EVENT_MENU || e.type == EVENT_CLOSE || e.type == EVENT_GADGET;
}

class ModalLoop : public gui_test::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    ASSERT_TRUE(window_open_no_parent(OWNER, 40, 40, 300, 200, u"Owner", WINDOW_SYSTEM_MENU));
    ASSERT_TRUE(gadget_create_button(OWNER_BUTTON, 10, 10, 100, 28, u"Owner"));
    window_set_disabled(OWNER, 1);
    ASSERT_TRUE(window_open(MODAL, 0, 0, 300, 200, u"Modal", WINDOW_SYSTEM_MENU, window_widget(OWNER)));
    ASSERT_TRUE(gadget_create_button(CLOSE_BUTTON, 10, 10, 100, 28, u"Close"));
    ASSERT_TRUE(gadget_create_button(OTHER_BUTTON, 10, 50, 100, 28, u"Other"));
    shortcut_add(MODAL, KEY_ESCAPE, ESCAPE_ITEM);
    shortcut_add(MODAL, KEY_F1, HELP_ITEM);
    gui_test::wait_window(MODAL);
    ASSERT_TRUE(gui_test::run_steps());
    gui_test::drain_events();
  }

  // Runs the loop, closing on the close box, Escape and the Close button;
  // the menu, close and gadget events handed on are kept (X may add window
  // events such as activation at any time).
  void run_loop(const modal_loop_options& options = {}) {
    run_modal_loop(
        MODAL,
        [this](const modal_event& e) {
          if (is_kept(e)) handed.push_back(e);
          return close_when(e.is_close_box() || e.is_menu(ESCAPE_ITEM) || e.is_gadget(CLOSE_BUTTON));
        },
        options);
  }

  std::vector<modal_event> handed;
};

TEST_F(ModalLoop, EndsOnWhatTheWindowCloses) {
  const struct {
    const char* what;
    std::function<void()> act;
    int type, object;
  } cases[] = {
      {"close box", [] { gui_test::close_window(MODAL); }, EVENT_CLOSE, 0},
      {"Escape", [] { gui_test::press_key(MODAL, KEY_ESCAPE); }, EVENT_MENU, ESCAPE_ITEM},
      {"Close button", [] { gui_test::click(CLOSE_BUTTON); }, EVENT_GADGET, CLOSE_BUTTON},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    handed.clear();
    gui_test::click(OTHER_BUTTON);
    gui_test::press_key(MODAL, KEY_F1);
    c.act();
    run_loop();
    gui_test::finish();
    ASSERT_EQ(handed.size(), 3u);
    EXPECT_TRUE(handed[0].is_gadget(OTHER_BUTTON));
    EXPECT_FALSE(handed[0].is_close_box());
    EXPECT_TRUE(handed[1].is_menu(HELP_ITEM));
    EXPECT_FALSE(handed[1].is_menu(ESCAPE_ITEM));
    EXPECT_EQ(handed[2].window, MODAL);
    EXPECT_EQ(handed[2].type, c.type);
    if (c.type != EVENT_CLOSE) {
      EXPECT_EQ(handed[2].object, c.object);
    }
    EXPECT_TRUE(window_exists(MODAL));  // closing is the window's own end
  }
}

TEST_F(ModalLoop, DropsEventsOfOtherWindows) {
  event_post(EVENT_GADGET, OWNER, OWNER_BUTTON);
  event_post(EVENT_MENU, OWNER, ESCAPE_ITEM);
  event_post(EVENT_CLOSE, OWNER, 0);
  event_post(EVENT_GADGET, MODAL, OTHER_BUTTON);
  event_post(EVENT_GADGET, MODAL, CLOSE_BUTTON);
  run_loop();
  ASSERT_EQ(handed.size(), 2u);
  EXPECT_TRUE(handed[0].is_gadget(OTHER_BUTTON));
  EXPECT_TRUE(handed[1].is_gadget(CLOSE_BUTTON));
}

TEST_F(ModalLoop, TakesTheNamedMenuItemFromAnyWindow) {
  event_post(EVENT_MENU, OWNER, HELP_ITEM);
  event_post(EVENT_GADGET, OWNER, OWNER_BUTTON);
  event_post(EVENT_MENU, OWNER, ESCAPE_ITEM);
  run_loop({.menu_item_of_any_window = ESCAPE_ITEM});
  ASSERT_EQ(handed.size(), 1u);
  EXPECT_EQ(handed[0].window, OWNER);
  EXPECT_TRUE(handed[0].is_menu(ESCAPE_ITEM));
}

TEST_F(ModalLoop, EveryWindowHandsOnTheOthersEventsToo) {
  event_post(EVENT_GADGET, OWNER, OWNER_BUTTON);
  event_post(EVENT_CLOSE, OWNER, 0);
  run_loop({.every_window = true});
  ASSERT_EQ(handed.size(), 2u);
  EXPECT_EQ(handed[0].window, OWNER);
  EXPECT_TRUE(handed[0].is_gadget(OWNER_BUTTON));
  EXPECT_EQ(handed[1].window, OWNER);
  EXPECT_TRUE(handed[1].is_close_box());  // the handler ends on any close box here
}

TEST_F(ModalLoop, HooksRunAroundEachWaitInOrder) {
  std::string trace;
  event_post(EVENT_GADGET, OWNER, OWNER_BUTTON);
  event_post(EVENT_GADGET, MODAL, OTHER_BUTTON);
  event_post(EVENT_GADGET, MODAL, CLOSE_BUTTON);
  run_modal_loop(
      MODAL,
      [&](const modal_event& e) {
        trace += e.window == OWNER ? "E" : is_kept(e) ? "e" : "x";
        return close_when(e.is_gadget(CLOSE_BUTTON));
      },
      {.before_wait = [&] { trace += "b"; },
       .wait_ms = [&] { trace += "w"; return int64_t{-1}; },
       .after_wait = [&] { trace += "a"; return modal_step::stay; }});
  // The owner's event: no handing on, but the after-wait hook runs; a close
  // ends the loop before it. (x: a window event X may add.)
  EXPECT_TRUE(std::regex_match(trace, std::regex("(bwx?a)*bwea(bwx?a)*bwe"))) << trace;
}

TEST_F(ModalLoop, AfterWaitHookMayEndTheLoop) {
  for (int i = 0; i < 3; ++i) event_post(EVENT_GADGET, MODAL, OTHER_BUTTON);
  run_modal_loop(
      MODAL, [&](const modal_event& e) { if (is_kept(e)) handed.push_back(e); return modal_step::stay; },
      {.after_wait = [&] { return close_when(handed.size() == 2); }});
  EXPECT_EQ(handed.size(), 2u);
  int left = 0;
  for (const gui_test::fetched_event& e : gui_test::drain_events()) left += e.type == EVENT_GADGET;
  EXPECT_EQ(left, 1);  // the loop took no event after it ended
}

TEST_F(ModalLoop, TimerWaitReturnsWithoutEvents) {
  // Nothing is queued: a wait that only polls, or one that runs out, comes
  // back empty and the after-wait hook runs all the same.
  for (const int64_t ms : {int64_t{0}, int64_t{5}}) {
    SCOPED_TRACE(ms);
    int woken = 0;
    run_modal_loop(
        MODAL, [&](const modal_event& e) { if (is_kept(e)) handed.push_back(e); return modal_step::stay; },
        {.wait_ms = [ms] { return ms; }, .after_wait = [&] { return close_when(++woken == 3); }});
    EXPECT_EQ(woken, 3);
    EXPECT_TRUE(handed.empty());
  }
}

TEST_F(ModalLoop, EitherEndOrderClosesTheWindowAndEnablesTheOwner) {
  for (const modal_end_order order : {modal_end_order::enable_parent_first, modal_end_order::close_window_first}) {
    if (!window_exists(MODAL)) {
      window_set_disabled(OWNER, 1);
      ASSERT_TRUE(window_open(MODAL, 0, 0, 300, 200, u"Modal", WINDOW_SYSTEM_MENU, window_widget(OWNER)));
    }
    end_modal_window(MODAL, OWNER, order);
    EXPECT_FALSE(window_exists(MODAL));
    EXPECT_EQ(window_get_disabled(OWNER), 0);
  }
}

}  // namespace
