// Helpers of the affix engine tests: build the cache from a text, expand an
// entry and read back what the output step produced.
#pragma once

#include "affix/aff_cache.h"
#include "tests/affix/test_cache.h"
#include "affix/affix_expansion.h"
#include "affix/expansion_output.h"
#include "dictionary/derived_rows.h"

#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

inline void use_aff(const std::string& aff_utf8) {
  invalidate_aff_decode_cache(test_cache);
  rebuild_aff_decode_cache(test_cache, from_utf8(aff_utf8));
}

// Two sets of 400 suffix rules, each of A continuing into B: the entry w/A
// stands for 1 + 400 + 400 * 400 = 160,401 words.
inline std::string aff_of_many_words() {
  std::string a = "SFX A Y 400\n", b = "SFX B Y 400\n";
  for (int i = 0; i < 400; ++i) {
    a += "SFX A 0 a" + std::to_string(i) + "/B .\n";
    b += "SFX B 0 b" + std::to_string(i) + " .\n";
  }
  return a + b;
}

// The derived words of an entry (every row, into a word array), in emission order.
inline std::vector<std::string> derived_of(const std::string& entry) {
  std::vector<text_t> words;
  word_array_sink sink(words, 0, u"", u"");
  expand_entry(test_cache, from_utf8(entry), sink);
  std::vector<std::string> out;
  for (int64_t i = 0; i < sink.stored; ++i) out.push_back(to_utf8(words[static_cast<size_t>(i)]));
  return out;
}

// "Type word" per row of the word editor's list.
inline std::vector<std::string> typed_rows_of(const std::string& entry, derived_rows_sink& rows) {
  rows.clear();
  expand_entry(test_cache, from_utf8(entry), rows);
  std::vector<std::string> out;
  for (const auto& r : rows.rows) out.push_back(to_utf8(r.type) + " " + to_utf8(r.word));
  return out;
}
inline std::vector<std::string> typed_rows_of(const std::string& entry) {
  derived_rows_sink rows;
  return typed_rows_of(entry, rows);
}

// What the expansion of an entry reports (the rows only counted).
inline expansion_report report_of(const std::string& entry) {
  row_count_sink rows;
  return expand_entry(test_cache, from_utf8(entry), rows);
}

// Runs a program (args[0] a full path) with its standard input from in_path
// ("" for none) and its standard output into out_path; true when it exited 0.
inline bool run_to_file(const std::vector<std::string>& args, const std::string& out_path,
                        const std::string& in_path = "") {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!in_path.empty()) posix_spawn_file_actions_addopen(&actions, 0, in_path.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return false;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
