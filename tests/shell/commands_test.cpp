#include "shell/commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace tarnwick {
namespace {

std::set<int> EnabledIn(const MenuStateInput& in, bool main_menu_only) {
  std::set<int> enabled;
  for (const CommandState& s : UpdateMenuState(in)) {
    if (!s.enabled) continue;
    if (main_menu_only && std::find(kMainMenuCommands.begin(), kMainMenuCommands.end(),
                                    s.command) == kMainMenuCommands.end()) {
      continue;
    }
    enabled.insert(static_cast<int>(s.command));
  }
  return enabled;
}

std::set<int> Union(std::set<int> a, const std::set<int>& b) {
  a.insert(b.begin(), b.end());
  return a;
}

// Commands the rule never greys.
const std::set<int> kAlways = {101, 105, 109, 110, 128, 143, 144, 161, 162, 163, 164,
                               165, 166, 181, 182, 183, 184, 301, 302, 303, 304};
const std::set<int> kWithRoot = {102, 103, 106, 107, 112, 113, 129};
const std::set<int> kWithMenu = {104, 108, 121, 122, 123, 124, 125, 126, 127,
                                 130, 135, 136, 137, 138, 139, 140, 141, 142};

MenuStateInput State(bool root, bool menu) {
  MenuStateInput in;
  in.tree_root_exists = root;
  in.menu_present = menu;
  return in;
}

TEST(CommandsTest, EveryCommandFollowsTheRule) {
  MenuStateInput with_previous = State(true, true);
  with_previous.previous_results_exist = true;
  MenuStateInput with_search = State(true, true);
  with_search.previous_search_exists = true;
  MenuStateInput search_without_menu = State(true, false);
  search_without_menu.previous_search_exists = true;
  MenuStateInput previous_only;
  previous_only.previous_results_exist = true;

  struct Case {
    const char* name;
    MenuStateInput in;
    std::set<int> enabled;
  };
  const Case cases[] = {
      {"nothing open", State(false, false), kAlways},
      {"a set without Areas", State(true, false), Union(kAlways, kWithRoot)},
      {"a menu", State(true, true), Union(Union(kAlways, kWithRoot), kWithMenu)},
      {"previous results", with_previous,
       Union(Union(Union(kAlways, kWithRoot), kWithMenu), {111})},
      {"previous results alone", previous_only, Union(kAlways, {111})},
      {"a previous search", with_search, Union(Union(Union(kAlways, kWithRoot), kWithMenu), {131})},
      {"a previous search without a menu", search_without_menu, Union(kAlways, kWithRoot)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(EnabledIn(c.in, false), c.enabled);
  }
}

TEST(CommandsTest, MainMenuBeforeAnySetIsOpened) {
  EXPECT_EQ(EnabledIn(State(false, false), true),
            (std::set<int>{101, 105, 109, 110, 143, 144, 161, 162, 164, 165, 182, 183, 184}));
}

TEST(CommandsTest, SetWithoutAreasEnablesOnlyTheSetCommands) {
  const MenuStateInput in = State(true, false);
  for (int on : {102, 103, 106, 107, 112, 113, 129}) {
    EXPECT_TRUE(IsCommandEnabled(static_cast<Command>(on), in)) << on;
  }
  for (int off : {104, 108, 130, 131, 132, 133, 121, 122, 123, 124, 125, 126, 127, 135, 141, 142}) {
    EXPECT_FALSE(IsCommandEnabled(static_cast<Command>(off), in)) << off;
  }
}

TEST(CommandsTest, UndoAndRedoFollowTheHistoryInEveryPane) {
  struct Case {
    bool menu, undo, redo;
  };
  const Case cases[] = {{true, true, false},
                        {true, false, true},
                        {true, true, true},
                        {true, false, false},
                        {false, true, true}};
  for (const Case& c : cases) {
    for (FocusPane focus :
         {FocusPane::kTree, FocusPane::kDetails, FocusPane::kVis, FocusPane::kOther}) {
      MenuStateInput in = State(true, c.menu);
      in.focus = focus;
      in.undo_available = c.undo;
      in.redo_available = c.redo;
      EXPECT_EQ(IsCommandEnabled(Command::kUndoLastEdit, in), c.menu && c.undo);
      EXPECT_EQ(IsCommandEnabled(Command::kRedo, in), c.menu && c.redo);
    }
  }
}

TEST(CommandsTest, OnlyListedNumbersAreCommands) {
  for (Command c : kAllCommands) EXPECT_TRUE(IsValidCommand(static_cast<int>(c)));
  for (int n : {0, 100, 114, 120, 150, 145, 160, 167, 180, 185, 300, 305, -101, 65637}) {
    EXPECT_FALSE(IsValidCommand(n)) << n;
  }
}

TEST(CommandsTest, ToolTips) {
  struct Case {
    int number;
    const char* text;
  };
  const Case cases[] = {
      {101, "Open scenery set"},
      {104, "Print ..."},
      {130, "Search for text in list ..."},
      {132, "Undo last edit or rename"},
      {144, "Show &additional fields"},
      {165, "Show minutes and seconds"},
      {181, "Display help index"},
      {182, "Help"},
      {105, ""},
      {128, ""},
      {301, ""},
      {999, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ToolTipText(c.number), c.text) << c.number;
}

TEST(CommandsTest, ContextMenuRules) {
  EXPECT_FALSE(DetailsPopupEditEnabled(-1));
  EXPECT_FALSE(DetailsPopupEditEnabled(4));
  EXPECT_TRUE(DetailsPopupEditEnabled(5));
  EXPECT_TRUE(DetailsPopupEditEnabled(14));

  const VisPopupState none = VisPopupItems(false, false);
  EXPECT_FALSE(none.toggle_enabled);
  EXPECT_FALSE(none.update_enabled);
  EXPECT_TRUE(none.open_enabled);
  const VisPopupState both = VisPopupItems(true, true);
  EXPECT_TRUE(both.toggle_enabled);
  EXPECT_TRUE(both.update_enabled);
}

}  // namespace
}  // namespace tarnwick
