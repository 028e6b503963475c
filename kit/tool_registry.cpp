#include "kit/tool_registry.h"

#include <algorithm>
#include <utility>

tool_registry::tool_registry(std::vector<tool_registration> table) : tools_(std::move(table)) {}

void tool_registry::add(tool_registration tool) {
  // A shortcut runs one tool: the newest registration takes it.
  if (tool.shortcut != 0) {
    for (tool_registration& r : tools_) {
      if (r.shortcut == tool.shortcut) r.shortcut = 0;
    }
  }
  const auto it = std::find_if(tools_.begin(), tools_.end(),
                               [&](const tool_registration& r) { return r.menu_item == tool.menu_item; });
  if (it != tools_.end()) {
    *it = std::move(tool);
  } else {
    tools_.push_back(std::move(tool));
  }
}

bool tool_registry::set_command(int menu_item, tool_command command, tool_command preparation) {
  for (tool_registration& r : tools_) {
    if (r.menu_item != menu_item) continue;
    r.command = std::move(command);
    r.preparation = std::move(preparation);
    return true;
  }
  return false;
}

const tool_registration* tool_registry::find(int menu_item) const {
  for (const tool_registration& r : tools_) {
    if (r.menu_item == menu_item) return &r;
  }
  return nullptr;
}

const tool_registration* tool_registry::find_by_shortcut(int shortcut) const {
  if (shortcut == 0) return nullptr;
  for (const tool_registration& r : tools_) {
    if (r.shortcut == shortcut) return &r;
  }
  return nullptr;
}

bool tool_enabled_now(const tool_registration& tool, int tab, bool savable) {
  switch (tool.enabled) {
    case tool_enabled::always: return true;
    case tool_enabled::never: return false;
    case tool_enabled::on_tab: return tab == tool.tab;
    case tool_enabled::savable: return savable;
  }
  return false;
}
