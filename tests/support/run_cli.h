// Runs the built tarnwick-cli (native tests only) and collects what it printed.
#pragma once

#include <string>
#include <vector>

namespace tarnwick::testing {

struct CliRun {
  int exit_code = -1;  // -1 when it could not run or was killed
  std::string out;
  std::string err;
};

// Runs `program` with `args` (no shell: the words reach it as given) and an empty stdin.
CliRun RunProgram(const std::string& program, const std::vector<std::string>& args);

}  // namespace tarnwick::testing
