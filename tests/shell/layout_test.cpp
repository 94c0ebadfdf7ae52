#include "shell/layout.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <utility>

namespace tarnwick {

void PrintTo(const PaneRect& r, std::ostream* os) {
  *os << "{" << r.left << "," << r.top << " " << r.width << "x" << r.height << "}";
}

namespace {

TEST(LayoutTest, DetailsHeightsTruncateTheirHalves) {
  struct Case {
    int32_t row;
    int32_t ten, fifteen, vis;
  };
  const Case cases[] = {{16, 200, 280, 56}, {17, 212, 297, 59}, {0, 0, 0, 0}};
  for (const Case& c : cases) {
    const DetailsHeights h = ComputeDetailsHeights(c.row);
    EXPECT_EQ(h.ten_rows, c.ten) << c.row;
    EXPECT_EQ(h.fifteen_rows, c.fifteen) << c.row;
    EXPECT_EQ(h.vis_minimum, c.vis) << c.row;
  }
}

// Rows 17 pixels high: P = 212 (297 with all fields), M = 59.
LayoutInput Window(int32_t client_height, bool show_all = false) {
  LayoutInput in;
  in.client_width = 800;
  in.client_height = client_height;
  in.toolbar_height = 26;
  in.status_bar_height = 20;
  in.tree_width = 400;
  in.details = ComputeDetailsHeights(17);
  in.show_all_fields = show_all;
  return in;
}

TEST(LayoutTest, DetailsPaneGivesWayToTheVisPane) {
  struct Case {
    const char* name;
    LayoutInput in;
    int32_t details;  // height; the VIS pane has the rest of H
    int32_t pane_height;
  };
  const Case cases[] = {
      {"room for ten rows", Window(600), 212, 554},
      {"room for fifteen rows", Window(600, true), 297, 554},
      {"exactly P + M", Window(271 + 46), 212, 271},
      {"H below P + M gives H - M", Window(250 + 46), 191, 250},
      {"H equal to M gives nothing", Window(59 + 46), 0, 59},
      {"H below M gives H / 2", Window(41 + 46), 20, 41},
      {"bars taller than the client area", Window(30), 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const RightPanesLayout out = LayoutRightPanes(c.in);
    EXPECT_EQ(out.details_height, c.details);
    EXPECT_EQ(out.details, (PaneRect{400, 26, 400, c.details}));
    EXPECT_EQ(out.vis, (PaneRect{400, 26 + c.details, 400, c.pane_height - c.details}));
  }
}

TEST(LayoutTest, RelayoutPlacesTheTreeBelowTheToolbar) {
  const Layout out = Relayout(Window(600));
  EXPECT_EQ(out.tree, (PaneRect{0, 26, 400, 554}));
  EXPECT_EQ(out.tree_width, 400);
  EXPECT_EQ(out.tree_height, 554);
  EXPECT_EQ(out.right.details, (PaneRect{400, 26, 400, 212}));

  LayoutInput bare = Window(600);
  bare.toolbar_height = bare.status_bar_height = 0;
  EXPECT_EQ(Relayout(bare).tree, (PaneRect{0, 0, 400, 600}));
}

TEST(LayoutTest, NarrowClientAreaGivesTheTreeAllOfItAndKeepsIt) {
  LayoutInput in = Window(600);
  in.client_width = 300;
  Layout out = Relayout(in);
  EXPECT_EQ(out.tree_width, 300);
  EXPECT_EQ(out.tree, (PaneRect{0, 26, 300, 554}));
  EXPECT_EQ(out.right.details, (PaneRect{300, 26, 0, 212}));
  EXPECT_EQ(out.right.vis, (PaneRect{300, 238, 0, 342}));

  // Widening the window again does not give the tree its old width back.
  in.client_width = 800;
  in.tree_width = out.tree_width;
  out = Relayout(in);
  EXPECT_EQ(out.tree_width, 300);
  EXPECT_EQ(out.right.details.width, 500);
}

TEST(LayoutTest, InitialTreeWidth) {
  EXPECT_EQ(InitialTreeWidth(WindowRect{0, 0, 5000, 400}, 800, 0), 800);
  EXPECT_EQ(InitialTreeWidth(WindowRect{0, 0, 120, 400}, 800, 300), 120);
  EXPECT_EQ(InitialTreeWidth(std::nullopt, 801, 0), 400);
  EXPECT_EQ(InitialTreeWidth(std::nullopt, 800, 250), 250);
}

TEST(LayoutTest, StatusBarPartsAreFifthsOfTheWidth) {
  EXPECT_EQ(StatusBarPartEdges(803), (std::array<int32_t, 5>{160, 320, 480, 640, -1}));
  EXPECT_EQ(StatusBarPartEdges(1000), (std::array<int32_t, 5>{200, 400, 600, 800, -1}));
  EXPECT_EQ(StatusBarPartEdges(4), (std::array<int32_t, 5>{0, 0, 0, 0, -1}));
}

TEST(LayoutTest, DialogsAreCentredOverTheMainWindow) {
  struct Case {
    ScreenRect dialog, owner;
    ScreenPoint at;
  };
  const Case cases[] = {
      {{0, 0, 301, 201}, {100, 50, 900, 650}, {350, 250}},
      {{10, 10, 311, 211}, {-1000, -800, -199, -1}, {-750, -501}},
      {{0, 0, 900, 700}, {100, 100, 500, 400}, {-150, -100}},  // larger than its owner
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CentreOver(c.dialog, c.owner), c.at);
  }
}

TEST(LayoutTest, SizesScaleWithTheDpiAndComeBackForTheSettingsFile) {
  struct Case {
    int32_t at_96, dpi, scaled;
  };
  const Case cases[] = {
      {20, 96, 20},  {20, 120, 25}, {20, 144, 30}, {20, 192, 40},
      {28, 144, 42}, {7, 120, 9},                 // 8.75 rounds up
      {5, 144, 8},                                // 7.5: halves away from zero, as MulDiv
      {-5, 144, -8}, {0, 192, 0},   {20, 0, 20},  // a dpi the platform could not tell leaves the
                                                  // size alone
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ScaleToDpi(c.at_96, c.dpi), c.scaled) << c.at_96 << " at " << c.dpi;
  }
  // A width written at 144 dpi and read back at 192 keeps its look.
  EXPECT_EQ(ScaleFromDpi(600, 144), 400);
  EXPECT_EQ(ScaleToDpi(ScaleFromDpi(600, 144), 192), 800);
  EXPECT_EQ(Rescale(300, 96, 144), 450);
  EXPECT_EQ(ScaleToDpi(2'000'000'000, 192), INT32_MAX);
}

TEST(LayoutTest, PicturesComeAtTheLargestDrawnSizeThatFits) {
  const std::pair<int32_t, int32_t> cases[] = {{96, 16},  {120, 16}, {144, 24}, {168, 24},
                                               {192, 32}, {288, 32}, {0, 16}};
  for (auto [dpi, size] : cases) {
    EXPECT_EQ(PictureSize(PictureSizeStep(dpi)), size) << dpi;
  }
}

}  // namespace
}  // namespace tarnwick
