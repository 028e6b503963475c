#include "affix/aff_cache.h"

#include "common/format.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <utility>

namespace {

int64_t milliseconds_now() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Fields of a line split on single spaces (empty fields kept), as views.
std::vector<text_view> split_fields(text_view line) {
  std::vector<text_view> fields;
  size_t begin = 0;
  for (;;) {
    size_t space = line.find(u' ', begin);
    fields.push_back(line.substr(begin, space == text_view::npos ? text_view::npos : space - begin));
    if (space == text_view::npos) break;
    begin = space + 1;
  }
  return fields;
}

text_view field_at(const std::vector<text_view>& fields, size_t n) {  // 1-based
  return n >= 1 && n <= fields.size() ? fields[n - 1] : text_view();
}

bool all_digits(text_view s) {
  if (s.empty()) return false;
  for (char16_t u : s)
    if (u < u'0' || u > u'9') return false;
  return true;
}

struct builder {
  aff_decode_cache& c;
  std::map<std::pair<int, text_t>, int32_t> condition_ids;
  // Continuation flags met in the rule being parsed: by flag index, the
  // number of the rule that met it last.
  std::vector<uint32_t> met_in_rule;
  uint32_t rule_count;

  int32_t flag_index(text_view flag) {
    int32_t found = c.find_flag(flag);
    if (found >= 0) return found;
    int32_t index = static_cast<int32_t>(c.flags.size());
    c.flags.push_back({});
    c.flags.back().flag = text_t(flag);
    c.flag_lookup.emplace(text_t(flag), index);
    if (flag.size() == 1) {
      if (c.unit_flag_lookup.size() <= flag[0]) c.unit_flag_lookup.resize(size_t(flag[0]) + 1, 0);
      c.unit_flag_lookup[flag[0]] = index + 1;
    } else if (flag.size() == 2 && flag[0] < 256 && flag[1] < 256) {
      int32_t& block = c.pair_flag_block[flag[0]];
      if (block == 0) {
        block = static_cast<int32_t>(c.pair_flag_lookup.size() / 256) + 1;
        c.pair_flag_lookup.resize(c.pair_flag_lookup.size() + 256, 0);
      }
      c.pair_flag_lookup[size_t(block - 1) * 256 + flag[1]] = index + 1;
    }
    return index;
  }

  int32_t condition_id(text_view condition, condition_anchor anchor) {
    // "." and the empty condition match every word without a test.
    if (condition.empty() || condition == u".") return -1;
    auto key = std::make_pair(static_cast<int>(anchor), text_t(condition));
    auto it = condition_ids.find(key);
    if (it != condition_ids.end()) return it->second;
    int32_t id = static_cast<int32_t>(c.conditions.size());
    c.conditions.emplace_back(condition, anchor);
    condition_ids.emplace(std::move(key), id);
    return id;
  }

  aff_rule_record parse_rule(text_view line, bool is_prefix) {
    aff_rule_record r;
    auto fields = split_fields(line);
    r.kind = field_at(fields, 1);
    r.flag = field_at(fields, 2);
    r.strip = field_at(fields, 3);
    text_t affix(field_at(fields, 4));
    r.condition = field_at(fields, 5);
    if (affix == u"0") affix.clear();
    else if (affix.size() >= 2 && affix[0] == u'0' && affix[1] == u'/') affix.erase(0, 1);
    r.affix_text = affix;
    r.strip_units = r.strip == u"0" ? text_t() : r.strip;
    size_t slash = affix.find(u'/');
    r.has_continuation = slash != text_t::npos;
    r.affix = affix.substr(0, slash);
    if (r.has_continuation) {
      r.continuation = affix.substr(slash + 1);
      // With AF aliases a rule names its continuation flags by alias number.
      if (c.aff_alias_count > 0 && all_digits(r.continuation) && r.continuation.size() < 10) {
        int64_t n = string_to_int(r.continuation);
        if (n >= 1 && n <= c.aff_alias_count) r.continuation = c.aff_alias_flags[n];
      }
      ++rule_count;
      for_each_affix_flag(r.continuation, c.aff_flag_mode, [&](text_view f) {
        if (f.empty()) return;
        const size_t index = static_cast<size_t>(flag_index(f));
        if (met_in_rule.size() <= index) met_in_rule.resize(index + 1, 0);
        if (met_in_rule[index] == rule_count) return;
        met_in_rule[index] = rule_count;
        r.continuation_flags.push_back(static_cast<int32_t>(index));
      });
    }
    r.condition_id = condition_id(r.condition, is_prefix ? condition_anchor::prefix : condition_anchor::suffix);
    if (!r.strip_units.empty()) r.anchor_unit = is_prefix ? r.strip_units.front() : r.strip_units.back();
    else if (r.condition_id >= 0) r.anchor_unit = c.conditions[r.condition_id].anchored_literal();
    // A surrogate never decides alone (the condition counts code points).
    if (r.anchor_unit >= 0xD800 && r.anchor_unit <= 0xDFFF && r.strip_units.empty()) r.anchor_unit = 0;
    return r;
  }
};

void index_rules(aff_rule_set_record& set) {
  const size_t n = set.rules.size();
  std::vector<std::pair<char16_t, uint32_t>> anchored;
  set.circumfix_before.assign(n + 1, 0);
  set.needaffix_before.assign(n + 1, 0);
  for (size_t k = 0; k < n; ++k) {
    const aff_rule_record& r = set.rules[k];
    if (r.anchor_unit != 0) anchored.emplace_back(r.anchor_unit, static_cast<uint32_t>(k));
    else set.unanchored_rules.push_back(static_cast<uint32_t>(k));
    set.circumfix_before[k + 1] = set.circumfix_before[k] + r.continuation_circumfix;
    set.needaffix_before[k + 1] = set.needaffix_before[k] + r.continuation_needaffix;
  }
  std::sort(anchored.begin(), anchored.end());
  for (size_t i = 0; i < anchored.size(); ++i) {
    if (i == 0 || anchored[i].first != anchored[i - 1].first) {
      set.anchor_units.push_back(anchored[i].first);
      set.anchor_group_start.push_back(static_cast<uint32_t>(i));
    }
    set.anchored_rules.push_back(anchored[i].second);
  }
  set.anchor_group_start.push_back(static_cast<uint32_t>(anchored.size()));
  if (set.anchor_units.size() < 255) {
    set.low_unit_group.assign(256, 0);
    for (size_t g = 0; g < set.anchor_units.size(); ++g)
      if (set.anchor_units[g] < 256) set.low_unit_group[set.anchor_units[g]] = static_cast<uint8_t>(g + 1);
  }
}

}  // namespace

