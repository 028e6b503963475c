#include "affix/aff_cache_status_ui.h"

#include "affix/aff_cache.h"
#include "gui/gui.h"
#include "shell/shell_ids.h"

namespace {

// Phase 0 starts a parse, phase 1 ends it; an unchanged text calls neither,
// so the bar keeps whatever it showed.
void show_rebuild_status(int phase, int64_t elapsed_ms) {
  if (phase == 1) status_bar_set_progress_value(MAIN_STATUS_BAR, STATUS_FIELD_PROGRESS, 0, 1);
  status_bar_set_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT, aff_cache_status_text(phase, elapsed_ms));
}

}  // namespace

void register_aff_cache_commands() { set_aff_cache_status_hook(show_rebuild_status); }

void rebuild_aff_decode_cache_from_editor() { rebuild_aff_decode_cache(gadget_get_text(AFF_EDITOR)); }
