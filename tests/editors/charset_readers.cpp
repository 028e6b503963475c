// Files in the 8-bit charsets the field's files declare (a .aff's SET line,
// the first line of a pattern file or a thesaurus .dat), loaded, shown and
// saved as the program does, then read back by the field's own readers:
// Hunspell's command line, libhyphen and libmythes answer for the saved
// copy exactly as for the original. Small fixtures cut from Debian's words
// cover each family; the installed Debian files are taken too, where the
// packages are present.
#include "affix/aff_cache.h"
#include "affix/affix_expansion.h"
#include "affix/expansion_output.h"
#include "common/long_job.h"
#include "dictionary/dic_file.h"
#include "editors/hyphenation/hyphenation_engine.h"
#include "editors/hyphenation/hyphenation_file.h"
#include "editors/thesaurus/thesaurus_entry.h"
#include "editors/thesaurus/thesaurus_file.h"
#include "tests/editors/libhyphen_breaks.h"
#include "tests/test_support/field_readers.h"
#include "tests/test_support/temp_folder.h"

#include <gtest/gtest.h>
#include <mythes.hxx>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

// libhyphen itself leaks a few bytes while loading some pattern files.
extern "C" const char* __lsan_default_suppressions() { return "leak:libhyphen.so\n"; }

namespace {

using test_support::iconv_convert;
using test_support::iconv_to_utf8;

const std::string kData = std::string(EDITORS_TEST_DATA) + "/charsets/";
const std::string kBom = "\xEF\xBB\xBF";

struct family {
  const char* name;     // fixture stem: pl.aff, hyph_pl.dic, th_pl.dat
  const char* charset;  // as the files declare it
};
const family kFamilies[] = {
    {"pl", "ISO8859-2"}, {"el", "ISO8859-7"}, {"ru", "KOI8-R"}, {"lt", "ISO8859-13"}};

class CharsetReaders : public test_support::temp_folder_test {
 protected:
  CharsetReaders() : temp_folder_test("vx_charsets") {}
  void copy_in(const std::string& from, const std::string& name) const {
    write_bytes(name, test_support::read_file(from));
  }
  headless_long_job_host host_;
};

std::string utf8_of(const std::string& bytes, const std::string& charset) {
  std::string out;
  EXPECT_TRUE(iconv_to_utf8(bytes, charset, out)) << charset;
  return out;
}

// Every derived word of the pair, one a line, as the expansion gives them.
std::string derived_words(const list_document& doc, text_view aff) {
  aff_decode_cache cache;
  rebuild_aff_decode_cache(cache, aff);
  std::vector<text_t> words;
  word_array_sink sink(words, 0, u"", u"");
  for (const text_view entry : doc.entries()) expand_entry(cache, entry, sink);
  std::string out;
  for (int64_t i = 0; i < sink.stored; ++i) out += to_utf8(words[static_cast<size_t>(i)]) + "\n";
  return out;
}

// The same words and, beside each, a form the dictionary does not hold:
// the verdicts to compare hold rejections too.
std::string with_misspellings(const std::string& words) {
  std::string out;
  size_t at = 0;
  for (size_t end; (end = words.find('\n', at)) != std::string::npos; at = end + 1) {
    const std::string w = words.substr(at, end - at);
    out += w + "\n" + w + "q\nq" + w + "\n";
  }
  return out;
}

// ---- Dictionaries ---------------------------------------------------------------------

TEST_F(CharsetReaders, DictionaryFixturesLoadTheirLettersAndSaveForHunspell) {
  if (!test_support::have_hunspell()) GTEST_SKIP() << "hunspell is not installed";
  for (const family& f : kFamilies) {
    SCOPED_TRACE(f.name);
    const std::string original_dic = test_support::read_file(kData + f.name + ".dic");
    copy_in(kData + f.name + ".aff", "orig.aff");
    copy_in(kData + f.name + ".dic", "orig.dic");
    list_document doc;
    text_t aff;
    host_.messages.clear();
    ASSERT_EQ(load_dictionary_pair(tpath("orig.dic"), host_, doc, aff).status, dic_file_status::ok);
    EXPECT_TRUE(host_.messages.empty()) << "the bytes agree with the SET line: nothing to ask";
    // Shown with the letters iconv finds in the same bytes.
    const std::string lines = utf8_of(original_dic, f.charset);
    const size_t first = lines.find('\n') + 1;
    EXPECT_EQ(to_utf8(doc.entries()[0]), lines.substr(first, lines.find('\n', first) - first));
    EXPECT_EQ(to_utf8(aff).rfind(std::string("SET ") + f.charset, 0), 0u);

    ASSERT_EQ(save_dictionary_pair(tpath("copy.dic"), doc, aff, host_).status, dic_file_status::ok);
    ASSERT_EQ(host_.messages.size(), 1u);
    EXPECT_NE(to_utf8(host_.messages[0]).find(f.charset), std::string::npos) << "the user is told";
    EXPECT_EQ(read_bytes("copy.aff").rfind(kBom + "SET UTF-8\n", 0), 0u);

    const std::string words = derived_words(doc, aff);
    ASSERT_FALSE(words.empty());
    EXPECT_EQ(test_support::hunspell_rejects(path("orig"), words, dir_), "") << "every derived word is a word";
    const std::string asked = with_misspellings(words);
    const std::string rejected = test_support::hunspell_rejects(path("orig"), asked, dir_);
    ASSERT_NE(rejected, "?");
    EXPECT_FALSE(rejected.empty());
    EXPECT_EQ(test_support::hunspell_rejects(path("copy"), asked, dir_), rejected);
  }
}

// Debian's installed dictionaries in an 8-bit charset, as the fixtures.
TEST_F(CharsetReaders, InstalledEightBitDictionariesSaveForHunspell) {
  if (!test_support::have_hunspell()) GTEST_SKIP() << "hunspell is not installed";
  int tested = 0;
  for (const char* stem : {"pl_PL", "el_GR", "lt_LT", "sl_SI", "bs_BA", "nb_NO", "id_ID"}) {
    const std::string base = std::string("/usr/share/hunspell/") + stem;
    if (access((base + ".dic").c_str(), R_OK) != 0 || access((base + ".aff").c_str(), R_OK) != 0) continue;
    SCOPED_TRACE(stem);
    list_document doc;
    text_t aff;
    ASSERT_EQ(load_dictionary_pair(from_utf8(base + ".dic"), host_, doc, aff).status, dic_file_status::ok);
    ASSERT_EQ(save_dictionary_pair(tpath("copy.dic"), doc, aff, host_).status, dic_file_status::ok);
    // Every 400th entry's derived words, and misspellings of them.
    list_document sample;
    std::vector<text_t> picked;
    for (size_t i = 0; i < doc.entries().size(); i += 400) picked.emplace_back(doc.entries()[i]);
    sample.replace_all(picked, u"");
    std::string words = derived_words(sample, aff);
    if (words.size() > 200000) words.resize(words.rfind('\n', 200000) + 1);
    const std::string asked = with_misspellings(words);
    const std::string rejected = test_support::hunspell_rejects(base, asked, dir_);
    ASSERT_NE(rejected, "?");
    EXPECT_EQ(test_support::hunspell_rejects(path("copy"), asked, dir_), rejected);
    if (std::string(stem) == "pl_PL") {
      EXPECT_EQ(test_support::hunspell_rejects(base, words, dir_), "") << "the expansion gives Polish words";
    }
    ++tested;
  }
  if (tested == 0) GTEST_SKIP() << "no 8-bit Debian dictionary installed (hunspell-pl, hunspell-el, hunspell-lt)";
}

// ---- Pattern files ---------------------------------------------------------------------

// Words to hyphenate, made from the patterns themselves (their letters, and
// pairs of them joined), so that any language's file brings its own.
std::vector<text_t> words_of_patterns(text_view text) {
  std::vector<text_t> parts;
  size_t at = text.find(u'\n') + 1;  // past the encoding line
  while (at < text.size()) {
    size_t end = text.find(u'\n', at);
    if (end == text_view::npos) end = text.size();
    const text_view line = text.substr(at, end - at);
    at = end + 1;
    if (line.empty() || line[0] == u'%' || line.find(u' ') != text_view::npos) continue;
    text_t letters;
    for (char16_t u : line)
      if (!(u >= u'0' && u <= u'9') && u != u'.' && u != u'-' && u != u'=' && u != u'/') letters.push_back(u);
    if (letters.size() >= 2) parts.push_back(letters);
  }
  std::vector<text_t> words;
  for (size_t i = 0; i < parts.size(); i += std::max<size_t>(1, parts.size() / 1500)) {
    words.push_back(parts[i]);
    words.push_back(parts[i] + parts[(i * 7 + 3) % parts.size()] + parts[(i * 13 + 5) % parts.size()]);
  }
  return words;
}

// Loads a pattern file as the tab does, saves it, and compares libhyphen's
// breaks in the copy with its breaks in the original (its words given in
// the original's charset); the engine takes the loaded text at once.
// Returns the words compared and counts those libhyphen breaks.
//
// libhyphen's own two modes part on words of one or two letters and on
// apostrophes (its UTF-8 mode treats them apart), whatever the file holds:
// those words are not compared.
int compare_pattern_file(const std::string& original, const std::string& charset, const std::string& copy,
                         long_job_host& host, int* broken_words = nullptr) {
  const hyphenation_file_result loaded = load_hyphenation_file(from_utf8(original), host);
  EXPECT_EQ(loaded.status, hyphenation_file_status::ok);
  if (loaded.status != hyphenation_file_status::ok) return 0;
  hyphenation_decode_cache cache;
  // A file whose last line lacks its line end is refused by the engine as it stands.
  EXPECT_EQ(build_hyphenation_decode_cache(cache, loaded.text, host),
            loaded.text.ends_with(u'\n') ? hyphenation_rules_status::ready : hyphenation_rules_status::no_final_lf);
  EXPECT_EQ(save_hyphenation_file(from_utf8(copy), loaded.text, host).status, hyphenation_file_status::ok);
  EXPECT_EQ(test_support::read_file(copy).rfind("UTF-8\n", 0), 0u);
  hyphen_dict theirs(hnj_hyphen_load(original.c_str()));
  hyphen_dict reread(hnj_hyphen_load(copy.c_str()));
  if (!theirs || !reread) {
    ADD_FAILURE() << "libhyphen cannot load " << original;
    return 0;
  }
  EXPECT_EQ(reread->utf8, 1);
  int compared = 0, broken = 0;
  for (const text_t& word : words_of_patterns(loaded.text)) {
    text_t lower = word;
    for (char16_t& u : lower) u = unit_to_lower(u);
    if (lower.size() < 3 || lower.find_first_of(u"'\u2019") != text_t::npos) continue;
    const std::string utf8 = to_utf8(lower);
    std::string bytes = utf8;
    if (!theirs->utf8 && !iconv_convert(utf8, "UTF-8", charset, bytes)) continue;
    std::string want = libhyphen_breaks(theirs.get(), bytes);
    if (!theirs->utf8) want = utf8_of(want, charset);
    EXPECT_EQ(libhyphen_breaks(reread.get(), utf8), want) << original << ": " << utf8;
    ++compared;
    broken += want.find('-') != std::string::npos;
  }
  if (broken_words) *broken_words = broken;
  return compared;
}

TEST_F(CharsetReaders, PatternFixturesBreakInTheCopyAsInTheOriginal) {
  for (const family& f : kFamilies) {
    SCOPED_TRACE(f.name);
    copy_in(kData + "hyph_" + f.name + ".dic", "hyph.dic");
    int broken = 0;
    EXPECT_GT(compare_pattern_file(path("hyph.dic"), f.charset, path("copy.dic"), host_, &broken), 20);
    EXPECT_GT(broken, 10);
    // The engine hyphenates the loaded text with the letters of the charset.
    const hyphenation_file_result loaded = load_hyphenation_file(tpath("hyph.dic"), host_);
    hyphenation_decode_cache cache;
    ASSERT_EQ(build_hyphenation_decode_cache(cache, loaded.text, host_), hyphenation_rules_status::ready);
    EXPECT_FALSE(hyphenate_word(cache, words_of_patterns(loaded.text)[0]).no_matches);
  }
}

// Every installed Debian pattern file, whatever its first line names.
TEST_F(CharsetReaders, InstalledPatternFilesBreakInTheCopyAsInTheOriginal) {
  std::set<std::string> seen;
  int files = 0;
  for (const std::string& full : test_support::installed_files("/usr/share/hyphen", ".dic")) {
    if (full.find("/hyph_") == std::string::npos) continue;
    const std::string bytes = test_support::read_file(full);
    if (!seen.insert(bytes).second) continue;  // the same file under another name
    const std::string charset = bytes.substr(0, bytes.find_first_of("\r\n"));
    SCOPED_TRACE(full);
    compare_pattern_file(full, charset, path("copy.dic"), host_);
    ++files;
  }
  if (files == 0) GTEST_SKIP() << "no hyphen-* package installed";
}

// ---- Thesauri ----------------------------------------------------------------------------

// Every meaning of the head word as libmythes returns it, in UTF-8: the
// part of speech and the synonyms.
std::vector<std::string> meanings_of(MyThes& reader, const std::string& word, const std::string& charset) {
  mentry* meanings = nullptr;
  const int n = reader.Lookup(word.c_str(), static_cast<int>(word.size()), &meanings);
  std::vector<std::string> out;
  for (int i = 0; i < n; ++i) {
    std::string line = meanings[i].defn ? meanings[i].defn : "";
    for (int k = 0; k < meanings[i].count; ++k) line += std::string("|") + meanings[i].psyns[k];
    out.push_back(charset == "UTF-8" ? line : utf8_of(line, charset));
  }
  if (n > 0) reader.CleanUpAfterLookup(&meanings, n);
  return out;
}

// Loads a thesaurus as the tab does and saves it; libmythes finds every
// sampled head word of the original in the copy with the same meanings.
int compare_thesaurus(const std::string& dat, const std::string& idx, const std::string& copy_dat,
                      long_job_host& host) {
  list_document doc;
  text_t encoding;
  const thesaurus_file_result loaded = load_thesaurus_pair(from_utf8(dat), host, doc, encoding);
  if (loaded.status == thesaurus_file_status::too_many_meanings) return -1;
  EXPECT_EQ(loaded.status, thesaurus_file_status::ok);
  if (loaded.status != thesaurus_file_status::ok) return 0;
  EXPECT_EQ(save_thesaurus_pair(from_utf8(copy_dat), doc, encoding, host).status, thesaurus_file_status::ok);
  const std::string copy_idx = to_utf8(thesaurus_idx_path(from_utf8(copy_dat)));
  MyThes theirs(idx.c_str(), dat.c_str());
  MyThes reread(copy_idx.c_str(), copy_dat.c_str());
  if (!theirs.get_th_encoding() || !reread.get_th_encoding()) {
    ADD_FAILURE() << "libmythes cannot read " << dat;
    return 0;
  }
  const std::string charset = theirs.get_th_encoding();
  EXPECT_STREQ(reread.get_th_encoding(), "UTF-8");
  int compared = 0;
  const size_t step = std::max<size_t>(1, doc.entries().size() / 3000);
  for (size_t i = 0; i < doc.entries().size(); i += step) {
    const std::string head = to_utf8(thesaurus_head_word(thesaurus_header(doc.entries()[i])));
    std::string bytes = head;
    if (charset != "UTF-8" && !iconv_convert(head, "UTF-8", charset, bytes)) continue;
    const std::vector<std::string> want = meanings_of(theirs, bytes, charset);
    if (want.empty()) continue;  // a head word the original's own index lacks
    EXPECT_EQ(meanings_of(reread, head, "UTF-8"), want) << dat << ": " << head;
    ++compared;
  }
  return compared;
}

TEST_F(CharsetReaders, ThesaurusFixturesReadBackThroughMythes) {
  for (const family& f : kFamilies) {
    SCOPED_TRACE(f.name);
    copy_in(kData + "th_" + f.name + ".dat", "th.dat");
    copy_in(kData + "th_" + f.name + ".idx", "th.idx");
    list_document doc;
    text_t encoding;
    ASSERT_EQ(load_thesaurus_pair(tpath("th.dat"), host_, doc, encoding).status, thesaurus_file_status::ok);
    const std::string lines = utf8_of(read_bytes("th.dat"), f.charset);
    const size_t first = lines.find('\n') + 1;
    EXPECT_EQ(to_utf8(thesaurus_header(doc.entries()[0])), lines.substr(first, lines.find('\n', first) - first));
    EXPECT_EQ(compare_thesaurus(path("th.dat"), path("th.idx"), path("copy.dat"), host_), 6);
  }
}

// Every installed Debian thesaurus that is not UTF-8.
TEST_F(CharsetReaders, InstalledEightBitThesauriReadBackThroughMythes) {
  int files = 0;
  std::set<std::string> seen;
  for (const std::string& dat : test_support::installed_files("/usr/share/mythes", ".dat")) {
    const std::string bytes = test_support::read_file(dat);
    if (bytes.size() < 1000) continue;
    const std::string first = bytes.substr(0, bytes.find_first_of("\r\n"));
    if (first == "UTF-8" || first == "utf-8" || first == kBom + "UTF-8" || !seen.insert(bytes).second) continue;
    SCOPED_TRACE(dat);
    const std::string idx = to_utf8(thesaurus_idx_path(from_utf8(dat)));
    const int compared = compare_thesaurus(dat, idx, path("copy.dat"), host_);
    if (compared < 0) continue;  // entries of more than 100 meanings: refused
    EXPECT_GT(compared, 0);
    ++files;
  }
  if (files == 0) GTEST_SKIP() << "no 8-bit mythes-* package installed (mythes-pl)";
}

}  // namespace