std::pair<const uint32_t*, const uint32_t*> aff_rule_set_record::rules_anchored_at_searched(char16_t u) const {
  auto it = std::lower_bound(anchor_units.begin(), anchor_units.end(), u);
  if (it == anchor_units.end() || *it != u) return {nullptr, nullptr};
  const size_t g = static_cast<size_t>(it - anchor_units.begin());
  return {anchored_rules.data() + anchor_group_start[g], anchored_rules.data() + anchor_group_start[g + 1]};
}

int32_t aff_decode_cache::find_flag(text_view flag) const {
  if (flag.size() == 1) return flag[0] < unit_flag_lookup.size() ? unit_flag_lookup[flag[0]] - 1 : -1;
  if (flag.size() == 2 && flag[0] < 256 && flag[1] < 256) {
    if (pair_flag_block.empty()) return -1;
    const int32_t block = pair_flag_block[flag[0]];
    return block == 0 ? -1 : pair_flag_lookup[size_t(block - 1) * 256 + flag[1]] - 1;
  }
  auto it = flag_lookup.find(text_t(flag));
  return it == flag_lookup.end() ? -1 : it->second;
}

text_t aff_cache_status_text(int phase, int64_t elapsed_ms) {
  return (phase == 0 ? text_t(u"Optimising .AFF decode cache...") : text_t(u"OK.")) +
         format_elapsed_time(u" \u231A", elapsed_ms);
}

void invalidate_aff_decode_cache(aff_decode_cache& cache) {
  cache.aff_cache_source.clear();
  cache.stale = true;
}

