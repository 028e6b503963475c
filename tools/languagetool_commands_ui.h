// The LanguageTool kind and the LanguageTool Tools menu's commands.
#pragma once

#include "shell/main_commands.h"

void register_languagetool_commands(main_commands& commands);
