// The program's entry point: the help file's path, the common controls, the main window class,
// the main window, an optional VIS file from the command line, and the message loop.
#include <array>

#include "platform/win32/ui/win32_api.h"
#include "shell/start_up.h"
#include "shell/win32/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command_line, int show) {
  using tarnwick::win32::MainWindow;
  std::array<char, tarnwick::kModulePathLength + 1> module = {};
  GetModuleFileNameA(nullptr, module.data(), static_cast<DWORD>(module.size()));

  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  if (previous == nullptr && !MainWindow::RegisterWindowClass(instance)) {
    MessageBeep(MB_ICONEXCLAMATION);
    return 1;
  }
  tarnwick::win32::ShellEnvironment environment;
  environment.help_path = tarnwick::HelpFilePath(module.data());
  MainWindow main_window(instance, std::move(environment));
  if (!main_window.Create()) {
    MessageBeep(MB_ICONASTERISK);
    return 2;
  }
  ShowWindow(main_window.Window(), show);
  UpdateWindow(main_window.Window());

  // A VIS file given on the command line (a double click on it) is opened as the open command
  // would, without its dialog.
  std::string vis_file = tarnwick::VisFileArgument(command_line != nullptr ? command_line : "");
  if (!vis_file.empty()) {
    std::array<char, MAX_PATH> full = {};
    DWORD length =
        GetFullPathNameA(vis_file.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length > 0 && length < full.size()) vis_file = full.data();
    main_window.OpenScenerySet(vis_file);
  }
  return main_window.RunMessageLoop();
}
