#include "tree/search.h"

#include <gtest/gtest.h>

#include "support/tree_session.h"

namespace tarnwick {
namespace {

using testing::AreaSpec;
using testing::TreeSession;

TEST(MatchItemTest, FindsTheLongestLeadingPartOfTheTextIgnoringCase) {
  struct Case {
    const char* text;
    const char* label;
    bool partial;
    int best_before;
    bool full;
    int best_after;
  };
  const Case cases[] = {
      {"ab", "Cabot", false, 0, true, 2},
      {"AB", "cabot", false, 0, true, 2},
      {"abc", "ab", false, 0, false, 0},  // shorter than the text never matches without partial
      {"abc", "xab", true, 0, false, 2},
      {"abx", "zzab", true, 0, false, 2},
      {"Heathrow Airport", "Heath Row", true, 0, false, 5},
      {"Heathrow Airport", "Heathrow", true, 0, false, 8},
      {"Heathrow Airport", "Heath Row", true, 8, false, 8},  // cannot beat the best so far
      {"Heathrow Airport", "Hea", true, 2, false, 3},
      {"xyz", "abcdef", true, 0, false, 0},
      {"a-b", "A-B-C", true, 0, true, 3},  // only letters change case
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " in " + c.label);
    TreeSession t(testing::Menu{{c.label, {}}});
    SearchState search;
    search.text = c.text;
    search.text_length = static_cast<int>(search.text->size());
    search.best_length = c.best_before;
    TreeNode item = t.Node(c.label);
    EXPECT_EQ(MatchItem(t.tree, search, c.partial, item), c.full);
    EXPECT_EQ(search.best_length, c.best_after);
    EXPECT_EQ(search.best_item, c.best_after > c.best_before ? item : nullptr);
  }
}

// A search step after the dialog: the text is set and the step starts at the root item or at the
// selection.
void StartSearch(TreeSession& t, const std::string& text, bool start_at_sel) {
  SearchDialogOutcome outcome;
  outcome.search = true;
  outcome.box_text = text;
  outcome.wrap = t.options.search_wrap;
  outcome.partial = t.options.search_partial;
  outcome.start_at_sel = start_at_sel;
  ASSERT_TRUE(ApplySearchDialog(t.session, outcome));
  FindNext(t.session);
}

TEST(FindNextTest, SelectsTheBestPartialMatchFirstMetAmongEquals) {
  struct Case {
    std::vector<std::string> labels;
    const char* text;
    const char* found;
  };
  const Case cases[] = {
      {{"Heathrow", "Heath Row", "Hea"}, "Heathrow Airport", "Heathrow"},
      {{"Hea", "Heath Row", "Heathrow"}, "Heathrow Airport", "Heathrow"},
      {{"Heath A", "Heath B"}, "Heathrow Airport", "Heath A"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.found);
    TreeSession t(testing::Menu{{"London", c.labels}});
    StartSearch(t, c.text, false);
    EXPECT_EQ(t.SelectedLabel(), c.found);
    EXPECT_EQ(t.tree.last_ensured_visible, t.tree.Selected());
    EXPECT_EQ(t.host.tree_focus_requests, 1);
  }
}

TEST(FindNextTest, WithoutWrapAndNoMatchTheSelectionStays) {
  TreeSession t(testing::Menu{{"A", {"alpha", "beta"}}});
  t.options.search_wrap = false;
  t.options.search_partial = false;
  t.Click("beta");
  StartSearch(t, "gamma", true);
  EXPECT_EQ(t.SelectedLabel(), "beta");
  EXPECT_EQ(t.host.tree_focus_requests, 1);
  EXPECT_EQ(t.host.status_notes, std::vector<std::string>{"\"gamma\" not found"});
  StartSearch(t, "alpha", false);  // from the top
  EXPECT_EQ(t.SelectedLabel(), "alpha");
  EXPECT_EQ(t.host.status_notes.size(), 1u) << "a match says nothing";
}

TEST(FindNextTest, RepeatedStepsWithWrapComeBackToTheFirstMatch) {
  TreeSession t(
      testing::Menu{{"A", {"x airport", "y"}}, {"B", {"z airport"}}, {"C", {"Airport w"}}});
  t.Click("World.vis");
  StartSearch(t, "airport", true);
  std::vector<std::string> found = {t.SelectedLabel()};
  for (int i = 0; i < 3; ++i) {
    FindNext(t.session);
    found.push_back(t.SelectedLabel());
  }
  EXPECT_EQ(found, (std::vector<std::string>{"x airport", "z airport", "Airport w", "x airport"}));
}

TEST(FindNextTest, WithoutWrapEachStepNeedsAMatchAsLongAsTheLast) {
  TreeSession t(testing::Menu{{"London", {"Heathrow", "Heath", "heathrow"}}});
  t.options.search_wrap = false;
  StartSearch(t, "Heathrow Airport", false);
  EXPECT_EQ(t.SelectedLabel(), "Heathrow");
  FindNext(t.session);
  EXPECT_EQ(t.SelectedLabel(), "heathrow");  // "Heath" is too short to follow
  FindNext(t.session);
  EXPECT_EQ(t.SelectedLabel(), "heathrow");
}

TEST(FindNextTest, StartingAtTheRootSearchesOnlyDownToTheSelection) {
  for (bool start_at_sel : {false, true}) {
    TreeSession t(testing::Menu{{"A", {"alpha", "beta"}}, {"B", {"gamma", "target"}}});
    t.options.search_wrap = false;
    t.options.search_partial = false;
    t.Click("beta");
    StartSearch(t, "target", start_at_sel);
    EXPECT_EQ(t.SelectedLabel(), start_at_sel ? "target" : "beta");
  }
}

TEST(FindNextTest, WithNothingSelectedAWrappingStepEndsAfterOnePass) {
  struct Case {
    bool partial;
    const char* text;
    const char* found;
  };
  const Case cases[] = {
      {false, "nowhere", "<none>"},
      {true, "betamax", "beta"},
      {false, "beta", "beta"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TreeSession t(testing::Menu{{"A", {"alpha", "beta"}}, {"B", {"gamma"}}});
    t.options.search_partial = c.partial;
    ASSERT_EQ(t.tree.Selected(), nullptr);
    StartSearch(t, c.text, false);
    EXPECT_EQ(t.SelectedLabel(), c.found);
    EXPECT_FALSE(t.session.tree_state.search.searching);
  }
}

TEST(FindNextTest, AFoundItemThatWasDeletedIsNotSelectedAgain) {
  TreeSession t(testing::Menu{{"A", {"alpha", "zzz"}}, {"B", {"gamma"}}});
  t.options.search_partial = false;
  t.Click("World.vis");
  StartSearch(t, "zzz", true);
  ASSERT_EQ(t.SelectedLabel(), "zzz");
  DeleteEntry(t.session, EntryKind::kAny);
  ASSERT_EQ(t.SelectedLabel(), "B");
  FindNext(t.session);
  EXPECT_EQ(t.SelectedLabel(), "B");
}

TEST(FindNextTest, DoesNothingWithoutAText) {
  TreeSession t(testing::Menu{{"A", {"alpha"}}});
  t.Click("alpha");
  FindNext(t.session);
  EXPECT_EQ(t.SelectedLabel(), "alpha");
  EXPECT_EQ(t.host.tree_focus_requests, 0);
}

TEST(SearchDialogTest, StoresTheOptionsAndTheTextItWasGiven) {
  struct Case {
    const char* name;
    std::optional<std::string> text_before;
    bool search;
    std::string box;
    bool steps;
    std::optional<std::string> text_after;
  };
  const Case cases[] = {
      {"search", std::nullopt, true, "Heathrow", true, "Heathrow"},
      {"search replaces", "old", true, "new", true, "new"},
      {"empty box searches again", "old", true, "", true, "old"},
      {"empty box, no text", std::nullopt, true, "", false, std::nullopt},
      {"cancel", "old", false, "new", false, "old"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TreeSession t(testing::Menu{{"A", {"alpha"}}});
    SearchState& search = t.session.tree_state.search;
    search.text = c.text_before;
    search.best_length = 4;
    SearchDialogOutcome outcome{c.search, c.box, false, false, false};
    EXPECT_EQ(ApplySearchDialog(t.session, outcome), c.steps);
    EXPECT_EQ(search.text, c.text_after);
    // The check boxes are stored whichever button ended the dialog.
    EXPECT_FALSE(t.options.search_wrap || t.options.search_start_at_sel ||
                 t.options.search_partial);
    if (c.steps) {
      EXPECT_EQ(search.best_length, 0);
      EXPECT_EQ(search.start_item, t.tree.Root());
    } else {
      EXPECT_EQ(search.best_length, 4);
    }
  }
}

TEST(SearchDialogTest, StartAfterSelectionLeavesTheStartToTheSelection) {
  TreeSession t(testing::Menu{{"A", {"alpha"}}});
  SearchDialogOutcome outcome{true, "alpha", true, true, true};
  ASSERT_TRUE(ApplySearchDialog(t.session, outcome));
  EXPECT_EQ(t.session.tree_state.search.start_item, nullptr);
}

TEST(SearchAvailableTest, NeedsTheRootAndAnArea) {
  TreeSession empty;
  EXPECT_FALSE(SearchAvailable(empty.tree));
  TreeSession bare(testing::Menu{});
  EXPECT_FALSE(SearchAvailable(bare.tree));
  TreeSession one(testing::Menu{{"A", {}}});
  EXPECT_TRUE(SearchAvailable(one.tree));
}

}  // namespace
}  // namespace tarnwick
