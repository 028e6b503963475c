#include "kit/command_registry.h"

#include "common/event_hooks.h"

#include <array>
#include <map>
#include <utility>
#include <vector>

namespace {

struct registry {
  std::map<std::pair<int, int>, command_handler> commands;
  std::array<command_handler, 7> hooks;
  std::array<owned_hooks, 3> refreshes;
  std::function<void(update_check_start)> update_check;
};

registry& the_registry() {
  static registry r;
  return r;
}

}  // namespace

void register_command(command_kind kind, int id, command_handler handler) {
  auto& commands = the_registry().commands;
  const auto key = std::make_pair(static_cast<int>(kind), id);
  if (handler) {
    commands[key] = std::move(handler);
  } else {
    commands.erase(key);
  }
}

bool has_command(command_kind kind, int id) {
  return the_registry().commands.count({static_cast<int>(kind), id}) != 0;
}

bool run_command(command_kind kind, int id, const command_event& event) {
  auto& commands = the_registry().commands;
  const auto it = commands.find({static_cast<int>(kind), id});
  if (it == commands.end()) return false;
  // A copy: the command may replace itself while it runs.
  const command_handler handler = it->second;
  handler(event);
  return true;
}

void register_event_hook(event_hook slot, command_handler handler) {
  the_registry().hooks[static_cast<size_t>(slot)] = std::move(handler);
}

void run_event_hook(event_hook slot, const command_event& event) {
  const command_handler handler = the_registry().hooks[static_cast<size_t>(slot)];
  if (handler) handler(event);
}

void register_pass_refresh(pass_stage stage, std::string_view owner, std::function<void()> refresh) {
  the_registry().refreshes[static_cast<size_t>(stage)].set(owner, std::move(refresh));
}

void run_pass_refresh(pass_stage stage) { the_registry().refreshes[static_cast<size_t>(stage)].run(); }

void register_automatic_update_check(std::function<void(update_check_start)> check) {
  the_registry().update_check = std::move(check);
}

void run_automatic_update_check(update_check_start start) {
  const auto check = the_registry().update_check;
  if (check) check(start);
}

void clear_command_registry() { the_registry() = registry{}; }
