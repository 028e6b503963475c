// Drives real GTK windows from GoogleTest (under Xvfb).
//
// A test queues steps, then calls the code under test (which runs its own
// event loop, message boxes, file choosers) or run_steps(). The steps run
// from a GLib source of the default main context, so they also run inside
// modal loops and gtk_dialog_run. Each step has a deadline counted from the
// moment it becomes the current step. A step past its deadline, or a
// requester that no step expects, fails the test with a report of the open
// windows; the driver then unwinds: it closes every requester without an
// answer and posts close requests (type 2) to every window until the code
// under test returns.
//
//   TEST_F(FindWindowTest, FindsWord) {            // class ...: public gui_test::GuiTest
//     gui_test::wait_window(600);
//     gui_test::type_text(601, u"house");
//     gui_test::click(602);
//     gui_test::answer_message_box(MB_ANSWER_OK);   // "Not found." box
//     gui_test::press_key(600, KEY_ESCAPE);
//     open_find_window();                           // returns when the window closed
//     gui_test::finish();                           // every step done, nothing failed
//     EXPECT_EQ(gui_test::last_requester().text, u"Not found.");
//   }
//
// Test programs need no main(): the driver library provides one that
// initialises the GUI layer and runs every test (run_all_tests).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/text.h"
#include "gui/gui.h"

