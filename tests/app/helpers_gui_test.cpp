// The requester and field helpers, the manual and the About window.
#include "tests/app/shell_gui_support.h"

#include "app/about_window.h"
#include "common/file.h"
#include "gui/gui.h"
#include "gui/text_cursor.h"
#include "kit/base_folder.h"
#include "kit/ids.h"
#include "kit/window_helpers.h"

using shell_test::ShellTest;

class RequesterTest : public ShellTest {};

TEST_F(RequesterTest, SavePathAddsTheExtensionAndAsksBeforeOverwriting) {
  const std::string existing = folder_ + "words.txt";
  shell_test::write_file(existing, "keep me");
  const text_t pattern = u"Text Documents (*.txt)|*.txt";
  struct row {
    int answer;
    bool returns_path;
  };
  for (const row r : {row{MB_ANSWER_NO, false}, row{MB_ANSWER_CLOSED, false}, row{MB_ANSWER_YES, true}}) {
    SCOPED_TRACE(r.answer);
    // The chooser would complete "words" to the existing "words.txt"; the
    // extension rule itself is tested headless.
    gui_test::answer_file_dialog(from_utf8(existing));
    gui_test::answer_message_box(r.answer);
    const text_t path = request_save_path(u"Save", pattern, u".txt");
    gui_test::finish();
    EXPECT_EQ(path, r.returns_path ? from_utf8(existing) : u"");
    EXPECT_EQ(gui_test::last_requester().text, u"File already exists! Overwrite it?");
    // Nothing is deleted by the requester, whatever the answer.
    EXPECT_EQ(shell_test::read_file(existing), "keep me");
  }
}

TEST_F(RequesterTest, SavePathOfANewFileAsksNothing) {
  gui_test::answer_file_dialog(from_utf8(folder_ + "new.TXT"));
  EXPECT_EQ(request_save_path(u"Save", u"Text Documents (*.txt)|*.txt", u".txt"), from_utf8(folder_ + "new.TXT"));
  gui_test::answer_file_dialog(u"");
  EXPECT_EQ(request_save_path(u"Save", u"Text Documents (*.txt)|*.txt", u".txt"), u"");
  gui_test::finish();
  EXPECT_EQ(gui_test::requesters().size(), 2u);
}

TEST_F(RequesterTest, ExistingFileRefusesMissingAndEmptyFiles) {
  shell_test::write_file(folder_ + "empty.txt", "");
  shell_test::write_file(folder_ + "full.txt", "x");
  gui_test::answer_file_dialog(from_utf8(folder_ + "empty.txt"));
  gui_test::answer_message_box(MB_ANSWER_OK);
  EXPECT_EQ(request_existing_file(u"Open", u"Text (*.txt)|*.txt", u".txt"), u"");
  EXPECT_EQ(gui_test::last_requester().text, u"File not found.");
  gui_test::answer_file_dialog(from_utf8(folder_ + "full.txt"));
  EXPECT_EQ(request_existing_file(u"Open", u"Text (*.txt)|*.txt", u".txt"), from_utf8(folder_ + "full.txt"));
  gui_test::finish();
}

// Both requesters open in the folder of the document's current file.
TEST_F(RequesterTest, RequestersOpenInTheFolderOfTheCurrentFile) {
  const std::string docs = folder_ + "docs";
  ASSERT_EQ(dir_create(from_utf8(docs)), 1);
  shell_test::write_file(docs + "/words.txt", "x");
  const text_t current = from_utf8(docs + "/words.txt");
  for (bool save : {false, true}) {
    SCOPED_TRACE(save ? "save" : "open");
    gui_test::wait_file_requester_folder(from_utf8(docs));
    gui_test::answer_file_dialog(u"");
    const text_t path = save ? request_save_path(u"Save", u"Text (*.txt)|*.txt", u".txt", current)
                             : request_existing_file(u"Open", u"Text (*.txt)|*.txt", u".txt", current);
    gui_test::finish();
    EXPECT_EQ(path, u"");
  }
}

