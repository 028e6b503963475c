// The entries of a list document, kept as one block of text with a span
// (start, length) per entry. A dictionary of a million lines then costs two
// allocations instead of a million, and moving, sorting or dropping entries
// moves spans, not text.
//
// An entry rewritten no longer than it was keeps its place in the block; a
// longer one is appended, and the text left behind is dropped by the next
// compaction once it outweighs the live text. Views of entries stay valid
// until the list next grows or is compacted, as views of strings in a vector
// stay valid until the vector next grows.
#pragma once

#include "common/large_block.h"
#include "common/text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <vector>

class entry_list {
 public:
  class const_iterator {
   public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = text_view;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = text_view;

    const_iterator() = default;
    const_iterator(const entry_list* list, size_t i) : list_(list), i_(i) {}
    text_view operator*() const { return (*list_)[i_]; }
    text_view operator[](difference_type k) const { return (*list_)[i_ + k]; }
    const_iterator& operator++() { ++i_; return *this; }
    const_iterator operator++(int) { const_iterator t = *this; ++i_; return t; }
    const_iterator& operator--() { --i_; return *this; }
    const_iterator operator--(int) { const_iterator t = *this; --i_; return t; }
    const_iterator& operator+=(difference_type k) { i_ += k; return *this; }
    const_iterator& operator-=(difference_type k) { i_ -= k; return *this; }
    friend const_iterator operator+(const_iterator a, difference_type k) { return a += k; }
    friend const_iterator operator+(difference_type k, const_iterator a) { return a += k; }
    friend const_iterator operator-(const_iterator a, difference_type k) { return a -= k; }
    friend difference_type operator-(const_iterator a, const_iterator b) {
      return static_cast<difference_type>(a.i_) - static_cast<difference_type>(b.i_);
    }
    friend bool operator==(const_iterator a, const_iterator b) { return a.i_ == b.i_; }
    friend auto operator<=>(const_iterator a, const_iterator b) { return a.i_ <=> b.i_; }

   private:
    const entry_list* list_ = nullptr;
    size_t i_ = 0;
  };
  using iterator = const_iterator;
  using value_type = text_view;
  using size_type = size_t;

  entry_list() = default;
  // From separate strings (a tool's rebuilt list, a test's expectation).
  entry_list(const std::vector<text_t>& entries);  // NOLINT: a vector of entries is an entry list
  entry_list(std::initializer_list<text_view> entries);
  // A copy holds only the live text, in entry order.
  entry_list(const entry_list& other);
  entry_list& operator=(const entry_list& other);
  entry_list(entry_list&&) noexcept = default;
  entry_list& operator=(entry_list&&) noexcept = default;

  size_t size() const { return spans_.size(); }
  bool empty() const { return spans_.empty(); }
  text_view operator[](size_t i) const {
    const uint64_t s = spans_[i];
    const size_t start = static_cast<size_t>(s >> kLengthBits);
    const size_t length = static_cast<size_t>(s & kLongEntry);
    if (length != kLongEntry) return text_view(text_.data() + start, length);
    return text_view(text_.data() + start, long_length(start));
  }
  text_view front() const { return (*this)[0]; }
  text_view back() const { return (*this)[size() - 1]; }
  const_iterator begin() const { return const_iterator(this, 0); }
  const_iterator end() const { return const_iterator(this, size()); }
  std::vector<text_t> to_vector() const;

  // Room for `entries` more entries holding `units` more units in all.
  void reserve(size_t entries, size_t units);
  void push_back(text_view entry);
  // Adds an entry of `units` units and returns where its text goes; the
  // caller writes it before anything else changes the list.
  char16_t* append_space(size_t units) {
    if (units < kLongEntry && spans_.size() < spans_.capacity() && units <= text_.room()) [[likely]] {
      spans_.push_back(static_cast<uint64_t>(text_.size()) << kLengthBits | units);
      return text_.extend(units);
    }
    return append_space_slowly(units);
  }
  // Replaces the text of entry i (which must exist).
  void assign(size_t i, text_view entry);
  void erase(size_t i);
  // Keeps, in their order, the entries keep(i) accepts; returns how many stay.
  template <class Keep>
  size_t keep_if(Keep keep) {
    size_t kept = 0;
    for (size_t i = 0; i < spans_.size(); ++i) {
      if (!keep(i)) {
        garbage_ += stored_units(spans_[i]);
        continue;
      }
      spans_[kept++] = spans_[i];
    }
    spans_.resize(kept);
    compact_if_sparse();
    return kept;
  }
  // The entries in a new order: order[j] is the old index of the entry that
  // goes to j, and must be a permutation of every index.
  void permute(const std::vector<size_t>& order);
  void clear();
  void swap(entry_list& other) noexcept;

  // Units held in the block, live or not (for tests of the compaction).
  size_t block_units() const { return text_.size(); }

  friend bool operator==(const entry_list& a, const entry_list& b);
  friend bool operator==(const entry_list& a, const std::vector<text_t>& b);

 private:
  // A span is start << 24 | length; an entry of 2^24 - 1 units or more has
  // the length field all ones and its length in the two units before it.
  static constexpr unsigned kLengthBits = 24;
  static constexpr uint64_t kLongEntry = (uint64_t{1} << kLengthBits) - 1;

  size_t long_length(size_t start) const {
    return static_cast<size_t>(text_.data()[start - 2]) | static_cast<size_t>(text_.data()[start - 1]) << 16;
  }
  size_t stored_units(uint64_t span) const;
  // Appends the text (which may lie in the block itself) and returns its span.
  uint64_t store(text_view entry);
  uint64_t store_space(size_t units, char16_t*& where);
  void room_for_one_more();
  char16_t* append_space_slowly(size_t units);
  void compact_if_sparse();
  void compact();

  // The block: grows by doubling, and unlike a vector never fills the room
  // it adds, since every unit of it is written before it is read.
  class unit_block {
   public:
    unit_block() = default;
    unit_block(const unit_block&) = delete;
    unit_block& operator=(const unit_block&) = delete;
    unit_block(unit_block&& other) noexcept { swap(other); }
    unit_block& operator=(unit_block&& other) noexcept {
      unit_block gone;
      swap(other);
      other.swap(gone);
      return *this;
    }
    ~unit_block() { large_block_free(data_, capacity_ * sizeof(char16_t)); }
    char16_t* data() { return data_; }
    const char16_t* data() const { return data_; }
    size_t size() const { return size_; }
    size_t room() const { return capacity_ - size_; }
    void reserve(size_t units);
    // The next `units` units, in the block from now on.
    char16_t* extend(size_t units) {
      if (units > capacity_ - size_) reserve(std::max(size_ + units, 2 * capacity_));
      char16_t* p = data_ + size_;
      size_ += units;
      return p;
    }
    void swap(unit_block& other) noexcept {
      std::swap(data_, other.data_);
      std::swap(size_, other.size_);
      std::swap(capacity_, other.capacity_);
    }

   private:
    char16_t* data_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
  };

  unit_block text_;
  std::vector<uint64_t, large_block_allocator<uint64_t>> spans_;
  size_t garbage_ = 0;  // units of the block no entry uses
};
