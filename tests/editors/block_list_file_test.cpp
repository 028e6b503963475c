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
  for (const text_t& e : doc.entries) {
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
    doc.changed = true;
    return doc;
  }
  static void expect_old_document(const list_document& doc) {
    EXPECT_EQ(pairs_of(doc), (pairs{{"old", "OLD"}}));
    EXPECT_EQ(doc.path, u"/old.xml");
    EXPECT_TRUE(doc.changed);
  }
  headless_long_job_host host_;
  asker ask_;
};

// The office suites' form, one block per line: every pair loads with its
// references decoded as an XML parser decodes them, and the saved file reads
// back with the same pairs both here and in the parser.
TEST_F(BlockListFileTest, OfficeListWithOneBlockPerLineRoundTrips) {
  const std::string fixture = "data/DocumentList.xml";
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
  EXPECT_EQ(doc.entries[2], u"<3\n\U0001F600");  // one code point, two units
  EXPECT_EQ(doc.checked_count, 0);
  EXPECT_FALSE(doc.changed);
  EXPECT_EQ(r.status_text.substr(0, 9), u"OK. (xml:");

  doc.changed = true;
  r = save("saved.xml", doc);
  ASSERT_EQ(r.status, block_list_status::ok) << to_utf8(r.message);
  EXPECT_FALSE(doc.changed);
  EXPECT_EQ(doc.path, tpath("saved.xml"));
  EXPECT_EQ(r.file_size, static_cast<int64_t>(read_bytes("saved.xml").size()));
  EXPECT_EQ(pairs_by_xml_parser(path("saved.xml")), want);

  list_document again;
  r = load("saved.xml", again);
  ASSERT_EQ(r.status, block_list_status::ok);
  EXPECT_EQ(ask_.asked.size(), 1u);  // a saved file starts with the header
  EXPECT_EQ(again.entries, doc.entries);
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
  // The texts are taken from the block on, not from a root on the same line.
  EXPECT_EQ(block_line_entry(from_utf8(cases[8].line)), u"1\n2");
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
  EXPECT_FALSE(doc.changed);
  EXPECT_EQ(doc.path, tpath("list.xml"));
  EXPECT_FALSE(doc.undo_available);
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

// The office suites write every block on one line: the reader stops with its
// message, and the open list stays as it was.
TEST_F(BlockListFileTest, ALineWithTwoBlocksStopsTheLoadAndKeepsTheOpenList) {
  std::string one_line = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<block-list:block-list xmlns:block-list=\"" +
                         std::string(kNamespace) + "\">";
  for (int i = 0; i < 3; ++i)
    one_line += "<block-list:block block-list:abbreviated-name=\"a" + std::to_string(i) + "\" block-list:name=\"b\"/>";
  one_line += "</block-list:block-list>";
  write_bytes("office.xml", one_line);
  write_bytes("late.xml", kBom + kHeader + "\n" +
                              "<block-list:block block-list:abbreviated-name=\"a\" block-list:name=\"b\"/>\n" +
                              "<block-list:block block-list:abbreviated-name=\"c\" block-list:name=\"d\"/>"
                              "<block-list:block block-list:abbreviated-name=\"e\" block-list:name=\"f\"/>\n");
  for (const char* name : {"office.xml", "late.xml"}) {
    SCOPED_TRACE(name);
    list_document doc = old_document();
    block_list_result r = load(name, doc, 6);
    EXPECT_EQ(r.status, block_list_status::two_blocks);
    EXPECT_EQ(r.message_title, u"Warning!");
    EXPECT_EQ(r.message,
              u"Only allowed one pair of incorrect/correct per line.\nUse a program like Notepad++ to create individual "
              u"lines.\nFor example: replace \"/>\" with \"/>\\n\"\nusing Extended search mode.");
    EXPECT_EQ(r.status_text, u"Aborted.");
    expect_old_document(doc);
    EXPECT_FALSE(host_.running);
  }
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
  doc.changed = true;

  host_.escape_at_poll = 5;
  block_list_result r = save("list.xml", doc);
  EXPECT_EQ(r.status, block_list_status::aborted);
  EXPECT_EQ(read_bytes("list.xml"), old_bytes);
  EXPECT_EQ(folder_names(), std::vector<std::string>{"list.xml"});
  EXPECT_TRUE(doc.changed);
  EXPECT_EQ(doc.path, u"/somewhere/else.xml");
  EXPECT_FALSE(host_.running);

  r = save("no_such_folder/list.xml", doc);
  EXPECT_EQ(r.status, block_list_status::write_failed);
  EXPECT_EQ(r.message_title, u"Error!");
  EXPECT_NE(r.message.find(tpath("no_such_folder/list.xml")), text_t::npos);
  EXPECT_TRUE(doc.changed);
  EXPECT_EQ(doc.path, u"/somewhere/else.xml");

  list_document empty;
  r = save("list.xml", empty);
  EXPECT_EQ(r.status, block_list_status::no_entries);
  EXPECT_EQ(r.message, u"No autocorrect words found.");
  EXPECT_EQ(read_bytes("list.xml"), old_bytes);
}

}  // namespace
