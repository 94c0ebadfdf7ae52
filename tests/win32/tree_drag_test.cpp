// Dragging in the tree pane, message by message as the control and the mouse deliver them: the
// start (TVN_BEGINDRAG from the tree), the main window's mouse moves and release while it holds
// the capture, the scroll timer and its message 1026, and the loss of the capture.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "resource.h"
#include "support/menu_builder.h"
#include "tree/tree_edits.h"
#include "tree/win32/tree_pane.h"
#include "win32/main_window_fixture.h"

namespace tarnwick::testing {
namespace {

constexpr char kMergeQuestion[] =
    "Proceed to merge areas? (Dragged one will be lost, but all attachments moved).";

const Menu kMenu = {
    {"Alpha", {"Heathrow", "Gatwick"}}, {"Bravo", {"Cabot"}}, {"Charlie", {"Dover"}}};
constexpr char kUnchanged[] = "Alpha(Heathrow Gatwick) Bravo(Cabot) Charlie(Dover)";

// The cursor's display count: below 0 while it is hidden.
int CursorCount() {
  ShowCursor(TRUE);
  return ShowCursor(FALSE);
}

class TreeDragTest : public MainWindowTest {
 protected:
  // The main window with `menu` loaded, every Area open, the set saved.
  void StartWith(const Menu& menu, int client_height = 600) {
    Start();
    ShowWindow(Main(), SW_SHOW);
    SetClientSize(800, client_height);
    Session& s = S();
    BuildMenu(s, menu);
    // The control opens no item before it has children.
    s.tree.Expand(s.tree.Root(), true);
    for (TreeNode a = s.tree.FirstChild(s.tree.Root()); a; a = s.tree.Next(a)) {
      s.tree.Expand(a, true);
    }
    ShowAreaCount(s);
    ShowLocationCount(s);
    s.set.results_saved = true;
    window->UpdateMenuState();
    DrainMessages();
  }
  Session& S() { return window->GetSession(); }
  HWND TreeWindow() { return GetDlgItem(Main(), 1003); }
  win32::TreePane& Pane() { return *window->GetTreePane(); }
  TreeNode N(std::string_view label) { return FindLabel(S().tree, label); }
  std::string SelectedLabel() {
    TreeNode n = S().tree.Selected();
    return n ? S().tree.Label(n) : "<none>";
  }
  TreeNode DropHighlight() {
    return NodeOf(reinterpret_cast<HTREEITEM>(
        SendMessageA(TreeWindow(), TVM_GETNEXTITEM, TVGN_DROPHILITE, 0)));
  }
  // Whether any node is drawn drop-highlighted.
  bool AnyHighlighted() {
    bool any = false;
    auto visit = [&](TreeNode n) {
      auto state = SendMessageA(TreeWindow(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(ItemOf(n)),
                                TVIS_DROPHILITED);
      any = any || (state & TVIS_DROPHILITED) != 0;
    };
    MenuTree& t = S().tree;
    for (TreeNode r = t.Root(); r; r = t.Next(r)) {
      visit(r);
      for (TreeNode a = t.FirstChild(r); a; a = t.Next(a)) {
        visit(a);
        for (TreeNode l = t.FirstChild(a); l; l = t.Next(l)) visit(l);
      }
    }
    return any;
  }

  // The middle of a node's label, in the tree's client coordinates.
  POINT Centre(TreeNode node) {
    RECT rect = {};
    auto item = ItemOf(node);
    std::memcpy(&rect, &item, sizeof item);
    EXPECT_TRUE(SendMessageA(TreeWindow(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect)));
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  }
  // The tree's client point in the main window's client coordinates, as a mouse message's.
  LPARAM InMain(POINT tree_point) {
    MapWindowPoints(TreeWindow(), Main(), &tree_point, 1);
    return MAKELPARAM(static_cast<WORD>(tree_point.x), static_cast<WORD>(tree_point.y));
  }

  // What the control sends when the left button drags `node` from the middle of its label.
  void Begin(TreeNode node) {
    NMTREEVIEWA start = {};
    start.hdr.hwndFrom = TreeWindow();
    start.hdr.idFrom = 1003;
    start.hdr.code = TVN_BEGINDRAGA;
    start.action = 0;
    start.itemNew.hItem = ItemOf(node);
    start.itemNew.lParam = static_cast<LPARAM>(S().tree.Data(node));
    start.ptDrag = Centre(node);
    SendMessageA(Main(), WM_NOTIFY, 1003, reinterpret_cast<LPARAM>(&start));
  }
  // With the capture the main window gets the moves, wherever the cursor is.
  void MoveTo(POINT tree_point) {
    SendMessageA(Main(), WM_MOUSEMOVE, MK_LBUTTON, InMain(tree_point));
  }
  void MoveOver(TreeNode node) { MoveTo(Centre(node)); }
  void Release(POINT tree_point, bool shift) {
    SendMessageA(Main(), WM_LBUTTONUP, shift ? MK_SHIFT : 0, InMain(tree_point));
  }
  void Drag(TreeNode dragged, TreeNode target, bool shift) {
    Begin(dragged);
    MoveOver(target);
    Release(Centre(target), shift);
  }
};

TEST_F(TreeDragTest, StartingADragShowsTheImageTakesTheMouseAndClearsTheSelection) {
  StartWith(kMenu);
  int cursor_before = CursorCount();
  S().tree.Select(N("Alpha"));
  ASSERT_EQ(MarkedLabels(S().tree), "Alpha Heathrow Gatwick");
  // A rename begun is forgotten by the drag.
  SetFocus(TreeWindow());
  ASSERT_FALSE(BeginRename(S(), N("Gatwick")));

  Begin(N("Cabot"));
  const win32::DragFeedback& drag = Pane().Drag();
  EXPECT_TRUE(Pane().Dragging());
  EXPECT_TRUE(S().tree_state.dragging);
  EXPECT_EQ(S().tree_state.dragged, N("Cabot"));
  ASSERT_TRUE(drag.image);
  EXPECT_EQ(ImageList_GetImageCount(drag.image.Get()), 1) << "a picture follows the hidden cursor";
  int image_width = 0;
  int image_height = 0;
  ImageList_GetIconSize(drag.image.Get(), &image_width, &image_height);
  EXPECT_GT(image_width, image_height) << "the label beside the picture";
  EXPECT_EQ(GetCapture(), Main());
  EXPECT_EQ(CursorCount(), cursor_before - 1);
  EXPECT_EQ(S().tree.Selected(), nullptr);
  EXPECT_EQ(MarkedLabels(S().tree), "");
  EXPECT_FALSE(S().tree_state.rename_undo.available);
  // The hot spot is where the label was taken: its middle.
  RECT label = {};
  auto item = ItemOf(N("Cabot"));
  std::memcpy(&label, &item, sizeof item);
  SendMessageA(TreeWindow(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&label));
  POINT centre = Centre(N("Cabot"));
  EXPECT_EQ(drag.hot_spot.x, centre.x - label.left);
  EXPECT_EQ(drag.hot_spot.y, centre.y - label.top);

  MoveOver(N("Alpha"));
  EXPECT_EQ(DropHighlight(), N("Alpha"));
  Release(Centre(N("Alpha")), false);
  EXPECT_FALSE(Pane().Dragging());
  EXPECT_FALSE(drag.image);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(CursorCount(), cursor_before);
  EXPECT_FALSE(AnyHighlighted());
}

TEST_F(TreeDragTest, EveryPairOfKindsDropsAsTheTableSays) {
  struct Case {
    const char* dragged;
    const char* target;
    bool shift;
    int answer;  // to the merge question
    const char* menu_after;
    const char* selected;
    const char* marked;
    bool asked;
  };
  const Case cases[] = {
      {"Charlie", "Alpha", false, IDYES, "Alpha(Heathrow Gatwick) Charlie(Dover) Bravo(Cabot)",
       "Charlie", "Charlie Dover", false},
      {"Charlie", "Alpha", true, IDYES, "Alpha(Heathrow Gatwick Dover) Bravo(Cabot)", "Alpha",
       "Alpha Heathrow Gatwick Dover", true},
      {"Charlie", "Alpha", true, IDNO, kUnchanged, "Alpha", "Alpha Heathrow Gatwick", true},
      {"Alpha", "Alpha", true, IDYES, kUnchanged, "Alpha", "Alpha Heathrow Gatwick", false},
      {"Bravo", "Bravo", false, IDYES, kUnchanged, "Bravo", "Bravo Cabot", false},
      {"Dover", "Alpha", false, IDYES, "Alpha(Dover Heathrow Gatwick) Bravo(Cabot) Charlie()",
       "Dover", "Dover", false},
      {"Dover", "Alpha", true, IDYES, "Alpha(Dover Heathrow Gatwick) Bravo(Cabot) Charlie()",
       "Dover", "Dover", false},
      {"Heathrow", "Cabot", false, IDYES, "Alpha(Gatwick) Bravo(Cabot Heathrow) Charlie(Dover)",
       "Heathrow", "Heathrow", false},
      {"Heathrow", "Cabot", true, IDYES, "Alpha(Gatwick) Bravo(Cabot Heathrow) Charlie(Dover)",
       "Heathrow", "Heathrow", false},
      {"Gatwick", "Gatwick", false, IDYES, kUnchanged, "Gatwick", "Gatwick", false},
      {"Charlie", "World.vis", false, IDYES, "Charlie(Dover) Alpha(Heathrow Gatwick) Bravo(Cabot)",
       "Charlie", "Charlie Dover", false},
      {"Charlie", "World.vis", true, IDYES, "Charlie(Dover) Alpha(Heathrow Gatwick) Bravo(Cabot)",
       "Charlie", "Charlie Dover", false},
      {"Heathrow", "World.vis", false, IDYES, kUnchanged, "<none>", "", false},
      {"Bravo", "Gatwick", false, IDYES, kUnchanged, "<none>", "", false},
      {"World.vis", "Alpha", false, IDYES, kUnchanged, "<none>", "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.dragged) + " onto " + c.target + (c.shift ? " with Shift" : "") +
                 (c.answer == IDNO ? ", answered no" : ""));
    window.reset();
    questions = ScriptedQuestions();
    StartWith(kMenu);
    questions.answers = {c.answer};
    S().tree.Select(N("Gatwick"));
    Drag(N(c.dragged), N(c.target), c.shift);

    EXPECT_EQ(Describe(S().tree), c.menu_after);
    EXPECT_EQ(SelectedLabel(), c.selected);
    EXPECT_EQ(MarkedLabels(S().tree), c.marked);
    ASSERT_EQ(questions.boxes.size(), c.asked ? 1u : 0u);
    if (c.asked) {
      EXPECT_EQ(questions.boxes[0].text, kMergeQuestion);
      EXPECT_EQ(questions.boxes[0].caption, "Tarnwick Confirmation");
    }
    bool merged = c.asked && c.answer == IDYES;
    EXPECT_EQ(StatusText(0), merged ? "Areas: 2" : "Areas: 3");
    EXPECT_FALSE(S().set.results_saved) << "every drop counts as a change";
    EXPECT_FALSE(S().tree_state.dragging);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(AnyHighlighted());
  }
}

TEST_F(TreeDragTest, AReleaseOutsideTheTreeDropsOnTheLastHighlightedNode) {
  StartWith(kMenu);
  S().tree.Expand(N("Bravo"), false);
  Begin(N("Heathrow"));
  MoveOver(N("Bravo"));
  // Empty space below the items, then the details pane beside the tree: no node there.
  RECT client = {};
  GetClientRect(TreeWindow(), &client);
  MoveTo({10, client.bottom - 5});
  EXPECT_EQ(DropHighlight(), N("Bravo"));
  POINT beside = {client.right + 60, Centre(N("Alpha")).y};
  MoveTo(beside);
  EXPECT_EQ(DropHighlight(), N("Bravo"));
  Release(beside, false);

  EXPECT_EQ(Describe(S().tree), "Alpha(Gatwick) Bravo(Heathrow Cabot) Charlie(Dover)");
  EXPECT_EQ(SelectedLabel(), "Heathrow");
  EXPECT_TRUE(S().tree.Expanded(N("Bravo"))) << "selecting the moved Location opens its Area";
}

TEST_F(TreeDragTest, AMovedAreaKeepsItsExpandedState) {
  StartWith(kMenu);
  S().tree.Expand(N("Charlie"), false);
  Drag(N("Alpha"), N("Charlie"), false);
  EXPECT_EQ(Describe(S().tree), "Bravo(Cabot) Charlie(Dover) Alpha(Heathrow Gatwick)");
  EXPECT_TRUE(S().tree.Expanded(N("Alpha")));
  Drag(N("Charlie"), N("World.vis"), false);
  EXPECT_EQ(Describe(S().tree), "Charlie(Dover) Bravo(Cabot) Alpha(Heathrow Gatwick)");
  EXPECT_FALSE(S().tree.Expanded(N("Charlie")));
}

TEST_F(TreeDragTest, AReleaseBeforeAnyHighlightChangesNothing) {
  StartWith(kMenu);
  Begin(N("Cabot"));
  // Wine's control makes the dragged node its drop item once the drag has started.
  SendMessageA(TreeWindow(), TVM_SELECTITEM, TVGN_DROPHILITE, reinterpret_cast<LPARAM>(N("Cabot")));
  Release(Centre(N("Cabot")), false);
  EXPECT_EQ(Describe(S().tree), kUnchanged);
  EXPECT_EQ(SelectedLabel(), "<none>");
  EXPECT_FALSE(Pane().Dragging());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(TreeDragTest, LosingTheCaptureEndsTheDragWithoutDropping) {
  StartWith(kMenu);
  int cursor_before = CursorCount();
  Begin(N("Cabot"));
  MoveOver(N("Alpha"));
  // Another window takes the mouse, as a menu or a message box does.
  HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  SetCapture(other);
  EXPECT_FALSE(Pane().Dragging());
  EXPECT_FALSE(S().tree_state.dragging);
  EXPECT_EQ(CursorCount(), cursor_before);
  EXPECT_FALSE(AnyHighlighted());
  ReleaseCapture();
  DestroyWindow(other);
  // The release that follows finds no drag.
  Release(Centre(N("Alpha")), false);
  EXPECT_EQ(Describe(S().tree), kUnchanged);
  EXPECT_TRUE(S().set.results_saved);
  // Mouse moves without a drag are the window's own again.
  MoveOver(N("Bravo"));
  EXPECT_FALSE(AnyHighlighted());
}

// A tall Area in a short tree: the tree has a vertical scroll range.
Menu LongMenu() {
  AreaSpec area{"Long", {}};
  for (int i = 1; i <= 60; ++i) area.locations.push_back("Location " + std::to_string(i));
  return {area};
}

TEST_F(TreeDragTest, TheScrollTimerStartsIsRetimedAndStops) {
  StartWith(LongMenu(), 300);
  const win32::DragFeedback& drag = Pane().Drag();
  RECT client = {};
  GetClientRect(TreeWindow(), &client);
  const int margin = 2 * GetSystemMetrics(SM_CYHSCROLL);
  const int middle = client.bottom / 2;
  S().tree.EnsureVisible(N("Location 30"));
  Begin(N("Location 30"));
  ASSERT_EQ(drag.timer, 0u);

  MoveTo({20, margin / 2});  // near the top: slowly up
  EXPECT_EQ(drag.timer, win32::kScrollTimerId);
  EXPECT_EQ(drag.period_ms, 250);
  EXPECT_EQ(drag.direction, ScrollDirection::kLineUp);
  int starts = drag.timer_starts;
  MoveTo({30, margin / 2});  // a move keeps the running timer, so that its ticks come
  EXPECT_EQ(drag.timer_starts, starts);
  MoveTo({30, -5});  // above the pane: fast
  EXPECT_EQ(drag.period_ms, 100);
  EXPECT_EQ(drag.direction, ScrollDirection::kLineUp);
  MoveTo({30, client.bottom + 5});  // below it: fast down
  EXPECT_EQ(drag.period_ms, 100);
  EXPECT_EQ(drag.direction, ScrollDirection::kLineDown);
  MoveTo({client.right + 40, middle});  // beside the pane: nothing changes
  EXPECT_EQ(drag.timer, win32::kScrollTimerId);
  EXPECT_EQ(drag.direction, ScrollDirection::kLineDown);
  MoveTo({30, client.bottom - margin / 2});  // near the bottom: slowly down
  EXPECT_EQ(drag.period_ms, 250);

  // The tick scrolls one line in the remembered direction.
  auto first_visible = [&] {
    return SendMessageA(TreeWindow(), TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0);
  };
  LRESULT before = first_visible();
  POINT cursor = {30, client.bottom - margin / 2};
  ClientToScreen(TreeWindow(), &cursor);
  SetCursorPos(cursor.x, cursor.y);
  DrainMessages();  // the move the cursor's placing queued comes before the tick
  SendMessageA(Main(), win32::kDragScrollMessage, 0, 0);
  EXPECT_EQ(first_visible(), SendMessageA(TreeWindow(), TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, before));
  EXPECT_EQ(drag.timer, win32::kScrollTimerId) << "the cursor is still near the bottom";

  // The real timer posts 1026 and the loop scrolls on.
  LRESULT now = first_visible();
  DWORD deadline = GetTickCount() + 3000;
  while (first_visible() == now && GetTickCount() < deadline) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    DrainMessages();
  }
  EXPECT_NE(first_visible(), now) << "no scroll tick arrived";

  MoveTo({30, middle});  // the middle: the timer stops
  EXPECT_EQ(drag.timer, 0u);
  EXPECT_FALSE(KillTimer(Main(), win32::kScrollTimerId)) << "the timer really is gone";

  MoveTo({30, margin / 2});
  ASSERT_EQ(drag.timer, win32::kScrollTimerId);
  Release({30, margin / 2}, false);  // the release stops it too
  EXPECT_EQ(drag.timer, 0u);
  EXPECT_FALSE(KillTimer(Main(), win32::kScrollTimerId));
  // A tick left in the queue from before the release scrolls nothing.
  LRESULT after = first_visible();
  SendMessageA(Main(), win32::kDragScrollMessage, 0, 0);
  EXPECT_EQ(first_visible(), after);
}

// The hand's last move and release wait in the queue behind a scroll tick the timer posted just
// before: the drop goes where the highlight stood as the hand let go, over an item or beyond the
// edge, whatever the tick would scroll under the pointer.
TEST_F(TreeDragTest, AScrollTickWaitingAheadOfTheReleaseDoesNotMoveTheDrop) {
  struct Case {
    const char* what;
    bool beyond_edge;  // released where it scrolled, below the tree
  };
  const Case cases[] = {{"released over an item", false}, {"released beyond the edge", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    window.reset();
    StartWith(LongMenu(), 300);
    RECT client = {};
    GetClientRect(TreeWindow(), &client);
    S().tree.EnsureVisible(N("Location 10"));
    Begin(N("Location 10"));
    MoveOver(N("Location 12"));
    // Far below the edge: several lines a tick.
    const POINT below = {30, client.bottom + 60};
    MoveTo(below);
    ASSERT_GT(Pane().Drag().lines, 1);
    POINT cursor = below;
    ClientToScreen(TreeWindow(), &cursor);
    SetCursorPos(cursor.x, cursor.y);
    DrainMessages();
    for (int tick = 0; tick < 3; ++tick) SendMessageA(Main(), win32::kDragScrollMessage, 0, 0);
    RECT shown = {};
    HTREEITEM highlighted = ItemOf(N("Location 12"));
    std::memcpy(&shown, &highlighted, sizeof highlighted);
    SendMessageA(TreeWindow(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&shown));
    ASSERT_LE(shown.bottom, 0) << "the highlighted item has scrolled out of view";
    ASSERT_EQ(DropHighlight(), N("Location 12")) << "scrolling leaves the highlight where it was";

    // The item in the middle of the tree as the hand sees it now.
    TVHITTESTINFO hit = {};
    hit.pt = {30, client.bottom / 2};
    TreeNode seen = NodeOf(reinterpret_cast<HTREEITEM>(
        SendMessageA(TreeWindow(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))));
    ASSERT_NE(seen, nullptr);
    const POINT release = c.beyond_edge ? below : Centre(seen);
    const std::string target = c.beyond_edge ? "Location 12" : S().tree.Label(seen);
    PostMessageA(Main(), win32::kDragScrollMessage, 0, 0);
    PostMessageA(Main(), WM_MOUSEMOVE, MK_LBUTTON, InMain(release));
    PostMessageA(Main(), WM_LBUTTONUP, 0, InMain(release));
    DrainMessages();

    ASSERT_FALSE(Pane().Dragging());
    TreeNode moved = N("Location 10");
    ASSERT_NE(S().tree.Previous(moved), nullptr);
    EXPECT_EQ(S().tree.Label(S().tree.Previous(moved)), target);
    EXPECT_EQ(SelectedLabel(), "Location 10");
  }
}

TEST_F(TreeDragTest, ATreeThatFitsNeverScrolls) {
  StartWith(kMenu);
  Begin(N("Cabot"));
  MoveTo({20, 2});
  MoveTo({20, -20});
  EXPECT_EQ(Pane().Drag().timer, 0u);
  EXPECT_EQ(Pane().Drag().timer_starts, 0);
  Release({20, -20}, false);
}

}  // namespace
}  // namespace tarnwick::testing
