// The VIS selections pane: a report list (child 1005) with one row per VIS entry, its on/off
// picture, title and folder, its popup menu and its own handling of size, focus and clicks.
#pragma once

#include <memory>
#include <string_view>

#include "platform/win32/ui/handles.h"
#include "platform/win32/ui/pane_control.h"
#include "platform/win32/ui/pane_owner.h"
#include "platform/win32/ui/text_widths.h"
#include "platform/win32/ui/win32_api.h"
#include "scenery/session.h"

namespace tarnwick::win32 {

// What the VIS pane asks of the main window: what every pane asks, and the splits its border moves.
class VisPaneOwner : public virtual PaneOwner, public virtual PaneSplits {
 protected:
  ~VisPaneOwner() = default;
};

class VisPane final : public PaneControl {
 public:
  // Makes the pane at the right of the main window; nullptr when the control cannot be created
  // (reported as "creating VIS window").
  static std::unique_ptr<VisPane> Create(VisPaneOwner& shell, Session& session);
  ~VisPane();
  HMENU PopupMenu() const { return popup_.Get(); }

  void Clear();
  // A whole file's rows come next: the list draws again, and its title column is sized, when
  // they are in (FinishRows) or cleared.
  void BeginRows();
  void AddRow(int number, bool on, std::string_view title, std::string_view expanded_path);
  // All rows are in: the title column fits the widest title and the first row is selected.
  void FinishRows();
  // The selections are as stored: every row's picture shows its entry's working flags again.
  void MarkUnchanged();
  // Whether no selection differs from the file; remembered once found.
  bool Unchanged();
  // Whether the pane is passing one of its popup menu's commands on.
  bool PassingCommand() const { return passing_command_; }

  // Selects the row at the click's height (whatever its x), focusing the pane without counting
  // as leaving it; the row's index or -1.
  int ClickRow(LPARAM position) override;
  // Raised while another pane moves the focus through this one's leaving.
  void SetFocusGuard(bool on) { moving_focus_ = on; }
  // Switches the selected row's entry on or off.
  void ToggleSelected();
  // The list's notifications, routed here by the main window: Enter switches, Tab leaves.
  LRESULT OnNotify(NMHDR* header);
  // The window moved to a screen of another dpi: new font, pictures and column widths.
  void ScaleChanged(int old_dpi);

 private:
  VisPane(VisPaneOwner& shell, Session& session)
      : PaneControl(shell), shell_(shell), session_(session) {}
  std::optional<LRESULT> OnControlMessage(HWND control, UINT message, WPARAM wparam,
                                          LPARAM lparam) override;
  void OnSize(WPARAM state, int client_width) override;
  void ShowPicture(int row, bool on);
  void LoadPictures();
  // The end of a fill, finished or stopped: the list draws again.
  void EndFill();
  void SelectRow(int row) override;
  bool OnRightButtonDown(LPARAM position) override;
  // The popup menu's commands go on to the main window without counting as leaving the pane.
  void PassCommand(WPARAM wparam, LPARAM lparam) override;

  VisPaneOwner& shell_;
  Session& session_;
  MenuHandle popup_;
  ImageListHandle images_;
  // While rows go in: the widest title so far, measured as each row comes.
  struct Fill {
    explicit Fill(HWND control) : widths(control) {}
    TextWidths widths;
    int widest_title = 0;
  };
  std::unique_ptr<Fill> fill_;
  bool unchanged_ = true;
  // Set while the pane moves the focus itself or passes a popup command on: losing the focus
  // then asks nothing about pending changes.
  bool moving_focus_ = false;
  bool passing_command_ = false;
};

}  // namespace tarnwick::win32
