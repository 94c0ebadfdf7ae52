// What the window's figures are compared with, measured in the same run: the command-line
// program doing the same work without a window, a bare tree-view control taking the same items,
// and the memory tree's own work.
#pragma once

#include <cstddef>
#include <string>

namespace bench {

struct ProcessCost {
  double ms = -1;       // negative when it failed
  double peak_mb = -1;  // peak private bytes, when Wine reports them
};

// Runs a command line to its end, its output written to a file (the C runtime writes to a
// character device unbuffered).
ProcessCost RunProcess(std::string command);

struct Floors {
  ProcessCost scan;  // tarnwick-cli menu --summary
  double scan_in_process = 0;
  double insertion = 0;  // every item inserted and the root opened, drawn
  double destruction = 0;
  double expand_control = 0;  // every Area opened, one message each
  double sort_control = 0;
  double expand_memory = 0;
  double sort_memory = 0;
  size_t items = 0;
  size_t areas = 0;
};

Floors MeasureFloors(const std::string& vis, const std::string& cli);

}  // namespace bench
