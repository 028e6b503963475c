// The pattern engine against the standard hyphenation library (libhyphen)
// on Debian's American English patterns and dictionary words, and pattern
// files saved by the program read back by libhyphen.
#include "common/long_job.h"
#include "editors/hyphenation/hyphenation_engine.h"
#include "editors/hyphenation/hyphenation_file.h"
#include "dictionary/dic_file.h"

#include "tests/editors/libhyphen_breaks.h"

#include "tests/test_support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

// libhyphen itself leaks a few bytes while loading some pattern files
// (Debian's German one); the leak checker is told that leak is the library's.
extern "C" const char* __lsan_default_suppressions() { return "leak:libhyphen.so\n"; }

namespace {

const char kPatterns[] = "/usr/share/hyphen/hyph_en_US.dic";
const char kWords[] = "/usr/share/hunspell/en_US.dic";

class LibhyphenComparison : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ifstream words(kWords);
    dict_.reset(hnj_hyphen_load(kPatterns));
    if (!words || !dict_) GTEST_SKIP() << "hyphen-en-us, libhyphen-dev or hunspell-en-us is missing";
    headless_long_job_host host;
    const hyphenation_file_result file = load_hyphenation_file(from_utf8(kPatterns), host);
    ASSERT_EQ(file.status, hyphenation_file_status::ok);
    ASSERT_EQ(build_hyphenation_decode_cache(cache_, file.text, host), hyphenation_rules_status::ready);
    ASSERT_EQ(cache_.left_hyphen_min, dict_->lhmin);
    ASSERT_EQ(cache_.right_hyphen_min, dict_->rhmin);
    std::string line;
    std::getline(words, line);  // the count
    while (std::getline(words, line)) words_.push_back(line.substr(0, line.find('/')));
  }

  // libhyphen's breaks with the file's minima, as "-" in the word. It
  // matches the bytes it is given, so callers pass lower-case words.
  std::string libhyphen(const std::string& word) {
    std::string lower = word;
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    const std::vector<char> hyphens = libhyphen_values(dict_.get(), lower);
    std::string out;
    for (size_t i = 0; i < word.size(); ++i) {
      out.push_back(word[i]);
      if ((hyphens[i] & 1) && i + 1 < word.size()) out.push_back('-');
    }
    return out;
  }

  std::string ours(const std::string& word) { return to_utf8(hyphenate_word(cache_, from_utf8(word)).word); }

  struct dict_free {
    void operator()(HyphenDict* d) const { hnj_hyphen_free(d); }
  };
  std::unique_ptr<HyphenDict, dict_free> dict_;
  hyphenation_decode_cache cache_;
  std::vector<std::string> words_;
};

bool lower_alphabetic(const std::string& w) {
  if (w.empty()) return false;
  for (char c : w) {
    if (c < 'a' || c > 'z') return false;
  }
  return true;
}

TEST_F(LibhyphenComparison, LowerCaseWordsBreakAlike) {
  int compared = 0;
  for (size_t i = 0; i < words_.size(); ++i) {
    const std::string& w = words_[i];
    if (i % 13 != 0 || !lower_alphabetic(w)) continue;
    ASSERT_EQ(ours(w), libhyphen(w)) << "rule: " << to_utf8(hyphenate_word(cache_, from_utf8(w)).rule);
    ++compared;
  }
  EXPECT_GT(compared, 3000);
}

// Capitals, digits and other characters: the engine lower-cases for the
// match and keeps the word's characters. The only words that break
// differently hold an apostrophe: libhyphen takes it as the edge of a word
// part and applies the minima to each part ("act's": libhyphen "act's",
// the engine "ac-t's"); the engine reads it as a letter.
TEST_F(LibhyphenComparison, OtherWordsDifferOnlyAtApostrophes) {
  int compared = 0, apostrophes = 0;
  for (size_t i = 0; i < words_.size(); ++i) {
    const std::string& w = words_[i];
    if (i % 5 != 0 || w.empty() || lower_alphabetic(w)) continue;
    const bool ascii = std::all_of(w.begin(), w.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii) continue;
    ++compared;
    const std::string theirs = libhyphen(w);
    if (w.find('\'') != std::string::npos) {
      apostrophes += ours(w) != theirs;
      continue;
    }
    EXPECT_EQ(ours(w), theirs);
  }
  EXPECT_GT(compared, 2000);
  EXPECT_GT(apostrophes, 0) << "the apostrophe rule of libhyphen no longer shows";
}

std::string latin1_bytes(const text_t& word) {
  std::string out;
  for (char16_t u : word) out.push_back(static_cast<char>(u));
  return out;
}

text_t from_latin1(const std::string& bytes) {
  text_t out;
  for (char c : bytes) out.push_back(static_cast<unsigned char>(c));
  return out;
}

