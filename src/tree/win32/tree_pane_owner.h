// What the tree pane asks of the main window: besides what every pane asks, the width kept in the
// settings, the tree port it mirrors, the timing log and the panes the focus moves to.
#pragma once

#include <optional>

#include "platform/win32/ui/pane_owner.h"
#include "platform/win32/ui/timing_log.h"
#include "platform/win32/ui/win32_api.h"
#include "tree/win32/tree_view_menu_tree.h"

namespace tarnwick::win32 {

class TreePaneOwner : public virtual PaneOwner, public virtual PaneSplits {
 public:
  // The pane's width as the settings file keeps it, fitted to the screen; nothing when none is
  // kept.
  virtual std::optional<int> StoredTreeWidth() = 0;
  // Whether the main window is neither minimised nor maximised.
  virtual bool WindowIsRestored() const = 0;
  // Writes the pane's rectangle into the settings file.
  virtual void WriteTreeRect() = 0;
  virtual TreeViewMenuTree& Tree() = 0;
  virtual TimingLog& Timing() = 0;
  virtual HWND DetailsControl() const = 0;
  virtual HWND VisControl() const = 0;

 protected:
  ~TreePaneOwner() = default;
};

}  // namespace tarnwick::win32
