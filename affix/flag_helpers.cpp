#include "affix/flag_helpers.h"

#include "affix/aff_cache.h"
#include "affix/expansion_output.h"
#include "common/dic_entry.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

namespace {

std::vector<text_view> split_flags(int64_t mode, text_view flags) {
  std::vector<text_view> out;
  for_each_affix_flag(flags, mode, [&](text_view f) {
    if (!f.empty()) out.push_back(f);
  });
  return out;
}

text_t join_flags(int64_t mode, const std::vector<text_view>& flags) {
  bool num = mode == FLAG_MODE_NUM;
  text_t out;
  for (text_view f : flags) {
    if (num && !out.empty()) out.push_back(u',');
    out.append(f);
  }
  return out;
}

}  // namespace

int64_t has_duplicate_flags(const aff_decode_cache& cache, text_view flags) {
  auto list = split_flags(cache.aff_flag_mode, flags);
  std::sort(list.begin(), list.end());
  return std::adjacent_find(list.begin(), list.end()) != list.end() ? 1 : 0;
}

text_t remove_duplicate_flags(const aff_decode_cache& cache, text_view flags) {
  std::unordered_set<text_view> seen;
  std::vector<text_view> kept;
  for (text_view f : split_flags(cache.aff_flag_mode, flags))
    if (seen.insert(f).second) kept.push_back(f);
  return join_flags(cache.aff_flag_mode, kept);
}

text_t merge_flag_strings(const aff_decode_cache& cache, text_view a, text_view b) {
  auto from_b = split_flags(cache.aff_flag_mode, b);
  std::unordered_set<text_view> in_b(from_b.begin(), from_b.end());
  // The flags of a that b lacks go in front in reverse order (a = AB gives BA).
  std::vector<text_view> added;
  for (text_view f : split_flags(cache.aff_flag_mode, a))
    if (in_b.count(f) == 0) added.push_back(f);
  std::reverse(added.begin(), added.end());
  added.insert(added.end(), from_b.begin(), from_b.end());
  return join_flags(cache.aff_flag_mode, added);
}

text_t classify_word_affixes(const aff_decode_cache& cache, text_view flags) {
  auto list = split_flags(cache.aff_flag_mode, flags);
  if (list.empty()) return u"0";
  if (cache.aff_alias_count > 0) return u"6";
  bool keepcase = false, prefix = false, suffix = false;
  for (text_view f : list) {
    if (f == cache.aff_keepcase_flag) {
      keepcase = true;
      continue;
    }
    int32_t index = cache.find_flag(f);
    if (index < 0) continue;
    const aff_flag_record& r = cache.flags[index];
    if (r.prefix_set != 0) prefix = true;
    if (r.suffix_set != 0) {
      if (!r.suffix_cross) return u"5";
      suffix = true;
    }
  }
  if (suffix) return prefix ? u"3" : u"1";
  if (prefix) return u"2";
  return keepcase ? u"7" : u"";
}

text_t affix_class_name(text_view code) {
  if (code == u"0") return u"Primary";
  if (code == u"1") return u"All suffixes";
  if (code == u"2") return u"All prefixes";
  if (code == u"3") return u"All suffixes + prefixes";
  if (code == u"4") return u"CIRCUMFIX/FORBIDDENWORD/NEEDAFFIX";
  if (code == u"5") return u"SFX N (only suffixes can be added)";
  if (code == u"6") return u"AF Compressed";
  if (code == u"7") return u"Keep Case";
  return u"Unknown";
}

int32_t affix_class_colour(text_view code, const row_type_colours& colours) {
  if (code == u"0") return colour_of(colours, derived_row_type::primary);
  if (code == u"1") return colour_of(colours, derived_row_type::suffix);
  if (code == u"2") return colour_of(colours, derived_row_type::prefix);
  if (affix_class_name(code) == u"Unknown") return 0xFF;
  return -1;
}

text_t get_dic_word_part(text_view entry) {
  const text_view head = dic_entry_word_and_flags(entry);
  if ((!head.empty() && head[0] == u'/') || head.find(u" /") != text_view::npos) return {};
  return text_t(split_dic_entry(head).word);
}

text_t compose_dic_entry(text_view word, text_view flags, text_view tags) {
  return make_dic_entry(word, flags, tags);
}
