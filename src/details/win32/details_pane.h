// The details pane: a report list (child 1004) of the selected entry's fields, its popup menu,
// its pictures and its own handling of size, focus and clicks. It publishes the height of one
// row, from which the layout takes the pane heights.
#pragma once

#include <memory>

#include "shell/win32/handles.h"
#include "shell/win32/win32_api.h"

namespace tarnwick::win32 {

class MainWindow;

class DetailsPane {
 public:
  // Makes the pane at the right of the main window; nullptr when the control cannot be created
  // (reported as "creating details window").
  static std::unique_ptr<DetailsPane> Create(MainWindow& shell);
  ~DetailsPane();
  DetailsPane(const DetailsPane&) = delete;
  DetailsPane& operator=(const DetailsPane&) = delete;

  HWND Control() const { return control_; }
  HMENU PopupMenu() const { return popup_.Get(); }
  // The height of one row, measured when the pane was made.
  int RowHeight() const { return row_height_; }

  void Clear();
  // The check marks of 144, 164 and 165 in the popup menu.
  void SetCheckMarks(bool show_all_fields, bool fractional_minutes);

 private:
  explicit DetailsPane(MainWindow& shell) : shell_(shell) {}
  static LRESULT CALLBACK SubclassProcedure(HWND control, UINT message, WPARAM wparam,
                                            LPARAM lparam, UINT_PTR id, DWORD_PTR self);
  void OnSize(WPARAM state, int client_width);
  int ClickRow(LPARAM position);
  bool OnRightButtonDown(LPARAM position);
  void MeasureRowHeight();

  MainWindow& shell_;
  HWND control_ = nullptr;
  MenuHandle popup_;
  ImageListHandle images_;
  int row_height_ = 0;
};

}  // namespace tarnwick::win32
