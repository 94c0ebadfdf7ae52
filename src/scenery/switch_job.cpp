#include "scenery/switch_job.h"

#include <optional>
#include <string_view>

#include "scenery/bgl_menu.h"
#include "scenery/menu_results.h"

namespace tarnwick {

namespace {

constexpr std::string_view kRecordHeading = "Tarnwick menu switches 1\n";
constexpr std::string_view kRecordEnd = "end\n";

// One line per change: the byte found, the byte to write, the path. A record without its last
// line was cut short while it was written, before any change was made.
std::string RecordText(const SwitchJob& job) {
  std::string text(kRecordHeading);
  text += job.puts_new_result ? "result 1\n" : "result 0\n";
  for (const SwitchChange& change : job.changes) {
    text += static_cast<char>('0' + change.from);
    text += static_cast<char>('0' + change.to);
    text += ' ';
    text += change.path;
    text += '\n';
  }
  text += kRecordEnd;
  return text;
}

std::optional<SwitchJob> ParseRecord(std::string_view text) {
  if (text.substr(0, kRecordHeading.size()) != kRecordHeading) return std::nullopt;
  text.remove_prefix(kRecordHeading.size());
  SwitchJob job;
  bool result_seen = false;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 1);
    if (!result_seen) {
      if (line != "result 0" && line != "result 1") return std::nullopt;
      job.puts_new_result = line == "result 1";
      result_seen = true;
    } else if (line == "end") {
      return text.empty() ? std::optional<SwitchJob>(std::move(job)) : std::nullopt;
    } else {
      if (line.size() < 4 || line[2] != ' ' || (line[0] != '0' && line[0] != '1') ||
          (line[1] != '0' && line[1] != '1')) {
        return std::nullopt;
      }
      job.changes.push_back({std::string(line.substr(3)), static_cast<uint8_t>(line[0] - '0'),
                             static_cast<uint8_t>(line[1] - '0')});
    }
  }
  return std::nullopt;
}

// Writes the record complete and flushed before the first change; 0 or the system error code.
uint32_t WriteRecord(FileSystem& fs, const std::string& path, const SwitchJob& job) {
  const std::string text = RecordText(job);
  std::unique_ptr<File> file = fs.Open(path, OpenMode::kCreateWrite);
  if (file && file->Write(text.data(), static_cast<uint32_t>(text.size())) && file->Flush()) {
    return 0;
  }
  const uint32_t error = fs.LastError();
  return error != 0 ? error : win32_error::kWriteFault;
}

uint32_t WriteSwitch(FileSystem& fs, const std::string& path, uint8_t value) {
  return WriteMenuSwitch(fs, path, [value](const BglHeader&) { return static_cast<int>(value); });
}

// Puts back the first `made` changes of a job, the last first. The record first says so, so that a
// program stopped during the undo leaves a job that finishes it. True when all were put back; the
// record is then dropped.
bool Undo(FileSystem& fs, const std::string& record, const SwitchJob& job, size_t made) {
  SwitchJob back;
  for (size_t i = made; i-- > 0;) {
    const SwitchChange& change = job.changes[i];
    back.changes.push_back({change.path, change.to, change.from});
  }
  // Written even when nothing is to be put back: a record left behind because its delete failed
  // must never finish a job that was given up.
  if (WriteRecord(fs, record, back) != 0 && !back.changes.empty()) return false;
  bool undone = true;
  for (const SwitchChange& change : back.changes) {
    if (WriteSwitch(fs, change.path, change.to) != 0) undone = false;
  }
  if (undone && fs.Exists(record)) fs.Delete(record);
  return undone;
}

// Makes the changes of a job from the first (then puts its new result in place); on a failure,
// undoes every change up to the one that failed and says what failed.
SwitchJobResult MakeChanges(FileSystem& fs, const std::string& menu_bgl, const SwitchJob& job,
                            const std::function<bool(const SwitchChange&, int)>& go_on) {
  const std::string record = SwitchRecordPath(menu_bgl);
  SwitchJobResult result;
  auto give_up = [&](SwitchJobEnd end, size_t made) {
    result.end = end;
    result.changed = 0;
    result.undone = Undo(fs, record, job, made);
    return result;
  };
  for (size_t i = 0; i < job.changes.size(); ++i) {
    const SwitchChange& change = job.changes[i];
    if (uint32_t error = WriteSwitch(fs, change.path, change.to); error != 0) {
      result.path = change.path;
      result.error = error;
      result.switching_on = change.to == 1;
      // The failed file may have taken its byte after all: it is put back with the others.
      return give_up(SwitchJobEnd::kFailed, i + 1);
    }
    ++result.changed;
    if (go_on && !go_on(change, result.changed)) return give_up(SwitchJobEnd::kStopped, i + 1);
  }
  if (job.puts_new_result && !fs.Replace(MenuBglWritingPath(menu_bgl), menu_bgl)) {
    result.failed = SwitchFailure::kResult;
    result.path = menu_bgl;
    result.error = fs.LastError();
    return give_up(SwitchJobEnd::kFailed, job.changes.size());
  }
  // A record that cannot be dropped is finished again by the next job, which changes nothing.
  fs.Delete(record);
  return result;
}

}  // namespace

