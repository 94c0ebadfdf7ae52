#include "tree/auto_scroll.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(AutoScrollTest, ScrollsNearAndBeyondTheEdgesAndStopsInTheMiddle) {
  const ClientArea client{0, 0, 200, 300};
  const int cy = 17;  // margin 34: slow above y 34 and below y 266
  struct Case {
    int x, y;
    AutoScrollAction action;
    ScrollDirection direction;
    int period;
  };
  using A = AutoScrollAction;
  using D = ScrollDirection;
  const Case cases[] = {
      {50, 0, A::kScroll, D::kLineUp, 250},
      {50, 33, A::kScroll, D::kLineUp, 250},
      {50, 34, A::kStop, D::kLineUp, 0},
      {50, 150, A::kStop, D::kLineUp, 0},
      {50, 266, A::kStop, D::kLineUp, 0},
      {50, 267, A::kScroll, D::kLineDown, 250},
      {50, 299, A::kScroll, D::kLineDown, 250},
      {50, -1, A::kScroll, D::kLineUp, 100},
      {-40, -500, A::kScroll, D::kLineUp, 100},
      {50, 301, A::kScroll, D::kLineDown, 100},
      {250, 900, A::kScroll, D::kLineDown, 100},
      // On the bottom edge itself (outside) and beside the pane: the timer is left alone.
      {50, 300, A::kKeep, D::kLineUp, 0},
      {250, 10, A::kKeep, D::kLineUp, 0},
      {-1, 150, A::kKeep, D::kLineUp, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
    AutoScrollDecision d = CheckAutoScroll(client, c.x, c.y, cy, true);
    EXPECT_EQ(d.action, c.action);
    if (c.action == A::kScroll) {
      EXPECT_EQ(d.direction, c.direction);
      EXPECT_EQ(d.period_ms, c.period);
    }
  }
}

TEST(AutoScrollTest, BeyondTheEdgeTheSpeedGrowsWithTheDistance) {
  const ClientArea client{0, 0, 200, 400};  // 20 lines of 20 pixels
  struct Case {
    int y;
    int lines;  // a tick, every 100 ms
  };
  const Case cases[] = {
      {-1, 1},  {401, 1},                              // just beyond: a line a tick
      {-30, 2}, {430, 2},                              // a screen (20 lines) a second
      {-60, 8}, {-90, 18}, {-300, 200}, {-2000, 200},  // at most ten screens a tick
  };
  for (const Case& c : cases) {
    AutoScrollDecision d = CheckAutoScroll(client, 50, c.y, 17, true, 20);
    EXPECT_EQ(d.action, AutoScrollAction::kScroll) << c.y;
    EXPECT_EQ(d.lines, c.lines) << c.y;
  }
  // A screen of 39 lines, as a real window holds: about a screen a second still, not 30 lines.
  EXPECT_EQ(CheckAutoScroll({0, 0, 200, 390}, 50, 420, 17, true, 10).lines, 4);
  EXPECT_EQ(CheckAutoScroll({0, 0, 200, 390}, 50, 415, 17, true, 10).lines, 3);
  // Inside the margin it stays slow: a line a tick.
  EXPECT_EQ(CheckAutoScroll(client, 50, 5, 17, true, 20).lines, 1);
}

TEST(AutoScrollTest, WithoutAScrollRangeNothingChanges) {
  const ClientArea client{0, 0, 200, 300};
  for (int y : {-50, 5, 150, 295, 400}) {
    EXPECT_EQ(CheckAutoScroll(client, 50, y, 17, false).action, AutoScrollAction::kKeep);
  }
}

}  // namespace
}  // namespace tarnwick