// Lower-cased words with a letter beyond ASCII (all of them within
// ISO8859-1) from Debian's word lists, each once; every step-th of them.
std::vector<text_t> accented_words(const std::vector<std::string>& dictionaries, size_t step) {
  std::vector<text_t> words;
  for (const std::string& path : dictionaries) {
    // Through the program's loader: any installed dictionary, in any charset.
    list_document doc;
    text_t aff;
    headless_long_job_host host;
    if (load_dictionary_pair(from_utf8(path), host, doc, aff).status != dic_file_status::ok) continue;
    for (const text_view entry : doc.entries()) {
      text_t w(entry.substr(0, entry.find_first_of(u"/\t\n ")));
      for (char16_t& u : w) u = unit_to_lower(u);
      const bool latin1 = std::all_of(w.begin(), w.end(), [](char16_t u) { return u < 0x100; });
      const bool accented = std::any_of(w.begin(), w.end(), [](char16_t u) { return u >= 0x80; });
      if (latin1 && accented) words.push_back(std::move(w));
    }
  }
  std::sort(words.begin(), words.end());
  words.erase(std::unique(words.begin(), words.end()), words.end());
  std::vector<text_t> spread;
  for (size_t i = 0; i < words.size(); i += step) spread.push_back(std::move(words[i]));
  words.swap(spread);
  for (const char16_t* w : {u"schl\u00FCssel", u"r\u00E9sum\u00E9s", u"fianc\u00E9e"}) words.emplace_back(w);
  return words;
}

class SavedPatternFiles : public ::testing::Test {
 protected:
  void TearDown() override { test_support::remove_folder(dir_); }
  std::string dir_ = test_support::make_temp_folder("vx_hyph_libhyphen");
};

// Debian's German (one byte per character, "ISO8859-1") and American English
// (UTF-8) pattern files, loaded and saved as the tab does: libhyphen breaks
// every accented word of the saved file where it breaks it with the
// original, and the engine hyphenates the loaded German text at once, as
// libhyphen does. A byte-order mark in front of the saved file would move
// breaks, which the last check shows the comparison would see.
TEST_F(SavedPatternFiles, BreakAccentedWordsAsTheOriginalsInLibhyphen) {
  const struct {
    const char* patterns;
    std::vector<std::string> words;
    size_t step;
    bool one_byte;
  } files[] = {
      {"/usr/share/hyphen/hyph_de_DE.dic", {"/usr/share/hunspell/de_DE.dic"}, 2, true},
      {"/usr/share/hyphen/hyph_en_US.dic", {"/usr/share/hunspell/de_DE.dic", "/usr/share/hunspell/fr.dic"}, 6, false},
  };
  for (const auto& f : files) {
    const std::vector<text_t> words = accented_words(f.words, f.step);
    hyphen_dict original(hnj_hyphen_load(f.patterns));
    if (!original || words.size() < 1000) GTEST_SKIP() << "Debian's hyphen and hunspell data for " << f.patterns;
    ASSERT_EQ(original->utf8 == 0, f.one_byte) << f.patterns;

    headless_long_job_host host;
    const hyphenation_file_result loaded = load_hyphenation_file(from_utf8(f.patterns), host);
    ASSERT_EQ(loaded.status, hyphenation_file_status::ok);
    EXPECT_EQ(loaded.encoding_line_changed, f.one_byte) << f.patterns;
    hyphenation_decode_cache cache;
    ASSERT_EQ(build_hyphenation_decode_cache(cache, loaded.text, host), hyphenation_rules_status::ready)
        << "hyphenated right after loading: " << f.patterns;

    const std::string saved_path = dir_ + "/saved.dic";
    const hyphenation_file_result saved = save_hyphenation_file(from_utf8(saved_path), loaded.text, host);
    ASSERT_EQ(saved.status, hyphenation_file_status::ok);
    EXPECT_FALSE(saved.encoding_line_changed) << "the loaded text already names UTF-8";
    const std::string bytes = test_support::read_file(saved_path);
    ASSERT_EQ(bytes.rfind("UTF-8\n", 0), 0u) << "no mark, and the encoding line first";
    hyphen_dict reread(hnj_hyphen_load(saved_path.c_str()));
    ASSERT_TRUE(reread);
    EXPECT_EQ(reread->utf8, 1);
    EXPECT_EQ(reread->lhmin, original->lhmin);
    EXPECT_EQ(reread->rhmin, original->rhmin);

    // libhyphen takes long to load the German file: the mark is tried once.
    hyphen_dict marked;
    if (!f.one_byte) {
      test_support::write_file(dir_ + "/marked.dic", "\xEF\xBB\xBF" + bytes);
      marked.reset(hnj_hyphen_load((dir_ + "/marked.dic").c_str()));
      ASSERT_TRUE(marked);
    }

    int compared = 0, broken = 0, mark_differs = 0;
    for (const text_t& w : words) {
      const std::string utf8 = to_utf8(w);
      const std::string theirs =
          f.one_byte ? to_utf8(from_latin1(libhyphen_breaks(original.get(), latin1_bytes(w))))
                     : libhyphen_breaks(original.get(), utf8);
      ASSERT_EQ(libhyphen_breaks(reread.get(), utf8), theirs) << f.patterns << ": " << utf8;
      ++compared;
      broken += theirs.find('-') != std::string::npos;
      if (marked) mark_differs += libhyphen_breaks(marked.get(), utf8) != theirs;
    }
    std::printf("%s: %d accented words break alike (%d with breaks)", f.patterns, compared, broken);
    if (marked) std::printf("; with a mark %d would differ", mark_differs);
    std::printf("\n");
    EXPECT_GT(broken, compared / 2) << f.patterns;
    if (marked) {
      EXPECT_GT(mark_differs, 0) << "a mark misplaces breaks in accented words";
    }
    if (f.one_byte) {
      EXPECT_EQ(to_utf8(hyphenate_word(cache, u"Schl\u00FCssel").word), "Schl\xC3\xBC" "s-sel");
    }
  }
}

}  // namespace
