#include "kit/preferences.h"

#include "common/date_time.h"
#include "tests/test_support/settings_folder.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using prefs_test = settings_folder_test;

// A record in which every field differs from its default, so a field written
// in the wrong place or order shows.
preferences_kwx4 sample_record() {
  preferences_kwx4 p;
  p.window_resolution = u"1440×768";
  p.number_of_lines = 21;
  p.pixels_plus = -3;
  p.number_of_lines_languagetool = 7;
  p.aff_aid_language = u"fr.txt";
  p.number_separator_chr = u".";
  p.affix_colour_primary = 3;
  p.affix_colour_suffix = 5;
  p.affix_colour_prefix = 6;
  p.affix_colour_both = 7;
  p.check_for_updates = u"weekly";
  p.last_check_updates_time = 0x0102030405060708;
  p.ask_after_n_words = 12345;
  p.font_for_language = u"DejaVu Sans";
  p.font_for_language_size = u"12";
  p.font_for_language_style = 3;
  p.autocorrect_spaces_on_left = 4;
  p.all_synonyms_in_one_line = 1;
  return p;
}

// The file the sample record must give, byte for byte.
std::string sample_bytes() {
  std::string b = "41\n"
                  "1440\xC3\x97"
                  "768\n";
  b += std::string("\x15\0\0\0", 4);          // 21 lines
  b += std::string("\xFD\xFF\xFF\xFF", 4);    // -3 pixels
  b += std::string("\x07\0\0\0", 4);          // LanguageTool lines
  b += "fr.txt\n.\n";
  b += std::string("\x03\0\0\0\x05\0\0\0\x06\0\0\0\x07\0\0\0", 16);  // primary, suffix, prefix, both
  b += "weekly\n";
  b += std::string("\x08\x07\x06\x05\x04\x03\x02\x01", 8);
  b += std::string("\x39\x30\0\0", 4);        // 12345 words
  b += "DejaVu Sans\n12\n3\n";                // the style is a text line
  b += std::string("\x04\0\0\0\x01\0\0\0", 8);
  return b;
}

TEST_F(prefs_test, WritesGoldenBytesAndReadsEveryFieldBack) {
  const text_t path = from_utf8(settings("kwx4.prefs"));
  ASSERT_TRUE(write_prefs_file(path, sample_record()));
  EXPECT_EQ(read_bytes(settings("kwx4.prefs")), sample_bytes());
  EXPECT_EQ(listing(), "kwx4.prefs;");  // no temporary left behind

  preferences_kwx4 back = default_preferences();
  ASSERT_EQ(read_prefs_file(path, back), 1);
  EXPECT_TRUE(back == sample_record());
}

TEST_F(prefs_test, ReadsGoldenBytesWrittenElsewhere) {
  write_bytes(settings("kwx4.prefs"), sample_bytes());
  preferences_kwx4 back;
  ASSERT_EQ(read_prefs_file(from_utf8(settings("kwx4.prefs")), back), 1);
  EXPECT_TRUE(back == sample_record());
}

TEST_F(prefs_test, RewritingReplacesTheOldFile) {
  const text_t path = from_utf8(settings("kwx4.prefs"));
  write_bytes(settings("kwx4.prefs"), std::string(5000, 'x'));
  ASSERT_TRUE(write_prefs_file(path, sample_record()));
  EXPECT_EQ(read_bytes(settings("kwx4.prefs")), sample_bytes());
}

TEST_F(prefs_test, FailedWriteKeepsTheOldFile) {
  // The target's folder does not exist: nothing can be written.
  EXPECT_FALSE(write_prefs_file(from_utf8(root() + "/missing/kwx4.prefs"), sample_record()));
  // A folder in the target's place is not replaced.
  std::filesystem::create_directory(settings("kwx4.prefs"));
  EXPECT_FALSE(write_prefs_file(from_utf8(settings("kwx4.prefs")), sample_record()));
  EXPECT_TRUE(std::filesystem::is_directory(settings("kwx4.prefs")));
}

TEST_F(prefs_test, InvalidFilesLeaveTheRecordUntouched) {
  const std::string good = sample_bytes();
  struct bad_case {
    const char* what;
    std::string bytes;
  };
  std::vector<bad_case> cases = {
      {"other format id", "40" + good.substr(2)},
      {"empty", ""},
      {"byte-order mark before the id", "\xEF\xBB\xBF" + good},
      {"id line only", "41\n"},
      {"last byte missing", good.substr(0, good.size() - 1)},
  };
  // Every shorter prefix is a file that ends early.
  for (size_t n = 0; n < good.size(); ++n) cases.push_back({"prefix", good.substr(0, n)});

  for (const bad_case& c : cases) {
    write_bytes(settings("kwx4.prefs"), c.bytes);
    preferences_kwx4 p = default_preferences();
    EXPECT_EQ(read_prefs_file(from_utf8(settings("kwx4.prefs")), p), 0)
        << c.what << " (" << c.bytes.size() << " bytes)";
    EXPECT_TRUE(p == default_preferences()) << c.what;
  }
  preferences_kwx4 p = default_preferences();
  EXPECT_EQ(read_prefs_file(from_utf8(settings("absent.prefs")), p), 0);
}

