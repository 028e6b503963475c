#include "editors/autocorrect/block_list_file.h"

#include "common/long_job.h"
#include "tests/test_support/temp_folder.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <string>
#include <utility>
#include <vector>

namespace {

const std::string kBom = "\xEF\xBB\xBF";
const std::string kHeader =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" ?> <block-list:block-list "
    "xmlns:block-list=\"http://openoffice.org/2001/block-list\">";
const char kNamespace[] = "http://openoffice.org/2001/block-list";

using pairs = std::vector<std::pair<std::string, std::string>>;

pairs pairs_of(const list_document& doc) {
  pairs out;
  for (const text_view e : doc.entries()) {
    const size_t lf = e.find(u'\n');
    out.emplace_back(to_utf8(e.substr(0, lf)), lf == text_t::npos ? "" : to_utf8(e.substr(lf + 1)));
  }
  return out;
}

// The pairs as an XML parser reads them; fails the test when the file is
// not well-formed.
pairs pairs_by_xml_parser(const std::string& path) {
  pairs out;
  xmlDocPtr xml = xmlReadFile(path.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOWARNING);
  EXPECT_NE(xml, nullptr) << path << " is not well-formed XML";
  if (!xml) return out;
  xmlNodePtr root = xmlDocGetRootElement(xml);
  EXPECT_STREQ(reinterpret_cast<const char*>(root->name), "block-list");
  for (xmlNodePtr n = root->children; n; n = n->next) {
    if (n->type != XML_ELEMENT_NODE) continue;
    EXPECT_STREQ(reinterpret_cast<const char*>(n->name), "block");
    auto attribute = [n](const char* name) {
      xmlChar* v = xmlGetNsProp(n, reinterpret_cast<const xmlChar*>(name), reinterpret_cast<const xmlChar*>(kNamespace));
      std::string s = v ? reinterpret_cast<const char*>(v) : "<missing>";
      xmlFree(v);
      return s;
    };
    out.emplace_back(attribute("abbreviated-name"), attribute("name"));
  }
  xmlFreeDoc(xml);
  return out;
}

// Answers every question with the given answer and counts them.
struct asker {
  int answer = 6;
  std::vector<text_t> asked;
  list_ask_fn fn() {
    return [this](text_view, text_view text, int) {
      asked.emplace_back(text);
      return answer;
    };
  }
};

class BlockListFileTest : public test_support::temp_folder_test {
 protected:
  BlockListFileTest() : temp_folder_test("vx_block_list_test") {}
  block_list_result load(const std::string& name, list_document& doc, int import_answer = 6) {
    ask_.answer = import_answer;
    return load_autocorrect_list_file(tpath(name), host_, doc, ask_.fn());
  }
  block_list_result save(const std::string& name, list_document& doc, int64_t indent = 2) {
    return save_autocorrect_list_file(tpath(name), doc, indent, host_);
  }
  // A document that must survive a failed or aborted load unchanged.
  static list_document old_document() {
    list_document doc;
    doc.replace_all({u"old\nOLD"}, u"/old.xml");
    doc.mark_changed();
    return doc;
  }
  static void expect_old_document(const list_document& doc) {
    EXPECT_EQ(pairs_of(doc), (pairs{{"old", "OLD"}}));
    EXPECT_EQ(doc.path(), u"/old.xml");
    EXPECT_TRUE(doc.changed());
  }
  headless_long_job_host host_;
  asker ask_;
};

// The office suites' form, one block per line: every pair loads with its
// references decoded as an XML parser decodes them, and the saved file reads
// back with the same pairs both here and in the parser.
TEST_F(BlockListFileTest, OfficeListWithOneBlockPerLineRoundTrips) {
  const std::string fixture = std::string(EDITORS_TEST_DATA) + "/DocumentList.xml";
  const pairs want = {{"(C)", "\xc2\xa9"},
                      {"-->", "\xe2\x86\x92"},
                      {"<3", "\xf0\x9f\x98\x80"},
                      {"R&D", "research & development"},
                      {"\"qoute\"", "\"quote\""},
                      {"dont", "don't"},
                      {"Abc", "ABC"},
                      {"teh", "the"},
                      {"&amp;", "&"}};
  ASSERT_EQ(pairs_by_xml_parser(fixture), want);

  list_document doc;
  block_list_result r = load_autocorrect_list_file(from_utf8(fixture), host_, doc, ask_.fn());
  ASSERT_EQ(r.status, block_list_status::ok) << to_utf8(r.message);
  EXPECT_EQ(ask_.asked.size(), 1u);  // its first line is only the declaration
  EXPECT_EQ(pairs_of(doc), want);
  EXPECT_EQ(doc.entries()[2], u"<3\n\U0001F600");  // one code point, two units
  EXPECT_EQ(doc.checked_count(), 0);
  EXPECT_FALSE(doc.changed());
  EXPECT_EQ(r.status_text.substr(0, 9), u"OK. (xml:");

  doc.mark_changed();
  r = save("saved.xml", doc);
  ASSERT_EQ(r.status, block_list_status::ok) << to_utf8(r.message);
  EXPECT_FALSE(doc.changed());
  EXPECT_EQ(doc.path(), tpath("saved.xml"));
  EXPECT_EQ(r.file_size, static_cast<int64_t>(read_bytes("saved.xml").size()));
  EXPECT_EQ(pairs_by_xml_parser(path("saved.xml")), want);

  list_document again;
  r = load("saved.xml", again);
  ASSERT_EQ(r.status, block_list_status::ok);
  EXPECT_EQ(ask_.asked.size(), 1u);  // a saved file starts with the header
  EXPECT_EQ(again.entries(), doc.entries());
}

TEST_F(BlockListFileTest, WritesTheHeaderOneEscapedIndentedLinePerPairAndTheClosingLine) {
  list_document doc;
  doc.replace_all({u"a\"b\nc&d", u"<x>\n>y<", u"only", u"one\ntwo\nthree", u"t\tab\nc\rr"}, u"");
  ASSERT_EQ(save("out.xml", doc, 4).status, block_list_status::ok);
  const std::string block = "    <block-list:block block-list:abbreviated-name=\"";
  EXPECT_EQ(read_bytes("out.xml"),
            kBom + kHeader + "\n" +
                block + "a&quot;b\" block-list:name=\"c&amp;d\"/>\n" +
                block + "&lt;x&gt;\" block-list:name=\"&gt;y&lt;\"/>\n" +
                block + "only\" block-list:name=\"\"/>\n" +
                block + "one\" block-list:name=\"two\"/>\n" +  // further lines are not written
                block + "t&#9;ab\" block-list:name=\"c&#13;r\"/>\n" +
                "</block-list:block-list>\n");
  list_document back;
  ASSERT_EQ(load("out.xml", back).status, block_list_status::ok);
  EXPECT_EQ(pairs_of(back),
            (pairs{{"a\"b", "c&d"}, {"<x>", ">y<"}, {"only", ""}, {"one", "two"}, {"t\tab", "c\rr"}}));
}

TEST_F(BlockListFileTest, BlockElementsAreCountedButNeverTheRoot) {
  struct line_case {
    const char* line;
    int64_t blocks;
  };
  const line_case cases[] = {
      {"<block-list:block-list xmlns:block-list=\"http://openoffice.org/2001/block-list\">", 0},
      {"<BLOCK-LIST:BLOCK-LIST>", 0},
      {"</block-list:block-list>", 0},
      {"<block-list:blocks a=\"b\"/>", 0},
      {"  <Block-List:Block block-list:abbreviated-name=\"a\" block-list:name=\"b\"/>", 1},
      {"<block-list:block\tblock-list:abbreviated-name=\"a\"/>", 1},
      {"<block-list:block/>", 1},
      {"<block-list:block", 1},
      {"<block-list:block-list x=\"1\"><block-list:block a=\"1\" b=\"2\"/>", 1},
      {"<block-list:block a=\"1\" b=\"2\"/><block-list:block a=\"3\" b=\"4\"/>", 2},
      {"", 0},
  };
  for (const line_case& c : cases) EXPECT_EQ(count_block_elements(from_utf8(c.line)), c.blocks) << c.line;
  // The texts are taken from the blocks, not from a root on the same line.
  const block_line_read read = block_line_entries(
      u"<block-list:block-list block-list:name=\"root\"><block-list:block block-list:abbreviated-name=\"1\" "
      u"block-list:name=\"2\"/>");
  EXPECT_EQ(read.status, block_line_status::ok);
  EXPECT_EQ(read.entries, std::vector<text_t>{u"1\n2"});
}

// Values are taken by attribute name, in either quotes, whatever stands
// around them; a block that is not read whole stops the line.
TEST_F(BlockListFileTest, BlocksOfALineAreReadByAttributeName) {
  struct line_case {
    const char* line;
    block_line_status status;
    std::vector<text_t> entries;
  };
  const line_case cases[] = {
      {"<block-list:block block-list:name=\"the\" block-list:abbreviated-name=\"teh\"/>", block_line_status::ok,
       {u"teh\nthe"}},
      {"<block-list:block block-list:abbreviated-name='say \"hi\"' block-list:package-name=\"p\" "
       "block-list:name = 'x'></block-list:block>",
       block_line_status::ok, {u"say \"hi\"\nx"}},
      {"<block-list:block block-list:abbreviated-name=\"a/>b\" block-list:name=\"c\"/><block-list:block "
       "block-list:abbreviated-name=\"d\"/>",
       block_line_status::ok, {u"a/>b\nc", u"d\n"}},
      {"<block-list:block block-list:abbreviated-name=\"lit\teral\" block-list:name=\"t&#9;ab\"/>",
       block_line_status::ok, {u"lit eral\nt\tab"}},
      {"<block-list:block block-list:abbreviated-name=\"a\" block-list:name=\"b\"/><block-list:block "
       "block-list:abbreviated-name=\"c\"",
       block_line_status::broken_block, {u"a\nb"}},
      {"<block-list:block block-list:abbreviated-name=\"open", block_line_status::broken_block, {}},
      {"<block-list:block block-list:abbreviated-name=\"a\"block-list:name=\"b\"/>", block_line_status::broken_block,
       {}},
      {"<block-list:block block-list:abbreviated-name=a block-list:name=\"b\"/>", block_line_status::broken_block, {}},
      {"<block-list:block block-list:name=\"a\" block-list:name=\"b\"/>", block_line_status::broken_block, {}},
      {"<block-list:block block-list:abbreviated-name=\"x\" block-list:name=\"line1&#10;line2\"/>",
       block_line_status::line_break, {}},
      {"<block-list:block block-list:abbreviated-name=\"a&#xA;b\" block-list:name=\"xyz\"/>",
       block_line_status::line_break, {}},
  };
  for (const line_case& c : cases) {
    const block_line_read read = block_line_entries(from_utf8(c.line));
    EXPECT_EQ(read.status, c.status) << c.line;
    EXPECT_EQ(read.entries, c.entries) << c.line;
  }
}

TEST_F(BlockListFileTest, FirstLineTestIgnoresCaseAndBlankOrClosingLinesAddNothing) {
  std::string upper = kHeader;
  for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  write_bytes("list.xml", kBom + upper + "\r\n\r\n" +
                              "<block-list:block block-list:abbreviated-name=\"a\" block-list:name=\"b\"/>\r\n" +
                              "\n  <!-- c -->\n" +
                              "      <block-list:block block-list:abbreviated-name=\"c\" block-list:name=\"d\"/>\n" +
                              "  </BLOCK-LIST:BLOCK-LIST>\n\n");
  list_document doc = old_document();
  ASSERT_EQ(load("list.xml", doc).status, block_list_status::ok);
  EXPECT_TRUE(ask_.asked.empty());
  EXPECT_EQ(pairs_of(doc), (pairs{{"a", "b"}, {"c", "d"}}));
  EXPECT_FALSE(doc.changed());
  EXPECT_EQ(doc.path(), tpath("list.xml"));
  EXPECT_FALSE(doc.can_undo());
}

// Comments may hold quotes before a block, and whole blocks that are not
// pairs; a line whose second block is commented out holds one pair.
TEST_F(BlockListFileTest, CommentsHoldNoPairs) {
  write_bytes("commented.xml",
              kBom + kHeader + "\n" +
                  "<!--tf=\"0.002\"--><block-list:block block-list:abbreviated-name=\"pero\" block-list:name=\"per&#xF2;\"/>\n" +
                  "<!--<block-list:block block-list:abbreviated-name=\"...\" block-list:name=\"x\"/>\n" +
                  " --><block-list:block block-list:abbreviated-name=\"(C)\" block-list:name=\"&#xA9;\"/>\n" +
                  "<block-list:block block-list:abbreviated-name=\"a\" block-list:name=\"b\"/>"
                  "<!-- <block-list:block block-list:abbreviated-name=\" y \" block-list:name=\"i\"/> -->\n" +
                  "</block-list:block-list>\n");
  list_document doc;
  ASSERT_EQ(load("commented.xml", doc).status, block_list_status::ok);
  EXPECT_EQ(pairs_of(doc), pairs_by_xml_parser(path("commented.xml")));
  EXPECT_EQ(pairs_of(doc), (pairs{{"pero", "per\xc3\xb2"}, {"(C)", "\xc2\xa9"}, {"a", "b"}}));
}

TEST_F(BlockListFileTest, ImportQuestionDecidesAndAFileWithoutBlocksFails) {
  const std::string blocks = "<block-list:block block-list:abbreviated-name=\"a\" block-list:name=\"b\"/>\n";
  write_bytes("other.xml", "<?xml version=\"1.0\"?>\n<block-list:block-list>\n" + blocks + "</block-list:block-list>\n");
  write_bytes("empty_list.xml", "<?xml version=\"1.0\"?>\n<block-list:block-list>\n</block-list:block-list>\n");

  for (int answer : {7, 0}) {
    list_document doc = old_document();
    block_list_result r = load("other.xml", doc, answer);
    EXPECT_EQ(r.status, block_list_status::aborted);
    EXPECT_EQ(r.status_text, u"Aborted.");
    EXPECT_TRUE(r.message.empty());
    expect_old_document(doc);
  }
  ASSERT_FALSE(ask_.asked.empty());
  EXPECT_EQ(ask_.asked.back(), from_utf8("The first line of an Autocorrect List must be:\n" + kHeader +
                                         "\n\nAttempt to import the file?"));

  list_document doc = old_document();
  ASSERT_EQ(load("other.xml", doc, 6).status, block_list_status::ok);
  EXPECT_EQ(pairs_of(doc), (pairs{{"a", "b"}}));

  doc = old_document();
  block_list_result r = load("empty_list.xml", doc, 6);
  EXPECT_EQ(r.status, block_list_status::import_failed);
  EXPECT_EQ(r.message, u"Failed to import file.");
  EXPECT_EQ(r.status_text, u"Aborted.");
  expect_old_document(doc);
  EXPECT_FALSE(host_.running);
}

// The office suites write the whole list on one line, without a
// declaration: after the import question every block gives its pair, equal
// to what an XML parser reads, and the saved list reads back the same.
TEST_F(BlockListFileTest, AListOnOneLineGivesOnePairPerBlockAndRoundTrips) {
  const int kPairs = 300;
  std::string line = "<block-list:block-list xmlns:block-list=\"" + std::string(kNamespace) + "\">";
  for (int i = 0; i < kPairs; ++i) {
    const std::string n = std::to_string(i);
    const std::string block = "<block-list:block block-list:";
    switch (i % 6) {
      case 0: line += block + "abbreviated-name=\"w" + n + "\" block-list:name=\"word\t" + n + "\"/>"; break;
      case 1:
        line += block + "abbreviated-name=\"R&amp;D" + n + "\" block-list:name=\"&lt;x&gt; &quot;q&quot; it&apos;s\"/>";
        break;
      case 2: line += block + "abbreviated-name=\"--&gt;" + n + "\" block-list:name=\"&#x2192;&#8230;&#x1F600;\"/>"; break;
      case 3: line += block + "abbreviated-name=\"t&#9;" + n + "\" block-list:name=\"c&#13;r&#x9;\"/>"; break;
      case 4: line += block + "abbreviated-name='say \"hi\" " + n + "' block-list:name = 'x'/>"; break;
      default:
        line += block + "name=\"second" + n + "\" block-list:package-name=\"p\" block-list:abbreviated-name=\"first" + n +
                "\"/>";
    }
  }
  line += "</block-list:block-list>";
  write_bytes("office.xml", "<!-- generated from input\n     of many -->\n" + line);

  const pairs want = pairs_by_xml_parser(path("office.xml"));
  ASSERT_EQ(want.size(), static_cast<size_t>(kPairs));
  EXPECT_EQ(want[0], (std::pair<std::string, std::string>{"w0", "word 0"}));  // a literal TAB reads as a space
  EXPECT_EQ(want[5], (std::pair<std::string, std::string>{"first5", "second5"}));

  list_document doc = old_document();
  block_list_result r = load("office.xml", doc, 6);
  ASSERT_EQ(r.status, block_list_status::ok) << to_utf8(r.message);
  EXPECT_EQ(ask_.asked.size(), 1u);
  EXPECT_EQ(pairs_of(doc), want);
  EXPECT_EQ(r.entries, kPairs);

  ASSERT_EQ(save("saved.xml", doc).status, block_list_status::ok);
  EXPECT_EQ(pairs_by_xml_parser(path("saved.xml")), want);
  list_document again;
  ASSERT_EQ(load("saved.xml", again).status, block_list_status::ok);
  EXPECT_EQ(again.entries(), doc.entries());
  EXPECT_EQ(ask_.asked.size(), 1u);
}

// A pair the list cannot hold whole stops the load with the line it stands
// on, instead of being cut, merged or swapped on the next save.
TEST_F(BlockListFileTest, AValueWithALineBreakOrABrokenBlockStopsTheLoadNamingTheLine) {
  const std::string ok_line = "  <block-list:block block-list:abbreviated-name=\"a\" block-list:name=\"b\"/>\n";
  struct file_case {
    std::string body;  // after the header line
    const char16_t* message;
  };
  const file_case cases[] = {
      {ok_line + "  <block-list:block block-list:abbreviated-name=\"x\" block-list:name=\"line1&#10;line2\"/>\n",
       u"The pair \"x\" on line 3 holds a line break, which an autocorrect entry cannot keep.\nNothing was loaded."},
      {ok_line + ok_line + "<block-list:block block-list:abbreviated-name=\"a&#10;b\" block-list:name=\"xyz\"/>\n",
       u"The pair \"a b\" on line 4 holds a line break, which an autocorrect entry cannot keep.\nNothing was loaded."},
      {ok_line + "  <block-list:block block-list:abbreviated-name=\"x\"\n    block-list:name=\"y\"/>\n",
       u"The block on line 3 is broken or does not end on its line.\nNothing was loaded."},
      {"  <block-list:block block-list:abbreviated-name=\"x\" block-list:name=\"two\nlines\"/>\n" + ok_line,
       u"The block on line 2 is broken or does not end on its line.\nNothing was loaded."},
  };
  for (const file_case& c : cases) {
    SCOPED_TRACE(c.body);
    write_bytes("list.xml", kBom + kHeader + "\n" + c.body + "</block-list:block-list>\n");
    list_document doc = old_document();
    const block_list_result r = load("list.xml", doc);
    EXPECT_EQ(r.status, block_list_status::bad_block);
    EXPECT_EQ(r.message_title, u"Warning!");
    EXPECT_EQ(r.message, c.message);
    EXPECT_EQ(r.status_text, u"Aborted.");
    expect_old_document(doc);
    EXPECT_FALSE(host_.running);
  }
  // In a list on one line the line is the first.
  write_bytes("office.xml", "<block-list:block-list xmlns:block-list=\"" + std::string(kNamespace) +
                                "\"><block-list:block block-list:abbreviated-name=\"a\" block-list:name=\"b\"/>"
                                "<block-list:block block-list:abbreviated-name=\"c\" block-list:name=\"d&#xa;\"/>"
                                "</block-list:block-list>");
  list_document doc = old_document();
  EXPECT_EQ(load("office.xml", doc, 6).message,
            u"The pair \"c\" on line 1 holds a line break, which an autocorrect entry cannot keep.\nNothing was loaded.");
  expect_old_document(doc);
}

// TAB and CR written as references come back exactly, here and in a parser.
TEST_F(BlockListFileTest, TabsAndCarriageReturnsInValuesRoundTripExactly) {
  list_document doc;
  doc.replace_all({u"\tlead\nt\tab", u"c\rr\n\r", u"both\t\r\nend\t"}, u"");
  ASSERT_EQ(save("tabs.xml", doc).status, block_list_status::ok);
  EXPECT_EQ(pairs_by_xml_parser(path("tabs.xml")),
            (pairs{{"\tlead", "t\tab"}, {"c\rr", "\r"}, {"both\t\r", "end\t"}}));
  list_document back;
  ASSERT_EQ(load("tabs.xml", back).status, block_list_status::ok);
  EXPECT_EQ(back.entries(), doc.entries());
}

TEST_F(BlockListFileTest, MissingOrEmptyFilesAreNotFound) {
  write_bytes("empty.xml", "");
  for (const char* name : {"missing.xml", "empty.xml"}) {
    list_document doc = old_document();
    block_list_result r = load(name, doc);
    EXPECT_EQ(r.status, block_list_status::not_found);
    EXPECT_EQ(r.message, u".XML file not found.");
    EXPECT_EQ(r.status_text, u"File not found.");
    expect_old_document(doc);
  }
}

TEST_F(BlockListFileTest, EscapeDuringALoadKeepsTheOpenList) {
  std::string file = kBom + kHeader + "\n";
  for (int i = 0; i < 50; ++i)
    file += "  <block-list:block block-list:abbreviated-name=\"w" + std::to_string(i) + "\" block-list:name=\"x\"/>\n";
  write_bytes("list.xml", file);
  host_.escape_at_poll = 10;
  list_document doc = old_document();
  block_list_result r = load("list.xml", doc);
  EXPECT_EQ(r.status, block_list_status::aborted);
  EXPECT_EQ(host_.status, u"Aborted.");
  expect_old_document(doc);

  host_.abort_answer = 7;  // No: the load goes on
  host_.polls = 0;
  ASSERT_EQ(load("list.xml", doc).status, block_list_status::ok);
  EXPECT_EQ(doc.count(), 50);
}

// A save writes beside the target and renames only a complete file: an
// Escape or a failed write leaves the old file, the flag and the path.
TEST_F(BlockListFileTest, AnAbortedOrFailedSaveKeepsTheOldFile) {
  const std::string old_bytes = kBom + kHeader + "\n</block-list:block-list>\n";
  write_bytes("list.xml", old_bytes);
  list_document doc;
  std::vector<text_t> entries;
  for (int i = 0; i < 40; ++i) entries.push_back(u"w" + string_from_int(i) + u"\nx");
  doc.replace_all(entries, u"/somewhere/else.xml");
  doc.mark_changed();

  host_.escape_at_poll = 5;
  block_list_result r = save("list.xml", doc);
  EXPECT_EQ(r.status, block_list_status::aborted);
  EXPECT_EQ(read_bytes("list.xml"), old_bytes);
  EXPECT_EQ(folder_names(), std::vector<std::string>{"list.xml"});
  EXPECT_TRUE(doc.changed());
  EXPECT_EQ(doc.path(), u"/somewhere/else.xml");
  EXPECT_FALSE(host_.running);

  r = save("no_such_folder/list.xml", doc);
  EXPECT_EQ(r.status, block_list_status::write_failed);
  EXPECT_EQ(r.message_title, u"Error!");
  EXPECT_NE(r.message.find(tpath("no_such_folder/list.xml")), text_t::npos);
  EXPECT_TRUE(doc.changed());
  EXPECT_EQ(doc.path(), u"/somewhere/else.xml");

  list_document empty;
  r = save("list.xml", empty);
  EXPECT_EQ(r.status, block_list_status::no_entries);
  EXPECT_EQ(r.message, u"No autocorrect words found.");
  EXPECT_EQ(read_bytes("list.xml"), old_bytes);
}

}  // namespace
