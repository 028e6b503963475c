#include "tools/grammar_rules.h"

#include "common/file.h"
#include "tests/test_support/temp_folder.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <string>
#include <vector>

namespace {

// The small fixture: a rule group before the first category, a category on
// the file's tenth line with single-quoted attributes, a rule with
// default="off", rules inside a group that start with default/tags, a
// commented-out rule, an unquoted attribute and a second category.
const char kFixture[] = VOCABRIX_TOOLS_TEST_DATA "/grammar_small.xml";

// A file in the shape of LanguageTool's grammar files: processing
// instructions, a header comment and single- and multi-line comments holding
// rules and a rule group, a DOCTYPE with entities, rule groups whose rules
// carry ids or start with default/tags, standalone rules whose start tags
// begin with default or tags, and a rule on its group's line.
const char kLanguageToolFixture[] = VOCABRIX_TOOLS_TEST_DATA "/grammar_languagetool.xml";

// What an XML parser reads in a grammar file: each category, rule group and
// rule outside a rule group, in document order, and per category the rule
// groups and rules among its children.
struct parsed_chunk {
  int64_t line;  // the file's own line number minus 1, as the chunk list counts
  std::string kind;
  std::string id;
  std::string default_value;
  bool operator==(const parsed_chunk&) const = default;
};
struct parsed_grammar {
  std::vector<parsed_chunk> chunks;
  std::vector<int64_t> category_counts;
};

std::string property(xmlNode* node, const char* name) {
  xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
  std::string s = value ? reinterpret_cast<const char*>(value) : "";
  xmlFree(value);
  return s;
}

bool named(const xmlNode* node, const char* name) {
  return node->type == XML_ELEMENT_NODE && xmlStrcmp(node->name, reinterpret_cast<const xmlChar*>(name)) == 0;
}

void collect(xmlNode* node, parsed_grammar& out) {
  for (; node; node = node->next) {
    if (node->type != XML_ELEMENT_NODE) continue;
    const bool in_group = node->parent && named(node->parent, "rulegroup");
    if (named(node, "category") || named(node, "rulegroup") || (named(node, "rule") && !in_group)) {
      out.chunks.push_back({xmlGetLineNo(node) - 1, reinterpret_cast<const char*>(node->name), property(node, "id"),
                            property(node, "default")});
    }
    if (named(node, "category")) {
      int64_t n = 0;
      for (xmlNode* child = node->children; child; child = child->next) {
        if (named(child, "rulegroup") || named(child, "rule")) ++n;
      }
      out.category_counts.push_back(n);
    }
    collect(node->children, out);
  }
}

parsed_grammar parse_with_libxml2(const char* path) {
  parsed_grammar out;
  xmlDoc* doc = xmlReadFile(path, nullptr, XML_PARSE_NONET);
  EXPECT_NE(doc, nullptr) << path << " is not well-formed";
  if (!doc) return out;
  collect(xmlDocGetRootElement(doc), out);
  xmlFreeDoc(doc);
  return out;
}

class GrammarRulesTest : public test_support::temp_folder_test {
 protected:
  GrammarRulesTest() : temp_folder_test("vx_grammar_test") {}
  void TearDown() override {
    file_close(-1);
    temp_folder_test::TearDown();
  }

