#include "editors/autocorrect/autotext_file.h"

#include "common/long_job.h"
#include "tests/test_support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

const std::string kBom = "\xEF\xBB\xBF";

std::string content_xml(const std::string& body) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document-content><office:body><office:text>\n" + body +
         "\n</office:text></office:body></office:document-content>\n";
}

TEST(AutotextEntryText, EachParagraphGivesALineWithItsSpans) {
  struct text_case {
    const char* what;
    std::string xml;
    const char16_t* text;
  };
  const text_case cases[] = {
      {"two paragraphs", content_xml("<text:p text:style-name=\"P1\">Dear Sir,</text:p><text:p>Yours</text:p>"),
       u"Dear Sir,\nYours\n"},
      {"spans inside their paragraph",
       content_xml("<text:p><text:span text:style-name=\"T1\">bold</text:span><text:span> plain</text:span></text:p>"),
       u"bold plain\n"},
      {"the text before and after a span",
       content_xml("<text:p text:style-name=\"P1\">Hello <text:span text:style-name=\"T1\">bold</text:span> "
                   "world</text:p><text:p>next</text:p>"),
       u"Hello bold world\nnext\n"},
      {"nested spans and a quoted \">\"",
       content_xml("<text:p a=\"x>y\">a<text:span>b<text:span>c</text:span>d</text:span>e</text:p>"), u"abcde\n"},
      {"text outside paragraphs", content_xml("<text:h>Title</text:h>loose<text:p>kept</text:p>"), u"kept\n"},
      {"empty paragraphs", content_xml("<text:p>a</text:p><text:p/><text:p></text:p><text:p>b</text:p>"), u"a\nb\n"},
      {"a comment", content_xml("<text:p>a<!-- <text:p>x</text:p> -->b</text:p>"), u"ab\n"},
      {"paragraph split over lines", content_xml("<text:p>one\ntwo</text:p>"), u"onetwo\n"},
      {"references decoded after the tags are gone",
       content_xml("<text:p>a &lt;b&gt; &amp; &#x1F600;</text:p>"), u"a <b> & \U0001F600\n"},
      {"no paragraphs", content_xml("<office:forms/>"), u""},
      {"no tag at all", "plain text", u""},
  };
  for (const text_case& c : cases) EXPECT_EQ(autotext_entry_text(from_utf8(c.xml)), c.text) << c.what;
}

class AutotextFileTest : public test_support::temp_folder_test {
 protected:
  AutotextFileTest() : temp_folder_test("vx_autotext_test") {}
  void make_folder(const std::string& name) { std::filesystem::create_directories(path(name)); }
  headless_long_job_host host_;
};

// An index of four entries: one with its own <name>.xml, one with only
// content.xml, one whose <name>.xml is empty, one without a folder.
TEST_F(AutotextFileTest, ReadsEveryEntryFromItsFolder) {
  write_bytes("BlockList.xml",
              kBom +
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                  "<block-list:block-list xmlns:block-list=\"http://openoffice.org/2001/block-list\" "
                  "block-list:list-name=\"Mine\">\n"
                  " <block-list:block block-list:abbreviated-name=\"BC\" block-list:package-name=\"BC\" "
                  "block-list:name=\"Business &amp; Card\" block-list:unformatted-text=\"false\"/>\n"
                  " <block-list:block block-list:abbreviated-name='DS' block-list:package-name='DS'\n"
                  "   block-list:name='Dear Sir'/>\n"
                  " <block-list:block block-list:abbreviated-name=\"E\" block-list:package-name=\"E\" "
                  "block-list:name=\"Empty own\"/>\n"
                  " <block-list:block block-list:abbreviated-name=\"X\" block-list:package-name=\"X\" "
                  "block-list:name=\"Missing\"/>\n"
                  "</block-list:block-list>\n");
  make_folder("BC");
  write_bytes("BC/BC.xml", content_xml("<text:p>from own file</text:p>"));
  write_bytes("BC/content.xml", content_xml("<text:p>not this</text:p>"));
  make_folder("DS");
  write_bytes("DS/content.xml", content_xml("<text:p>Dear Sir,</text:p>"));
  make_folder("E");
  write_bytes("E/E.xml", "");
  write_bytes("E/content.xml", content_xml("<text:p>from content</text:p>"));

  autotext_document_record doc;
  block_list_result r = load_autotext_list_file(tpath("BlockList.xml"), host_, doc);
  ASSERT_EQ(r.status, block_list_status::ok) << to_utf8(r.message);
  ASSERT_EQ(doc.records.size(), 4u);
  EXPECT_EQ(doc.records[0].name, u"Business & Card");
  EXPECT_EQ(doc.records[0].text, u"from own file\n");
  EXPECT_EQ(doc.records[1].abbreviated_name, u"DS");
  EXPECT_EQ(doc.records[1].name, u"Dear Sir");
  EXPECT_EQ(doc.records[1].text, u"Dear Sir,\n");
  EXPECT_EQ(doc.records[2].text, u"from content\n");
  EXPECT_EQ(doc.records[3].text, u"");
  EXPECT_EQ(doc.path, tpath("BlockList.xml"));
  EXPECT_EQ(autotext_row_text(1, doc.records[1]), u"2\nDS\nDS\nDear Sir");

  const int64_t entry_bytes = static_cast<int64_t>(read_bytes("BC/BC.xml").size() +
                                                    read_bytes("DS/content.xml").size() +
                                                    read_bytes("E/content.xml").size());
  EXPECT_EQ(r.extra_size, entry_bytes);
  EXPECT_EQ(r.file_size, static_cast<int64_t>(read_bytes("BlockList.xml").size()));
  EXPECT_EQ(r.status_text.substr(0, 19), u"OK. (BlockList.xml:");
  EXPECT_NE(r.status_text.find(u")+(xmls:"), text_t::npos);
  EXPECT_FALSE(host_.running);
}

