#include "kit/command_registry.h"

#include <gtest/gtest.h>

#include <vector>

class CommandRegistry : public ::testing::Test {
 protected:
  void TearDown() override { clear_command_registry(); }
};

TEST_F(CommandRegistry, RunsTheCommandOfItsKindAndNumber) {
  std::vector<int> ran;
  register_command(command_kind::menu_item, 8, [&](const command_event& e) { ran.push_back(e.tab); });
  register_command(command_kind::gadget, 8, [&](const command_event&) { ran.push_back(-8); });
  command_event e;
  e.tab = 3;
  EXPECT_TRUE(run_command(command_kind::menu_item, 8, e));
  EXPECT_FALSE(run_command(command_kind::menu_item, 9, e));
  EXPECT_FALSE(run_command(command_kind::shortcut, 8, e));
  EXPECT_EQ(ran, (std::vector<int>{3}));
  EXPECT_TRUE(run_command(command_kind::gadget, 8, e));
  EXPECT_EQ(ran, (std::vector<int>{3, -8}));
}

TEST_F(CommandRegistry, ReplacingAndRemoving) {
  int which = 0;
  register_command(command_kind::shortcut, 1002, [&](const command_event&) { which = 1; });
  register_command(command_kind::shortcut, 1002, [&](const command_event&) { which = 2; });
  run_command(command_kind::shortcut, 1002, {});
  EXPECT_EQ(which, 2);
  register_command(command_kind::shortcut, 1002, nullptr);
  EXPECT_FALSE(has_command(command_kind::shortcut, 1002));
}

TEST_F(CommandRegistry, ACommandMayReplaceItselfWhileRunning) {
  int runs = 0;
  register_command(command_kind::menu_item, 16, [&](const command_event&) {
    ++runs;
    register_command(command_kind::menu_item, 16, nullptr);
  });
  EXPECT_TRUE(run_command(command_kind::menu_item, 16, {}));
  EXPECT_FALSE(run_command(command_kind::menu_item, 16, {}));
  EXPECT_EQ(runs, 1);
}

TEST_F(CommandRegistry, RefreshesRunInStageAndRegistrationOrder) {
  std::vector<int> order;
  register_pass_refresh(pass_stage::tab_labels, "labels", [&] { order.push_back(3); });
  register_pass_refresh(pass_stage::control_states, "first", [&] { order.push_back(1); });
  register_pass_refresh(pass_stage::control_states, "second", [&] { order.push_back(2); });
  run_pass_refresh(pass_stage::control_states);
  run_pass_refresh(pass_stage::tab_labels);
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

// A part installed again (each window test sets the program up anew) keeps
// one refresh per stage, and the same name in another stage is another one.
TEST_F(CommandRegistry, AnOwnerRegisteringAgainReplacesItsRefresh) {
  std::vector<int> order;
  register_pass_refresh(pass_stage::control_states, "dispatch", [&] { order.push_back(1); });
  register_pass_refresh(pass_stage::control_states, "other", [&] { order.push_back(2); });
  register_pass_refresh(pass_stage::tab_labels, "dispatch", [&] { order.push_back(4); });
  register_pass_refresh(pass_stage::control_states, "dispatch", [&] { order.push_back(3); });
  run_pass_refresh(pass_stage::control_states);
  run_pass_refresh(pass_stage::tab_labels);
  EXPECT_EQ(order, (std::vector<int>{3, 2, 4}));
  order.clear();
  register_pass_refresh(pass_stage::control_states, "dispatch", nullptr);
  run_pass_refresh(pass_stage::control_states);
  EXPECT_EQ(order, (std::vector<int>{2}));
}
