#include "scenery/scan_progress.h"

#include "scenery/progress_text.h"

namespace tarnwick {

void ReportScanProgress(Session& s, int vis_index) {
  const int32_t areas = s.set.area_count;
  const int32_t locations = s.set.location_count;
  if (s.host.ProgressBoxExists()) {
    s.host.SetProgressLine(ProgressLine::kTotals, ScanProgressText(vis_index, areas, locations));
  }
  s.host.SetStatusCount(StatusPart::kAreas, areas);
  s.host.SetStatusCount(StatusPart::kLocns, locations);
  s.host.SetStatusCount(StatusPart::kVis, vis_index + 1);
}

}  // namespace tarnwick
