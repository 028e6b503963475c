// The File menu's profile commands: Export Profile and Import Profile.
#pragma once

#include "kit/tool_registry.h"

void export_profile();
void import_profile();
void register_profile_commands(tool_registry& tools);
