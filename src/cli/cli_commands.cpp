#include "cli/cli_command.h"

namespace tarnwick::cli {

// Each job lives in its own file; this table only names them.
extern const Command kVisCommand;
extern const Command kBglCommand;

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      kVisCommand,
      kBglCommand,
  };
  return commands;
}

}  // namespace tarnwick::cli