// The abbreviated name becomes a folder and a file name: a name that would
// leave the collection's folder refuses the load before any entry is read.
TEST_F(AutotextFileTest, ANameLeadingOutOfTheFolderIsRefused) {
  make_folder("collection/ok");
  write_bytes("collection/ok/content.xml", content_xml("<text:p>fine</text:p>"));
  make_folder("outside");
  write_bytes("outside/outside.xml", content_xml("<text:p>secret</text:p>"));
  write_bytes("outside/content.xml", content_xml("<text:p>secret</text:p>"));
  for (const char* name : {"../outside", "..", "a/b", "/abs", "a\\b", "x..y"}) {
    SCOPED_TRACE(name);
    write_bytes("collection/BlockList.xml",
                "<block-list:block-list>\n"
                "<block-list:block block-list:abbreviated-name=\"ok\" block-list:package-name=\"ok\" "
                "block-list:name=\"Ok\"/>\n"
                "<block-list:block block-list:abbreviated-name=\"" + std::string(name) +
                    "\" block-list:package-name=\"p\" block-list:name=\"Out\"/>\n</block-list:block-list>\n");
    autotext_document_record doc;
    doc.path = u"/old/BlockList.xml";
    const block_list_result r = load_autotext_list_file(tpath("collection/BlockList.xml"), host_, doc);
    EXPECT_EQ(r.status, block_list_status::bad_name);
    EXPECT_EQ(r.message_title, u"Error");
    EXPECT_EQ(r.message, u"The AutoText name \"" + from_utf8(name) + u"\" would lead out of its folder.\nNothing was loaded.");
    EXPECT_EQ(r.status_text, u"Aborted.");
    EXPECT_EQ(r.extra_size, 0);
    EXPECT_TRUE(doc.records.empty());
    EXPECT_EQ(doc.path, u"/old/BlockList.xml");
  }
  for (const char* name : {"ok", "a.b", ".hidden", "BC"})
    EXPECT_TRUE(autotext_name_stays_in_folder(from_utf8(name))) << name;
}

TEST_F(AutotextFileTest, AnIndexChosenInUpperCaseIsReadFromItsLowerCaseName) {
  const std::string index = "<block-list:block block-list:abbreviated-name=\"A\" block-list:name=\"a\"/>";
  write_bytes("BlockList.XML", "<block-list:block-list/>");
  write_bytes("BlockList.xml", index);
  autotext_document_record doc;
  ASSERT_EQ(load_autotext_list_file(tpath("BlockList.XML"), host_, doc).status, block_list_status::ok);
  ASSERT_EQ(doc.records.size(), 1u);
  EXPECT_EQ(doc.records[0].abbreviated_name, u"A");
  EXPECT_EQ(doc.path, tpath("BlockList.XML"));
}

TEST_F(AutotextFileTest, FailedOrAbortedLoadsKeepTheOpenCollection) {
  autotext_document_record doc;
  doc.records.push_back({u"old", u"old", u"Old", u"text"});
  doc.path = u"/old/BlockList.xml";
  auto expect_old = [&doc] {
    ASSERT_EQ(doc.records.size(), 1u);
    EXPECT_EQ(doc.records[0].name, u"Old");
    EXPECT_EQ(doc.path, u"/old/BlockList.xml");
  };

  block_list_result r = load_autotext_list_file(tpath("BlockList.xml"), host_, doc);
  EXPECT_EQ(r.status, block_list_status::not_found);
  EXPECT_EQ(r.message, u".XML file not found.");
  expect_old();

  // The root element alone is no entry.
  write_bytes("BlockList.xml", "<block-list:block-list xmlns:block-list=\"x\">\n</block-list:block-list>\n");
  r = load_autotext_list_file(tpath("BlockList.xml"), host_, doc);
  EXPECT_EQ(r.status, block_list_status::no_entries);
  EXPECT_EQ(r.message_title, u"Error");
  EXPECT_EQ(r.message, u".XML file has no valid entries.");
  EXPECT_EQ(r.status_text, u"Aborted.");
  expect_old();

  std::string index;
  for (int i = 0; i < 20; ++i) index += "<block-list:block block-list:abbreviated-name=\"n" + std::to_string(i) + "\"/>\n";
  write_bytes("BlockList.xml", index);
  host_.escape_at_poll = 3;
  r = load_autotext_list_file(tpath("BlockList.xml"), host_, doc);
  EXPECT_EQ(r.status, block_list_status::aborted);
  EXPECT_EQ(host_.status, u"Aborted.");
  EXPECT_FALSE(host_.running);
  expect_old();
}

}  // namespace
