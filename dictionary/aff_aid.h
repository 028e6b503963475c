// The AFF aid of the word editor: flag descriptions of the language chosen
// in the Preferences window, one drop-down item per line.
#pragma once

#include "common/text.h"

#include <cstdint>
#include <vector>

// Image number of the built-in English list.
constexpr int64_t AFF_AID_BUILTIN_IMAGE = 30;

// The 67 items of the built-in English list, in order.
const std::vector<text_t>& builtin_aff_aid_items();

// Items of a custom language's text: every line after the first that is
// followed by LF (a last line without LF is not listed).
std::vector<text_t> aff_aid_items_of_text(text_view text);

// The language whose key (third line of its entry) equals the chosen key.
struct aff_aid_choice {
  bool found = false;
  text_t name;             // first line of the entry; "n/a" when none was found
  int64_t image = 0;       // 30 built in, 20000 + n custom, 0 none
  int64_t text_index = 0;  // n for image 20000 + n
};
aff_aid_choice find_aff_aid_language(const std::vector<text_t>& entries, text_view selected_key);

// ".AFF Aid (" + name + "):".
text_t aff_aid_label_text(const aff_aid_choice& choice);

// The drop-down items for an image number: image 30 the built-in list,
// 0 nothing, any other the text of texts[text_index] without its first line.
// No language chosen (or one whose file is gone) shows nothing.
std::vector<text_t> aff_aid_combo_items(int64_t image, int64_t text_index,
                                        const std::vector<text_t>& texts);
std::vector<text_t> aff_aid_combo_items(const aff_aid_choice& choice, const std::vector<text_t>& texts);
