// The decode cache the GUI-free engine and dictionary tests parse their .aff
// texts into and hand to the code under test.
#pragma once

#include "affix/aff_cache.h"

inline aff_decode_cache test_cache;
