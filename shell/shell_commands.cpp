#include "shell/shell_commands.h"

#include <map>
#include <utility>

namespace {

struct named_registry {
  std::map<std::string, shell_command, std::less<>> commands;
};

named_registry& registry() {
  static named_registry r;
  return r;
}

}  // namespace

void register_shell_command(std::string_view name, shell_command command) {
  auto& commands = registry().commands;
  if (command) {
    commands[std::string(name)] = std::move(command);
  } else if (auto it = commands.find(name); it != commands.end()) {
    commands.erase(it);
  }
}

bool has_shell_command(std::string_view name) { return registry().commands.find(name) != registry().commands.end(); }

bool run_shell_command(std::string_view name, const shell_command_args& args) {
  const auto& commands = registry().commands;
  const auto it = commands.find(name);
  if (it == commands.end()) return false;
  // A copy: the command may register or remove commands while it runs.
  const shell_command command = it->second;
  command(args);
  return true;
}

void clear_shell_commands() { registry() = named_registry{}; }
