#include "affix/gbza_variants.h"
#include "affix_test_util.h"
#include "common/file.h"
#include "common/tool_log.h"
#include "tests/test_support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

using strings = std::vector<std::string>;

pattern_list converted(const text_t& text) {
  pattern_list list;
  std::vector<text_t> log;
  EXPECT_EQ(convert_pattern_list(text, list, ise_ize_exception_texts, log), pattern_conversion::converted);
  return list;
}

list_document document_of(const strings& entries) {
  list_document doc;
  for (std::string e : entries) {
    std::replace(e.begin(), e.end(), '\t', '\n');
    doc.append(from_utf8(e));
  }
  return doc;
}

strings entries_of(const list_document& doc) {
  strings out;
  for (const text_view e : doc.entries()) {
    std::string s = to_utf8(e);
    std::replace(s.begin(), s.end(), '\n', '\t');
    out.push_back(s);
  }
  return out;
}

TEST(IseIzeExceptions, TheBuiltInListKeepsItsWords) {
  const pattern_list list = converted(builtin_ise_ize_exceptions());
  struct match_case {
    const char* word;
    bool kept;
  } cases[] = {
      {"treatise", true},       {"treatises", false},   {"rise", true},         {"uprise", true},
      {"overrise", true},       {"nanorise", true},     {"chiseled", true},
      {"unchiselled", true},    {"friendship", true},   {"civilise", false},    {"Civilization", true},
      {"civilization", false},
  };
  for (const auto& c : cases) EXPECT_EQ(match_ise_ize_exception(list, from_utf8(c.word)), c.kept) << c.word;
}

