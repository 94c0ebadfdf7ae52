// The real main window for a test: its own settings file in a temporary folder, scripted
// questions, an empty registry, and no help file unless the test writes one.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/win32/ui/win32_api.h"
#include "shell/win32/main_window.h"
#include "support/temp_dir.h"
#include "support/test_session.h"
#include "win32/scripted_questions.h"

namespace tarnwick::testing {

class FakeRegistry : public RegistryReader {
 public:
  std::optional<std::string> ReadValue(std::string_view key, std::string_view value,
                                       size_t max_bytes) override {
    auto found = values.find(std::string(key) + "|" + std::string(value));
    if (found == values.end()) return std::nullopt;
    return found->second.substr(0, max_bytes);
  }
  std::map<std::string, std::string> values;  // "key|value" -> data
};

class MainWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static bool registered = false;
    if (registered) return;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    registered = win32::MainWindow::RegisterWindowClass(GetModuleHandleA(nullptr));
  }

  void TearDown() override {
    window.reset();
    DrainMessages();
  }

  // The path of a file in the test's folder, as the program sees it.
  std::string Path(std::string_view relative) const {
    return WindowsPath(dir.path()) + "\\" + std::string(relative);
  }
  std::string SettingsFile() const { return Path("Tarnwick.ini"); }
  std::string Setting(const char* key) const {
    char value[300] = {};
    GetPrivateProfileStringA("Settings", key, "<absent>", value, sizeof value,
                             SettingsFile().c_str());
    return value;
  }
  void WriteSetting(const char* key, const char* value) const {
    WritePrivateProfileStringA("Settings", key, value, SettingsFile().c_str());
  }

  // Makes the main window as the program does at start-up.
  win32::MainWindow& Start() {
    win32::ShellEnvironment environment;
    environment.settings_file = SettingsFile();
    environment.help_path = Path("guide.html");
    environment.questions = &questions;
    environment.registry = &registry;
    window = std::make_unique<win32::MainWindow>(GetModuleHandleA(nullptr), environment);
    created = window->Create();
    EXPECT_TRUE(created);
    return *window;
  }
  HWND Main() const { return window->Window(); }
  // The tree control's item of a node (made first when its Area was never opened), and back.
  HTREEITEM ItemOf(TreeNode node) { return window->Tree().ItemOfNode(node); }
  TreeNode NodeOf(HTREEITEM item) { return window->Tree().NodeOfItem(item); }

  // Handles every waiting message, as the loop would between user actions.
  static void DrainMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }

  LRESULT Command(UINT command) { return SendMessageA(Main(), WM_COMMAND, command, 0); }

  // The state of a main menu item: enabled, checked.
  bool Enabled(UINT command) const {
    UINT state = GetMenuState(GetMenu(Main()), command, MF_BYCOMMAND);
    EXPECT_NE(state, static_cast<UINT>(-1)) << command;
    return (state & (MF_GRAYED | MF_DISABLED)) == 0;
  }
  bool Checked(UINT command) const {
    return (GetMenuState(GetMenu(Main()), command, MF_BYCOMMAND) & MF_CHECKED) != 0;
  }

  std::string StatusText(int part) const {
    HWND bar = GetDlgItem(Main(), 1006);
    if (bar == nullptr) return "<no status bar>";
    char text[128] = {};
    SendMessageA(bar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
    return text;
  }

  // A pane's rectangle in the main window's client coordinates.
  RECT PaneRect(int id) const {
    RECT rect = {};
    HWND pane = GetDlgItem(Main(), id);
    GetWindowRect(pane, &rect);
    MapWindowPoints(nullptr, Main(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }

  // Resizes the main window until its client area has the given size.
  void SetClientSize(int width, int height) {
    for (int attempt = 0; attempt < 3; ++attempt) {
      RECT client = {};
      RECT outer = {};
      GetClientRect(Main(), &client);
      GetWindowRect(Main(), &outer);
      if (client.right == width && client.bottom == height) return;
      SetWindowPos(Main(), nullptr, 0, 0, outer.right - outer.left + width - client.right,
                   outer.bottom - outer.top + height - client.bottom,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      DrainMessages();
    }
  }

  TempDir dir;
  ScriptedQuestions questions;
  FakeRegistry registry;
  std::unique_ptr<win32::MainWindow> window;
  bool created = false;
};

}  // namespace tarnwick::testing
