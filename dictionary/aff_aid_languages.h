// The AFF-aid languages: the built-in one and the custom files of
// custom_aff_aid/, offered by the word editor and the Preferences window.
#pragma once

#include "common/text.h"

#include <cstdint>
#include <vector>

inline constexpr int64_t AFF_AID_IMAGE_BASE = 20000;
extern const char16_t builtin_aff_aid_entry[];

// An icon found beside a custom AFF-aid file: image number and PNG path.
struct aff_aid_icon {
  int64_t image = 0;
  text_t path;
};

// Entry n: first line of the language's file + LF + image number + LF + file
// name; entry 0 is the built-in language (image 30, file name "*****").
// Sorted ignoring case; texts keeps the listing order and is found through
// the image number (20000 + n). Before the list is read both hold one empty
// entry.
struct aff_aid_languages {
  std::vector<text_t> entries = std::vector<text_t>(1);
  std::vector<text_t> texts = std::vector<text_t>(1);
  int64_t selected_item = 0;        // remembered item of the word editor's AFF-aid list
  std::vector<aff_aid_icon> icons;  // loaded as images at start-up
};

// Builds the list from base_folder + "custom_aff_aid/".
void read_aff_aid_languages(text_view base_folder, aff_aid_languages& languages);