TEST(IseIzeExceptions, LineForms) {
  struct line_case {
    const char* line;
    const char* word;
    bool match;
  } cases[] = {
      {"/", "anything", true},     {"*", "*", false},         {"**", "anything", false},
      {"*abc", "*abc", true},      {"*abc", "xabcx", false},  {"*is*", "wise", true},
      {"_rise", "-rise", true},    {"_rise", "_rise", false}, {"_rise", "sunrise", false}, {"_rise", "uprise", true}, {"/ise", "ise", true},
      {"/wise", "ise", false},     {"Rise", "rise", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(match_ise_ize_line(from_utf8(c.line), from_utf8(c.word)), c.match) << c.line << " " << c.word;
}

TEST(IseIzeExceptions, ConversionLogsAndWhatStaysInForce) {
  pattern_list list;
  std::vector<text_t> log;
  EXPECT_EQ(convert_pattern_list(u"treatise\r\n/ship", list, ise_ize_exception_texts, log),
            pattern_conversion::converted);
  EXPECT_EQ(log, (std::vector<text_t>{u"Converting exceptions into arrays for faster processing...",
                                       u"Found 2 exceptions."}));
  EXPECT_EQ(list.lines, (std::vector<text_t>{u"treatise", u"/ship"}));

  log.clear();
  EXPECT_EQ(convert_pattern_list(u"treatise\n/ship\n", list, ise_ize_exception_texts, log),
            pattern_conversion::unchanged);
  EXPECT_EQ(log.back(), u"No exceptions changed since last conversion.");

  // A blank line leaves no pattern, and the old text is not "unchanged" afterwards.
  log.clear();
  EXPECT_EQ(convert_pattern_list(u"treatise\n/ship\n\n", list, ise_ize_exception_texts, log),
            pattern_conversion::blank_line);
  EXPECT_EQ(log, (std::vector<text_t>{u"Converting exceptions into arrays for faster processing...",
                                       u"There is a blank exception.", u"Aborted!", u""}));
  EXPECT_TRUE(list.lines.empty());
  log.clear();
  EXPECT_EQ(convert_pattern_list(u"treatise\n/ship\n", list, ise_ize_exception_texts, log),
            pattern_conversion::converted);

  log.clear();
  EXPECT_EQ(convert_pattern_list(u"", list, gb_specific_texts, log), pattern_conversion::empty);
  EXPECT_EQ(log, (std::vector<text_t>{u"Converting GB specific into arrays for faster processing...",
                                       u"No GB specific found."}));
  EXPECT_TRUE(list.lines.empty());
}

TEST(IseIzeFlags, RemovedByTheFlagMode) {
  struct flag_case {
    const char* flags;
    int64_t mode;
    const char* after;
  } cases[] = {
      {"DG8", FLAG_MODE_CHAR, "DG"},   {"8", FLAG_MODE_CHAR, ""},         {"8-9+X", FLAG_MODE_CHAR, "X"},
      {"Aa8b", FLAG_MODE_LONG, "Aa8b"}, {"Aa9", FLAG_MODE_LONG, "Aa"},     {"12,8,9,80", FLAG_MODE_NUM, "12,80"},
      {"18,89", FLAG_MODE_NUM, "18,89"}, {"Qqst", FLAG_MODE_CHAR, "Qqst"}, {"é8😀9", FLAG_MODE_CHAR, "é😀"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(to_utf8(remove_single_unit_flags(from_utf8(c.flags), u"8-9+", c.mode)), c.after) << c.flags;
}

struct removal_run {
  strings entries;
  gbza_removal_result result;
  std::string log;
};

removal_run run_removal(const strings& entries, removed_forms forms, const text_t& exceptions,
                        int64_t flag_mode = FLAG_MODE_CHAR) {
  list_document doc = document_of(entries);
  gbza_session session(doc);
  pattern_list list = converted(exceptions);
  headless_long_job_host host;
  tool_log log;
  removal_run r;
  r.result = remove_ise_or_ize_forms(session, forms, list, flag_mode, host, log);
  r.entries = entries_of(doc);
  r.log = to_utf8(log.text);
  return r;
}

TEST(IseIzeRemoval, EmptiesFormsAndStripsFlags) {
  struct removal_case {
    const char* what;
    removed_forms forms;
    strings before, after;
  } cases[] = {
      {"-ize words go, flags 8 - 9 + are stripped", removed_forms::ize,
       {"realize/DG", "organise", "walk/DG8", "run/8\tpo:verb", "CIVILIZE", "treatize"},
       {"", "organise", "walk/DG", "run\tpo:verb", "", "treatize"}},
      {"-ise words go, Q q s t are stripped", removed_forms::ise,
       {"realise", "realize/sQ", "wise", "quit/qtX", "treatise"}, {"", "realize", "", "quit/X", "treatise"}},
      // A description after a space is neither word nor flags, and stays.
      {"descriptions after a space", removed_forms::ize,
       {"walk/D8 po:v1 is:inv", "run/8 po:v1", "Kyoto po:npr st:realize/8", "organize po:v1"},
       {"walk/D po:v1 is:inv", "run po:v1", "Kyoto po:npr st:realize/8", ""}},
  };
  for (const auto& c : cases) {
    removal_run r = run_removal(c.before, c.forms, u"treatise\ntreatize\n");
    EXPECT_EQ(r.entries, c.after) << c.what;
  }
  removal_run r = run_removal({"realize/DG", "walk/8"}, removed_forms::ize, u"treatise\n");
  EXPECT_EQ(r.result.total, 2);
  EXPECT_EQ(r.log,
            "Removed #1:\n\"realize/DG\"\n\n\n\nRemoving -IZE flags:'8', '-', '9' and '+'\n\n"
            "Removed FLAG #1:\n\"walk/8\"\n\nRemoved a total of 2 words.\n\n");
  // Long flags are pairs: "8b" is one flag and stays.
  EXPECT_EQ(run_removal({"walk/Aa8b"}, removed_forms::ize, u"x\n", FLAG_MODE_LONG).entries, strings{"walk/Aa8b"});
}

TEST(IseIzeSession, OkDropsTheEmptiedEntriesWithTheirCheckMarks) {
  list_document doc = document_of({"realize", "walk", "organize", "house", "sing"});
  doc.set_checked(3, true);  // house
  doc.set_checked(4, true);  // sing
  doc.select(2);
  gbza_session session(doc);
  headless_long_job_host host;
  tool_log log;
  remove_ise_or_ize_forms(session, removed_forms::ize, converted(u"x\n"), FLAG_MODE_CHAR, host, log);
  EXPECT_EQ(session.keep(), 2);
  EXPECT_EQ(entries_of(doc), (strings{"walk", "house", "sing"}));
  EXPECT_EQ(doc.checked(), (std::vector<uint8_t>{0, 1, 1}));
  EXPECT_EQ(doc.checked_count(), 2);
  EXPECT_EQ(doc.selected(), -1);
  EXPECT_TRUE(doc.changed());
  // Delete Selected now removes the words the user ticked.
  EXPECT_EQ(doc.delete_checked(), 2);
  EXPECT_EQ(entries_of(doc), strings{"walk"});
  // One Undo goes back past the delete; the one before it, past the conversion.
  ASSERT_TRUE(doc.undo());
  EXPECT_EQ(entries_of(doc), (strings{"walk", "house", "sing"}));
}

TEST(IseIzeSession, CancelRestoresTheDocumentAndItsHistory) {
  list_document doc = document_of({"realize", "walk/8"});
  doc.save_undo();
  doc.set_entry(1, u"walk/8");  // an earlier change the user may undo
  doc.mark_saved(doc.path());
  gbza_session session(doc);
  headless_long_job_host host;
  tool_log log;
  remove_ise_or_ize_forms(session, removed_forms::ize, converted(u"x\n"), FLAG_MODE_CHAR, host, log);
  EXPECT_EQ(entries_of(doc), (strings{"", "walk"}));
  session.cancel();
  EXPECT_EQ(entries_of(doc), (strings{"realize", "walk/8"}));
  EXPECT_FALSE(doc.changed());
  EXPECT_TRUE(doc.can_undo());
  EXPECT_FALSE(doc.can_redo());
}

TEST(IseIzeRemoval, EscapeKeepsWhatWasDone) {
  list_document doc = document_of({"realize", "organize", "walk/8"});
  gbza_session session(doc);
  headless_long_job_host host;
  tool_log log;
  host.escape_at_poll = 1;
  const gbza_removal_result r =
      remove_ise_or_ize_forms(session, removed_forms::ize, converted(u"x\n"), FLAG_MODE_CHAR, host, log);
  EXPECT_TRUE(r.aborted);
  EXPECT_EQ(entries_of(doc), (strings{"", "organize", "walk/8"}));
  EXPECT_EQ(to_utf8(log.text), "Removed #1:\n\"realize\"\n\nAborted!\n\n");
  EXPECT_FALSE(host.running);
}

TEST(GbSpecific, EmptiesTheListedWords) {
  list_document doc = document_of({"colour/MS", "color", "harbour\tpo:noun", "Colour", "colour po:nom"});
  gbza_session session(doc);
  pattern_list words;
  std::vector<text_t> log;
  convert_pattern_list(u"colour\nharbour", words, gb_specific_texts, log);
  EXPECT_EQ(log.back(), u"Found 2 GB specific.");
  headless_long_job_host host;
  tool_log removal_log;
  const gbza_removal_result r = remove_gb_specific_words(session, words, host, removal_log);
  EXPECT_EQ(r.total, 3);
  EXPECT_EQ(entries_of(doc), (strings{"", "color", "", "Colour", ""}));
  EXPECT_EQ(to_utf8(removal_log.text),
            "Removed #1:\n\"colour/MS\"\n\nRemoved #2:\n\"harbour po:noun\"\n\nRemoved #3:\n\"colour po:nom\"\n\n"
            "Removed a total of 3 words.\n\n");
}

TEST(IseIzeFiles, QviExportAndListFiles) {
  int64_t n = 0;
  EXPECT_EQ(ise_ize_exceptions_qvi(u"treatise\r\n*chisel*\n_rise", n),
            u"  exceptions_editor_gadget$+\"treatise\"+#LF$\n"
            u"  exceptions_editor_gadget$+\"*chisel*\"+#LF$\n"
            u"  exceptions_editor_gadget$+\"_rise\"+#LF$\n");
  EXPECT_EQ(n, 3);
  EXPECT_EQ(ise_ize_exceptions_qvi(u"\n", n), u"");
  EXPECT_EQ(n, 0);

  const std::string folder = test_support::make_temp_folder("vx_gbza") + "/";
  const std::string path = folder + "list.txt";
  test_support::write_file(path, "old");
  ASSERT_TRUE(write_text_file_with_bom(from_utf8(path), u"bêtise\n"));
  EXPECT_EQ(test_support::read_file(path), "\xEF\xBB\xBF" "b\xC3\xAAtise\n");
  // A folder that cannot take the file: false, nothing left behind.
  EXPECT_FALSE(write_text_file_with_bom(from_utf8(folder + "missing/list.txt"), u"x"));
  test_support::remove_folder(folder);
}

}  // namespace