namespace gui_test {

// Deadlines only end a test that already failed to see what it waits for, so
// they are generous: a loaded machine must not turn a slow step into a
// failure. VOCABRIX_TEST_DEADLINE_SCALE multiplies every one of them.
constexpr int DEFAULT_DEADLINE_MS = 30000;

constexpr int REQUESTER_MESSAGE_BOX = 1;
constexpr int REQUESTER_FILE_OPEN = 2;
constexpr int REQUESTER_FILE_SAVE = 3;
constexpr int REQUESTER_FONT = 4;

// One requester the driver met (in the order they appeared).
struct requester_record {
  int kind = 0;
  text_t title;
  text_t text;    // message box text
  int flags = 0;  // message box flags
  std::string icon;  // message box: the icon name it shows ("" none)
  // File requesters: the filters as shown (name and its patterns) and the
  // index of the preselected one.
  std::vector<text_t> filter_names;
  std::vector<std::vector<text_t>> filter_patterns;
  int selected_filter = -1;
  int answer = 0;  // message box: the button pressed (0 closed, -1 answered by a key); font: 1 OK, 0 cancel
  int default_answer = 0;  // message box: the answer of its default button
  text_t path;     // file requester: the path given ("" cancelled)
};

// ---- Waiting --------------------------------------------------------------------------
void wait_window(int window, int deadline_ms = DEFAULT_DEADLINE_MS);  // exists and shown
void wait_window_closed(int window, int deadline_ms = DEFAULT_DEADLINE_MS);
// Field text equal to text (contains: text is part of it).
void wait_status_text(int bar, int field, const text_t& text, bool contains = false,
                      int deadline_ms = DEFAULT_DEADLINE_MS);
void wait_gadget_text(int gadget, const text_t& text, bool contains = false,
                      int deadline_ms = DEFAULT_DEADLINE_MS);
void wait_until(std::function<bool()> condition, const std::string& what,
                int deadline_ms = DEFAULT_DEADLINE_MS);
// Runs an action inside the loop once (checks, or changes made "by the user").
void run(std::function<void()> action, const std::string& what = "action");

// ---- Acting like a user (each waits until the gadget exists, is shown and sensitive) --------
void click(int gadget);           // button, image button, check box, hyperlink, image
void double_click(int gadget);    // image
void right_click(int gadget);     // image
void toggle(int gadget);          // check box or option button
void type_text(int gadget, const text_t& text);     // focuses the gadget, one key press per character
void replace_text(int gadget, const text_t& text);  // selects all, then types
void focus(int gadget);
void select_row(int list, int row);         // a left click on the row
void double_click_row(int list, int row);
void right_click_row(int list, int row);
void click_below_rows(int list);            // a left click where there is no row
void toggle_row_check(int list, int row);   // a click on the row's check box
void click_header(int list, int column);
void select_tab(int panel, int tab);
void select_combo(int combo, int index);
void set_value(int gadget, int value);      // scroll bar, slider, spin (as dragged or typed)
// Mouse wheel clicks over a gadget (a list: over its rows); positive clicks
// turn the wheel down, negative up.
void scroll_wheel(int gadget, int clicks);
void choose_menu_item(int id);              // the item in whichever menu holds it
// A real key press (GdkEventKey) to the window's focus: key is the GDK key
// value plus KEY_SHIFT / KEY_CTRL / KEY_ALT; KEY_SHIFT | KEY_TAB sends the
// left-tab key as GDK does.
void press_key(int window, int key);
void close_window(int window);              // the window's close button

// ---- Answering requesters -------------------------------------------------------------------
// The next message box: press the button of the answer (MB_ANSWER_YES / OK,
// MB_ANSWER_NO, MB_ANSWER_CANCEL) or, with MB_ANSWER_CLOSED, close it.
void answer_message_box(int answer, int deadline_ms = DEFAULT_DEADLINE_MS);
// The next file requester: choose the path, or cancel with "".
void answer_file_dialog(const text_t& path, int deadline_ms = DEFAULT_DEADLINE_MS);
// A real key press (as press_key) in the open file requester.
void press_file_requester_key(int key);
// Waits until the open file requester shows the folder (the chooser settles
// on its folder asynchronously); answer it with the next step.
void wait_file_requester_folder(const text_t& folder, int deadline_ms = DEFAULT_DEADLINE_MS);
// The next font requester: choose the font (family "" cancels).
void answer_font_dialog(const text_t& family, int size, int style,
                        int deadline_ms = DEFAULT_DEADLINE_MS);

// Holds a reference to the open file requester's chooser, as GTK itself
// may (a folder still loading), until every timer GTK armed for it has run:
// a closed requester must not let such a timer reach its destroyed parts.
void hold_file_requester_after_close();
bool file_requester_held();

// A real key press (as press_key) in the open message box; its effect (the
// answer of the focused button) is for the test to check.
void press_message_box_key(int key);

// ---- Real X input -----------------------------------------------------------------------------------
// Steps that run xdotool with an argument list against the X display the
// tests run on (their Xvfb), as a user's mouse and keyboard would act. A
// step computes its arguments when it runs (the geometry of what it
// targets), starts xdotool, and is done when xdotool ended well; what the
// input caused is then waited for with the steps above (wait_until ...).
void xdotool(const std::vector<std::string>& args);
// The pointer to the middle of a row's last column, then a click of the button.
void x_click_row(int list, int row, int button = 1);
void x_click_gadget(int gadget, int button = 1);
void x_click_tab(int panel, int tab);        // the tab's header
void x_click_menu_item(int id);              // the item of the popup menu that is shown
// Only the pointer to the item (the menu highlights it).
void x_point_at_menu_item(int id);
// Keys (xdotool key names: "Return", "KP_Enter", "Tab", "shift+Tab") or text
// typed into the window, after giving it the X input focus.
void x_keys(int window, const std::vector<std::string>& keys);
void x_type(int window, const std::string& text);
// Keys into the open message box (answers it as press_message_box_key does).
void x_message_box_keys(const std::vector<std::string>& keys);

// ---- Running and results ----------------------------------------------------------------------
// Runs the main context until every queued step is done or the script
// failed; returns true when every step was done.
bool run_steps(int overall_ms = 180000);
// Runs the main context until at most `left` steps are queued (the code
// under test goes on with the rest); false when the script failed.
bool run_steps_until(int left, int overall_ms = 180000);
// Fails the test when steps are left or anything failed, then clears the
// script (the requester log stays until the next test).
void finish();
bool failed();
int steps_left();
const std::vector<requester_record>& requesters();
requester_record last_requester();  // empty record when none
std::string open_windows_report();
// Whether the popup menu is shown, and the item it highlights (-1 none).
bool popup_shown(int menu);
int popup_highlighted_item(int menu);
// The row shown at the top of a column list's view (-1 none or no list).
int first_visible_row(int list);

// Layout as the user sees it (allocations after GTK laid the window out;
// call from a step, e.g. inside run()). A label shows its text when its
// allocation is at least the text's natural size on one line; an entry when
// its text area is as wide as its text.
bool gadget_shows_its_text(int gadget, std::string* why = nullptr);
// Pairs of shown gadgets of the window whose areas intersect (frames,
// containers and tab panels, which hold gadgets, left out).
std::vector<std::pair<int, int>> overlapping_gadgets(int window);

// The opacity the theme gives an image button's image (1 fully shown; a
// disabled button's image is faded); -1 for no image button.
double image_opacity(int g);

// What a menu item shows: its label, its shortcut label and whether a letter
// of it is a mnemonic.
struct menu_item_look {
  text_t label;
  text_t shortcut;
  bool mnemonic = false;
};
menu_item_look menu_item_shown(int id);

// Every title, submenu and item of a menu as the user sees it: the labels
// from the bar's title down to the entry (mnemonics and shortcut labels
// left out), in menu order.
std::vector<std::vector<text_t>> menu_paths(int menu);

// Every event fetched with event_poll until it returns 0 (for tests that look
// at the queue).
struct fetched_event { int type, window, object, subtype; };
std::vector<fetched_event> drain_events();

// A fresh folder per test ending in "/", removed when the test ends.
std::string temp_folder();

// Fixture: resets the driver, and at the end checks the script, closes every
// window, drains the queue and removes the temporary folder.
class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// Initialises the GUI layer and runs every test.
int run_all_tests(int argc, char** argv);

}  // namespace gui_test