TEST_F(RequesterTest, NotUtf8WithBomQuestion) {
  start_with_valid_prefs();
  shell_test::write_file(folder_ + "bom.dic", "\xEF\xBB\xBF" "1\nword\n");
  shell_test::write_file(folder_ + "plain.dic", "1\nw\xF6rd\n");
  shell_test::write_file(folder_ + "utf8.dic", "1\nw\xC3\xB6rd\n");
  shell_test::write_file(folder_ + "utf16.dic", std::string("\xFF\xFE" "1\0", 4));
  EXPECT_EQ(confirm_non_utf8_bom_file(from_utf8(folder_ + "bom.dic")), 1);
  EXPECT_TRUE(gui_test::requesters().empty());

  gui_test::answer_message_box(MB_ANSWER_NO);
  EXPECT_EQ(confirm_non_utf8_bom_file(from_utf8(folder_ + "plain.dic")), 0);
  EXPECT_EQ(gui_test::last_requester().text,
            u"The file to open is not encoded in \"UTF-8-BOM\"\n\nIt may lead to corrupt results.\n\n"
            u"Encoding detected:ANSI\n\nContinue?");
  EXPECT_EQ(status_bar_get_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT), u"Aborted.");

  // Valid UTF-8 without a mark is named as what it is read as.
  gui_test::answer_message_box(MB_ANSWER_YES);
  EXPECT_EQ(confirm_non_utf8_bom_file(from_utf8(folder_ + "utf8.dic")), 1);
  EXPECT_NE(gui_test::last_requester().text.find(u"Encoding detected:UTF-8\n"), text_t::npos);

  gui_test::answer_message_box(MB_ANSWER_CLOSED);
  EXPECT_EQ(confirm_non_utf8_bom_file(from_utf8(folder_ + "utf16.dic")), 1);
  EXPECT_NE(gui_test::last_requester().text.find(u"Encoding detected:UTF-16 (little endian)"), text_t::npos);
  gui_test::finish();
}

TEST_F(RequesterTest, CountFileLines) {
  shell_test::write_file(folder_ + "three.txt", "a\nb\nc\n");
  shell_test::write_file(folder_ + "empty.txt", "");
  shell_test::write_file(folder_ + "crlf.txt", "\xEF\xBB\xBF" "a\r\nb");
  EXPECT_EQ(count_file_lines(from_utf8(folder_ + "three.txt")), 3);
  EXPECT_EQ(count_file_lines(from_utf8(folder_ + "empty.txt")), 1);
  EXPECT_EQ(count_file_lines(from_utf8(folder_ + "crlf.txt")), 2);
  EXPECT_EQ(count_file_lines(from_utf8(folder_ + "missing.txt")), 0);
  gui_test::finish();
}

TEST_F(RequesterTest, NumberFieldsWarnAndColour) {
  ASSERT_TRUE(window_open_no_parent(900, 0, 0, 300, 100, u"fields", 0));
  gadget_create_entry(901, 10, 10, 100, 24, u"12");
  EXPECT_EQ(reject_out_of_range_number(901, u"Lines 1 to 500.", 1, 500), 0);
  gadget_set_text(901, u"1.2.3");
  gui_test::answer_message_box(MB_ANSWER_OK);
  EXPECT_EQ(reject_out_of_range_number(901, u"Lines 1 to 500.", 1, 500), 1);
  EXPECT_EQ(gui_test::last_requester().title, u"Warning!");
  EXPECT_EQ(gui_test::last_requester().text, u"Lines 1 to 500.");

  gadget_set_text(901, u"0");
  EXPECT_EQ(colour_invalid_number_field(901, 0, 0, 99999999), 0);
  EXPECT_EQ(gadget_get_color(901, COLOR_BACKGROUND), 16772038);
  gadget_set_text(901, u"abc");
  EXPECT_EQ(colour_invalid_number_field(901, 0, 1, 50), 0);
  EXPECT_EQ(gadget_get_color(901, COLOR_BACKGROUND), 255);
  gadget_set_text(901, u"");
  EXPECT_EQ(colour_invalid_number_field(901, 1, 1, 50), 0);
  EXPECT_EQ(gadget_get_color(901, COLOR_BACKGROUND), -1);
  gadget_set_text(901, u"7");
  EXPECT_EQ(colour_invalid_number_field(901, 0, 1, 50), 7);
  EXPECT_EQ(gadget_get_color(901, COLOR_BACKGROUND), -1);
  gui_test::finish();
}

class ManualTest : public ShellTest {};

TEST_F(ManualTest, OpensTheManualAtItsAnchorWithFourSlashes) {
  const std::string base = folder_ + "with blank/";
  std::filesystem::create_directories(base);
  shell_test::write_file(base + "Vocabrix_manual_V40.html", "<html></html>");
  shell_test::recording_opener opener(folder_);
  set_base_folder(from_utf8(base));
  open_manual_page(u"#5.2.5.10.statistics");
  opener.wait_for_lines(1);
  gui_test::run_steps();
  gui_test::finish();
  EXPECT_TRUE(gui_test::requesters().empty());
  EXPECT_EQ(opener.opened(), "file:////" + folder_.substr(1) + "with%20blank/Vocabrix_manual_V40.html#5.2.5.10.statistics\n");
}

