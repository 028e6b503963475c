// The File menu's profile commands: "export_profile" and "import_profile".
#pragma once

void export_profile();
void import_profile();
void register_profile_commands();
