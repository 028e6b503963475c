// Commands of the program by name, with their arguments, so that the
// dispatch tables name what they call and each part registers its own.
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

// Forgets every command (tests).
void clear_shell_commands();
