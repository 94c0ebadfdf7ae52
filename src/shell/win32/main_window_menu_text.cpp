// File > Export menu... and Import menu...: the menu as a text file to edit elsewhere.
#include "details/menu_import.h"
#include "details/menu_text_file.h"
#include "platform/win32/ui/win32_api.h"
#include "scenery/edit_history.h"
#include "shell/win32/main_window.h"

namespace tarnwick::win32 {

namespace {

constexpr char kExportFilter[] = "CSV files (*.csv)\0*.csv\0";
constexpr char kImportFilter[] =
    "CSV files (*.csv)\0*.csv\0Menu JSON (*.json)\0*.json\0All files (*.*)\0*.*\0";
// A box of hundreds of lines runs off the screen; the first ones show what is wrong.
constexpr size_t kProblemsShown = 20;

std::string FileName(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::optional<std::string> MainWindow::ChooseMenuFile(bool save) {
  // Offered beside the VIS file and named after it.
  std::string folder;
  std::string offered = "Menu.csv";
  if (size_t slash = set_.vis_path.rfind('\\'); slash != std::string::npos) {
    folder = set_.vis_path.substr(0, slash);
    std::string name = set_.vis_path.substr(slash + 1);
    offered = name.substr(0, name.rfind('.')) + ".csv";
  }
  std::array<char, 260> file = {};
  if (save) offered.copy(file.data(), file.size() - 1);
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window_;
  dialog.hInstance = instance_;
  dialog.lpstrFilter = save ? kExportFilter : kImportFilter;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = save ? "Export menu" : "Import menu";
  dialog.lpstrDefExt = "csv";
  dialog.Flags =
      OFN_HIDEREADONLY | (save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST);
  DWORD error = 0;
  bool chosen =
      save ? questions_->SaveFileName(dialog, error) : questions_->OpenFileName(dialog, error);
  if (chosen) return std::string(file.data());
  if (error != 0) host_.ShowMessage(error, "opening menu file dialogue");
  return std::nullopt;
}

void MainWindow::ShowMenuTextProblems(const std::string& file,
                                      const std::vector<MenuTextProblem>& problems, bool imported) {
  std::string text;
  for (size_t i = 0; i < problems.size() && i < kProblemsShown; ++i) {
    text += FormatMenuTextProblem(file, problems[i]) + "\n";
  }
  if (problems.size() > kProblemsShown) {
    text += "... and " + std::to_string(problems.size() - kProblemsShown) + " more.\n";
  }
  if (imported) {
    questions_->Ask(window_, text + "\nThe menu was imported.", "Tarnwick Warning",
                    MB_OK | MB_ICONWARNING);
  } else {
    questions_->Ask(window_, text + "\nNothing was imported.", "Tarnwick Error",
                    MB_OK | MB_ICONEXCLAMATION);
  }
}

bool MainWindow::OnExportMenu() {
  if (set_.tree_root == nullptr) return true;
  std::optional<std::string> path = ChooseMenuFile(/*save=*/true);
  if (!path) return true;
  const std::string csv = MenuCsv(set_, tree_, options_.fractional_minutes);
  if (uint32_t error = WriteMenuTextFile(*file_system_, *path, csv); error != 0) {
    host_.ShowMessage(error, "writing menu file!");
  }
  return true;
}

bool MainWindow::OnImportMenu() {
  if (set_.tree_root == nullptr) return true;
  std::optional<std::string> path = ChooseMenuFile(/*save=*/false);
  if (!path) return true;
  uint32_t error = 0;
  std::optional<std::string> bytes = ReadMenuTextFile(*file_system_, *path, error);
  if (!bytes) {
    host_.ShowMessage(error, "reading menu file!");
    return true;
  }
  const std::string name = FileName(*path);
  MenuImportPlan plan = PlanMenuImport(set_, tree_, ReadMenuText(*bytes));
  if (plan.HasErrors()) {
    ShowMenuTextProblems(name, plan.problems, /*imported=*/false);
    return true;
  }
  if (!host_.Confirm("Replace the menu with the one in '" + name + "'?")) return true;
  // Laid out and drawn once, not after each of thousands of items.
  tree_.HoldDrawing(true);
  // One step of the history: Undo puts the whole menu back as it was.
  tree_state_.history.BeginWholeTree(tree_, set_, EditKind::kImport);
  ReplaceMenu(session_, plan);
  tree_state_.history.End(tree_, set_);
  tree_.HoldDrawing(false);
  if (!plan.problems.empty()) {
    ShowMenuTextProblems(name, plan.problems, /*imported=*/true);
  }
  return true;
}

}  // namespace tarnwick::win32
