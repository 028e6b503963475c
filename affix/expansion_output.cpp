#include "affix/expansion_output.h"

#include "affix/affix_expansion.h"
#include "common/file.h"
#include "common/format.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif


namespace {

constexpr size_t FILE_BUFFER_UNITS = 1 << 16;

void append_number(text_t& out, int64_t v) {
  char16_t digits[24];
  int n = 0;
  uint64_t u = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
  do {
    digits[n++] = static_cast<char16_t>(u'0' + u % 10);
    u /= 10;
  } while (u != 0);
  if (v < 0) out.push_back(u'-');
  while (n > 0) out.push_back(digits[--n]);
}

bool contains(text_view s, char16_t u) { return s.find(u) != text_view::npos; }

bool statistics_row_matches(const derived_row& row, int word_type) {
  text_view w = row.word;
  switch (word_type) {
    case WORD_TYPE_APOSTROPHE: return contains(w, u'\'');
    case WORD_TYPE_HYPHEN: return contains(w, u'-');
    case WORD_TYPE_CAPITAL: return word_starts_with_capital(w);
    default:
      return word_type >= WORD_TYPE_LENGTH_1 && word_type < WORD_TYPE_COUNT &&
             static_cast<int64_t>(w.size()) == word_type - WORD_TYPE_LENGTH_1 + 1;
  }
}

text_t statistics_annotation(const derived_row& row, word_annotation annotation) {
  if (annotation == word_annotation::plain) return {};
  if (row.type == derived_row_type::primary) return u" (Primary)";
  return text_t(u" Flag:") + text_t(row.flag) + u" (Primary:" + text_t(row.base) + u")";
}

}  // namespace

void append_csv_field(text_t& out, text_view field) {
  out.push_back(u'"');
  for (char16_t u : field) {
    if (u == u'"') out.push_back(u'"');
    out.push_back(u);
  }
  out.push_back(u'"');
}

text_t pad_rule_number(text_view text, int64_t max_rules_per_set) {
  size_t width = string_from_int(std::max<int64_t>(0, max_rules_per_set)).size();
  return string_tail(u"0000" + text_t(text), static_cast<int64_t>(width));
}

text_t decoded_words_question(int64_t limit, text_view separator) {
  return u"Over " + format_count(limit, separator) +
         u" words have been decoded.\n\nThis represents a huge amount of data in the RAM\n"
         u"that can fill it up and crash the computer.\n\nAbort?";
}

bool word_starts_with_capital(text_view word) { return !word.empty() && word[0] != unit_to_lower(word[0]); }

void word_statistics::add(int64_t entry, text_view word) {
  if (entry < 0) return;
  size_t e = static_cast<size_t>(entry);
  if (e >= per_entry.size()) per_entry.resize(e + 1);
  auto& counters = per_entry[e];
  if (contains(word, u'\'')) {
    ++with_apostrophe;
    ++counters.apostrophe_forms;
  }
  if (contains(word, u'-')) {
    ++with_hyphen;
    ++counters.hyphen_forms;
  }
  if (word_starts_with_capital(word)) {
    ++with_capital;
    ++counters.capital_forms;
  }
  if (word.size() <= SHORT_WORD_MAX_LENGTH) {
    ++of_length[word.size()];
    counters.short_form_length = static_cast<int32_t>(word.size());
  }
  int c = 0;
  if (!word.empty()) {
    text_t folded = fold_accents_lowercase(word.substr(0, 1));
    c = folded.empty() ? 0 : folded[0];
  }
  ++by_first_letter[c >= u'a' && c <= u'z' ? c - u'a' + 1 : 0];
}

void append_rule_text(text_t& out, text_view number, const aff_rule_record& rule) {
  out.append(number).append(u": ").append(rule.strip).append(u" ").append(rule.affix_text).append(u" ")
      .append(rule.condition);
}

void file_text_writer::written_some() {
  if (buffer_.size() >= FILE_BUFFER_UNITS) flush();
}

void file_text_writer::flush() {
  if (buffer_.empty()) return;
  append_utf8(bytes_, buffer_);
  if (file_) file_->write_buffer(bytes_);
  bytes_.clear();
  buffer_.clear();
}

