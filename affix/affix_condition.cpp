#include "affix/affix_condition.h"

#include <algorithm>

namespace {

// Backtracking steps one condition test may take. Real conditions need a
// few dozen; a hostile one ("(a|a)*[^a]") gives up here and counts as no
// match, so a thousand such rules cost milliseconds, not minutes.
constexpr unsigned long CONDITION_MATCH_LIMIT = 20000;

bool is_surrogate(char16_t u) { return u >= 0xD800 && u <= 0xDFFF; }

// Characters that change the meaning of a pattern outside a class.
bool is_regex_special(char16_t u) {
  switch (u) {
    case u'\\': case u'^': case u'$': case u'|': case u'?': case u'*':
    case u'+': case u'(': case u')': case u'{': case u'}': case u']':
    case u'#':
      return true;
    default:
      return false;
  }
}

}  // namespace

bool affix_condition::element::accepts_high(char16_t u) const {
  switch (kind) {
    case literal: return u == unit;
    case any: return true;
    case set: return units.find(u) != text_t::npos;
    case negated_set: return units.find(u) == text_t::npos;
  }
  return false;
}

affix_condition::low_table affix_condition::low_table_of(const element& e) {
  const uint64_t all = ~uint64_t(0);
  const bool negated = e.kind == element::negated_set;
  low_table t;
  t.fill(e.kind == element::any || negated ? all : 0);
  auto flip = [&](char16_t u) {
    if (u >= 256) return;
    const uint64_t bit = uint64_t(1) << (u & 63);
    if (negated) t[u >> 6] &= ~bit;
    else t[u >> 6] |= bit;
  };
  if (e.kind == element::literal) flip(e.unit);
  for (char16_t u : e.units) flip(u);
  return t;
}

affix_condition::affix_condition(text_view condition, condition_anchor anchor)
    : text_(condition), anchor_(anchor) {
  simple_ = true;
  size_t i = 0, n = condition.size();
  while (i < n && simple_) {
    char16_t u = condition[i];
    if (is_surrogate(u) || u == u'\n' || u == u'\r') {
      simple_ = false;
    } else if (u == u'.') {
      elements_.push_back({element::any, 0, {}});
      ++i;
    } else if (u == u'[') {
      element e{element::set, 0, {}};
      size_t j = i + 1;
      if (j < n && condition[j] == u'^') {
        e.kind = element::negated_set;
        ++j;
      }
      // "]" first is a member in PCRE; leave such classes to it.
      if (j >= n || condition[j] == u']') {
        simple_ = false;
        break;
      }
      size_t first = j;
      bool closed = false;
      for (; j < n; ++j) {
        char16_t c = condition[j];
        if (c == u']') {
          closed = true;
          break;
        }
        // Escapes, POSIX classes and ranges: PCRE's business.
        if (c == u'\\' || c == u'[' || is_surrogate(c) || c == u'\n' || c == u'\r') break;
        if (c == u'-' && j != first && j + 1 < n && condition[j + 1] != u']') break;
        e.units.push_back(c);
      }
      if (!closed) {
        simple_ = false;
        break;
      }
      elements_.push_back(std::move(e));
      i = j + 1;
    } else if (is_regex_special(u)) {
      simple_ = false;
    } else {
      elements_.push_back({element::literal, u, {}});
      ++i;
    }
  }
  if (!simple_) {
    elements_.clear();
    regex();  // compiled now, once
  }
  for (const element& e : elements_) tables_.push_back(low_table_of(e));
}

const compiled_regex& affix_condition::regex() const {
  if (!regex_ready_) {
    std::string pattern;
    if (anchor_ == condition_anchor::prefix) pattern += '^';
    append_utf8(pattern, text_);
    if (anchor_ == condition_anchor::suffix) pattern += '$';
    regex_ = compiled_regex(pattern);
    regex_ready_ = true;
  }
  return regex_;
}

char16_t affix_condition::anchored_literal() const {
  if (!simple_ || elements_.empty()) return 0;
  const element& e = anchor_ == condition_anchor::suffix ? elements_.back() : elements_.front();
  return e.kind == element::literal ? e.unit : 0;
}

bool affix_condition::matches_by_regex(text_view word) const {
  return regex().matches_bounded(word, CONDITION_MATCH_LIMIT);
}
