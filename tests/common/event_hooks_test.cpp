#include "common/event_hooks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Each step is an owner setting its hook (empty: "-" removes it); the runs
// show which hooks the list holds and in what order.
TEST(OwnedHooks, EachOwnerKeepsOneHookInItsFirstPlace) {
  struct step {
    const char* owner;
    const char* hook;  // what it appends when run; nullptr: the owner's hook is removed
  };
  struct Case {
    const char* name;
    std::vector<step> steps;
    std::string ran;
  } cases[] = {
      {"registration order", {{"a", "1"}, {"b", "2"}, {"c", "3"}}, "123"},
      {"again: replaced in place", {{"a", "1"}, {"b", "2"}, {"a", "x"}}, "x2"},
      {"removed", {{"a", "1"}, {"b", "2"}, {"a", nullptr}}, "2"},
      {"removed, then last", {{"a", "1"}, {"b", "2"}, {"a", nullptr}, {"a", "y"}}, "2y"},
      {"removing a stranger", {{"a", "1"}, {"z", nullptr}}, "1"},
  };
  for (const Case& c : cases) {
    owned_hooks hooks;
    std::string ran;
    for (const step& s : c.steps) {
      if (s.hook) {
        hooks.set(s.owner, [&ran, text = std::string(s.hook)] { ran += text; });
      } else {
        hooks.set(s.owner, nullptr);
      }
    }
    hooks.run();
    EXPECT_EQ(ran, c.ran) << c.name;
    EXPECT_EQ(hooks.size(), c.ran.size()) << c.name;
  }
  owned_hooks hooks;
  int runs = 0;
  hooks.set("a", [&runs] { ++runs; });
  hooks.remove("a");
  hooks.run();
  EXPECT_EQ(runs, 0);
}

}  // namespace
