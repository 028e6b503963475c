// The open dictionary: its entries, its .aff text and the decode cache parsed
// from that text, one owner for all three. The workspace holds the one
// document; every tool that reads the dictionary gets it passed down.
//
// The main window's .aff editor shows the text. The document takes the
// editor's edits in whenever a reader asks (aff_text, decode_cache) rather
// than on each change event: a tool started in the same turn as a keystroke,
// before the change event is handled, still reads the text as typed, and a
// large .aff is not copied on every keystroke (the editor's text revision
// tells whether anything changed).
#pragma once

#include "affix/aff_cache.h"
#include "common/list_document.h"
#include "common/text.h"

#include <cstdint>
#include <functional>

// The editor showing the .aff text, as the window layer attaches it.
struct aff_editor_link {
  // Puts the editor's text into `into` when it changed since the last call
  // or the last show; false when it did not (or there is no editor).
  std::function<bool(text_t& into)> take_edits;
  // Shows a text the document was given.
  std::function<void(const text_t& text)> show;
};

class dictionary_document {
 public:
  list_document list;  // the .dic entries

  // The .aff text with the editor's edits taken in.
  const text_t& aff_text();
  // A new .aff text (a load, a rewritten SET line, Clear, Sort tags): the
  // editor shows it.
  void set_aff_text(text_t text);
  // The cache of the current .aff text: parsed anew when the text differs
  // from the one of the last parse (each parse grows the cache's generation).
  const aff_decode_cache& decode_cache();
  // The next decode_cache() parses even an unchanged text.
  void invalidate_decode_cache();

  // Every change of the entry count goes through this, so the views paging
  // the dictionary (the Dictionary and Hyphenation lists) follow.
  void count_changed() const { list.notify_count_changed(); }

  void attach_aff_editor(aff_editor_link link);
  // Told when a parse starts (phase 0) and ends (phase 1, with its time).
  std::function<void(int phase, int64_t elapsed_ms)> on_cache_rebuild;

 private:
  void take_editor_edits();

  text_t aff_text_;
  uint64_t aff_text_version_ = 1;  // grows with every change of aff_text_
  uint64_t cache_checked_version_ = 0;  // the version decode_cache last compared
  aff_decode_cache cache_;
  aff_editor_link editor_;
};
