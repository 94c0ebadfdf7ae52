// The jobs of tarnwick-cli. Each takes the words after its name and returns the exit code:
// 0 done, 1 failed (message on stderr), 2 declined or bad usage.
#pragma once

#include <string>
#include <vector>

namespace tarnwick::cli {

using Args = std::vector<std::string>;

struct Command {
  const char* name;
  const char* usage;  // one line, after "tarnwick-cli "
  int (*run)(const Args& args);
};

// The table of jobs, in the order the usage text lists them.
const std::vector<Command>& Commands();

}  // namespace tarnwick::cli