TEST_F(prefs_test, OutOfRangeValuesAreClampedToTheWindowsRanges) {
  struct clamp_case {
    const char* what;
    std::function<void(preferences_kwx4&)> damage;
    std::function<bool(const preferences_kwx4&)> holds;
  };
  const clamp_case cases[] = {
      {"zero rows", [](auto& p) { p.number_of_lines = 0; }, [](auto& p) { return p.number_of_lines == 1; }},
      {"negative rows", [](auto& p) { p.number_of_lines = -2147483647; },
       [](auto& p) { return p.number_of_lines == 1; }},
      {"too many rows", [](auto& p) { p.number_of_lines = 100000; },
       [](auto& p) { return p.number_of_lines == 500; }},
      {"pixels low", [](auto& p) { p.pixels_plus = -11; }, [](auto& p) { return p.pixels_plus == -10; }},
      {"pixels high", [](auto& p) { p.pixels_plus = 9999; }, [](auto& p) { return p.pixels_plus == 10; }},
      {"LanguageTool lines", [](auto& p) { p.number_of_lines_languagetool = 0; },
       [](auto& p) { return p.number_of_lines_languagetool == 1; }},
      {"LanguageTool lines high", [](auto& p) { p.number_of_lines_languagetool = 51; },
       [](auto& p) { return p.number_of_lines_languagetool == 50; }},
      {"colour index", [](auto& p) { p.affix_colour_suffix = 8; },
       [](auto& p) { return p.affix_colour_suffix == 7; }},
      {"negative colour index", [](auto& p) { p.affix_colour_both = -1; },
       [](auto& p) { return p.affix_colour_both == 0; }},
      {"warn limit", [](auto& p) { p.ask_after_n_words = -5; }, [](auto& p) { return p.ask_after_n_words == 0; }},
      {"warn limit high", [](auto& p) { p.ask_after_n_words = 2147483647; },
       [](auto& p) { return p.ask_after_n_words == 99999999; }},
      {"indentation", [](auto& p) { p.autocorrect_spaces_on_left = 0; },
       [](auto& p) { return p.autocorrect_spaces_on_left == 1; }},
      {"indentation high", [](auto& p) { p.autocorrect_spaces_on_left = 300; },
       [](auto& p) { return p.autocorrect_spaces_on_left == 50; }},
      {"synonyms flag", [](auto& p) { p.all_synonyms_in_one_line = 7; },
       [](auto& p) { return p.all_synonyms_in_one_line == 1; }},
      {"font style", [](auto& p) { p.font_for_language_style = 9; },
       [](auto& p) { return p.font_for_language_style == 3; }},
      {"zero resolution", [](auto& p) { p.window_resolution = u"0×0"; },
       [](auto& p) { return p.window_resolution == u"1280×600"; }},
      {"resolution without height", [](auto& p) { p.window_resolution = u"1280×"; },
       [](auto& p) { return p.window_resolution == u"1280×600"; }},
      {"resolution with x", [](auto& p) { p.window_resolution = u"1280x600"; },
       [](auto& p) { return p.window_resolution == u"1280×600"; }},
      {"tiny resolution", [](auto& p) { p.window_resolution = u"300×200"; },
       [](auto& p) { return p.window_resolution == u"1280×600"; }},
      {"negative resolution", [](auto& p) { p.window_resolution = u"-1440×768"; },
       [](auto& p) { return p.window_resolution == u"1280×600"; }},
      {"measured resolution kept", [](auto& p) { p.window_resolution = u"1366×705"; },
       [](auto& p) { return p.window_resolution == u"1366×705"; }},
      {"two-character separator", [](auto& p) { p.number_separator_chr = u"ab"; },
       [](auto& p) { return p.number_separator_chr == u"a"; }},
      {"empty separator kept", [](auto& p) { p.number_separator_chr = u""; },
       [](auto& p) { return p.number_separator_chr.empty(); }},
      {"unknown update frequency", [](auto& p) { p.check_for_updates = u"hourly"; },
       [](auto& p) { return p.check_for_updates == u"monthly"; }},
      {"font size zero", [](auto& p) { p.font_for_language_size = u"0"; },
       [](auto& p) { return p.font_for_language_size == u"10"; }},
      {"font size above a hundred kept", [](auto& p) { p.font_for_language_size = u"150"; },
       [](auto& p) { return p.font_for_language_size == u"150"; }},
      {"font size huge", [](auto& p) { p.font_for_language_size = u"5000"; },
       [](auto& p) { return p.font_for_language_size == u"10"; }},
      {"font size not a number", [](auto& p) { p.font_for_language_size = u"big"; },
       [](auto& p) { return p.font_for_language_size == u"10"; }},
      {"empty font family", [](auto& p) { p.font_for_language = u""; },
       [](auto& p) { return p.font_for_language == u"Arial"; }},
  };
  for (const clamp_case& c : cases) {
    preferences_kwx4 p = sample_record();
    c.damage(p);
    ASSERT_TRUE(write_prefs_file(from_utf8(settings("kwx4.prefs")), p)) << c.what;
    preferences_kwx4 back;
    ASSERT_EQ(read_prefs_file(from_utf8(settings("kwx4.prefs")), back), 1) << c.what;
    EXPECT_TRUE(c.holds(back)) << c.what;
  }
}