bool hyphenation_rows_sink::take(const derived_row& row) {
  if (added_ >= DERIVED_ROW_VIEW_LIMIT) {
    capped = true;
    return false;
  }
  ++added_;
  rows_.push_back({text_t(row.word), text_t(row.flag), colour_of(colours_, row.type)});
  return true;
}

void utf8_buffer::grow(size_t more) {
  size_t capacity = std::max<size_t>({capacity_ * 2, size_ + more, 4096});
  std::unique_ptr<char[]> data(new char[capacity]);
  if (size_ != 0) std::memcpy(data.get(), data_.get(), size_);
  data_ = std::move(data);
  capacity_ = capacity;
}

void utf8_buffer::append_bytes(std::string_view bytes) {
  if (capacity_ - size_ < bytes.size()) grow(bytes.size());
  if (!bytes.empty()) std::memcpy(data_.get() + size_, bytes.data(), bytes.size());
  size_ += bytes.size();
}

namespace {

#if defined(__SSE2__)
// Whether eight units are all ASCII; then their bytes go out in one store.
inline bool ascii8(const char16_t* p) {
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i high = _mm_and_si128(v, _mm_set1_epi16(static_cast<short>(0xFF80)));
  return _mm_movemask_epi8(_mm_cmpeq_epi16(high, _mm_setzero_si128())) == 0xFFFF;
}
inline void store8(char* d, const char16_t* p) {
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  _mm_storel_epi64(reinterpret_cast<__m128i*>(d), _mm_packus_epi16(v, v));
}
// How many of eight units are ASCII before the first that is not (8: all).
inline size_t ascii_run8(const char16_t* p) {
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i high = _mm_and_si128(v, _mm_set1_epi16(static_cast<short>(0xFF80)));
  const unsigned ascii = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(high, _mm_setzero_si128())));
  return ascii == 0xFFFF ? 8 : static_cast<size_t>(__builtin_ctz(~ascii)) / 2;
}
#else
inline size_t ascii_run8(const char16_t* p) {
  size_t i = 0;
  while (i < 8 && p[i] < 0x80) ++i;
  return i;
}
inline bool ascii8(const char16_t* p) {
  uint64_t a, b;
  std::memcpy(&a, p, sizeof a);
  std::memcpy(&b, p + 4, sizeof b);
  return ((a | b) & 0xFF80FF80FF80FF80ull) == 0;
}
inline void store8(char* d, const char16_t* p) {
  for (int i = 0; i < 8; ++i) d[i] = static_cast<char>(p[i]);
}
#endif
inline bool ascii4(const char16_t* p) {
  uint64_t four;
  std::memcpy(&four, p, sizeof four);
  return (four & 0xFF80FF80FF80FF80ull) == 0;
}
inline void store4(char* d, const char16_t* p) {
  d[0] = static_cast<char>(p[0]);
  d[1] = static_cast<char>(p[1]);
  d[2] = static_cast<char>(p[2]);
  d[3] = static_cast<char>(p[3]);
}

}  // namespace

void utf8_buffer::append(text_view s) {
  const char16_t* p = s.data();
  const size_t n = s.size();
  // At most three bytes per unit.
  if (capacity_ - size_ < 3 * n) grow(3 * n);
  char* const start = data_.get() + size_;
  // ASCII text, most words: eight or four units at a time, the last group
  // overlapping the one before (its bytes are written twice, the same).
  size_t i = 0;
  if (n >= 8) {
    while (i + 8 <= n && ascii8(p + i)) {
      store8(start + i, p + i);
      i += 8;
    }
    if (i == n || (i + 8 > n && ascii8(p + n - 8))) {
      if (i != n) store8(start + n - 8, p + n - 8);
      size_ += n;
      return;
    }
  } else if (n >= 4) {
    if (ascii4(p) && ascii4(p + n - 4)) {
      store4(start, p);
      store4(start + n - 4, p + n - 4);
      size_ += n;
      return;
    }
  }
  // The rest: ASCII runs eight or four units at a time, other units one by
  // one.
  char* d = start + i;
  while (i < n) {
    if (n - i >= 8) {
      const size_t run = ascii_run8(p + i);
      // The run's bytes are right; those after it are written over next
      // (three bytes of room per unit leave space for all eight).
      store8(d, p + i);
      d += run;
      i += run;
      if (run == 8) continue;
    } else if (n - i >= 4 && ascii4(p + i)) {
      store4(d, p + i);
      d += 4;
      i += 4;
      continue;
    }
    const char16_t u = p[i];
    if (u < 0x80) {
      *d++ = static_cast<char>(u);
    } else if (u < 0x800) {
      *d++ = static_cast<char>(0xC0 | (u >> 6));
      *d++ = static_cast<char>(0x80 | (u & 0x3F));
    } else if (u < 0xD800 || u > 0xDFFF) {
      *d++ = static_cast<char>(0xE0 | (u >> 12));
      *d++ = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      *d++ = static_cast<char>(0x80 | (u & 0x3F));
    } else {
      // Pairs and lone surrogates: the general encoder from here on.
      size_ = static_cast<size_t>(d - data_.get());
      std::string rest;
      append_utf8(rest, s.substr(i));
      append_bytes(rest);
      return;
    }
    ++i;
  }
  size_ = static_cast<size_t>(d - data_.get());
}

