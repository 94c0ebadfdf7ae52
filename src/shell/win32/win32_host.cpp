#include "shell/win32/win32_host.h"

#include "details/win32/details_pane.h"
#include "platform/win32/ui/win32_api.h"
#include "shell/settings.h"
#include "shell/win32/main_window.h"
#include "shell/win32/warning_box.h"
#include "tree/win32/vis_pane.h"

namespace tarnwick::win32 {

namespace {

constexpr std::array<const char*, 5> kStatusLabels = {
    "Areas: ", "Locns: ", "Menus: ", "BGLs:  ", " VIS:  "};

constexpr char kVisFilter[] = "FlightSim Scenery Control Files (*.VIS)\0*.VIS\0";

}  // namespace

void Win32Host::ShowMessage(uint32_t code, std::string_view phrase) {
  std::string text = "Error " + std::to_string(static_cast<int32_t>(code)) + " reported whilst " +
                     std::string(phrase);
  shell_.Questions().Ask(shell_.Window(), text, "Tarnwick Error", MB_OK | MB_ICONWARNING);
}

bool Win32Host::Confirm(std::string_view question) {
  HWND focus = GetFocus();
  bool yes = true;
  if (shell_.GetOptions().confirmations) {
    yes = shell_.Questions().Ask(shell_.Window(), std::string(question), "Tarnwick Confirmation",
                                 MB_YESNO | MB_ICONWARNING) == IDYES;
  }
  if (focus != nullptr && IsWindow(focus)) SetFocus(focus);
  return yes;
}

bool Win32Host::AskWarning() {
  return WarningBox::Ask(shell_.Questions(), shell_.Window());
}

void Win32Host::Beep() {
  shell_.Questions().Beep(MB_ICONEXCLAMATION);
}

void Win32Host::SetStatusCount(StatusPart part, int64_t value) {
  auto index = static_cast<size_t>(part);
  if (index >= status_texts_.size()) return;
  std::string text = kStatusLabels[index] + std::to_string(value);
  if (text == status_texts_[index]) return;
  status_texts_[index] = std::move(text);
  if (ProgressBoxExists()) {
    status_waiting_[index] = true;
  } else {
    SendStatusText(index);
  }
}

void Win32Host::SendStatusText(size_t part) {
  if (shell_.StatusBar() != nullptr) {
    SendMessageA(shell_.StatusBar(), SB_SETTEXTA, part,
                 reinterpret_cast<LPARAM>(status_texts_[part].c_str()));
  }
}

void Win32Host::ResetStatusCounts() {
  for (size_t part = 0; part < status_texts_.size(); ++part) {
    status_texts_[part] = std::string(kStatusLabels[part]) + "0";
  }
  ShowStatusTexts();
}

void Win32Host::ShowStatusTexts() {
  for (size_t part = 0; part < status_texts_.size(); ++part) SendStatusText(part);
}

void Win32Host::OpenProgressBox(std::string_view message) {
  busy_ = BusyState::kBusy;
  frame_shown_ = false;
  for (auto& line : lines_waiting_) line.reset();
  shell_.Tree().HoldDrawing(true);
  progress_box_.Open(
      shell_.Instance(), shell_.Window(), message,
      [this] {
        busy_ = BusyState::kCancelled;
        shell_.CloseScenerySet(false);
      },
      [this] {
        if (shell_.TreeControl() != nullptr) SetFocus(shell_.TreeControl());
      });
}

void Win32Host::SetProgressLine(ProgressLine line, std::string_view text) {
  size_t index =
      static_cast<size_t>(static_cast<int>(line) - static_cast<int>(ProgressLine::kMessage));
  if (index < lines_waiting_.size() && ProgressBoxExists()) {
    lines_waiting_[index] = std::string(text);
    return;
  }
  progress_box_.SetLine(static_cast<int>(line), text);
}

void Win32Host::ShowFrame() {
  for (size_t i = 0; i < lines_waiting_.size(); ++i) {
    if (lines_waiting_[i]) {
      progress_box_.SetLine(static_cast<int>(ProgressLine::kMessage) + static_cast<int>(i),
                            *lines_waiting_[i]);
      lines_waiting_[i].reset();
    }
  }
  for (size_t part = 0; part < status_texts_.size(); ++part) {
    if (status_waiting_[part]) SendStatusText(part);
    status_waiting_[part] = false;
  }
  shell_.Tree().ShowChanges();
}

void Win32Host::CloseProgressBox() {
  // Lines still waiting would only reach a box about to go.
  for (auto& line : lines_waiting_) line.reset();
  ShowFrame();
  shell_.Tree().HoldDrawing(false);
  busy_ = BusyState::kIdle;
  progress_box_.Close();
}

bool Win32Host::OfferToDialogs(MSG& message) {
  HWND progress = progress_box_.Window();
  if (progress != nullptr && IsDialogMessageA(progress, &message)) return true;
  HWND search = shell_.SearchWindow();
  if (search != nullptr && IsDialogMessageA(search, &message)) return true;
  HWND check = shell_.CheckWindow();
  return check != nullptr && IsDialogMessageA(check, &message);
}

bool Win32Host::PumpMessages() {
  const uint64_t now = GetTickCount64();
  bool frame = !frame_shown_ || now - last_frame_ >= kFrameMilliseconds;
  if (!frame && now - last_drain_ < kDrainMilliseconds) return true;
  last_drain_ = now;
  TimingLog& timing = shell_.Timing();
  timing.PumpStarted();
  double started = timing.On() ? timing.Now() : 0;
  // Input, posted and sent messages every few milliseconds; drawing and timers once a frame.
  UINT taken = PM_REMOVE | PM_QS_INPUT | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE;
  if (frame) {
    ShowFrame();
    taken = PM_REMOVE;
  }
  bool go_on = true;
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, taken)) {
    if (message.message == WM_QUIT) {
      // The main loop must see the quit request too.
      PostQuitMessage(static_cast<int>(message.wParam));
      go_on = false;
      break;
    }
    if (OfferToDialogs(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  if (frame) {
    // The next frame is due a whole interval after this one has been drawn.
    frame_shown_ = true;
    last_frame_ = GetTickCount64();
  }
  if (timing.On()) {
    double spent = timing.Now() - started;
    frame ? timing.FrameTaken(spent) : timing.DrainTaken(spent);
  }
  return go_on;
}

void Win32Host::ClearVisRows() {
  if (VisPane* pane = shell_.GetVisPane()) pane->Clear();
}

void Win32Host::BeginVisRows() {
  if (VisPane* pane = shell_.GetVisPane()) pane->BeginRows();
}

void Win32Host::AddVisRow(int number, bool on, std::string_view title,
                          std::string_view expanded_path) {
  if (VisPane* pane = shell_.GetVisPane()) pane->AddRow(number, on, title, expanded_path);
}

void Win32Host::FinishVisRows() {
  if (VisPane* pane = shell_.GetVisPane()) pane->FinishRows();
}

void Win32Host::MarkVisSelectionsUnchanged() {
  if (VisPane* pane = shell_.GetVisPane()) pane->MarkUnchanged();
}

void Win32Host::UpdateMenuState() {
  shell_.UpdateMenuState();
}

void Win32Host::StoreVisFileName(std::string_view name) {
  WriteVisFileSetting(shell_.Settings(), name);
}

std::optional<std::string> Win32Host::ChooseVisFile(std::string_view current) {
  ScenerySet& set = shell_.GetSession().set;
  // Without a simulator in the registry the dialog starts where the last VIS file was, not in
  // whatever folder the program happened to be started from. (`current` may be the set's own
  // path, which the stored name replaces below.)
  std::string folder = shell_.HostSceneryFolder();
  if (folder.empty()) {
    if (size_t slash = current.rfind('\\'); slash != std::string_view::npos) {
      folder = std::string(current.substr(0, slash));
    }
  }
  std::string offered(current);
  // Cancelled, the dialog leaves the open set where it is: the stored name is a bare file name.
  const std::string previous = set.vis_path;
  std::string stored = ReadVisFileSetting(shell_.Settings());
  if (!stored.empty()) {
    offered = stored;
    set.vis_path = stored;
  }

  std::array<char, 260> file = {};
  offered.copy(file.data(), file.size() - 1);
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = shell_.Window();
  dialog.hInstance = shell_.Instance();
  dialog.lpstrFilter = kVisFilter;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = "Open Scenery Control File (VIS)";
  dialog.Flags = OFN_FILEMUSTEXIST;
  dialog.lpstrDefExt = "vis";
  DWORD error = 0;
  if (shell_.Questions().OpenFileName(dialog, error)) {
    set.vis_path = file.data();
    return set.vis_path;
  }
  set.vis_path = previous;
  if (error != 0) ShowMessage(error, "opening VIS dialogue");
  return std::nullopt;
}

void Win32Host::ClearTree(MenuTree& /*tree*/, bool full) {
  shell_.ClearTree(full);
}

void Win32Host::FillDetails(TreeNode node) {
  if (DetailsPane* pane = shell_.GetDetailsPane()) pane->SelectionChanged(node);
}

void Win32Host::RefreshDetails() {
  if (DetailsPane* pane = shell_.GetDetailsPane()) pane->Refresh(0);
}

void Win32Host::QueueDetailsRefresh() {
  if (shell_.Window() != nullptr) PostMessageA(shell_.Window(), kDetailsRefreshMessage, 0, 0);
}

void Win32Host::ShowStatusNote(std::string_view text) {
  status_note_ = std::string(text);
  HWND bar = shell_.StatusBar();
  if (bar == nullptr) return;
  // The bar's simple mode shows one text across it; the parts keep their counts underneath.
  SendMessageA(bar, SB_SIMPLE, TRUE, 0);
  SendMessageA(bar, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(status_note_.c_str()));
}

void Win32Host::ClearStatusNote() {
  if (status_note_.empty()) return;
  status_note_.clear();
  if (shell_.StatusBar() != nullptr) SendMessageA(shell_.StatusBar(), SB_SIMPLE, FALSE, 0);
}

void Win32Host::FocusTree() {
  if (shell_.TreeControl() != nullptr) SetFocus(shell_.TreeControl());
}

}  // namespace tarnwick::win32
