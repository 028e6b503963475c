// Registers the word-list tools' commands: the master word list, Bulk
// Import (every mode) and the possessive-names import.
#pragma once

void register_wordlist_commands();
