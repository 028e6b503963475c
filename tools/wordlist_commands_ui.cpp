#include "tools/wordlist_commands_ui.h"

#include "tools/bulk_import_window.h"
#include "tools/master_wordlist_window.h"
#include "tools/possessive_names_window.h"

void register_wordlist_commands() {
  register_master_wordlist_commands();
  register_bulk_import_commands();
  register_possessive_names_commands();
}
