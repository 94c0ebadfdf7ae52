#include "scenery/progress_box.h"

#include "scenery/progress_text.h"

namespace tarnwick {

void OpenVisProgressBox(Host& host, std::string_view format, std::string_view vis_path) {
  host.OpenProgressBox(FormatProgressMessage(format, vis_path));
}

std::string_view ProgressText(std::string_view log_line) {
  while (!log_line.empty() && log_line.back() == '\n') log_line.remove_suffix(1);
  return log_line;
}

}  // namespace tarnwick
