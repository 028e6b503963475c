#include "shell/tool_registry.h"

#include <algorithm>
#include <utility>

namespace {

std::vector<tool_registration>& tools() {
  static std::vector<tool_registration> t = program_tools();
  return t;
}

}  // namespace

dispatch_call command_call(std::string name, std::vector<int64_t> numbers, text_t text) {
  return dispatch_call{std::move(name), shell_command_args{std::move(text), std::move(numbers)}};
}

const std::vector<tool_registration>& registered_tools() { return tools(); }

void register_tool(tool_registration tool) {
  auto& t = tools();
  // A shortcut runs one tool: the newest registration takes it.
  if (tool.shortcut != 0) {
    for (tool_registration& r : t) {
      if (r.shortcut == tool.shortcut) r.shortcut = 0;
    }
  }
  const auto it =
      std::find_if(t.begin(), t.end(), [&](const tool_registration& r) { return r.menu_item == tool.menu_item; });
  if (it != t.end()) {
    *it = std::move(tool);
  } else {
    t.push_back(std::move(tool));
  }
}

const tool_registration* find_tool(int menu_item) {
  for (const tool_registration& r : tools()) {
    if (r.menu_item == menu_item) return &r;
  }
  return nullptr;
}

const tool_registration* find_tool_by_shortcut(int shortcut) {
  if (shortcut == 0) return nullptr;
  for (const tool_registration& r : tools()) {
    if (r.shortcut == shortcut) return &r;
  }
  return nullptr;
}

void reset_tool_registry() { tools() = program_tools(); }

bool tool_enabled_now(const tool_registration& tool, int tab, bool savable) {
  switch (tool.enabled) {
    case tool_enabled::always: return true;
    case tool_enabled::never: return false;
    case tool_enabled::on_tab: return tab == tool.tab;
    case tool_enabled::savable: return savable;
  }
  return false;
}