TEST_F(prefs_test, LineBreaksInsideTextFieldsDoNotShiftTheLayout) {
  preferences_kwx4 p = sample_record();
  p.aff_aid_language = u"fr\n.txt";
  p.font_for_language = u"Deja\rVu";
  ASSERT_TRUE(write_prefs_file(from_utf8(settings("kwx4.prefs")), p));
  preferences_kwx4 back;
  ASSERT_EQ(read_prefs_file(from_utf8(settings("kwx4.prefs")), back), 1);
  EXPECT_EQ(back.aff_aid_language, u"fr.txt");
  EXPECT_EQ(back.font_for_language, u"DejaVu");
  EXPECT_EQ(back.autocorrect_spaces_on_left, 4);
}

TEST_F(prefs_test, DefaultsAndWorkingValues) {
  preferences prefs;
  set_default_preferences(prefs);
  const preferences_kwx4& r = prefs.record;
  EXPECT_EQ(r.window_resolution, u"1280×600");
  EXPECT_EQ(r.number_of_lines, 13);
  EXPECT_EQ(r.aff_aid_language, u"n/a");
  EXPECT_EQ(r.check_for_updates, u"monthly");
  EXPECT_EQ(r.last_check_updates_time, date_make(2025, 6, 14, 0, 0, 1));
  EXPECT_EQ(r.ask_after_n_words, 2000000);
  EXPECT_EQ(r.affix_colour_both, 4);
  EXPECT_EQ(prefs.applied.number_of_lines, 13);
  EXPECT_EQ(prefs.applied.window_resolution, u"1280×600");
  EXPECT_EQ(prefs.applied.autocorrect_spaces_on_left, 2);
  EXPECT_EQ(affix_colour_table[2], 0xFF0000);

  prefs.record = sample_record();
  apply_prefs_values(prefs);
  EXPECT_EQ(prefs.applied.window_resolution, u"1440×768");
  EXPECT_EQ(prefs.applied.number_of_lines, 21);
  EXPECT_EQ(prefs.applied.pixels_plus, -3);
  EXPECT_EQ(prefs.applied.number_of_lines_languagetool, 7);
  EXPECT_EQ(prefs.applied.aff_aid_language, u"fr.txt");
  EXPECT_EQ(prefs.applied.number_separator_chr, u".");
  EXPECT_EQ(prefs.applied.affix_colour_primary, 3);
  EXPECT_EQ(prefs.applied.affix_colour_suffix, 5);
  EXPECT_EQ(prefs.applied.affix_colour_prefix, 6);
  EXPECT_EQ(prefs.applied.affix_colour_both, 7);
  EXPECT_EQ(prefs.applied.check_for_updates, u"weekly");
  EXPECT_EQ(prefs.applied.last_check_updates_time, 0x0102030405060708);
  EXPECT_EQ(prefs.applied.ask_after_n_words, 12345);
  EXPECT_EQ(prefs.applied.font_for_language, u"DejaVu Sans");
  EXPECT_EQ(prefs.applied.font_for_language_size, u"12");
  EXPECT_EQ(prefs.applied.font_for_language_style, 3);
  EXPECT_EQ(prefs.applied.autocorrect_spaces_on_left, 4);
  EXPECT_EQ(prefs.applied.all_synonyms_in_one_line, 1);
}

}  // namespace