  grammar_document_record load_fixture() {
    headless_long_job_host host;
    grammar_document_record doc;
    const grammar_file_result r = load_grammar_file(T(kFixture), host, doc);
    EXPECT_EQ(r.status, grammar_file_status::ok) << to_utf8(r.message);
    return doc;
  }
};

TEST_F(GrammarRulesTest, ChunksOfTheFixture) {
  const grammar_document_record doc = load_fixture();
  struct row {
    int line;
    const char* kind;
    const char* id;
    const char* name;
    const char* type;
    const char* tags;
    const char* default_value;
  };
  const row expected[] = {
      {3, "rulegroup", "EARLY_GROUP", "Before any category", "", "", ""},
      {9, "category", "TYPOS", "Possible Typo", "grammar", "", ""},
      {10, "rule", "TEH", "teh", "", "", "off"},
      {13, "rulegroup", "GROUP_ONE", "First group", "", "", ""},  // tag in mixed case
      // The commented-out rule on line 17 is no chunk.
      {18, "rule", "", "No quotes", "", "", ""},  // unquoted id gives ""
      {21, "category", "STYLE", "Style", "style", "picky", ""},
      {22, "rulegroup", "GROUP_TWO", "Mixed \"quotes\"", "", "", ""},
  };
  ASSERT_EQ(doc.items.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    const grammar_item_record& it = doc.items[i];
    const row& e = expected[i];
    EXPECT_EQ(it.line_number, e.line) << i;
    EXPECT_EQ(it.kind, T(e.kind)) << i;
    EXPECT_EQ(it.id, T(e.id)) << i;
    EXPECT_EQ(it.name, T(e.name)) << i;
    EXPECT_EQ(it.type, T(e.type)) << i;
    EXPECT_EQ(it.tags, T(e.tags)) << i;
    EXPECT_EQ(it.default_value, T(e.default_value)) << i;
  }
  EXPECT_EQ(doc.path, T(kFixture));
  EXPECT_EQ(grammar_item_row(doc.items[1]), u"9\ncategory\nTYPOS\nPossible Typo\ngrammar\n\n");
}

TEST_F(GrammarRulesTest, ChunksAndCountsOfALanguageToolFileAreThoseOfAnXmlParser) {
  const parsed_grammar parsed = parse_with_libxml2(kLanguageToolFixture);
  ASSERT_FALSE(parsed.chunks.empty());
  headless_long_job_host host;
  grammar_document_record doc;
  ASSERT_EQ(load_grammar_file(T(kLanguageToolFixture), host, doc).status, grammar_file_status::ok);

  std::vector<parsed_chunk> chunks;
  for (const grammar_item_record& item : doc.items) {
    chunks.push_back({item.line_number, to_utf8(item.kind), to_utf8(item.id), to_utf8(item.default_value)});
  }
  EXPECT_EQ(chunks, parsed.chunks);
  EXPECT_EQ(doc.category_counts, parsed.category_counts);
  int64_t total = 0;
  for (int64_t n : parsed.category_counts) total += n;
  EXPECT_EQ(doc.rule_total, total);
  EXPECT_EQ(grammar_category_header(doc),
            u"ID Category (" + string_from_int(static_cast<int64_t>(parsed.category_counts.size())) +
                u"), \u2211 Rules (" + string_from_int(total) + u")");

  // The rules whose start tag begins with default="off" are chunks with
  // their "off"; no commented-out rule or rule of a group is one.
  std::vector<std::string> off;
  for (const parsed_chunk& c : chunks) {
    if (c.default_value == "off") off.push_back(c.id);
    EXPECT_EQ(c.id.find("COMMENT"), std::string::npos) << c.id;
    EXPECT_NE(c.id, "EN_A_VS_AN_VOWEL");
    EXPECT_NE(c.id, "SAME_LINE_RULE");
  }
  EXPECT_EQ(off, (std::vector<std::string>{"DAY_NAMES", "AGREEMENT_SENT_START"}));

  // The export counts the same.
  ASSERT_EQ(export_grammar_structure_file(doc, tpath("structure.txt"), false, host).status, grammar_file_status::ok);
  const std::string exported = read_bytes("structure.txt");
  EXPECT_NE(exported.find("ID Category:MISC (" + std::to_string(parsed.category_counts[0]) + ")\n"), std::string::npos);
  EXPECT_NE(exported.find("rule, ID:DAY_NAMES, Name:\"Day names in lower case\", , , default:off\n"),
            std::string::npos);
  EXPECT_NE(exported.find("rule, ID:MONTH_NAMES, Name:\"Month names\", , picky, \n"), std::string::npos);
}

TEST_F(GrammarRulesTest, CategoryCountsAndHeader) {
  const grammar_document_record doc = load_fixture();
  // TYPOS: the early group, TEH, GROUP_ONE and the unquoted rule (not the
  // two rules inside GROUP_ONE, not the commented rule); STYLE: GROUP_TWO.
  EXPECT_EQ(doc.category_rows, (std::vector<int64_t>{1, 5}));
  EXPECT_EQ(doc.category_counts, (std::vector<int64_t>{4, 1}));
  EXPECT_EQ(doc.rule_total, 5);
  EXPECT_EQ(grammar_category_list_rows(doc), (std::vector<text_t>{u"9\nTYPOS (4)", u"21\nSTYLE (1)"}));
  EXPECT_EQ(grammar_category_header(doc), u"ID Category (2), \u2211 Rules (5)");
  EXPECT_EQ(grammar_category_header(grammar_document_record()), u"ID Category ");
}

TEST_F(GrammarRulesTest, ChunkTextsCoverEveryLineAfterTheFirst) {
  const grammar_document_record doc = load_fixture();
  // The first chunk also holds the lines above it from the file's second line on.
  EXPECT_EQ(to_utf8(doc.items[0].text),
            "<!-- header comment -->\n<rules lang=\"en\">\n"
            "  <rulegroup id='EARLY_GROUP' name='Before any category'>\n"
            "    <rule><pattern><token>a</token></pattern></rule>\n  </rulegroup>\n<!-- filler -->\n\n\n");
  EXPECT_EQ(to_utf8(doc.items[2].text),
            "  <rule id=\"TEH\" name=\"teh\" default=\"off\">\n    <pattern><token>teh</token></pattern>\n"
            "  </rule>\n");
  // The last chunk runs to the end of the file.
  EXPECT_EQ(to_utf8(doc.items.back().text),
            "  <rulegroup id=\"GROUP_TWO\" name='Mixed \"quotes\"'>\n    <rule>\n    </rule>\n  </rulegroup>\n"
            "</category>\n</rules>\n");
  // Together the texts are the file without its first line.
  text_t all;
  for (const grammar_item_record& it : doc.items) all += it.text;
  const std::string file = test_support::read_file(kFixture);
  EXPECT_EQ(to_utf8(all), file.substr(file.find('\n') + 1));
}

TEST_F(GrammarRulesTest, ScanEdgeCases) {
  struct scan_case {
    const char* what;
    std::vector<const char*> lines;
    std::vector<int64_t> counts;
    size_t chunks;
  };
  const scan_case cases[] = {
      {"no matching line", {"<rules>", "</rules>"}, {}, 0},
      {"one category holding three rule groups",
       {"<category id=\"C\">", "<rulegroup id=\"A\">", "<rulegroup id=\"B\">", "<rulegroup id=\"D\">"},
       {3},
       4},
      {"rules before any category count for the first",
       {"<rule id=\"X\">", "<category id=\"C1\">", "<category id=\"C2\">", "<rule id=\"Y\">"},
       {1, 1},
       4},
      {"rules and groups without a category count for none", {"<rule id=\"X\">", "<rulegroup id=\"G\">"}, {}, 2},
      {"a category and a rule on one line: the category wins, the rule counts",
       {"<category id=\"C\"><rule id=\"R\">"},
       {1},
       1},
      {"a rule before a category's tag on its line counts for the category above",
       {"<category id=\"A\">", "<rule id=\"R\"/><category id=\"B\"><rule id=\"S\"/><rule id=\"T\"/>"},
       {1, 2},
       2},
      {"start tags over several lines",
       {"<category", " id=\"C\">", "<rulegroup id=\"G\"", "  name=\"n\">", "<rule id=\"inside\"", ">", "</rulegroup",
        ">", "<rule", " default=\"off\" id=\"R\">"},
       {2},
       3},
      {"an end tag inside a comment, a CDATA section or the DOCTYPE ends nothing",
       {"<!DOCTYPE rules [ <!ENTITY e \"</rulegroup> <rule id='X'>\"> <!-- ]> --> ]>", "<category id=\"C\">",
        "<rulegroup id=\"G\">", "<!-- </rulegroup>", "--> <![CDATA[ </rulegroup> <rule id=\"Y\"> ]]>",
        "<rule id=\"inside\">", "</rulegroup>", "<rule id=\"after\">"},
       {2},
       3},
      {"a self-closing rule group holds nothing",
       {"<category id=\"C\">", "<rulegroup id=\"G\" />", "<rule id=\"R\">"},
       {2},
       3},
      {"quoted \">\" and comment marks inside a tag",
       {"<category id=\"C\" name=\"a > b <!-- c\">", "<rule id=\"R\" name='x'>"},
       {1},
       2},
      {"an unclosed comment hides the rest", {"<category id=\"C\">", "<!-- <rule id=\"R\">", "<rule id=\"S\">"}, {0}, 1},
      {"a stray \"<\" is text", {"<category id=\"C\">", "a < b <rule id=\"R\">"}, {1}, 2},
  };
  for (const scan_case& c : cases) {
    std::vector<text_t> lines;
    for (const char* l : c.lines) lines.push_back(T(l));
    grammar_document_record doc;
    ASSERT_TRUE(scan_grammar_lines(lines, doc));
    EXPECT_EQ(doc.items.size(), c.chunks) << c.what;
    EXPECT_EQ(doc.category_counts, c.counts) << c.what;
  }
  // Attribute values: the first occurrence, the quote right after "=".
  grammar_document_record doc;
  ASSERT_TRUE(scan_grammar_lines({u"<rule id='a\"b' name=\"\" type=\"open default=\"on\""}, doc));
  ASSERT_EQ(doc.items.size(), 1u);
  EXPECT_EQ(doc.items[0].id, u"a\"b");
  EXPECT_EQ(doc.items[0].name, u"");
  EXPECT_EQ(doc.items[0].type, u"open default=");
  EXPECT_EQ(doc.items[0].default_value, u"on");
}

TEST_F(GrammarRulesTest, ByteOrderMarkCrLfAndShortFiles) {
  write_bytes("bom.xml", "\xEF\xBB\xBF<?xml?>\r\n<category id=\"\xC3\x89T\xC3\x89\">\r\n<rule id=\"R\">\r\n");
  headless_long_job_host host;
  grammar_document_record doc;
  ASSERT_EQ(load_grammar_file(tpath("bom.xml"), host, doc).status, grammar_file_status::ok);
  ASSERT_EQ(doc.items.size(), 2u);
  EXPECT_EQ(doc.items[0].id, u"\u00C9T\u00C9");
  EXPECT_EQ(doc.items[0].line_number, 1);
  EXPECT_EQ(doc.items[0].text, u"<category id=\"\u00C9T\u00C9\">\n");

  // One line only: zero chunks, a normal end with the size.
  write_bytes("one.xml", "<?xml version=\"1.0\"?>");
  const grammar_file_result r = load_grammar_file(tpath("one.xml"), host, doc);
  EXPECT_EQ(r.status, grammar_file_status::ok);
  EXPECT_TRUE(doc.items.empty());
  EXPECT_EQ(r.status_text.substr(0, 20), u"OK. (xml:21 bytes) \u231a");

  // Missing and empty files are refused and change nothing.
  doc.path = u"kept";
  write_bytes("empty.xml", "");
  for (const char* name : {"missing.xml", "empty.xml"}) {
    const grammar_file_result refused = load_grammar_file(tpath(name), host, doc);
    EXPECT_EQ(refused.status, grammar_file_status::not_found) << name;
    EXPECT_EQ(refused.message, u".XML file not found.");
    EXPECT_EQ(refused.status_text, u"File not found.");
    EXPECT_EQ(doc.path, u"kept");
  }
}

TEST_F(GrammarRulesTest, AbortKeepsTheOpenDocumentAndTheNextLoadCountsFromZero) {
  const grammar_document_record before = load_fixture();
  const int64_t fixture_lines = 27;  // lines after the first
  // Escape while reading, and while processing (after the rules of the first
  // category were counted but before its count was written).
  for (int64_t escape_at : {int64_t{5}, fixture_lines + 20}) {
    grammar_document_record doc = before;
    headless_long_job_host host;
    host.escape_at_poll = escape_at;
    const grammar_file_result r = load_grammar_file(T(kFixture), host, doc);
    EXPECT_EQ(r.status, grammar_file_status::aborted) << escape_at;
    EXPECT_EQ(host.status, u"Aborted.");
    EXPECT_FALSE(host.running);
    EXPECT_EQ(doc.items.size(), before.items.size());
    EXPECT_EQ(doc.category_counts, before.category_counts);

    // The next load counts each category from 0.
    write_bytes("two.xml", "<?xml?>\n<category id=\"A\">\n<rule id=\"R\">\n<category id=\"B\">\n");
    headless_long_job_host again;
    ASSERT_EQ(load_grammar_file(tpath("two.xml"), again, doc).status, grammar_file_status::ok);
    EXPECT_EQ(doc.category_counts, (std::vector<int64_t>{1, 0}));
    EXPECT_EQ(doc.rule_total, 1);
  }
}

TEST_F(GrammarRulesTest, TicksShowTheChunksFound) {
  headless_long_job_host host;
  host.tick_every = 1;
  grammar_document_record doc;
  std::vector<int64_t> shown;
  load_grammar_file(T(kFixture), host, doc, [&](int64_t chunks) { shown.push_back(chunks); });
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.back(), 7);
  EXPECT_EQ(shown.front(), 0);

