#include <gtest/gtest.h>

#include <string>

#include "support/run_cli.h"

namespace tarnwick {
namespace {

using testing::RunProgram;

// The installer and the version resources are made from the same number, so a user can match the
// companion to the program it came with.
TEST(CliVersionTest, PrintsTheProjectVersionAndTheUsageNamesTheOption) {
  auto run = RunProgram(TARNWICK_CLI_PATH, {"--version"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out, std::string("tarnwick-cli ") + TARNWICK_VERSION + "\n");
  EXPECT_EQ(run.err, "");

  auto usage = RunProgram(TARNWICK_CLI_PATH, {"--help"});
  EXPECT_EQ(usage.exit_code, 0);
  EXPECT_NE(usage.out.find("tarnwick-cli --version"), std::string::npos) << usage.out;
}

}  // namespace
}  // namespace tarnwick
