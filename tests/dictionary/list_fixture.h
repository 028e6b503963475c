// A dictionary document made of the given entries, for the tool tests.
#pragma once

#include "common/list_document.h"

#include <utility>
#include <vector>

inline list_document doc_of(std::vector<text_t> entries) {
  list_document d;
  d.replace_all(std::move(entries), u"");
  return d;
}
