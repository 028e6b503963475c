// The program's tools: one line per item of menu bar 6 that runs a tool, in
// menu order, for the registry the dispatchers read (kit/tool_registry.h).
#pragma once

#include "kit/tool_registry.h"

#include <vector>

std::vector<tool_registration> program_tools();
