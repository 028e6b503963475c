// The program's own icons, embedded at build time from icons/png/<number>.png.
#pragma once

#include <cstddef>
#include <span>

struct embedded_icon {
  int number;                 // the image number the windows use
  const unsigned char* data;  // PNG bytes
  size_t size;
};

// Every embedded icon, in ascending order of number.
std::span<const embedded_icon> embedded_icon_table();
// The icon of a number; null when the program carries none.
const embedded_icon* find_embedded_icon(int number);
