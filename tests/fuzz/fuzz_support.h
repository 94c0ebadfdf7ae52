// What the fuzz targets share: files held in memory (no disk traffic, so each input runs in
// microseconds) and a Host that answers nothing and shows nothing.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "../support/failing_file_system.h"
#include "platform/file_system.h"
#include "platform/host.h"
#include "scenery/log_file.h"
#include "scenery/memory_menu_tree.h"
#include "scenery/session.h"

namespace tarnwick::fuzz {

class MemoryFile : public File {
 public:
  explicit MemoryFile(std::vector<uint8_t>& bytes, bool writable)
      : bytes_(bytes), writable_(writable) {}
  bool Read(void* buffer, uint32_t size, uint32_t& got) override {
    got = 0;
    if (position_ < bytes_.size()) {
      got = static_cast<uint32_t>(std::min<size_t>(size, bytes_.size() - position_));
      std::memcpy(buffer, bytes_.data() + position_, got);
      position_ += got;
    }
    return true;
  }
  bool Write(const void* buffer, uint32_t size) override {
    if (!writable_) return false;
    // A position far past the end stands for a disk that is full.
    if (size_t{position_} + size > (64u << 20)) return false;
    if (bytes_.size() < size_t{position_} + size) bytes_.resize(size_t{position_} + size);
    if (size != 0) std::memcpy(bytes_.data() + position_, buffer, size);
    position_ += size;
    return true;
  }
  bool Seek(uint32_t position) override {
    position_ = position;
    return true;
  }
  uint32_t Position() const override { return position_; }
  int64_t Size() const override { return static_cast<int64_t>(bytes_.size()); }
  bool Flush() override { return true; }

 private:
  std::vector<uint8_t>& bytes_;
  bool writable_;
  uint32_t position_ = 0;
};

// Files by exact path; no folders, no patterns. A read-only file refuses writers, deletion and
// replacement, as the attribute does on Win32; a rename takes the attribute along.
class MemoryFileSystem : public FileSystem {
 public:
  std::map<std::string, std::vector<uint8_t>, std::less<>> files;
  std::set<std::string, std::less<>> read_only;

  std::unique_ptr<File> Open(std::string_view path, OpenMode mode) override {
    auto it = files.find(path);
    if (mode != OpenMode::kRead && read_only.count(path) != 0) {
      error_ = win32_error::kAccessDenied;
      return nullptr;
    }
    if (mode == OpenMode::kCreateReadWrite || mode == OpenMode::kCreateWrite) {
      if (it == files.end()) it = files.emplace(std::string(path), std::vector<uint8_t>{}).first;
      it->second.clear();
    } else if (it == files.end()) {
      error_ = win32_error::kFileNotFound;
      return nullptr;
    }
    return std::make_unique<MemoryFile>(it->second, mode != OpenMode::kRead);
  }
  std::vector<std::string> FindFiles(std::string_view) override { return {}; }
  bool Exists(std::string_view path) override { return files.find(path) != files.end(); }
  bool IsWritable(std::string_view path) override {
    return Exists(path) && read_only.count(path) == 0;
  }
  bool SetNormalAttributes(std::string_view path) override {
    if (auto it = read_only.find(path); it != read_only.end()) read_only.erase(it);
    return Exists(path);
  }
  bool SetReadOnly(std::string_view path) override {
    return Exists(path) && read_only.emplace(path).second;
  }
  bool Delete(std::string_view path) override {
    auto it = files.find(path);
    if (it == files.end()) return Fail(win32_error::kFileNotFound);
    if (read_only.count(path) != 0) return Fail(win32_error::kAccessDenied);
    files.erase(it);
    return true;
  }
  bool Rename(std::string_view from, std::string_view to) override {
    if (Exists(to)) return Fail(win32_error::kAlreadyExists);
    return Move(from, to);
  }
  bool Replace(std::string_view from, std::string_view to) override {
    if (read_only.count(to) != 0) return Fail(win32_error::kAccessDenied);
    return Move(from, to);
  }
  bool MakeFolder(std::string_view) override { return true; }
  uint32_t LastError() const override { return error_; }
  std::string ProgramPath(std::string_view typed) override { return std::string(typed); }

 private:
  bool Fail(uint32_t code) {
    error_ = code;
    return false;
  }
  bool Move(std::string_view from, std::string_view to) {
    auto it = files.find(from);
    if (it == files.end()) return Fail(win32_error::kFileNotFound);
    std::vector<uint8_t> bytes = std::move(it->second);
    files.erase(it);
    files[std::string(to)] = std::move(bytes);
    bool was_read_only = read_only.erase(std::string(from)) != 0;
    read_only.erase(std::string(to));
    if (was_read_only) read_only.emplace(to);
    return true;
  }

