// Commands of the program by name, with their arguments, so that the
// dispatch tables name what they call and each part registers its own.
// (Rebuilt from shell_commands.cpp after an accidental overwrite; its owner
// may replace it.)
#pragma once

#include "common/text.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct shell_command_args {
  text_t text;
  std::vector<int64_t> numbers;
  bool operator==(const shell_command_args&) const = default;
};
using shell_command = std::function<void(const shell_command_args&)>;

// Registers (or replaces) a command; an empty command removes it.
void register_shell_command(std::string_view name, shell_command command);
bool has_shell_command(std::string_view name);
// Runs the command; false when none is registered under the name.
bool run_shell_command(std::string_view name, const shell_command_args& args);

// Yes/no questions about the state of other parts, by name.
void register_shell_query(std::string_view name, std::function<bool()> query);
// The query's answer, or the fallback when none is registered.
bool ask_shell_query(std::string_view name, bool fallback);

// Forgets every command and query (tests).
void clear_shell_commands();
