#include "dictionary/dictionary_document.h"

#include <utility>

void dictionary_document::take_editor_edits() {
  if (editor_.take_edits && editor_.take_edits(aff_text_)) ++aff_text_version_;
}

const text_t& dictionary_document::aff_text() {
  take_editor_edits();
  return aff_text_;
}

void dictionary_document::set_aff_text(text_t text) {
  aff_text_ = std::move(text);
  ++aff_text_version_;
  if (editor_.show) editor_.show(aff_text_);
}

const aff_decode_cache& dictionary_document::decode_cache() {
  take_editor_edits();
  if (cache_.stale || cache_checked_version_ != aff_text_version_) {
    rebuild_aff_decode_cache(cache_, aff_text_, on_cache_rebuild);
    cache_checked_version_ = aff_text_version_;
  }
  return cache_;
}

void dictionary_document::invalidate_decode_cache() { invalidate_aff_decode_cache(cache_); }

void dictionary_document::attach_aff_editor(aff_editor_link link) {
  editor_ = std::move(link);
}