  // Each refresh shows the elapsed time and the share done: of the bytes
  // while reading, of the lines while processing.
  std::vector<text_t> texts;
  struct recording_host : headless_long_job_host {
    std::vector<text_t>* texts = nullptr;
    void job_progress(text_view text, int64_t value) override {
      texts->emplace_back(text);
      headless_long_job_host::job_progress(text, value);
    }
  } recording;
  recording.texts = &texts;
  recording.tick_every = 20;  // the 20th line read, the 13th of 27 processed
  load_grammar_file(T(kFixture), recording, doc);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].substr(0, 40), u"Loading grammar rules... <ESC> to abort.");
  EXPECT_NE(texts[0].find(u" \u231a00m00s ("), text_t::npos);
  EXPECT_EQ(texts[0].back(), u')');
  EXPECT_EQ(texts[1].substr(0, 43), u"Processing grammar rules... <ESC> to abort.");
  EXPECT_TRUE(texts[1].ends_with(u" \u231a00m00s (48.14%)")) << to_utf8(texts[1]);
}

TEST_F(GrammarRulesTest, ExportWithAndWithoutLineNumbers) {
  grammar_document_record doc;
  ASSERT_TRUE(scan_grammar_lines({u"<rule id=\"R0\" name=\"first\">", u"<category id=\"C1\" name=\"One\" type=\"grammar\">",
                                  u"<rule id=\"R1\" name=\"n\" tags=\"picky\" default=\"off\">",
                                  u"<category id=\"C2\" name=\"Two\">"},
                                 doc));
  headless_long_job_host host;
  ASSERT_EQ(export_grammar_structure_file(doc, tpath("with.txt"), true, host).status, grammar_file_status::ok);
  EXPECT_EQ(read_bytes("with.txt"),
            "\xEF\xBB\xBF"
            "Line: 2\nID Category:C1 (2)\n\nLine: 4\nID Category:C2 (0)\n\n\n\n\n"
            "Line: 1\nrule, ID:R0, Name:\"first\", , , \n\n"
            "\n\n\nLine: 2\ncategory, ID:C1, Name:\"One\", grammar, , \n\n"
            "Line: 3\nrule, ID:R1, Name:\"n\", , picky, default:off\n\n"
            "\n\n\nLine: 4\ncategory, ID:C2, Name:\"Two\", , , \n\n");
  EXPECT_EQ(host.status.substr(0, 20), u"OK. (" + string_from_int(static_cast<int64_t>(read_bytes("with.txt").size())) + u" bytes) \u231a00m");

  ASSERT_EQ(export_grammar_structure_file(doc, tpath("plain.txt"), false, host).status, grammar_file_status::ok);
  const std::string plain = read_bytes("plain.txt");
  EXPECT_EQ(plain.find("Line: "), std::string::npos);
  EXPECT_EQ(plain,
            "\xEF\xBB\xBF"
            "ID Category:C1 (2)\n\nID Category:C2 (0)\n\n\n\n\n"
            "rule, ID:R0, Name:\"first\", , , \n\n"
            "\n\n\ncategory, ID:C1, Name:\"One\", grammar, , \n\n"
            "rule, ID:R1, Name:\"n\", , picky, default:off\n\n"
            "\n\n\ncategory, ID:C2, Name:\"Two\", , , \n\n");
}