  uint32_t error_ = 0;
};

class QuietHost : public Host {
 public:
  void ShowMessage(uint32_t, std::string_view) override {}
  bool Confirm(std::string_view) override { return true; }
  bool AskWarning() override { return true; }
  void Beep() override {}
  void SetStatusCount(StatusPart, int64_t) override {}
  void ResetStatusCounts() override {}
  void OpenProgressBox(std::string_view) override { busy_ = BusyState::kBusy; }
  void SetProgressLine(ProgressLine, std::string_view) override {}
  bool ProgressBoxExists() const override { return busy_ != BusyState::kIdle; }
  void DisableProgressCancel() override {}
  void CloseProgressBox() override { busy_ = BusyState::kIdle; }
  BusyState GetBusyState() const override { return busy_; }
  void SetBusyState(BusyState state) override { busy_ = state; }
  bool PumpMessages() override { return true; }
  void ClearVisRows() override {}
  void AddVisRow(int, bool, std::string_view, std::string_view) override {}
  void FinishVisRows() override {}
  void MarkVisSelectionsUnchanged() override {}
  void UpdateMenuState() override {}
  void StoreVisFileName(std::string_view) override {}

 private:
  BusyState busy_ = BusyState::kIdle;
};

// One session over memory, with the tree's root in place as a scan leaves it.
struct FuzzSession {
  FuzzSession() : session{set, tree, fs, host, options, log, tree_state} {
    set.tree_root = tree.Insert(nullptr, nullptr, "World.vis", 0);
  }
  ScenerySet set;
  MemoryMenuTree tree;
  MemoryFileSystem fs;
  QuietHost host;
  Options options;
  LogFile log;
  TreeState tree_state;
  Session session;
};

// VIS entries in the model as reading a VIS file leaves them: {flags, path} each.
inline void SetVisEntries(ScenerySet& set,
                          const std::vector<std::pair<uint8_t, std::string>>& entries) {
  std::vector<uint8_t>& b = set.image.bytes;
  b.assign(16, 0);
  b[10] = 16;
  for (const auto& [flags, path] : entries) {
    VisEntry entry;
    entry.offset = static_cast<int32_t>(b.size());
    entry.flags_offset = entry.offset + 2;
    entry.path_offset = entry.offset + 3;
    entry.title_offset = entry.path_offset + static_cast<int32_t>(path.size()) + 1;
    entry.working_flags = flags;
    b.insert(b.end(), {1, 10, flags});
    b.insert(b.end(), path.begin(), path.end());
    b.insert(b.end(), {0, 'T', 0});
    set.vis_entries.push_back(entry);
    set.image.last_entry_offset = entry.offset;
  }
  set.image.end_offset = static_cast<int32_t>(b.size());
  b.push_back(0);
  set.image.size = static_cast<int32_t>(b.size());
  b.resize(b.size() + VisImage::kSpare, 0);
  set.vis_count = static_cast<int32_t>(entries.size());
}

// The faults an input asks for, taken from its first bytes: one byte whose lowest bit stops the
// program at the first fault (every later change fails too), then eight bytes with one bit for
// each of the first 64 changes (set: that change fails). The rest of the input is left.
inline void TakeFaults(testing::FailingFileSystem& fs, const uint8_t*& data, size_t& size) {
  bool stop = false;
  uint64_t failing = 0;
  if (size > 0) {
    stop = (data[0] & 1) != 0;
    ++data;
    --size;
  }
  for (int i = 0; i < 8 && size > 0; ++i, ++data, --size) failing |= uint64_t{*data} << (8 * i);
  fs.fail_when = [failing, stop, stopped = false](int change) mutable {
    bool fails = stopped || (change <= 64 && ((failing >> (change - 1)) & 1) != 0);
    stopped = fails && stop;
    return fails;
  };
}

// A FuzzSession for a writer: `faulty` runs on its files through `failing`, which fails changes
// as the input's first bytes say (see TakeFaults, which takes them off the input); the session
// itself sees the files as they are.
struct FaultyFuzzSession : FuzzSession {
  FaultyFuzzSession(const uint8_t*& data, size_t& size)
      : failing(fs), faulty{set, tree, failing, host, options, log, tree_state} {
    TakeFaults(failing, data, size);
  }
  testing::FailingFileSystem failing;
  Session faulty;
};

// The bytes a file holds, or nothing when it does not exist.
inline std::optional<std::vector<uint8_t>> FileBytes(const MemoryFileSystem& fs,
                                                     std::string_view path) {
  auto it = fs.files.find(path);
  if (it == fs.files.end()) return std::nullopt;
  return it->second;
}

inline void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace tarnwick::fuzz
