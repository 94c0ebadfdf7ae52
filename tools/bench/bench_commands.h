// The benchmarks of tarnwick-bench, one per file; bench_main.cpp names them in its table.
#pragma once

namespace tarnwick::bench {

// Each prints one line per figure, "NAME: VALUE UNIT", and returns the exit code.
int RunTreeBench(int argc, char** argv);
int RunScanBench(int argc, char** argv);
int RunCheckBench(int argc, char** argv);

}  // namespace tarnwick::bench
