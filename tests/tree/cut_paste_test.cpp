#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/tree_session.h"
#include "tree/tree_edits.h"

namespace tarnwick {
namespace {

using testing::AreaSpec;
using testing::TreeSession;

const std::vector<AreaSpec> kMenu = {{"A", {"a1", "a2"}}, {"B", {"b1", "b2"}}, {"C", {"c1"}}};
constexpr char kUnchanged[] = "A(a1 a2) B(b1 b2) C(c1)";

TEST(CutPasteTest, PastesAsDroppingOnTheSelectionWould) {
  struct Case {
    std::vector<const char*> cut;  // the first clicked, the others added with Ctrl
    const char* target;
    const char* menu_after;
    const char* selected;
    int beeps;
  };
  const Case cases[] = {
      {{"c1"}, "A", "A(c1 a1 a2) B(b1 b2) C()", "c1", 0},
      {{"a1"}, "b1", "A(a2) B(b1 a1 b2) C(c1)", "a1", 0},
      {{"C"}, "A", "A(a1 a2) C(c1) B(b1 b2)", "C", 0},  // after, never merged
      {{"C"}, "World.vis", "C(c1) A(a1 a2) B(b1 b2)", "C", 0},
      {{"a1", "c1"}, "b2", "A(a2) B(b1 b2 a1 c1) C()", "c1", 0},
      {{"a2", "c1"}, "B", "A(a1) B(a2 c1 b1 b2) C()", "c1", 0},
      {{"A", "C"}, "B", "B(b1 b2) A(a1 a2) C(c1)", "C", 0},
      // Pairs the drop table leaves alone, and pastes into what is being moved.
      {{"B"}, "a1", kUnchanged, "a1", 1},
      {{"a1"}, "World.vis", kUnchanged, "World.vis", 1},
      {{"a1"}, "a1", kUnchanged, "a1", 1},
      {{"A"}, "a2", kUnchanged, "a2", 1},
  };
  for (const Case& c : cases) {
    std::string cut;
    for (const char* label : c.cut) cut += std::string(label) + " ";
    SCOPED_TRACE("cut " + cut + "onto " + c.target);
    TreeSession t(kMenu);
    t.Click(c.cut[0]);
    for (size_t i = 1; i < c.cut.size(); ++i) t.Click(c.cut[i], {false, true});
    ASSERT_GT(CutItems(t.session), 0u);
    EXPECT_EQ(testing::Describe(t.tree), kUnchanged) << "nothing moves before the paste";
    t.Click(c.target);
    t.set.results_saved = true;
    PasteItems(t.session);
    EXPECT_EQ(testing::Describe(t.tree), c.menu_after);
    EXPECT_EQ(t.SelectedLabel(), c.selected);
    EXPECT_EQ(t.host.beeps, c.beeps);
    EXPECT_TRUE(t.host.questions.empty());
    EXPECT_EQ(t.set.results_saved, c.beeps != 0);
  }
}

TEST(CutPasteTest, ALocationOfACutAreaGoesWithIt) {
  TreeSession t(kMenu);
  t.Click("B");  // marks B with b1 and b2
  EXPECT_EQ(CutItems(t.session), 1u);
  t.Click("C");
  PasteItems(t.session);
  EXPECT_EQ(testing::Describe(t.tree), "A(a1 a2) C(c1) B(b1 b2)");
}

TEST(CutPasteTest, NothingToCutOrPasteBeeps) {
  TreeSession t(kMenu);
  EXPECT_EQ(CutItems(t.session), 0u);
  EXPECT_EQ(PasteItems(t.session), nullptr);
  EXPECT_EQ(t.host.beeps, 2);
  // The cut is used up by its paste.
  t.Click("a1");
  CutItems(t.session);
  t.Click("b1");
  PasteItems(t.session);
  t.Click("C");
  EXPECT_EQ(PasteItems(t.session), nullptr);
  EXPECT_EQ(t.host.beeps, 3);
  EXPECT_EQ(testing::Describe(t.tree), "A(a2) B(b1 a1 b2) C(c1)");
}

TEST(CutPasteTest, ACutItemThatWentIsForgotten) {
  TreeSession t(kMenu);
  t.Click("a1");
  t.Click("c1", {false, true});
  CutItems(t.session);
  t.Click("C");
  t.host.answers = {true};
  DeleteEntry(t.session, EntryKind::kAny);
  t.Click("b2");
  PasteItems(t.session);
  EXPECT_EQ(testing::Describe(t.tree), "A(a2) B(b1 b2 a1)");
}

TEST(CutPasteTest, APasteIsOneStepUndoneAndRedoneWhole) {
  TreeSession t(kMenu);
  t.Click("a1");
  t.Click("c1", {false, true});
  CutItems(t.session);
  t.Click("B");
  PasteItems(t.session);
  const std::string pasted = testing::Describe(t.tree);
  ASSERT_EQ(pasted, "A(a2) B(a1 c1 b1 b2) C()");
  EXPECT_EQ(testing::MarkedLabels(t.tree), "c1");
  EditHistory& history = t.session.tree_state.history;
  EXPECT_EQ(history.UndoLevels(), 1u);
  EXPECT_EQ(history.NextUndo(), EditKind::kPaste);
  ASSERT_TRUE(history.Undo(t.session));
  EXPECT_EQ(testing::Describe(t.tree), kUnchanged);
  EXPECT_EQ(t.SelectedLabel(), "B");
  EXPECT_EQ(testing::MarkedLabels(t.tree), "B b1 b2");
  ASSERT_TRUE(history.Redo(t.session));
  EXPECT_EQ(testing::Describe(t.tree), pasted);
  EXPECT_EQ(t.SelectedLabel(), "c1");
}

}  // namespace
}  // namespace tarnwick
