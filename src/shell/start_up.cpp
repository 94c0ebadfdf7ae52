#include "shell/start_up.h"

namespace tarnwick {

std::string HelpFilePath(std::string_view module_path) {
  module_path = module_path.substr(0, kModulePathLength);
  size_t slash = module_path.rfind('\\');
  std::string path(slash == std::string_view::npos ? std::string_view()
                                                   : module_path.substr(0, slash + 1));
  return path + "guide.html";
}

std::string VisFileArgument(std::string_view command_line) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!command_line.empty() && blank(command_line.front())) command_line.remove_prefix(1);
  while (!command_line.empty() && blank(command_line.back())) command_line.remove_suffix(1);
  if (!command_line.empty() && command_line.front() == '"') {
    command_line.remove_prefix(1);
    size_t close = command_line.find('"');
    if (close != std::string_view::npos) command_line = command_line.substr(0, close);
  }
  return std::string(command_line);
}

}  // namespace tarnwick
