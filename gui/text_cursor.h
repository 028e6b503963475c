// The cursor of a text view or an entry, placed by a position counted in
// the program's UTF-16 units (GTK counts code points: the conversion is done
// here, at the border).
#pragma once

#include <cstdint>

// Puts the cursor before the unit at the 0-based offset (clamped to the
// text) and scrolls a text view so that its line shows at the top.
void gadget_set_cursor_position(int g, int64_t unit_offset);
// The cursor's 0-based offset in units; -1 when g is no text view or entry.
int64_t gadget_get_cursor_position(int g);
