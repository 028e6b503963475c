// The commands of the LanguageTool tab and its tools, under the names the
// main window's dispatch tables use.
#pragma once

void register_languagetool_commands();
