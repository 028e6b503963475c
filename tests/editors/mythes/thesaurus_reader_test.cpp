// Saved thesauri read back through libmythes, the reader of the office
// suites: it takes the .idx's first line as the encoding name, binary-searches
// the index lines and seeks the .dat at their offsets.
#include "editors/thesaurus/thesaurus_entry.h"
#include "editors/thesaurus/thesaurus_file.h"

#include "common/long_job.h"
#include "tests/test_support/installed_data.h"
#include "tests/test_support/temp_folder.h"

#include <gtest/gtest.h>
#include <mythes.hxx>

#include <string>
#include <vector>

namespace {

const std::string kBom = "\xEF\xBB\xBF";

class ThesaurusReaderTest : public test_support::temp_folder_test {
 protected:
  ThesaurusReaderTest() : temp_folder_test("vx_mythes_test") {}
  headless_long_job_host host_;
};

// Every meaning of the head word as libmythes returns it, put back into its
// line: libmythes gives the part of speech followed by the first synonym as
// the definition, and the synonyms.
std::vector<std::string> lookup(MyThes& reader, const std::string& word) {
  mentry* meanings = nullptr;
  const int n = reader.Lookup(word.c_str(), static_cast<int>(word.size()), &meanings);
  std::vector<std::string> out;
  for (int i = 0; i < n; ++i) {
    std::string line = meanings[i].defn ? meanings[i].defn : "";
    if (meanings[i].count > 0) {
      const std::string first = std::string(" ") + meanings[i].psyns[0];
      if (line.size() >= first.size() && line.compare(line.size() - first.size(), first.size(), first) == 0) {
        line.resize(line.size() - first.size());
      }
    }
    for (int k = 0; k < meanings[i].count; ++k) line += std::string("|") + meanings[i].psyns[k];
    out.push_back(line);
  }
  if (n > 0) reader.CleanUpAfterLookup(&meanings, n);
  return out;
}

TEST_F(ThesaurusReaderTest, SavedFixtureReadsBackThroughMythes) {
  std::string dat = kBom + "UTF-8\n";
  dat += "zebra|1\n(noun)|equine|horse\n";
  dat += "caf\xc3\xa9|2\n(noun)|coffeehouse|coffee shop\n(noun)|restaurant (generic term)\n";
  dat += "\xc3\x84rger|1\n(noun)|annoyance|vexation\n";
  dat += "na\xc3\xafve|1\n(adj)|innocent|unworldly\n";
  dat += "ship|2\n(noun)|vessel (generic term)|watercraft\n(verb)|transport|send\n";
  dat += "abacus|1\n(noun)|counter\n";
  write_bytes("small.dat", dat);
  list_document doc;
  text_t encoding;
  ASSERT_EQ(load_thesaurus_pair(tpath("small.dat"), host_, doc, encoding).status, thesaurus_file_status::ok);
  // Added at the end, out of order, as the synonym editor appends.
  doc.append(T("aardvark|1\n(noun)|anteater|ant bear"));
  std::string full = "many|100";
  for (int i = 0; i < 100; ++i) full += "\n(noun)|sense" + std::to_string(i) + "|word" + std::to_string(i);
  doc.append(T(full.c_str()));
  ASSERT_EQ(save_thesaurus_pair(tpath("saved.dat"), doc, encoding, host_).status, thesaurus_file_status::ok);

  MyThes reader(path("saved.idx").c_str(), path("saved.dat").c_str());
  ASSERT_NE(reader.get_th_encoding(), nullptr);
  EXPECT_STREQ(reader.get_th_encoding(), "UTF-8");
  for (const text_view entry : doc.entries()) {
    const std::string head = to_utf8(thesaurus_head_word(thesaurus_header(entry)));
    SCOPED_TRACE(head);
    std::vector<std::string> want;
    for (text_view m : thesaurus_meanings(entry)) want.push_back(to_utf8(m));
    EXPECT_EQ(lookup(reader, head), want);
  }
  EXPECT_TRUE(lookup(reader, "missing").empty());
}

// Debian's English thesaurus: the saved .dat is the original with a mark in
// front, the saved .idx the original with every offset 3 higher.
// Its entry count and words are those of mythes-en-us's pair.
TEST_F(ThesaurusReaderTest, DebianEnglishThesaurusRoundTrips) {
  if (const std::string why = test_support::installed_mismatch({test_support::kThEnUsDat, test_support::kThEnUsIdx});
      !why.empty())
    GTEST_SKIP() << why;
  const std::string dat_path = test_support::kThEnUsDat.path;
  const std::string original_dat = test_support::read_file(dat_path);
  const std::string original_idx = test_support::read_file(test_support::kThEnUsIdx.path);
  list_document doc;
  text_t encoding;
  const thesaurus_file_result loaded = load_thesaurus_pair(from_utf8(dat_path), host_, doc, encoding);
  ASSERT_EQ(loaded.status, thesaurus_file_status::ok);
  EXPECT_EQ(loaded.entries, 145866);
  ASSERT_EQ(save_thesaurus_pair(tpath("th.dat"), doc, encoding, host_).status, thesaurus_file_status::ok);
  EXPECT_TRUE(read_bytes("th.dat") == kBom + original_dat) << "the saved .dat differs";

  std::string want_idx;
  size_t at = 0;
  for (int line = 0; at < original_idx.size(); ++line) {
    size_t end = original_idx.find('\n', at);
    if (end == std::string::npos) end = original_idx.size();
    std::string text = original_idx.substr(at, end - at);
    const size_t bar = text.find('|');
    if (line >= 2 && bar != std::string::npos) {
      text = text.substr(0, bar + 1) + std::to_string(std::stoll(text.substr(bar + 1)) + 3);
    }
    want_idx += text + "\n";
    at = end + 1;
  }
  EXPECT_TRUE(read_bytes("th.idx") == want_idx) << "the saved .idx differs";

  MyThes reader(path("th.idx").c_str(), path("th.dat").c_str());
  EXPECT_FALSE(lookup(reader, "ship").empty());
  EXPECT_FALSE(lookup(reader, "'s gravenhage").empty());
}

}  // namespace