bool rebuild_aff_decode_cache(aff_decode_cache& cache, text_view aff_text, const aff_cache_status_hook& status_hook) {
  if (!cache.stale && aff_text == cache.aff_cache_source) return false;

  aff_decode_cache c;
  c.aff_flag_mode = FLAG_MODE_CHAR;

  int64_t start = milliseconds_now();
  if (status_hook) status_hook(0, 0);

  c.aff_cache_source = text_t(aff_text);
  // The text read: TABs as spaces, runs of spaces as one, no space at the
  // very end, a line end added, CR LF and lone CRs as LF. One pass and one
  // compaction in place instead of a copy per step.
  text_t& cache_text = c.aff_cache_text;
  cache_text.reserve(aff_text.size() + 2);
  for (char16_t u : aff_text) {
    if (u == u'\t') u = u' ';
    if (u == u' ' && (cache_text.empty() || cache_text.back() == u' ')) continue;
    cache_text.push_back(u);
  }
  if (!cache_text.empty() && cache_text.back() == u' ') cache_text.pop_back();
  cache_text.append(u"\r\n");
  size_t kept = 0;
  for (size_t i = 0; i < cache_text.size(); ++i) {
    char16_t u = cache_text[i];
    if (u == u'\r') {
      if (i + 1 < cache_text.size() && cache_text[i + 1] == u'\n') ++i;
      u = u'\n';
    }
    cache_text[kept++] = u;
  }
  cache_text.resize(kept);
  const text_view text = c.aff_cache_text;

  int64_t total = string_count_occurrences(text, u"PFX") + string_count_occurrences(text, u"SFX");
  // Line starts (0-based); the text ends with LF, so there are as many lines as LFs.
  std::vector<size_t> line_start{0};
  for (size_t i = 0; i < text.size(); ++i)
    if (text[i] == u'\n') line_start.push_back(i + 1);
  const int64_t lines = static_cast<int64_t>(line_start.size()) - 1;
  // Counts read from the file are clamped to the lines the text holds; the
  // empty line after a final line end is not one of them.
  const int64_t text_lines = lines > 0 && line_start[lines] - line_start[lines - 1] == 1 ? lines - 1 : lines;
  auto line = [&](int64_t l) -> text_view {  // 1-based
    if (l < 1 || l > lines) return {};
    size_t b = line_start[l - 1];
    return text.substr(b, line_start[l] - 1 - b);
  };

  c.aff_alias_flags.assign(1, text_t());
  c.aff_rule_set_offsets.assign(1, 0);
  c.aff_rule_set_declared_counts.assign(1, 0);
  c.aff_rule_lines.assign(1, std::vector<text_t>(1));
  c.aff_rule_set_at_position.assign(1, 0);
  c.sets.resize(1);
  c.pair_flag_block.assign(256, 0);
  builder b{c, {}, {}, 0};

  // Keywords count only on their own lines (first field), as Hunspell reads
  // them: a comment or a longer word never sets a flag or a mode. The first
  // line of a keyword gives its flag; "FLAG num" wins over "FLAG long".
  struct special {
    text_view keyword;
    text_t* flag;
    int64_t* mark;
    bool found;
  } specials[] = {
      {u"KEEPCASE", &c.aff_keepcase_flag, &c.aff_has_keepcase, false},
      {u"NOSUGGEST", &c.aff_nosuggest_flag, nullptr, false},
      {u"NEEDAFFIX", &c.aff_needaffix_flag, &c.aff_has_needaffix, false},
      {u"FORBIDDENWORD", &c.aff_forbiddenword_flag, nullptr, false},
      {u"COMPLEXPREFIXES", nullptr, &c.aff_complex_prefixes, false},
      {u"CIRCUMFIX", &c.aff_circumfix_flag, &c.aff_has_circumfix, false},
  };
  for (int64_t l = 1; l <= lines; ++l) {
    text_view row = line(l);
    size_t space = row.find(u' ');
    text_view keyword = row.substr(0, space);
    if (keyword.empty() || keyword[0] < u'C' || keyword[0] > u'N') continue;
    text_view value;
    if (space != text_view::npos) {
      value = row.substr(space + 1);
      value = value.substr(0, value.find(u' '));
    }
    if (keyword == u"FLAG") {
      if (value == u"num") c.aff_flag_mode = FLAG_MODE_NUM;
      else if (value == u"long" && c.aff_flag_mode != FLAG_MODE_NUM) c.aff_flag_mode = FLAG_MODE_LONG;
      continue;
    }
    for (auto& s : specials) {
      if (s.found || keyword != s.keyword) continue;
      s.found = true;
      if (s.flag) *s.flag = text_t(value);
      if (s.mark) *s.mark = 1;
    }
  }

  if (total != 0 && lines > 0) {
    int64_t met = 0;
    for (int64_t l = 1; l <= lines; ++l) {
      auto fields = split_fields(line(l));
      text_view keyword = field_at(fields, 1);
      if (keyword == u"AF") {
        // A count beyond the remaining lines is clamped to them.
        int64_t n = std::min<int64_t>(string_to_int(field_at(fields, 2)), text_lines - l);
        if (n < 0) n = 0;
        c.aff_alias_count = n;
        c.aff_alias_flags.assign(n + 1, text_t());
        for (int64_t k = 1; k <= n; ++k) c.aff_alias_flags[k] = field_at(split_fields(line(l + k)), 2);
        l += n;
      } else if (keyword == u"PFX" || keyword == u"SFX") {
        ++met;
        text_view cross = field_at(fields, 3);
        if (cross == u"Y" || cross == u"N") {
          int64_t j = static_cast<int64_t>(c.sets.size());
          int64_t p = static_cast<int64_t>(c.aff_rule_set_index.size()) + 1;
          c.aff_rule_set_at_position.resize(p + 1, 0);
          c.aff_rule_set_at_position[p] = j;
          text_view flag = field_at(fields, 2), count_field = field_at(fields, 4);
          c.aff_rule_set_index.append(keyword).append(u" ").append(flag).append(u" ").append(cross).push_back(u'\x01');
          c.aff_rule_set_summary.append(keyword).append(u" ").append(cross).append(u" ").append(flag)
              .append(u" ").append(string_from_int(l)).append(u" ").append(count_field).push_back(u'\x01');
          bool is_prefix = keyword == u"PFX";
          (is_prefix ? c.aff_prefix_set_count : c.aff_suffix_set_count) += 1;
          c.aff_rule_set_flags.emplace_back(flag);
          c.aff_rule_set_offsets.push_back(static_cast<int64_t>(line_start[l - 1]) + 1);
          int64_t declared = string_to_int(count_field);
          c.aff_rule_set_declared_counts.push_back(declared);
          int64_t stored = std::max<int64_t>(0, std::min<int64_t>(declared, text_lines - l));
          std::vector<text_t> rule_lines(stored + 1);
          for (int64_t k = 1; k <= stored; ++k) rule_lines[k] = line(l + k);
          c.aff_max_rules_per_set = std::max(c.aff_max_rules_per_set, declared);
          aff_rule_set_record set;
          set.is_prefix = is_prefix;
          set.cross_product = cross == u"Y";
          set.flag = flag;
          set.offset = c.aff_rule_set_offsets.back();
          set.declared_count = declared;
          set.line_number = l;
          c.sets.push_back(std::move(set));
          c.aff_rule_lines.push_back(std::move(rule_lines));
          l += stored;
        }
      }
      if (met == total) break;
    }
  }

  // Flags of the sets: the first set declared Y of each kind, else the first N.
  for (size_t j = 1; j < c.sets.size(); ++j) {
    const auto& set = c.sets[j];
    if (set.flag.empty()) continue;
    auto& f = c.flags[b.flag_index(set.flag)];
    int32_t& slot = set.is_prefix ? f.prefix_set : f.suffix_set;
    bool& cross = set.is_prefix ? f.prefix_cross : f.suffix_cross;
    if (slot == 0 || (!cross && set.cross_product)) {
      slot = static_cast<int32_t>(j);
      cross = set.cross_product;
    }
  }
  auto mark_special = [&](const text_t& flag, bool aff_flag_record::*member) {
    if (!flag.empty()) c.flags[b.flag_index(flag)].*member = true;
  };
  mark_special(c.aff_keepcase_flag, &aff_flag_record::is_keepcase);
  mark_special(c.aff_nosuggest_flag, &aff_flag_record::is_nosuggest);
  mark_special(c.aff_needaffix_flag, &aff_flag_record::is_needaffix);
  mark_special(c.aff_forbiddenword_flag, &aff_flag_record::is_forbiddenword);
  mark_special(c.aff_circumfix_flag, &aff_flag_record::is_circumfix);

  for (size_t j = 1; j < c.sets.size(); ++j) {
    auto& set = c.sets[j];
    const auto& lines_of_set = c.aff_rule_lines[j];
    set.rules.reserve(lines_of_set.size() - 1);
    for (size_t k = 1; k < lines_of_set.size(); ++k) set.rules.push_back(b.parse_rule(lines_of_set[k], set.is_prefix));
  }
  // The NEEDAFFIX and CIRCUMFIX marks of the rules, now that every flag is known.
  for (auto& set : c.sets)
    for (auto& r : set.rules)
      for (int32_t f : r.continuation_flags) {
        if (c.flags[f].is_needaffix) r.continuation_needaffix = true;
        if (c.flags[f].is_circumfix) r.continuation_circumfix = true;
      }
  for (auto& set : c.sets) index_rules(set);

  c.generation = cache.generation + 1;
  cache = std::move(c);
  if (status_hook) status_hook(1, milliseconds_now() - start);
  return true;
}

int64_t count_affix_flags_in_mode(text_view flags, int64_t mode) {
  int64_t n = static_cast<int64_t>(flags.size());
  if (mode == FLAG_MODE_LONG) return (n + 1) / 2;
  if (mode == FLAG_MODE_NUM) return static_cast<int64_t>(std::count(flags.begin(), flags.end(), u',')) + 1;
  return n;
}

text_view affix_flag_view(text_view flags, int64_t n, int64_t mode) {
  if (n < 1) return {};
  if (mode == FLAG_MODE_CHAR) return static_cast<size_t>(n) <= flags.size() ? flags.substr(n - 1, 1) : text_view();
  if (mode == FLAG_MODE_LONG) {
    size_t at = static_cast<size_t>(2 * n - 2);
    return at < flags.size() ? flags.substr(at, 2) : text_view();
  }
  if (mode == FLAG_MODE_NUM) {
    size_t begin = 0;
    for (int64_t field = 1; field < n; ++field) {
      size_t comma = flags.find(u',', begin);
      if (comma == text_view::npos) return {};
      begin = comma + 1;
    }
    size_t end = flags.find(u',', begin);
    return flags.substr(begin, end == text_view::npos ? text_view::npos : end - begin);
  }
  return {};
}
