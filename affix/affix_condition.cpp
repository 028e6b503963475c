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

bool affix_condition::element::accepts(char16_t u) const {
  switch (kind) {
    case literal: return u == unit;
    case any: return true;
    case set: return units.find(u) != text_t::npos;
    case negated_set: return units.find(u) == text_t::npos;
  }
  return false;
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

bool affix_condition::matches_units(text_view word, bool& undecided) const {
  size_t k = elements_.size(), n = word.size();
  undecided = false;
  // Fewer units than elements means fewer code points too.
  if (n < k) return false;
  size_t begin = anchor_ == condition_anchor::suffix ? n - k : 0;
  // The unit just outside the window tells whether a pair is cut in two;
  // a final line feed is where PCRE's "$" also matches.
  size_t lo = begin > 0 ? begin - 1 : 0, hi = std::min(n, begin + k + 1);
  for (size_t i = lo; i < hi; ++i)
    if (is_surrogate(word[i])) {
      undecided = true;
      return false;
    }
  if (n > 0 && word[n - 1] == u'\n') {
    undecided = true;
    return false;
  }
  for (size_t i = 0; i < k; ++i)
    if (!elements_[i].accepts(word[begin + i])) return false;
  return true;
}

bool affix_condition::matches(text_view word) const {
  if (simple_) {
    bool undecided = false;
    bool result = matches_units(word, undecided);
    if (!undecided) return result;
  }
  return regex().matches_bounded(word, CONDITION_MATCH_LIMIT);
}
