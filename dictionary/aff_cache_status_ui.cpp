#include "dictionary/aff_cache_status_ui.h"

#include "gui/gui.h"
#include "kit/ids.h"

namespace {

// Phase 0 starts a parse, phase 1 ends it; an unchanged text calls neither,
// so the bar keeps whatever it showed.
void show_rebuild_status(int phase, int64_t elapsed_ms) {
  if (phase == 1) status_bar_set_progress_value(MAIN_STATUS_BAR, STATUS_FIELD_PROGRESS, 0, 1);
  status_bar_set_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT, aff_cache_status_text(phase, elapsed_ms));
}

}  // namespace

void register_aff_cache_commands(dictionary_document& dictionary) { dictionary.on_cache_rebuild = show_rebuild_status; }
