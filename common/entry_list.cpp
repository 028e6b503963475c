#include "common/entry_list.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {

// Below this much text left behind, a compaction would cost more than it frees.
constexpr size_t kGarbageFloor = size_t{1} << 16;

}  // namespace

entry_list::entry_list(const std::vector<text_t>& entries) {
  size_t units = 0;
  for (const text_t& e : entries) units += e.size();
  reserve(entries.size(), units);
  for (const text_t& e : entries) push_back(e);
}

entry_list::entry_list(std::initializer_list<text_view> entries) {
  for (text_view e : entries) push_back(e);
}

entry_list::entry_list(const entry_list& other) {
  reserve(other.size(), other.text_.size() - other.garbage_);
  for (text_view e : other) push_back(e);
}

entry_list& entry_list::operator=(const entry_list& other) {
  if (this != &other) {
    entry_list copy(other);
    swap(copy);
  }
  return *this;
}

std::vector<text_t> entry_list::to_vector() const {
  std::vector<text_t> out;
  out.reserve(size());
  for (text_view e : *this) out.emplace_back(e);
  return out;
}

void entry_list::unit_block::reserve(size_t units) {
  if (units <= capacity_) return;
  if (units > static_cast<size_t>(-1) / sizeof(char16_t)) throw std::length_error("entry list too large");
  auto* grown = static_cast<char16_t*>(large_block_allocate(units * sizeof(char16_t)));
  if (size_ > 0) std::memcpy(grown, data_, size_ * sizeof(char16_t));
  large_block_free(data_, capacity_ * sizeof(char16_t));
  data_ = grown;
  capacity_ = units;
}

void entry_list::reserve(size_t entries, size_t units) {
  spans_.reserve(spans_.size() + entries);
  text_.reserve(text_.size() + units);
}

size_t entry_list::stored_units(uint64_t span) const {
  const size_t start = static_cast<size_t>(span >> kLengthBits);
  const size_t length = static_cast<size_t>(span & kLongEntry);
  return length != kLongEntry ? length : long_length(start) + 2;
}

uint64_t entry_list::store_space(size_t units, char16_t*& where) {
  size_t prefix = 0;
  if (units >= kLongEntry) {
    if (units > 0xFFFFFFFFu) throw std::length_error("entry too long");
    prefix = 2;
  }
  const size_t start = text_.size() + prefix;
  if (start + units >= (uint64_t{1} << (64 - kLengthBits))) throw std::length_error("entry list too large");
  where = text_.extend(prefix + units) + prefix;
  if (prefix) {
    where[-2] = static_cast<char16_t>(units & 0xFFFF);
    where[-1] = static_cast<char16_t>(units >> 16);
  }
  return static_cast<uint64_t>(start) << kLengthBits | (prefix ? kLongEntry : units);
}

uint64_t entry_list::store(text_view entry) {
  // The text may be another entry of this list: find it again after growing.
  const char16_t* base = text_.data();
  const bool inside = !entry.empty() && entry.data() >= base && entry.data() < base + text_.size();
  const size_t offset = inside ? static_cast<size_t>(entry.data() - base) : 0;
  char16_t* where = nullptr;
  const uint64_t span = store_space(entry.size(), where);
  const char16_t* from = inside ? text_.data() + offset : entry.data();
  if (!entry.empty()) std::memmove(where, from, entry.size() * sizeof(char16_t));
  return span;
}

void entry_list::room_for_one_more() {
  // Before the text is stored, so that a failure leaves no text without its span.
  if (spans_.size() == spans_.capacity()) spans_.reserve(std::max<size_t>(16, 2 * spans_.capacity()));
}

void entry_list::push_back(text_view entry) {
  room_for_one_more();
  spans_.push_back(store(entry));
}

char16_t* entry_list::append_space_slowly(size_t units) {
  room_for_one_more();
  char16_t* where = nullptr;
  spans_.push_back(store_space(units, where));
  return where;
}

void entry_list::assign(size_t i, text_view entry) {
  const uint64_t old = spans_[i];
  const size_t start = static_cast<size_t>(old >> kLengthBits);
  const size_t length = static_cast<size_t>(old & kLongEntry);
  if (length != kLongEntry && entry.size() <= length) {
    // In its own place: the units it no longer needs are left behind.
    if (!entry.empty()) std::memmove(text_.data() + start, entry.data(), entry.size() * sizeof(char16_t));
    spans_[i] = static_cast<uint64_t>(start) << kLengthBits | entry.size();
    garbage_ += length - entry.size();
  } else {
    const size_t old_units = stored_units(old);
    spans_[i] = store(entry);
    garbage_ += old_units;
  }
  compact_if_sparse();
}

void entry_list::erase(size_t i) {
  garbage_ += stored_units(spans_[i]);
  spans_.erase(spans_.begin() + static_cast<std::ptrdiff_t>(i));
  compact_if_sparse();
}

void entry_list::permute(const std::vector<size_t>& order) {
  std::vector<uint64_t, large_block_allocator<uint64_t>> moved(order.size());
  for (size_t j = 0; j < order.size(); ++j) moved[j] = spans_[order[j]];
  spans_.swap(moved);
}

void entry_list::clear() {
  entry_list().swap(*this);  // gives the memory back, not only the entries
}

void entry_list::swap(entry_list& other) noexcept {
  text_.swap(other.text_);
  spans_.swap(other.spans_);
  std::swap(garbage_, other.garbage_);
}

void entry_list::compact_if_sparse() {
  if (spans_.empty()) {
    clear();
    return;
  }
  if (garbage_ > kGarbageFloor && garbage_ > text_.size() / 2) compact();
}

void entry_list::compact() {
  entry_list copy(*this);
  swap(copy);
}

bool operator==(const entry_list& a, const entry_list& b) { return std::ranges::equal(a, b); }

bool operator==(const entry_list& a, const std::vector<text_t>& b) {
  return std::ranges::equal(a, b, [](text_view x, text_view y) { return x == y; });
}
