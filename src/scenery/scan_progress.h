// The scan's running totals: line 205 of the progress box and the Areas, Locns and VIS counts of
// the status bar.
#pragma once

#include "scenery/session.h"

namespace tarnwick {

// `vis_index` is the zero-based number of the VIS entry being scanned.
void ReportScanProgress(Session& s, int vis_index);

}  // namespace tarnwick
