#include "scenery/progress_text.h"

namespace tarnwick {

std::string FormatProgressMessage(std::string_view format, std::string_view vis_path) {
  const size_t at = format.find("%s");
  if (at == std::string_view::npos) return std::string(format);
  std::string text(format.substr(0, at));
  text += vis_path;
  text += format.substr(at + 2);
  return text;
}

std::string ScanProgressText(int32_t entry, int32_t areas, int32_t locations) {
  // Widened so that the entry number shown cannot overflow.
  std::string text = std::to_string(int64_t{entry} + 1);
  text += entry > 0 ? " VIS entries, " : " VIS entry, ";
  text += std::to_string(areas);
  text += areas == 1 ? " Area, " : " Areas, ";
  text += std::to_string(locations);
  text += locations == 1 ? " Location" : " Locations";
  return text;
}

}  // namespace tarnwick