TEST_F(ManualTest, MissingOrEmptyManualIsReportedByName) {
  shell_test::recording_opener opener(folder_);
  set_base_folder(from_utf8(folder_));
  gui_test::answer_message_box(MB_ANSWER_OK);
  open_manual_page(u"#5.2.5.10.statistics");
  shell_test::write_file(folder_ + "Vocabrix_manual_V40.html", "");
  gui_test::answer_message_box(MB_ANSWER_OK);
  open_manual_page(u"");
  gui_test::finish();
  ASSERT_EQ(gui_test::requesters().size(), 2u);
  for (const auto& box : gui_test::requesters()) {
    EXPECT_EQ(box.title, u"Error!");
    EXPECT_EQ(box.text, u"HTML Help not found.\n\nFile:Vocabrix_manual_V40.html");
  }
  EXPECT_EQ(opener.opened(), "");
}

// Without a program to open the page the user is told which page it was,
// whether the opener is missing or ends with a failure.
TEST_F(ManualTest, ABrowserThatCannotStartIsReportedNamingThePage) {
  shell_test::write_file(folder_ + "Vocabrix_manual_V40.html", "<html></html>");
  set_base_folder(from_utf8(folder_));
  {
    shell_test::recording_opener failing(folder_, 3);
    gui_test::answer_message_box(MB_ANSWER_OK);
    open_manual_page(u"#5.2.5.13.crunch_words_with_flags");
    gui_test::run_steps();  // the failure comes when the opener ends
    gui_test::finish();
  }
  {
    shell_test::no_opener none(folder_);
    gui_test::answer_message_box(MB_ANSWER_OK);
    open_manual_page(u"#5.2.5.2.bulk_import");
    gui_test::finish();
  }
  const text_t manual = from_utf8("file:///" + folder_ + "Vocabrix_manual_V40.html");
  ASSERT_EQ(gui_test::requesters().size(), 2u);
  const text_t anchors[] = {u"#5.2.5.13.crunch_words_with_flags", u"#5.2.5.2.bulk_import"};
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(gui_test::requesters()[i].title, u"Error!");
    EXPECT_NE(gui_test::requesters()[i].text.find(manual + anchors[i]), text_t::npos)
        << to_utf8(gui_test::requesters()[i].text);
  }
}

class AboutTest : public ShellTest {};

TEST_F(AboutTest, LinksOpenAndAClickElsewhereCloses) {
  start_with_valid_prefs();
  shell_test::recording_opener opener(folder_);
  gui_test::wait_window(ABOUT_WINDOW);
  gui_test::run([] {
    EXPECT_EQ(window_get_disabled(MAIN_WINDOW), 1);
    EXPECT_EQ(gadget_get_text(386), u"4.0 build 300");
    EXPECT_EQ(gadget_get_text(387), u" (beta)");
    EXPECT_EQ(gadget_get_color(387, COLOR_TEXT), 255);
  }, "identity shown");
  gui_test::click(407);
  opener.wait_for_lines(1);
  gui_test::click(400);
  opener.wait_for_lines(2);
  gui_test::run([] { EXPECT_TRUE(window_exists(ABOUT_WINDOW)); }, "still open after the links");
  gui_test::run([] { event_post(EVENT_LEFT_CLICK, ABOUT_WINDOW, 0); }, "a click on an empty spot");
  show_about_window();
  gui_test::finish();
  EXPECT_FALSE(window_exists(ABOUT_WINDOW));
  EXPECT_EQ(window_get_disabled(MAIN_WINDOW), 0);
  EXPECT_EQ(opener.opened(), "https://vocabrix.example.org\n"
                             "mailto:tavernel@example.org?subject=Vocabrix%204.0%20build%20300\n");
}

TEST_F(AboutTest, EscapeCloses) {
  start_with_valid_prefs();
  gui_test::wait_window(ABOUT_WINDOW);
  gui_test::press_key(ABOUT_WINDOW, KEY_ESCAPE);
  show_about_window();
  gui_test::finish();
  EXPECT_FALSE(window_exists(ABOUT_WINDOW));
}

class EditorEndsTest : public shell_test::DictionaryListTest {};

TEST_F(EditorEndsTest, GoToTopPutsTheCaretAfterTheFirstCharacterAndBottomAtTheEnd) {
  gui_test::run([] { gadget_set_text(AFF_EDITOR, u"SET UTF-8\nTRY a"); }, "text");
  gui_test::click(AFF_GO_BOTTOM);
  gui_test::run([] { EXPECT_EQ(gadget_get_cursor_position(AFF_EDITOR), 15); }, "caret at the end");
  gui_test::click(AFF_GO_TOP);
  gui_test::run([] { EXPECT_EQ(gadget_get_cursor_position(AFF_EDITOR), 1); }, "caret after the first character");
  run_loop();
}
