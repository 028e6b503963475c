// The program's own tools: HTML Help (also F1) and About.
#pragma once

#include "kit/tool_registry.h"

void register_builtin_commands(tool_registry& tools);
