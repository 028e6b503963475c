// The pattern engine against the standard hyphenation library (libhyphen)
// on Debian's American English patterns and dictionary words.
#include "common/long_job.h"
#include "editors/hyphenation/hyphenation_engine.h"
#include "editors/hyphenation/hyphenation_file.h"

#include <hyphen.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

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
    std::vector<char> hyphens(word.size() + 5);
    char** rep = nullptr;
    int* pos = nullptr;
    int* cut = nullptr;
    hnj_hyphen_hyphenate2(dict_.get(), lower.c_str(), static_cast<int>(lower.size()), hyphens.data(), nullptr,
                          &rep, &pos, &cut);
    if (rep) {
      for (size_t i = 0; i < word.size(); ++i) std::free(rep[i]);
      std::free(rep);
      std::free(pos);
      std::free(cut);
    }
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

}  // namespace
