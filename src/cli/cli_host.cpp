#include "cli/cli_host.h"

namespace tarnwick::cli {
namespace {

// The texts of the warning box, as the program shows them.
constexpr std::string_view kWarning =
    "WARNING: Possible loss of previous work on menus!\n"
    "Saving this menu arrangement will replace your previous one. The previoussettings will be "
    "saved and can be recalled by using the 'restore previous results'option in the File menu. "
    "However, you should consider that only two complete setsare maintained!\n"
    "Do you want to go ahead and save this arrangement?";

}  // namespace

void CliHost::ShowMessage(uint32_t code, std::string_view phrase) {
  ++messages_shown_;
  std::fprintf(err_, "Error %u reported whilst %.*s\n", static_cast<unsigned>(code),
               static_cast<int>(phrase.size()), phrase.data());
}

bool CliHost::Ask(std::string_view question) {
  if (answer_ != Answer::kAsk) return answer_ == Answer::kYes;
  std::fprintf(err_, "%.*s [y/N] ", static_cast<int>(question.size()), question.data());
  std::fflush(err_);
  char line[64];
  if (std::fgets(line, sizeof line, in_) == nullptr) {
    std::fprintf(err_, "\n");
    return false;  // nobody to answer: the cautious choice
  }
  return line[0] == 'y' || line[0] == 'Y';
}

bool CliHost::Confirm(std::string_view question) {
  return Ask(question);
}

bool CliHost::AskWarning() {
  return Ask(kWarning);
}

void CliHost::SetStatusCount(StatusPart part, int64_t value) {
  status_[static_cast<int>(part)] = value;
}

void CliHost::ResetStatusCounts() {
  for (auto& value : status_) value = 0;
}

void CliHost::OpenProgressBox(std::string_view message) {
  progress_open_ = true;
  busy_ = BusyState::kBusy;
  if (verbose_) {
    std::fprintf(err_, "%.*s\n", static_cast<int>(message.size()), message.data());
  }
}

void CliHost::SetProgressLine(ProgressLine, std::string_view text) {
  if (!progress_open_ || !verbose_) return;
  // Progress texts of the log kind end in a line feed already.
  bool ends_line = !text.empty() && text.back() == '\n';
  std::fprintf(err_, "%.*s%s", static_cast<int>(text.size()), text.data(), ends_line ? "" : "\n");
}

void CliHost::CloseProgressBox() {
  progress_open_ = false;
  busy_ = BusyState::kIdle;
}

void CliHost::AddVisRow(int number, bool on, std::string_view title,
                        std::string_view expanded_path) {
  vis_rows_.push_back({number, on, std::string(title), std::string(expanded_path)});
}

}  // namespace tarnwick::cli
