// What the main window's menus, shortcuts and buttons run: the document
// kind of each tab and the tools of the menus. The subsystems fill both in
// when they register their commands; the dispatchers read them.
#pragma once

#include "kit/document_kinds.h"
#include "kit/tool_registry.h"

struct main_commands {
  document_kinds kinds;
  tool_registry tools;
};
