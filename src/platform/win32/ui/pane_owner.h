// What a pane or a dialog asks of the window that holds it. Each pane declares what it needs in an
// interface of its own built from these (virtual bases, so that the main window, which implements
// them all, holds each once); no pane sees more of the main window. The session comes to each pane
// on its own, and the window's private messages (window_messages.h) are posted to Window().
#pragma once

#include "platform/win32/ui/modal_questions.h"
#include "platform/win32/ui/screen_scale.h"
#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {

class PaneOwner {
 public:
  // The main window: parent of the panes, owner of the dialogs and the boxes.
  virtual HWND Window() const = 0;
  virtual HINSTANCE Instance() const = 0;
  virtual ModalQuestions& Questions() = 0;
  // The tree control, whose selection the other panes follow.
  virtual HWND TreeControl() const = 0;
  // Greys and enables the items of `menu` (the main menu and the toolbar when null) for the
  // current state: something a command depends on changed.
  virtual void UpdateMenuState(HMENU menu = nullptr) = 0;
  // The window's dpi, its fonts and picture size: every size on the screen scales by it.
  virtual const ScreenScale& Scale() const = 0;

 protected:
  ~PaneOwner() = default;
};

// The splits between the panes, which the pane borders move.
class PaneSplits {
 public:
  virtual bool LayoutInProgress() const = 0;
  virtual int TreeWidth() const = 0;
  virtual void SetTreeWidth(int width) = 0;
  virtual int TreeHeight() const = 0;
  virtual void SetTreeHeight(int height) = 0;
  virtual int DetailsHeight() const = 0;
  virtual int ToolBarHeight() const = 0;
  // The client height less the bars: the height of the panes.
  virtual int PaneHeight() const = 0;

 protected:
  ~PaneSplits() = default;
};

}  // namespace tarnwick::win32
