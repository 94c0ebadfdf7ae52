#include "output/save_results.h"

#include <cstdint>
#include <memory>
#include <string>

#include "output/path_compare.h"
#include "platform/memory_file.h"
#include "scenery/bgl_menu.h"
#include "scenery/menu_paths.h"
#include "scenery/menu_results.h"
#include "scenery/progress_box.h"
#include "scenery/switch_job.h"
#include "scenery/vis_file.h"

namespace tarnwick {

namespace {

// Creates and writes the new menu BGL under its writing name, flushed to the disk. False
// (reported) when it could not be created or written; nothing of it is then left behind.
bool WriteNewMenuBgl(Session& s, const std::string& path) {
  std::unique_ptr<File> file = s.fs.Open(path, OpenMode::kCreateReadWrite);
  if (!file) {
    s.host.ShowMessage(s.fs.LastError(), "creating Menu BGL!");
    return false;
  }
  // Built in memory and written in one go: the generator writes field by field and seeks back to
  // patch offsets, which on the disk would cost a call per field.
  MemoryFile image;
  // At most a record of 72 bytes per tree item and 290 per VIS entry: the image then never moves
  // while it grows to several megabytes.
  image.Reserve(s.tree.Count() * 72 + s.set.vis_entries.size() * 290 + 256);
  bool written = false;
  uint32_t error = 0;
  if (WriteMenuBgl(s, image)) {
    const std::vector<uint8_t>& bytes = image.Bytes();
    written = file->Write(bytes.data(), static_cast<uint32_t>(bytes.size())) && file->Flush();
    if (!written) error = s.fs.LastError();
  }
  file.reset();
  if (!written) {
    s.host.ShowMessage(error, "writing Menu BGL!");
    s.fs.Delete(path);
  }
  return written;
}

// Copies the current menu BGL into the previous-results copy, which is replaced in one step: the
// current one keeps its name all the while, so that every moment has both results on the disk.
// False (reported) when the copy cannot be kept; the previous copy is then as it was.
bool KeepCurrentAsPrevious(Session& s, const std::string& menu_bgl) {
  const std::string copying = PreviousCopyWritingPath(menu_bgl);
  const std::string previous = PreviousCopyPath(s.set);
  const bool had_previous = s.fs.Exists(previous);
  if (had_previous && (!s.fs.IsWritable(previous) || !s.fs.Open(previous, OpenMode::kRead))) {
    // A read-only previous copy (or a folder of that name) is the user's to keep.
    s.host.ShowMessage(win32_error::kAccessDenied, "keeping previous Menu BGL!");
    return false;
  }
  std::optional<std::vector<uint8_t>> bytes = ReadResultFile(s.fs, menu_bgl);
  bool kept = bytes.has_value();
  if (kept) {
    auto copy = s.fs.Open(copying, OpenMode::kCreateWrite);
    kept =
        copy && copy->Write(bytes->data(), static_cast<uint32_t>(bytes->size())) && copy->Flush();
  }
  // The previous copy is set aside, not overwritten: it goes back if the new result never takes
  // the current name.
  const std::string retired = RetiredPreviousPath(menu_bgl);
  if (kept && had_previous) kept = s.fs.Rename(previous, retired);
  if (kept && !s.fs.Replace(copying, previous)) {
    kept = false;
    if (had_previous) s.fs.Rename(retired, previous);
  }
  if (!kept) {
    s.host.ShowMessage(s.fs.LastError(), "keeping previous Menu BGL!");
    if (s.fs.Exists(copying)) s.fs.Delete(copying);
  }
  return kept;
}

// Adds the generated menu's entry to the VIS file. A write that fails puts the image back as it
// was, so that the image keeps matching the file and the next save tries again.
bool UpdateVisFile(Session& s) {
  VisImage before = s.set.image;
  if (!AppendMenuEntry(s.set)) return true;
  if (WriteVisImage(s)) {
    CountInMenuEntry(s);
    return true;
  }
  s.set.image = std::move(before);
  return false;
}

// The end of a save's rotation: when the save is complete the previous copy it set aside goes;
// otherwise that copy goes back and the new result is dropped.
void EndRotation(Session& s, const std::string& menu_bgl, bool saved) {
  if (const std::string retired = RetiredPreviousPath(menu_bgl); s.fs.Exists(retired)) {
    saved ? s.fs.Delete(retired) : s.fs.Replace(retired, PreviousCopyOf(menu_bgl));
  }
  if (const std::string writing = MenuBglWritingPath(menu_bgl); !saved && s.fs.Exists(writing)) {
    s.fs.Delete(writing);
  }
}

// The source menus the save switches off: every menu BGL of the scan but the generated one whose
// switch is still on. False (reported) when one cannot be read because another program holds it:
// its menu would then show beside the new one.
bool PlanSourceSwitches(Session& s, const std::string& menu_bgl, SwitchJob& job) {
  for (int32_t i = 1; i <= s.set.bgl_count; ++i) {
    const MenuBgl* bgl = s.set.Bgl(i);
    if (bgl == nullptr || SamePath(bgl->path, menu_bgl)) continue;
    // Thousands of files: the window keeps answering (the save can no longer be cancelled).
    if (s.host.GetBusyState() == BusyState::kBusy) s.host.PumpMessages();
    uint32_t error = 0;
    std::optional<MenuSwitchState> state = ReadMenuSwitch(s.fs, bgl->path, error);
    if (state && state->byte == 1) {
      job.changes.push_back({bgl->path, 1, 0});
    } else if (!state && HeldByAnotherProgram(error)) {
      s.host.ShowMessage(error, "reading the menu switch of " + bgl->path + "! Nothing was saved.");
      return false;
    }
  }
  return true;
}

// The simulator's menu shows only the first characters of a long Area title: the user hears how
// many were cut, so that a title the check listed is not missed.
void ReportCutTitles(Session& s) {
  const int cut = CountCutAreaTitles(s.tree);
  const std::string text = std::to_string(cut) + (cut == 1 ? " Area title" : " Area titles") +
                           " cut to " + std::to_string(kMaxWrittenTitle) + " characters";
  s.log.Write("Menu BGL written: " + text + "\n");
  if (s.host.ProgressBoxExists()) s.host.SetProgressLine(ProgressLine::kTotals, text);
}

}  // namespace

bool SaveResults(Session& s, bool warn, bool ask_only) {
  if (warn && s.set.generated_menu_seen && s.set.generated_menu_off && !s.host.AskWarning()) {
    return false;
  }
  if (ask_only) return true;
  OpenVisProgressBox(s.host, "Please wait whilst saving menu for VIS file '%s'.", s.set.vis_path);
  WriteResults(s);
  s.host.CloseProgressBox();
  return true;
}

bool WriteResults(Session& s) {
  // A job stopped half-way is put right first; one that cannot be is no ground to build on.
  if (!BuildMenuPaths(s)) return false;
  const std::string menu_bgl = s.set.menu_bgl_path;
  const std::string writing = MenuBglWritingPath(menu_bgl);
  const bool has_current = s.fs.Exists(menu_bgl);
  bool written = false;
  bool unchanged = false;
  if (has_current && !s.fs.IsWritable(menu_bgl)) {
    // A read-only result is the user's to keep: it is neither moved nor replaced.
    s.host.ShowMessage(win32_error::kAccessDenied, "creating Menu BGL!");
  } else {
    // The new file is complete on the disk before it takes a result's place, and the current one
    // is kept as the previous copy before it is replaced: a failure or a kill at any step leaves
    // both results whole under their own names.
    written = WriteNewMenuBgl(s, writing);
    if (written) ReportCutTitles(s);
    // A result that would not change is left alone, and so is the previous copy: a second save
    // of the same menu must not leave Restore nothing to give back.
    unchanged = written && has_current && SameResultFiles(s.fs, writing, menu_bgl);
    if (unchanged) {
      s.fs.Delete(writing);
    } else if (written && has_current) {
      written = KeepCurrentAsPrevious(s, menu_bgl);
    }
  }

  if (s.host.ProgressBoxExists()) s.host.DisableProgressCancel();
  if (!written || s.host.GetBusyState() != BusyState::kBusy) {
    EndRotation(s, menu_bgl, false);
    return false;
  }

  // Every source menu still on is switched off, and the new result put in place, as one job.
  SwitchJob job;
  job.puts_new_result = !unchanged;
  if (!PlanSourceSwitches(s, menu_bgl, job)) {
    EndRotation(s, menu_bgl, false);
    return false;
  }

  // The VIS file first: when it cannot be written no BGL has changed.
  s.host.SetProgressLine(
      ProgressLine::kStep,
      "Updating the VIS file to include the new BGL created in the MENUS folder");
  if (!UpdateVisFile(s)) {
    EndRotation(s, menu_bgl, false);
    return false;
  }

  s.host.SetProgressLine(
      ProgressLine::kStep,
      "Disabling original source menus in favour of the new one created in the MENUS folder");
  SwitchJobResult result = RunSwitchJob(s.fs, menu_bgl, job, [&s](const SwitchChange&, int made) {
    if (s.host.ProgressBoxExists()) {
      s.host.SetProgressLine(ProgressLine::kFile,
                             "Disabled menus in " + std::to_string(made) + " BGL files");
    }
    if (s.host.GetBusyState() == BusyState::kBusy) s.host.PumpMessages();
    return true;
  });
  if (result.end != SwitchJobEnd::kDone) {
    s.host.ShowMessage(result.error, SwitchFailurePhrase(result) + " Nothing was saved.");
    EndRotation(s, menu_bgl, false);
    return false;
  }
  EndRotation(s, menu_bgl, true);

  s.set.generated_menu_off = false;
  s.set.results_saved = true;
  s.tree_state.history.MarkSaved();
  s.set.generated_menu_seen = true;
  return true;
}

}  // namespace tarnwick