void utf8_buffer::append_line(text_view s) {
  if (capacity_ - size_ < 3 * s.size() + 1) grow(3 * s.size() + 1);
  append(s);
  data_[size_++] = '\n';
}

void word_file_sink::flush() {
  if (file_ == 0 || own_.empty()) return;
  file_write_text(file_, from_utf8(std::string_view(own_.data(), own_.size())), FORMAT_UTF8);
  own_.clear();
}

void word_file_sink::write_csv_row(const derived_row& row) {
  text_t& file_buffer = row_;
  file_buffer.clear();
  text_view type = derived_row_type_name(row.type);
  if (row.type == derived_row_type::primary) {
    text_view fields[] = {row.word, row.word, row.word, type, {}, {}, {}};
    for (size_t i = 0; i < 7; ++i) {
      if (i) file_buffer.push_back(u';');
      append_csv_field(file_buffer, fields[i]);
    }
    file_buffer.push_back(u'\n');
    return;
  }
  text_t position, rule;
  append_number(position, row.position);
  text_t number;
  append_number(number, row.rule_number);
  append_rule_text(rule, pad_rule_number(number, max_rules_per_set_), *row.rule);
  text_view fields[] = {row.root, row.word, row.base, type, row.flag, position, rule};
  // Suffix and Both rows drop one trailing space of each field (an empty
  // condition leaves none).
  bool trim = row.type == derived_row_type::suffix || row.type == derived_row_type::both;
  for (size_t i = 0; i < 7; ++i) {
    if (i) file_buffer.push_back(u';');
    text_view f = fields[i];
    if (trim && !f.empty() && f.back() == u' ') f.remove_suffix(1);
    append_csv_field(file_buffer, f);
  }
  file_buffer.push_back(u'\n');
}

bool word_file_sink::take(const derived_row& row) {
  utf8_buffer& out = *out_;
  if (csv_) {
    write_csv_row(row);
    out.append(row_);
    ++written;
  } else if (hyphen_only_) {
    if (contains(row.word, u'-')) {
      row_.assign(row.word).append(tag_);
      out.append(row_);
      out.push_back('\n');
      ++written;
    }
  } else {
    out.append_line(row.word);
    ++written;
  }
  if (file_ != 0 && own_.size() >= 2 * FILE_BUFFER_UNITS) flush();
  return true;
}

bool word_array_sink::take(const derived_row& row) {
  size_t at = first_ + static_cast<size_t>(stored);
  if (words_.size() <= at) words_.resize(at + 1);
  words_[at].assign(row.word).append(suffix1_).append(suffix2_);
  ++stored;
  return true;
}

bool word_statistics_sink::take(const derived_row& row) {
  if (counts_) counts_->add(entry, row.word);
  ++words;
  return true;
}

bool statistics_lines_sink::take(const derived_row& row) {
  if (!statistics_row_matches(row, word_type_)) return true;
  text_t line = text_t(row.word) + statistics_annotation(row, annotation_);
  if (lines_) {
    lines_->push_back(std::move(line));
  } else {
    out_.text().append(line).push_back(u'\n');
    out_.written_some();
  }
  return true;
}

bool first_suffix_sink::take(const derived_row& row) {
  if (row.type != derived_row_type::suffix) return true;
  first = row.word;
  return false;
}