TEST_F(GrammarRulesTest, ExportRefusalsAbortAndFailureKeepTheOldFile) {
  headless_long_job_host host;
  const grammar_file_result nothing =
      export_grammar_structure_file(grammar_document_record(), tpath("out.txt"), true, host);
  EXPECT_EQ(nothing.status, grammar_file_status::nothing_to_save);
  EXPECT_EQ(nothing.message, u"Nothing to save.");
  EXPECT_EQ(nothing.status_text, u"Aborted.");

  const grammar_document_record doc = load_fixture();
  write_bytes("out.txt", "old");
  headless_long_job_host escaping;
  escaping.escape_at_poll = 3;
  EXPECT_EQ(export_grammar_structure_file(doc, tpath("out.txt"), true, escaping).status,
            grammar_file_status::aborted);
  EXPECT_EQ(escaping.status, u"Aborted.");
  EXPECT_EQ(read_bytes("out.txt"), "old");
  EXPECT_EQ(folder_names(), (std::vector<std::string>{"out.txt"}));

  // A target in a missing folder is a failure with a message naming it.
  const grammar_file_result failed =
      export_grammar_structure_file(doc, tpath("no/such/folder.txt"), true, host);
  EXPECT_EQ(failed.status, grammar_file_status::write_failed);
  EXPECT_NE(failed.message.find(tpath("no/such/folder.txt")), text_t::npos);
  EXPECT_EQ(host.status, u"Aborted.");
}

}  // namespace
