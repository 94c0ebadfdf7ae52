#include "cli/cli_command.h"

namespace tarnwick::cli {

// Each job lives in its own file; this table only names them.
extern const Command kVisCommand;
extern const Command kBglCommand;
extern const Command kMenuCommand;
extern const Command kCheckCommand;
extern const Command kSaveCommand;
extern const Command kOriginalsCommand;
extern const Command kRestoreCommand;
extern const Command kPrintCommand;
extern const Command kExportCommand;
extern const Command kImportCommand;

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      kVisCommand,       kBglCommand,     kMenuCommand,  kCheckCommand,  kSaveCommand,
      kOriginalsCommand, kRestoreCommand, kPrintCommand, kExportCommand, kImportCommand,
  };
  return commands;
}

}  // namespace tarnwick::cli
