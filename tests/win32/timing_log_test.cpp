// The timing file the window benchmark reads: which lines the program writes and when.
#include "platform/win32/ui/timing_log.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace tarnwick::win32 {
namespace {

class TimingLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "tarnwick-timing-log-test.txt";
    DeleteFileA(path_.c_str());
    // The C runtime's copy of the environment, which getenv reads.
    _putenv_s("TARNWICK_TIMING", path_.c_str());
    log_ = std::make_unique<TimingLog>();
    _putenv_s("TARNWICK_TIMING", "");
  }
  void TearDown() override {
    log_.reset();
    DeleteFileA(path_.c_str());
  }
  // The steps written so far, with their figures: "input 256".
  std::vector<std::string> Steps() const {
    std::ifstream in(path_);
    std::vector<std::string> steps;
    std::string line;
    while (std::getline(in, line)) {
      std::istringstream words(line);
      double time = 0;
      std::string step, figure;
      words >> time >> step >> figure;
      if (!figure.empty()) step += " " + figure.substr(0, figure.find('.'));
      steps.push_back(step);
    }
    return steps;
  }

  std::string path_;
  std::unique_ptr<TimingLog> log_;
};

TEST_F(TimingLogTest, AnInputAwaitsTheNextEmptyQueueOnce) {
  log_->InputTaken(WM_KEYDOWN);
  log_->QueueChecked(false);
  log_->QueueChecked(true);
  log_->QueueChecked(true);
  EXPECT_EQ(Steps(), (std::vector<std::string>{"input 256", "idle"}));
}

TEST_F(TimingLogTest, OnlyTheOutermostCommandReportsItsStretch) {
  EXPECT_LT(log_->CommandEnded(), 0) << "no command had started";
  log_->CommandStarted();
  log_->CommandStarted();
  log_->PumpStarted();
  EXPECT_LT(log_->CommandEnded(), 0) << "a command run inside another";
  log_->ModalStarted();
  log_->ModalEnded();
  EXPECT_GE(log_->CommandEnded(), 0);
  EXPECT_LT(log_->CommandEnded(), 0) << "every command has ended";
  // The stretch still open when the command ends counts too.
  log_->CommandStarted();
  Sleep(5);
  EXPECT_GT(log_->CommandEnded(), 0);
}

TEST(TimingLogOff, WritesNothingWithoutTheVariable) {
  _putenv_s("TARNWICK_TIMING", "");
  TimingLog log;
  EXPECT_FALSE(log.On());
  log.InputTaken(WM_COMMAND);
  log.CommandStarted();
  EXPECT_LT(log.CommandEnded(), 0);
}

}  // namespace
}  // namespace tarnwick::win32
