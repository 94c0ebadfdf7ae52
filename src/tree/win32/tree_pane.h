// The tree pane: the tree-view control (child 1003) that shows the menu, its pictures, its two
// popup menus, and its own handling of size changes, focus and the right button.
#pragma once

#include <memory>

#include "shell/win32/handles.h"
#include "shell/win32/win32_api.h"

namespace tarnwick::win32 {

class MainWindow;

class TreePane {
 public:
  // Makes the pane at the left of the main window; nullptr when the control cannot be created
  // (reported as "creating tree window").
  static std::unique_ptr<TreePane> Create(MainWindow& shell);
  ~TreePane();
  TreePane(const TreePane&) = delete;
  TreePane& operator=(const TreePane&) = delete;

  HWND Control() const { return control_; }
  HMENU ItemMenu() const { return item_menu_.Get(); }
  HMENU SpaceMenu() const { return space_menu_.Get(); }
  // The check mark of command 143 in both popup menus.
  void SetAutoExpandMark(bool on);

 private:
  explicit TreePane(MainWindow& shell) : shell_(shell) {}
  static LRESULT CALLBACK SubclassProcedure(HWND control, UINT message, WPARAM wparam,
                                            LPARAM lparam, UINT_PTR id, DWORD_PTR self);
  void OnSize(WPARAM state, int client_width);
  bool OnRightButtonDown(LPARAM position);

  MainWindow& shell_;
  HWND control_ = nullptr;
  MenuHandle item_menu_;
  MenuHandle space_menu_;
  ImageListHandle images_;
};

}  // namespace tarnwick::win32
