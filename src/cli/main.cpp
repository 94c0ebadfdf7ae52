// tarnwick-cli: the core's jobs on real files, without windows.
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/cli_command.h"
#include "platform/heap_pages.h"

namespace {

void PrintUsage(FILE* out) {
  std::fprintf(out, "usage: tarnwick-cli COMMAND [ARGS...]\n\ncommands:\n");
  for (const auto& command : tarnwick::cli::Commands()) {
    std::fprintf(out, "  tarnwick-cli %s\n", command.usage);
  }
  std::fprintf(out,
               "\n'tarnwick-cli COMMAND --help' explains one command;"
               " 'tarnwick-cli --version' prints the version.\n");
}

}  // namespace

int main(int argc, char** argv) {
  tarnwick::PreferLargeHeapPages();
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    PrintUsage(argc < 2 ? stderr : stdout);
    return argc < 2 ? 2 : 0;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    std::printf("tarnwick-cli %s\n", TARNWICK_VERSION);
    return 0;
  }
  for (const auto& command : tarnwick::cli::Commands()) {
    if (std::strcmp(argv[1], command.name) == 0) {
      return command.run(tarnwick::cli::Args(argv + 2, argv + argc));
    }
  }
  std::fprintf(stderr, "tarnwick-cli: unknown command '%s'\n", argv[1]);
  PrintUsage(stderr);
  return 2;
}
