// The main window and the program's one shell record: the panes, the bars, the layout, the
// message handling and the command table. The core's state (the set, the tree, the options) is
// held here too and handed to the core as a Session.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "details/menu_text.h"
#include "details/win32/details_pane.h"
#include "platform/file_system.h"
#include "platform/win32/ui/modal_questions.h"
#include "platform/win32/ui/timed_questions.h"
#include "platform/win32/ui/timing_log.h"
#include "platform/win32/ui/win32_api.h"
#include "platform/win32/ui/window_messages.h"
#include "print/win32/print_job.h"
#include "scenery/log_file.h"
#include "scenery/options.h"
#include "scenery/scenery_set.h"
#include "scenery/session.h"
#include "scenery/tree_state.h"
#include "shell/layout.h"
#include "shell/win32/ini_settings_store.h"
#include "shell/win32/registry_reader.h"
#include "shell/win32/wait_box.h"
#include "shell/win32/win32_host.h"
#include "tree/win32/check_dialog.h"
#include "tree/win32/search_dialog.h"
#include "tree/win32/tree_pane_owner.h"
#include "tree/win32/tree_view_menu_tree.h"
#include "tree/win32/vis_pane.h"

namespace tarnwick::win32 {

class TreePane;

// What the program takes from its surroundings. Tests replace each part.
struct ShellEnvironment {
  // The settings file: the bare name (the Windows folder) or a full path.
  std::string settings_file = std::string(kSettingsFileName);
  // The guide: the program's folder followed by "guide.html".
  std::string help_path;
  // Message boxes, dialogs and help; the platform's when null.
  ModalQuestions* questions = nullptr;
  // The registry; the real one when null.
  RegistryReader* registry = nullptr;
  // The file system; the platform's when null.
  FileSystem* file_system = nullptr;
};

// The panes see it through their own interfaces only.
class MainWindow final : public TreePaneOwner,
                         public VisPaneOwner,
                         public DetailsPaneOwner,
                         public SearchDialogOwner,
                         public CheckDialogOwner {
 public:
  MainWindow(HINSTANCE instance, ShellEnvironment environment);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  static constexpr const char* kClassName = "Tarnwick";
  // The window class "Tarnwick"; false when it cannot be registered.
  static bool RegisterWindowClass(HINSTANCE instance);

  // Creates the window with its bars and panes (not yet shown); false when that failed.
  bool Create();
  HWND Window() const override { return window_; }

  // The main loop's own handling of a message before it is dispatched: the modeless dialogs' keys,
  // Tab out of the tree pane, Ctrl+F, F3 and F7. True when the message has been consumed.
  bool PreTranslate(MSG& message);
  bool PreTranslateSystemKey(const MSG& message);
  // Shift+F10 or the context-menu key: the popup menu of the pane with the focus.
  bool ShowFocusedPaneMenu();
  // Runs until the quit request; returns its code.
  int RunMessageLoop();

  // Opens the VIS file at `vis_path` as the open command does after its dialog.
  void OpenScenerySet(const std::string& vis_path);

  // What the host, the panes and the dialogs use.
  HINSTANCE Instance() const override { return instance_; }
  Session& GetSession() { return session_; }
  Win32Host& GetHost() { return host_; }
  Options& GetOptions() { return options_; }
  SettingsStore& Settings() { return settings_; }
  ModalQuestions& Questions() override { return *questions_; }
  const std::string& HostSceneryFolder() const { return host_scenery_folder_; }
  const std::string& HelpPath() const { return help_path_; }

  HWND StatusBar() const { return status_bar_; }
  HWND ToolBar() const { return tool_bar_; }
  HWND TreeControl() const override;
  HWND DetailsControl() const override;
  HWND VisControl() const override;
  VisPane* GetVisPane() override { return vis_pane_.get(); }
  TreePane* GetTreePane() { return tree_pane_.get(); }
  TreeViewMenuTree& Tree() override { return tree_; }
  DetailsPane* GetDetailsPane() { return details_pane_.get(); }
  HWND SearchWindow() const;
  PrintJob& Printing() { return print_job_; }
  TimingLog& Timing() override { return timing_; }
  // The search dialog has ended: it goes.
  void SearchDialogEnded() override;
  // The menu check's list, while it is open.
  CheckDialog* GetCheckDialog() { return check_dialog_.get(); }
  HWND CheckWindow() const;
  void CheckDialogEnded() override;

  // The pane layout.
  bool LayoutInProgress() const override { return layout_in_progress_; }
  int TreeWidth() const override { return tree_width_; }
  void SetTreeWidth(int width) override { tree_width_ = width; }
  int TreeHeight() const override { return tree_height_; }
  void SetTreeHeight(int height) override { tree_height_ = height; }
  int DetailsHeight() const override { return details_height_; }
  int ToolBarHeight() const override { return tool_bar_ != nullptr ? tool_bar_height_ : 0; }
  // The client height less the bars: the height of the panes.
  int PaneHeight() const override;
  void Relayout();
  void LayoutRightPanes();

  // Greys and enables the items of `menu` (the main menu when null) for the current state.
  void UpdateMenuState(HMENU menu = nullptr) override;
  const ScreenScale& Scale() const override { return scale_; }
  // Closes the open set; `full` only on the close path.
  void CloseScenerySet(bool full);
  // Empties the tree by replacing the tree pane (and the details it shows).
  void ClearTree(bool full);
  // The tree pane is gone or new: the tree port follows it.
  void TreeControlChanged();

  // Whether the main window is neither minimised nor maximised.
  bool WindowIsRestored() const override;
  // Writes the "MainWindow" or "Tree" rectangle of the settings file.
  void WriteMainWindowRect();
  void WriteTreeRect() override;
  std::optional<int> StoredTreeWidth() override;

  // The window procedure's object (the trampoline's look-up).
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  bool OnCreate();
  void OnSize(UINT state, int width, int height);
  // The window moved to a screen of another dpi (or the screen's changed): fonts, pictures and
  // sizes are made again and the window takes the rectangle the system suggests.
  void OnDpiChanged(int dpi, const RECT& suggested);
  void OnClose();
  void OnClosePath();
  void OnVisCommit();
  void OnCommand(WPARAM wparam);
  LRESULT OnNotify(NMHDR* header);
  void OnKeyDown(WPARAM key);
  void OnPaint();

  LRESULT OnToolTipText(NMHDR* header);
  // The mouse messages and message 1026 while the tree pane drags.
  void PassDragMessage(UINT message, WPARAM wparam, LPARAM lparam);

  LayoutInput CurrentLayout() const;
  void PlaceRightPanes(const RightPanesLayout& layout);

  // Bars.
  bool CreateStatusBar(bool reset_counts);
  void SetStatusParts(int client_width);
  bool CreateToolBar();
  void DestroyStatusBar();
  void DestroyToolBar();
  void SetCheckMarks();
  void CheckItem(UINT command, bool on);

  // Commands; each returns whether the menu state is to be updated afterwards.
  bool DispatchCommand(UINT command);
  bool OnOpenScenerySet();
  // Whether the save went ahead (a set is loaded and the warning was not declined).
  bool OnSaveResults();
  bool OnExitAfterSaving();
  bool OnCloseScenerySet();
  // Commands 109 and 110: switch the original menus on or off, then read the set again.
  bool OnOriginalMenus(bool disable);
  bool OnExitWithoutSaving();
  bool OnToggleToolBar();
  bool OnToggleStatusBar();
  bool OnToggleConfirmations();
  bool OnToggleLogging();
  bool OnAngleStyle(bool fractional);
  bool OnShowAllFields();
  bool OnHelp();
  bool OnAbout();
  bool OnToggleSceneryArea();
  bool OnUpdateVisNow();
  bool OnPrint();
  // File > Export menu... and Import menu...: the menu as a CSV file, and such a file (or the
  // menu job's JSON) made the menu.
  bool OnExportMenu();
  bool OnImportMenu();
  // The common file dialog for a menu file; the chosen path, or nothing.
  std::optional<std::string> ChooseMenuFile(bool save);
  // Shows the problems of a menu file in one box: the errors that kept it out, or the warnings
  // of one imported.
  void ShowMenuTextProblems(const std::string& file, const std::vector<MenuTextProblem>& problems,
                            bool imported);
  bool OnChangeVisSelections();
  bool OnFind();
  bool OnFindNext();
  bool OnCheckMenu();
  bool OnMergeInto();
  bool OnUndo(bool undo);
  bool OnExpansionCommand(void (*command)(Session&));
  // Closes the current set, reads and scans the VIS file at VisPath.
  void ScanVisFile();

  void ShowHelp();

  HINSTANCE instance_;
  std::string help_path_;
  PlatformQuestions platform_questions_;
  Win32RegistryReader platform_registry_;
  ModalQuestions* questions_;
  RegistryReader* registry_;
  IniSettingsStore settings_;
  std::unique_ptr<FileSystem> own_file_system_;
  FileSystem* file_system_;

  // The core's state, handed out as one Session.
  ScenerySet set_;
  TreeViewMenuTree tree_;
  Win32Host host_;
  Options options_;
  LogFile log_;
  TreeState tree_state_;
  Session session_;

  HWND window_ = nullptr;
  // Before the panes and bars, which use its fonts until they go.
  ScreenScale scale_;
  std::unique_ptr<TreePane> tree_pane_;
  std::unique_ptr<DetailsPane> details_pane_;
  std::unique_ptr<VisPane> vis_pane_;
  HWND status_bar_ = nullptr;
  HWND tool_bar_ = nullptr;
  std::unique_ptr<SearchDialog> search_dialog_;
  std::unique_ptr<CheckDialog> check_dialog_;
  WaitBox wait_box_;
  // The printer chosen in one print job is kept for the next until the program ends.
  PrintJob print_job_;
  TimingLog timing_;
  // With the timing file on, the boxes are timed as the program's own drains.
  std::optional<TimedQuestions> timed_questions_;

  std::string host_scenery_folder_;
  int tree_width_ = 0;
  int tree_height_ = 0;
  int details_height_ = 0;
  int tool_bar_height_ = 0;
  int status_bar_height_ = 0;
  bool layout_in_progress_ = false;

  // The tool tip text handed to the toolbar: it must outlive the notification.
  std::array<char, 261> tip_text_{};
  std::array<wchar_t, 261> tip_wide_text_{};
};

}  // namespace tarnwick::win32
