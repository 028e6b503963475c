// Sorts the main window's lists the way the Sort Alphabetically button
// does: loads one or more dictionaries, repeats their entries until the
// list holds the requested count (each copy with its own prefix letter, so
// the keys stay distinct and realistic), sorts and prints the times.
//
//   list_sort_bench <count> <file.dic>...
#include "bench/bench_support.h"
#include "common/list_document.h"
#include "common/long_job.h"
#include "dictionary/dic_file.h"
#include "kit/list_commands.h"

#include <cstdio>
#include <cstdlib>

using bench::now_ms;

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <count> <file.dic>...\n", argv[0]);
    return 2;
  }
  const int64_t wanted = std::atoll(argv[1]);
  std::vector<text_t> words;
  for (int i = 2; i < argc; ++i) {
    list_document doc;
    text_t aff_text;
    if (!bench::load_pair(argv[i], doc, aff_text)) return 1;
    words.insert(words.end(), doc.entries().begin(), doc.entries().end());
  }
  if (words.empty()) return 1;
  std::vector<text_t> entries;
  entries.reserve(static_cast<size_t>(wanted));
  for (int64_t i = 0; static_cast<int64_t>(entries.size()) < wanted; ++i) {
    const text_t& w = words[static_cast<size_t>(i) % words.size()];
    const int64_t copy = i / static_cast<int64_t>(words.size());
    entries.push_back(copy == 0 ? w : text_t(1, static_cast<char16_t>(u'a' + copy % 26)) + w);
  }
  list_document doc;
  doc.replace_all(std::move(entries), u"bench.dic");

  headless_long_job_host host;
  const int64_t t0 = now_ms();
  const list_command_result result = sort_list_document(doc, dictionary_member_texts(), host, u",");
  const int64_t t1 = now_ms();
  std::printf("entries %lld, sorted %s, polls %lld, %lld ms (undo snapshot, keys, sort, rewrite)\n",
              static_cast<long long>(doc.count()), result == list_command_result::done ? "yes" : "no",
              static_cast<long long>(host.polls), static_cast<long long>(t1 - t0));
  return result == list_command_result::done ? 0 : 1;
}
