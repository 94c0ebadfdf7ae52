// tarnwick-bench: measures the core's costly operations. Not a test: it prints figures and never
// judges them.
#include <cstdio>
#include <cstring>

#include "bench_commands.h"

namespace {

struct BenchCommand {
  const char* name;
  const char* summary;
  int (*run)(int argc, char** argv);
};

// One line per benchmark; each lives in its own file.
const BenchCommand kCommands[] = {
    {"tree", "selection, marking, search and sort on large memory trees",
     tarnwick::bench::RunTreeBench},
    {"scan", "scan and save of a large generated set against the I/O floor; peak memory",
     tarnwick::bench::RunScanBench},
    {"check", "the menu check on 60,000 Locations, spread out and close together",
     tarnwick::bench::RunCheckBench},
};

int Usage() {
  std::fprintf(stderr, "usage: tarnwick-bench COMMAND\ncommands:\n");
  for (const BenchCommand& c : kCommands) std::fprintf(stderr, "  %-8s %s\n", c.name, c.summary);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  for (const BenchCommand& c : kCommands) {
    if (std::strcmp(argv[1], c.name) == 0) return c.run(argc - 1, argv + 1);
  }
  return Usage();
}
