#include "scenery/scan_progress.h"

#include <cstdio>

namespace tarnwick {

void ReportScanProgress(Session& s, int vis_index) {
  int areas = s.set.area_count;
  int locations = s.set.location_count;
  if (s.host.ProgressBoxExists()) {
    char text[160];
    std::snprintf(text, sizeof text, "%d VIS %s, %d %s, %d %s", vis_index + 1,
                  vis_index > 0 ? "entries" : "entry", areas, areas == 1 ? "Area" : "Areas",
                  locations, locations == 1 ? "Location" : "Locations");
    s.host.SetProgressLine(ProgressLine::kTotals, text);
  }
  s.host.SetStatusCount(StatusPart::kAreas, areas);
  s.host.SetStatusCount(StatusPart::kLocns, locations);
  s.host.SetStatusCount(StatusPart::kVis, vis_index + 1);
}

}  // namespace tarnwick
