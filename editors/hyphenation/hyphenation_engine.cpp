#include "editors/hyphenation/hyphenation_engine.h"

#include "common/format.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <utility>

namespace {

using cache_t = hyphenation_decode_cache;

constexpr uint64_t kNoEdge = std::numeric_limits<uint64_t>::max();

bool is_value_char(char16_t c) { return (c >= u'1' && c <= u'9') || c == u'-'; }

uint8_t value_of(char16_t c) { return c == u'-' ? hyphenation_forced_break : static_cast<uint8_t>(c - u'0'); }

bool starts_with(text_view s, text_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// The trie while it is built: edges in a hash keyed by node and unit.
struct trie_builder {
  std::vector<uint64_t> keys;
  std::vector<uint32_t> targets;
  uint64_t mask = 0;
  uint32_t node_count = 1;

  explicit trie_builder(size_t units) {
    const size_t table = std::bit_ceil(units * 2 + 2);
    keys.assign(table, kNoEdge);
    targets.assign(table, 0);
    mask = table - 1;
  }
  static uint64_t key(uint32_t node, char16_t unit) { return (static_cast<uint64_t>(node) << 16) | unit; }
  uint32_t child(uint32_t node, char16_t unit) {
    const uint64_t k = key(node, unit);
    size_t s = static_cast<size_t>((k * 0x9E3779B97F4A7C15ull) >> 20) & mask;
    while (keys[s] != kNoEdge && keys[s] != k) s = (s + 1) & mask;
    if (keys[s] == kNoEdge) {
      keys[s] = k;
      targets[s] = node_count++;
    }
    return targets[s];
  }
};

// Lays the built trie out breadth first, each node's edges side by side.
void lay_out_trie(cache_t& c, const trie_builder& b, const std::vector<int32_t>& terminal_of) {
  struct triple {
    uint32_t parent;
    char16_t unit;
    uint32_t child;
  };
  std::vector<triple> all;
  all.reserve(b.node_count);
  for (size_t s = 0; s < b.keys.size(); ++s) {
    if (b.keys[s] == kNoEdge) continue;
    all.push_back({static_cast<uint32_t>(b.keys[s] >> 16), static_cast<char16_t>(b.keys[s] & 0xFFFF), b.targets[s]});
  }
  std::sort(all.begin(), all.end(),
            [](const triple& x, const triple& y) { return x.parent != y.parent ? x.parent < y.parent : x.unit < y.unit; });
  std::vector<uint32_t> first(b.node_count + 1, 0);
  for (const triple& t : all) ++first[t.parent + 1];
  for (size_t i = 1; i < first.size(); ++i) first[i] += first[i - 1];

  c.nodes.assign(b.node_count, {});
  c.edges.clear();
  c.edges.reserve(all.size());
  std::vector<uint32_t> order{0};  // old ids in breadth-first order
  order.reserve(b.node_count);
  std::vector<uint32_t> new_id(b.node_count, 0);
  for (size_t i = 0; i < order.size(); ++i) {
    const uint32_t old = order[i];
    cache_t::trie_node& n = c.nodes[i];
    n.terminal = terminal_of[old];
    n.first_edge = static_cast<uint32_t>(c.edges.size());
    n.edge_count = first[old + 1] - first[old];
    for (uint32_t e = first[old]; e < first[old + 1]; ++e) {
      new_id[all[e].child] = static_cast<uint32_t>(order.size());
      order.push_back(all[e].child);
      c.edges.push_back({all[e].unit, new_id[all[e].child]});
    }
  }
  c.root_ascii.assign(128, 0);
  for (uint32_t e = 0; e < c.nodes[0].edge_count; ++e) {
    if (c.edges[e].unit < 128) c.root_ascii[c.edges[e].unit] = c.edges[e].target;
  }
}

// 0 when the node has no edge for the unit (no edge leads back to the root).
inline uint32_t find_edge(const cache_t& c, uint32_t node, char16_t unit) {
  if (node == 0 && unit < 128) return c.root_ascii[unit];
  const cache_t::trie_node& n = c.nodes[node];
  const cache_t::trie_edge* e = c.edges.data() + n.first_edge;
  const cache_t::trie_edge* end = e + n.edge_count;
  if (n.edge_count > 8) {
    e = std::lower_bound(e, end, unit, [](const cache_t::trie_edge& x, char16_t u) { return x.unit < u; });
    return e != end && e->unit == unit ? e->target : 0;
  }
  for (; e != end; ++e) {
    if (e->unit == unit) return e->target;
  }
  return 0;
}

using value_list = std::vector<std::pair<uint32_t, uint8_t>>;

// In a gap a forced break wins, otherwise the highest digit, whatever the order.
uint8_t stronger(uint8_t a, uint8_t b) {
  if (a == hyphenation_forced_break || b == hyphenation_forced_break) return hyphenation_forced_break;
  return std::max(a, b);
}

// Merges a pattern's values into those of the same letters. Both lists are
// ordered by offset, so one pass does it: a line of a million values costs
// a million steps, not a million searches.
void merge_values(value_list& into, const text_t& digits, value_list& scratch) {
  scratch.clear();
  size_t i = 0;
  for (size_t m = 0; m < digits.size(); ++m) {
    if (!is_value_char(digits[m])) continue;
    const uint32_t offset = static_cast<uint32_t>(m);
    uint8_t v = value_of(digits[m]);
    for (; i < into.size() && into[i].first < offset; ++i) scratch.push_back(into[i]);
    if (i < into.size() && into[i].first == offset) v = stronger(v, into[i++].second);
    scratch.emplace_back(offset, v);
  }
  scratch.insert(scratch.end(), into.begin() + static_cast<std::ptrdiff_t>(i), into.end());
  into.swap(scratch);
}

void store_group(cache_t& c, cache_t::value_group& g, const value_list& list) {
  g.first = static_cast<uint32_t>(c.values.size());
  g.count = static_cast<uint32_t>(list.size());
  for (const auto& [offset, value] : list) c.values.push_back({offset, value});
}

// Letters a pattern may have and still go into the trie. Longer ones (no
// real pattern comes near) are matched one by one: a single line of
// millions of letters must not become millions of trie nodes.
constexpr size_t kTrieLetters = 128;

// Builds the trie of the patterns' lower-cased letters; false when the user
// stopped the job.
bool build_trie(cache_t& c, long_job& job, int64_t progress) {
  size_t units = 1;
  for (const text_t& l : c.hyphenation_pattern_letters) {
    if (l.size() <= 2 * kTrieLetters) units += l.size() / 2 + 1;
  }
  trie_builder b(units);
  std::vector<int32_t> terminal_of(units + 1, -1);
  c.terminals.clear();
  c.values.clear();
  c.searched_patterns.clear();

  std::vector<std::pair<value_list, value_list>> merged;  // plain, lead
  value_list scratch;
  for (int64_t k = 1; k <= c.pattern_count(); ++k) {
    if (k % 1024 == 0 && !job.step(progress)) return false;
    const text_t& letters = c.hyphenation_pattern_letters[static_cast<size_t>(k)];
    if (letters.empty()) continue;  // no hits
    if (letters.size() > 2 * kTrieLetters) {
      c.searched_patterns.push_back(static_cast<uint32_t>(k));
      continue;
    }
    const bool lead = letters.front() == u' ' && letters.size() % 2 == 0;
    bool all_spaces = true;
    for (size_t i = lead ? 1 : 0; i < letters.size(); i += 2) all_spaces = all_spaces && letters[i] == u' ';
    if (all_spaces) {
      c.searched_patterns.push_back(static_cast<uint32_t>(k));
      continue;
    }
    uint32_t node = 0;
    for (size_t i = lead ? 1 : 0; i < letters.size(); i += 2) node = b.child(node, unit_to_lower(letters[i]));
    int32_t& terminal = terminal_of[node];
    if (terminal < 0) {
      terminal = static_cast<int32_t>(c.terminals.size());
      c.terminals.emplace_back();
      merged.emplace_back();
    }
    cache_t::value_group& g = lead ? c.terminals[static_cast<size_t>(terminal)].lead
                                   : c.terminals[static_cast<size_t>(terminal)].plain;
    g.any = true;
    g.starts_with_dot = letters.front() == u'.';
    g.ends_with_dot = letters.back() == u'.';
    auto& lists = merged[static_cast<size_t>(terminal)];
    merge_values(lead ? lists.second : lists.first, c.hyphenation_pattern_digits[static_cast<size_t>(k)], scratch);
  }
  for (size_t t = 0; t < merged.size(); ++t) {
    store_group(c, c.terminals[t].plain, merged[t].first);
    store_group(c, c.terminals[t].lead, merged[t].second);
  }
  terminal_of.resize(b.node_count);
  lay_out_trie(c, b, terminal_of);
  // Shortest first: a word skips every pattern longer than itself at once.
  std::stable_sort(c.searched_patterns.begin(), c.searched_patterns.end(), [&](uint32_t x, uint32_t y) {
    return c.hyphenation_pattern_letters[x].size() < c.hyphenation_pattern_letters[y].size();
  });
  return true;
}

// The values of a word's gaps (index 2k + 1 of the spaced form holds the gap
// after character k of ".word.") and the edge flags.
struct gap_values {
  std::vector<uint8_t> gaps;
  bool start_matched = false;
  bool end_matched = false;

  // A hit whose digits string starts at spaced index base.
  void apply(const cache_t& c, const cache_t::value_group& g, int64_t base) {
    start_matched |= g.starts_with_dot;
    end_matched |= g.ends_with_dot;
    for (uint32_t i = g.first; i < g.first + g.count; ++i) {
      put(static_cast<size_t>(base) + c.values[i].offset, c.values[i].value);
    }
  }

  void put(size_t at, uint8_t v) {
    // Only gaps take values: the word's own characters stay.
    if (at >= gaps.size() || at % 2 == 0) return;
    uint8_t& old = gaps[at];
    if (v == hyphenation_forced_break || (old != hyphenation_forced_break && v > old)) old = v;
  }
};

// letters: "." + the lower-cased word + ".".
void find_hits(const cache_t& c, const text_t& letters, gap_values& out) {
  const size_t n = letters.size();
  out.gaps.assign(2 * n, 0);
  if (!c.terminals.empty()) {
    for (size_t i = 0; i < n; ++i) {
      uint32_t node = 0;
      for (size_t j = i; j < n; ++j) {
        node = find_edge(c, node, letters[j]);
        if (node == 0) break;
        const int32_t t = c.nodes[node].terminal;
        if (t < 0) continue;
        const cache_t::trie_values& hit = c.terminals[static_cast<size_t>(t)];
        if (hit.plain.any) out.apply(c, hit.plain, static_cast<int64_t>(2 * i));
        // A leading gap needs a character before the first letter.
        if (hit.lead.any && i > 0) out.apply(c, hit.lead, static_cast<int64_t>(2 * i) - 1);
      }
    }
  }
  if (c.searched_patterns.empty()) return;
  text_t spaced;
  for (char16_t u : letters) {
    spaced.push_back(u);
    spaced.push_back(u' ');
  }
  for (uint32_t k : c.searched_patterns) {
    const text_t& l = c.hyphenation_pattern_letters[k];
    if (l.size() > spaced.size()) break;
    const text_t& d = c.hyphenation_pattern_digits[k];
    for (size_t pos = 0; pos + l.size() <= spaced.size(); ++pos) {
      size_t m = 0;
      while (m < l.size() && unit_to_lower(l[m]) == spaced[pos + m]) ++m;
      if (m < l.size()) continue;
      out.start_matched |= l.front() == u'.';
      out.end_matched |= l.back() == u'.';
      for (m = 0; m < d.size(); ++m) {
        if (is_value_char(d[m])) out.put(pos + m, value_of(d[m]));
      }
    }
  }
}

// The test seam's hold, empty outside the tests that set it.
std::function<bool()>& build_hold() {
  static std::function<bool()> hold;
  return hold;
}

// Number of gaps from the word's edge that the minimum suppresses: gaps
// inside the first (or last) minimum − 1 characters, at most the word.
int64_t border_gaps(int64_t minimum, int64_t length) {
  if (minimum <= 1) return 0;
  return std::min(minimum - 1, length);
}

}  // namespace

hyphenation_pattern_split split_hyphenation_pattern(text_view line) {
  hyphenation_pattern_split s;
  // Written in place: a line may hold millions of characters.
  s.letters.resize(2 * line.size() + 1);
  s.digits.resize(2 * line.size() + 1);
  char16_t* letters = s.letters.data();
  char16_t* digits = s.digits.data();
  size_t n = 0;
  for (size_t j = 0; j < line.size(); ++j) {
    const char16_t c = line[j] == u'=' ? u'-' : line[j];
    if (is_value_char(c)) {
      if (j == 0) {
        letters[0] = digits[0] = u' ';
        n = 1;
      }
      digits[n - 1] = c;
    } else {
      letters[n] = digits[n] = c;
      letters[n + 1] = digits[n + 1] = u' ';
      n += 2;
    }
  }
  s.letters.resize(n > 0 && letters[n - 1] == u' ' ? n - 1 : n);
  s.digits.resize(n > 0 && digits[n - 1] == u' ' ? n - 1 : n);
  return s;
}

hyphenation_line_kind classify_hyphenation_line(text_view line) {
  if (starts_with(line, u"LEFTHYPHENMIN")) return hyphenation_line_kind::left_min;
  if (starts_with(line, u"RIGHTHYPHENMIN")) return hyphenation_line_kind::right_min;
  if (starts_with(line, u"COMPOUNDLEFTHYPHENMIN") || starts_with(line, u"COMPOUNDRIGHTHYPHENMIN")) {
    return hyphenation_line_kind::compound_min;
  }
  if (starts_with(line, u"UTF-8") || starts_with(line, u"%")) return hyphenation_line_kind::skipped;
  return hyphenation_line_kind::pattern;
}

text_t hyphenation_rules_message(hyphenation_rules_status status) {
  switch (status) {
    case hyphenation_rules_status::not_utf8: return u"Hyphenation rules must start with \"UTF-8\".";
    case hyphenation_rules_status::no_final_lf: return u"Rules must end with an #LF$ (RETURN)";
    case hyphenation_rules_status::no_rules: return u"No Rules to parse.";
    default: return {};
  }
}

hyphenation_rules_status build_hyphenation_decode_cache(hyphenation_decode_cache& cache, text_view rules_text,
                                                        long_job_host& host) {
  text_t text = normalise_line_endings(rules_text);
  if (!text.empty() && text == cache.hyphenation_rules_snapshot) return hyphenation_rules_status::ready;

  hyphenation_rules_status refusal = hyphenation_rules_status::ready;
  const int64_t lines = std::count(text.begin(), text.end(), u'\n');
  if (!starts_with(text, u"UTF-8")) {
    refusal = hyphenation_rules_status::not_utf8;
  } else if (text.back() != u'\n') {
    refusal = hyphenation_rules_status::no_final_lf;
  } else if (lines < 2 || std::all_of(text.begin() + 5, text.end(), [](char16_t c) { return c == u' ' || c == u'\n'; })) {
    refusal = hyphenation_rules_status::no_rules;
  }
  if (refusal != hyphenation_rules_status::ready) {
    host.message_box(u"Warning!", hyphenation_rules_message(refusal), BOX_WARNING);
    return refusal;
  }

  // Built aside: an aborted build leaves the table in use as it was.
  hyphenation_decode_cache fresh;
  fresh.hyphenation_pattern_letters.reserve(static_cast<size_t>(lines) + 1);
  fresh.hyphenation_pattern_digits.reserve(static_cast<size_t>(lines) + 1);
  long_job job(host, text_t(u"Optimising Hyphenation decode cache...") + T(LONG_JOB_ESCAPE_HINT), lines, true);
  size_t begin = 0;
  for (int64_t i = 1; i <= lines; ++i) {
    const size_t end = text.find(u'\n', begin);
    const text_view line = text_view(text).substr(begin, end - begin);
    begin = end + 1;
    switch (classify_hyphenation_line(line)) {
      case hyphenation_line_kind::left_min:
        fresh.left_hyphen_min = string_to_int(string_nth_field(line, 2, u" "));
        break;
      case hyphenation_line_kind::right_min:
        fresh.right_hyphen_min = string_to_int(string_nth_field(line, 2, u" "));
        break;
      case hyphenation_line_kind::pattern: {
        hyphenation_pattern_split s = split_hyphenation_pattern(line);
        fresh.hyphenation_pattern_letters.push_back(std::move(s.letters));
        fresh.hyphenation_pattern_digits.push_back(std::move(s.digits));
        break;
      }
      default: break;
    }
    if (!job.step(i)) {
      job.abort();
      return hyphenation_rules_status::aborted;
    }
  }
  while (build_hold() && build_hold()()) {
    if (!job.step(lines)) {
      job.abort();
      return hyphenation_rules_status::aborted;
    }
  }
  if (!build_trie(fresh, job, lines)) {
    job.abort();
    return hyphenation_rules_status::aborted;
  }
  fresh.hyphenation_rules_snapshot = std::move(text);
  cache = std::move(fresh);
  job.finish(u"");
  return hyphenation_rules_status::ready;
}

void set_hyphenation_build_hold(std::function<bool()> hold) { build_hold() = std::move(hold); }

text_t suppress_hyphenation_point(text_view text, int64_t position) {
  if (position < 1 || position > string_length(text)) return text_t(text);
  text_t out(text);
  out[static_cast<size_t>(position - 1)] = u'2';
  return out;
}

hyphenated_word hyphenate_word(const hyphenation_decode_cache& cache, text_view word) {
  const int64_t m = string_length(word);
  // Scratch kept between calls: a word list is hyphenated word by word.
  thread_local text_t letters;
  thread_local gap_values hits;
  letters.assign(1, u'.');
  for (char16_t c : word) letters.push_back(unit_to_lower(c));
  letters.push_back(u'.');
  hits.start_matched = hits.end_matched = false;
  find_hits(cache, letters, hits);

  // gap k: the gap after character k of the word (spaced index 2k + 3).
  auto gap = [&](int64_t k) -> uint8_t& { return hits.gaps[static_cast<size_t>(2 * k + 3)]; };
  hyphenated_word out;
  out.rule.reserve(static_cast<size_t>(2 * m + 2));
  if (hits.start_matched) out.rule.push_back(u'.');
  for (int64_t k = 0; k < m; ++k) {
    out.rule.push_back(word[static_cast<size_t>(k)]);
    const uint8_t v = gap(k);
    if (v == hyphenation_forced_break) out.rule.push_back(u'-');
    else if (v > 0) out.rule.push_back(static_cast<char16_t>(u'0' + v));
  }
  if (hits.end_matched) out.rule.push_back(u'.');

  // The minima: no break inside the first left − 1 or the last right − 1
  // characters; the gap after the last character never breaks.
  const int64_t left = border_gaps(cache.left_hyphen_min, m);
  for (int64_t k = 0; k < left; ++k) {
    if (gap(k) != 0) gap(k) = 2;
  }
  if (cache.right_hyphen_min >= 0 && m > 0) {
    const int64_t right = std::min(cache.right_hyphen_min, m);
    for (int64_t k = m - right; k < m; ++k) {
      if (gap(k) != 0) gap(k) = 2;
    }
  }

  out.word.reserve(static_cast<size_t>(2 * m));
  for (int64_t k = 0; k < m; ++k) {
    out.word.push_back(word[static_cast<size_t>(k)]);
    const uint8_t v = gap(k);
    if (v == hyphenation_forced_break || v % 2 == 1) out.word.push_back(u'-');
  }
  out.no_matches = out.word == out.rule;
  return out;
}

int64_t apply_hyphenation_patterns(const hyphenation_decode_cache& cache, std::vector<hyphenation_row>& rows,
                                long_job_host& host) {
  const int64_t patterns = cache.pattern_count();
  const int64_t count = static_cast<int64_t>(rows.size());
  auto row_text = [&](int64_t r) {
    return u"Parsing rules against words:" + string_from_int(r + 1) + u"/" + string_from_int(count) +
           u"... <ESC> To abort.";
  };
  long_job job(host, row_text(0), patterns * count, true);
  for (int64_t r = 0; r < count; ++r) {
    if (r > 0) job.set_text(row_text(r));
    hyphenated_word h = hyphenate_word(cache, rows[static_cast<size_t>(r)].word);
    // One poll per row: a row takes microseconds, so Escape is as prompt as
    // a poll per pattern; progress still counts patterns tried.
    if (!job.step((r + 1) * patterns)) {
      job.abort();
      return r;
    }
    hyphenation_row& row = rows[static_cast<size_t>(r)];
    row.word = std::move(h.word);
    row.rule = std::move(h.rule);
    row.no_matches = h.no_matches;
  }
  job.finish(u"");
  return count;
}