std::string SwitchRecordPath(const std::string& menu_bgl) {
  // "...\Menus\Scenery\World_MENU.bgl" -> "...\Menus\World_MENU.switches": out of the folder the
  // simulator reads scenery from.
  const size_t name_at = menu_bgl.rfind('\\');
  const size_t folder_at = name_at == std::string::npos || name_at == 0
                               ? std::string::npos
                               : menu_bgl.rfind('\\', name_at - 1);
  std::string name = name_at == std::string::npos ? menu_bgl : menu_bgl.substr(name_at + 1);
  if (const size_t dot = name.rfind('.'); dot != std::string::npos) name.resize(dot);
  if (folder_at == std::string::npos) return menu_bgl + "Switches";
  return menu_bgl.substr(0, folder_at + 1) + name + ".switches";
}

SwitchJobResult RunSwitchJob(FileSystem& fs, const std::string& menu_bgl, const SwitchJob& job,
                             const std::function<bool(const SwitchChange&, int)>& go_on) {
  if (job.changes.empty() && !job.puts_new_result) return {};
  const std::string record = SwitchRecordPath(menu_bgl);
  if (uint32_t error = WriteRecord(fs, record, job); error != 0) {
    if (fs.Exists(record)) fs.Delete(record);
    SwitchJobResult result;
    result.end = SwitchJobEnd::kFailed;
    result.failed = SwitchFailure::kRecord;
    result.path = record;
    result.error = error;
    return result;
  }
  return MakeChanges(fs, menu_bgl, job, go_on);
}

SwitchJobResult FinishSwitchJob(FileSystem& fs, const std::string& menu_bgl) {
  const std::string record = SwitchRecordPath(menu_bgl);
  if (!fs.Exists(record)) return {};
  std::optional<std::vector<uint8_t>> bytes = ReadResultFile(fs, record);
  if (!bytes) {
    SwitchJobResult result;
    result.end = SwitchJobEnd::kFailed;
    result.failed = SwitchFailure::kRecord;
    result.undone = false;
    result.path = record;
    result.error = fs.LastError();
    return result;
  }
  std::optional<SwitchJob> job =
      ParseRecord(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
  // Cut short while it was written: no change had been made yet.
  if (!job) {
    fs.Delete(record);
    return {};
  }
  if (job->puts_new_result) {
    // The new result is in place only once every change was made: the job had come to its end.
    if (!fs.Exists(MenuBglWritingPath(menu_bgl))) {
      fs.Delete(record);
      return {};
    }
    // The new result goes in only over a current result kept as the previous copy. A save that
    // gave up put the previous copy back; a record it could not drop must not finish it then.
    if (fs.Exists(menu_bgl) && !SameResultFiles(fs, menu_bgl, PreviousCopyOf(menu_bgl))) {
      SwitchJobResult result;
      result.undone = Undo(fs, record, *job, job->changes.size());
      if (!result.undone) {
        result.end = SwitchJobEnd::kFailed;
        result.failed = SwitchFailure::kRecord;
        result.path = record;
        result.error = fs.LastError();
      }
      return result;
    }
  }
  return MakeChanges(fs, menu_bgl, *job, {});
}

std::string SwitchFailurePhrase(const SwitchJobResult& result) {
  std::string phrase;
  switch (result.failed) {
    case SwitchFailure::kRecord:
      phrase = "recording menu switches in " + result.path + "!";
      break;
    case SwitchFailure::kResult:
      phrase = "replacing Menu BGL!";
      break;
    case SwitchFailure::kSwitch:
      phrase = std::string(result.switching_on ? "switching on the menu of "
                                               : "switching off the menu of ") +
               result.path + "!";
      break;
  }
  phrase +=
      result.undone ? " No menu was switched." : " The next scan puts the menus back as they were.";
  return phrase;
}

}  // namespace tarnwick
