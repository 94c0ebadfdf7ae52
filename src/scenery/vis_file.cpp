#include "scenery/vis_file.h"

#include <cstdio>
#include <cstring>
#include <limits>
#include <new>

namespace tarnwick {
namespace {

constexpr size_t kMaxPattern = 259;
constexpr int32_t kFirstEntryField = 10;
constexpr int32_t kCountField1 = 0;
constexpr int32_t kCountField2 = 12;
constexpr uint8_t kMenuEntryFlags = 3;  // active and protected
// Entries read between two drains of the window's messages: a few milliseconds of work.
constexpr int kEntriesBetweenDrains = 64;

char Upper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Upper(a[i]) != Upper(b[i])) return false;
  }
  return true;
}

uint16_t Get16(const std::vector<uint8_t>& bytes, int32_t at) {
  return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

void Put16(std::vector<uint8_t>& bytes, int32_t at, uint16_t value) {
  bytes[at] = static_cast<uint8_t>(value & 0xFF);
  bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

// The offset just past the NUL of the string at `at`, or -1 when the file ends first.
int32_t SkipString(const std::vector<uint8_t>& bytes, int32_t size, int32_t at) {
  if (at >= size) return -1;
  const void* nul = std::memchr(bytes.data() + at, 0, static_cast<size_t>(size - at));
  if (nul == nullptr) return -1;
  return static_cast<int32_t>(static_cast<const uint8_t*>(nul) - bytes.data()) + 1;
}

// The offsets of the entries and of the terminating zero byte; false when the header or the list
// runs outside the file.
bool IndexEntries(const VisImage& image, std::vector<int32_t>& offsets, int32_t& end) {
  const auto& bytes = image.bytes;
  if (image.size < kVisHeaderSize) return false;
  int32_t at = static_cast<int16_t>(Get16(bytes, kFirstEntryField));
  // Entries overlapping the header would be corrupted by the counts an append updates.
  if (at < kVisHeaderSize || at >= image.size) return false;
  while (bytes[at] != 0) {
    int32_t title = SkipString(bytes, image.size, at + 3);
    if (title < 0) return false;
    int32_t next = SkipString(bytes, image.size, title);
    if (next < 0 || next >= image.size) return false;  // no room for the terminating zero
    offsets.push_back(at);
    at = next;
  }
  end = at;
  return true;
}

// The entry's log line: its offset, its three leading bytes and its path as stored.
std::string EntryLogLine(int32_t offset, const uint8_t* entry, const char* path) {
  char head[64];
  std::snprintf(head, sizeof head, "VIS[%d] entry: %02X %02X %02X ", static_cast<int>(offset),
                entry[0], entry[1], entry[2]);
  return std::string(head) + path + "\n";
}

void DropImage(ScenerySet& set) {
  set.image = VisImage{};
  set.vis_entries.clear();
  set.vis_entries.shrink_to_fit();
  set.vis_count = 0;
}

// The entry that starts at `offset` of the image: flags, path and title follow its first two
// bytes; its working flags start as stored.
VisEntry EntryAt(const ScenerySet& set, int32_t offset) {
  VisEntry entry;
  entry.offset = offset;
  entry.flags_offset = offset + 2;
  entry.path_offset = offset + 3;
  entry.title_offset =
      entry.path_offset + static_cast<int32_t>(std::strlen(set.EntryPath(entry))) + 1;
  entry.working_flags = set.StoredFlags(entry);
  return entry;
}

}  // namespace

std::string HostRoot(std::string_view vis_path) {
  for (int i = 0; i < 2; ++i) {
    size_t cut = vis_path.rfind('\\');
    if (cut == std::string_view::npos) return {};
    vis_path = vis_path.substr(0, cut);
  }
  return std::string(vis_path);
}

std::string ExpandVisPath(std::string_view host_root, std::string_view entry_path) {
  std::string out(entry_path);
  // "=" stands for the drive of the simulator's folder...
  if (!out.empty() && out[0] == '=' && !host_root.empty()) out[0] = host_root[0];
  // ...and "=" after "X:\" for its folders. A simulator at the root of its drive has none: then
  // the backslash after the "=" goes as well, so that no empty folder appears.
  if (out.size() >= 4 && out[3] == '=') {
    std::string_view folders = host_root.size() > 3 ? host_root.substr(3) : std::string_view();
    if (folders.empty()) {
      out.erase(3, out.size() > 4 && out[4] == '\\' ? 2 : 1);
    } else {
      out.replace(3, 1, folders);
    }
  }
  // The BGL files of an area live in a Scenery folder below the folder the entry names.
  size_t last = out.rfind('\\');
  if (last != std::string::npos) out.insert(last, "\\Scenery");
  for (size_t i = 0; i < out.size(); ++i) {
    if (i == 0 || out[i - 1] == '\\') out[i] = Upper(out[i]);
  }
  if (out.size() > kMaxPattern) out.resize(kMaxPattern);
  return out;
}

std::string SearchPattern(const ScenerySet& set, std::string_view entry_path) {
  std::string pattern = ExpandVisPath(set.host_root, entry_path);
  auto has_drive = [](std::string_view p) {
    return (p.size() >= 2 && p[1] == ':' && Upper(p[0]) >= 'A' && Upper(p[0]) <= 'Z') ||
           p.substr(0, 2) == "\\\\";
  };
  if (has_drive(pattern)) return pattern;
  // Never the process's current folder: a path without a drive lies in the VIS file's folder.
  size_t cut = set.vis_path.rfind('\\');
  std::string_view folder =
      cut == std::string::npos ? std::string_view() : std::string_view(set.vis_path).substr(0, cut);
  if (pattern.empty() || !has_drive(folder)) return {};
  if (pattern[0] == '\\') return std::string(folder.substr(0, 2)) + pattern;
  return std::string(folder) + "\\" + pattern;
}

std::string VisTemporaryPath(std::string_view vis_path) {
  return std::string(vis_path) + ".tmp";
}

bool ReadVisFile(Session& s) {
  ScenerySet& set = s.set;
  set.host_root = HostRoot(set.vis_path);
  size_t name_start = set.vis_path.rfind('\\');
  s.host.StoreVisFileName(name_start == std::string::npos ? set.vis_path
                                                          : set.vis_path.substr(name_start + 1));

  auto file = s.fs.Open(set.vis_path, OpenMode::kRead);
  if (!file) {
    s.host.ShowMessage(s.fs.LastError(), "opening VIS file!");
    return false;
  }
  s.host.MarkVisSelectionsUnchanged();
  // A replacement killed before its end leaves its temporary file; it is ours and of no use.
  if (const std::string leftover = VisTemporaryPath(set.vis_path); s.fs.Exists(leftover)) {
    s.fs.Delete(leftover);
  }

  int64_t size = file->Size();
  if (size < 0) {
    s.host.ShowMessage(s.fs.LastError(), "reading VIS file!");
    return false;
  }
  VisImage image;
  try {
    if (size > std::numeric_limits<int32_t>::max() - static_cast<int64_t>(VisImage::kSpare)) {
      throw std::bad_alloc();
    }
    image.bytes.assign(static_cast<size_t>(size) + VisImage::kSpare, 0);
  } catch (const std::bad_alloc&) {
    s.host.ShowMessage(0, "requesting space to read VIS file!");
    DropImage(set);
    return false;
  }
  image.size = static_cast<int32_t>(size);

  uint32_t got = 0;
  if (!file->Read(image.bytes.data(), static_cast<uint32_t>(size), got)) {
    s.host.ShowMessage(s.fs.LastError(), "reading VIS file!");
    DropImage(set);
    return false;
  }
  if (got < size) {
    // The file shrank since its size was taken: the read itself succeeded, so there is no system
    // error of its own to show.
    s.host.ShowMessage(win32_error::kHandleEof, "reading VIS file!");
    DropImage(set);
    return false;
  }
  file.reset();

  std::vector<int32_t> offsets;
  int32_t end = 0;
  try {
    if (!IndexEntries(image, offsets, end)) {
      s.host.ShowMessage(0, "indexing VIS file!");
      DropImage(set);
      return false;
    }
    set.vis_entries.reserve(offsets.size());
  } catch (const std::bad_alloc&) {
    s.host.ShowMessage(0, "requesting space to index VIS file!");
    DropImage(set);
    return false;
  }

  set.image = std::move(image);
  set.vis_entries.clear();
  set.vis_count = static_cast<int32_t>(offsets.size());
  int number = 0;
  s.host.BeginVisRows();
  for (int32_t offset : offsets) {
    // A long file is read with the window answering; Cancel closes the set, which the read then
    // leaves alone. Outside a long operation (the state idle) nothing is drained.
    if (number % kEntriesBetweenDrains == kEntriesBetweenDrains - 1 &&
        s.host.GetBusyState() != BusyState::kIdle && !KeepGoing(s.host)) {
      return false;
    }
    VisEntry entry = EntryAt(set, offset);
    set.vis_entries.push_back(entry);

    const char* path = set.EntryPath(entry);
    s.host.AddVisRow(++number, (entry.working_flags & 1) != 0, set.EntryTitle(entry),
                     SearchPattern(set, path));
    if (s.log.IsOpen()) s.log.Write(EntryLogLine(offset, set.image.bytes.data() + offset, path));
    set.image.last_entry_offset = offset;
  }
  set.image.end_offset = end;
  s.host.FinishVisRows();
  s.host.UpdateMenuState();
  return true;
}

bool AppendMenuEntry(ScenerySet& set) {
  VisImage& image = set.image;
  if (!set.HasImage()) return false;
  // The entry may stand anywhere: entries added after it by another program must not make the
  // save add it again, or the generated menu would be read twice.
  for (const VisEntry& entry : set.vis_entries) {
    if (EqualIgnoringCase(set.EntryPath(entry), set.menu_entry_path)) {
      if (set.StoredFlags(entry) == kMenuEntryFlags) return false;
      set.SetStoredFlags(entry, kMenuEntryFlags);
      return true;
    }
  }
  if (image.last_entry_offset >= 0) {
    const char* last_path =
        reinterpret_cast<const char*>(image.bytes.data() + image.last_entry_offset + 3);
    if (EqualIgnoringCase(last_path, set.menu_entry_path)) {
      uint8_t& flags = image.bytes[image.last_entry_offset + 2];
      if (flags == kMenuEntryFlags) return false;
      flags = kMenuEntryFlags;
      return true;
    }
  }

  const int32_t length =
      static_cast<int32_t>(set.menu_entry_path.size() + kMenuEntryTitle.size() + 5);
  // The spare bytes hold one entry of any path the program builds; a longer one grows the image.
  if (static_cast<size_t>(image.size) + length > image.bytes.size()) {
    image.bytes.resize(static_cast<size_t>(image.size) + length + VisImage::kSpare, 0);
  }
  uint8_t* at = image.bytes.data() + image.end_offset;
  std::memmove(at + length, at, static_cast<size_t>(image.size - image.end_offset));
  *at++ = 1;
  *at++ = 10;
  *at++ = kMenuEntryFlags;
  std::memcpy(at, set.menu_entry_path.c_str(), set.menu_entry_path.size() + 1);
  at += set.menu_entry_path.size() + 1;
  std::memcpy(at, kMenuEntryTitle.data(), kMenuEntryTitle.size());
  at[kMenuEntryTitle.size()] = 0;

  Put16(image.bytes, kCountField1,
        static_cast<uint16_t>(Get16(image.bytes, kCountField1) + length));
  Put16(image.bytes, kCountField2,
        static_cast<uint16_t>(Get16(image.bytes, kCountField2) + length));
  image.size += length;
  image.last_entry_offset = image.end_offset;
  image.end_offset += length;
  return true;
}

void CountInMenuEntry(Session& s) {
  ScenerySet& set = s.set;
  const int32_t at = set.image.last_entry_offset;
  if (at < 0) return;
  bool known = false;
  for (VisEntry& entry : set.vis_entries) {
    if (EqualIgnoringCase(set.EntryPath(entry), set.menu_entry_path)) {
      // Re-activated in place: its selection follows the file, so nothing looks pending.
      entry.working_flags = set.StoredFlags(entry);
      known = true;
    }
  }
  if (known) return;
  VisEntry entry = EntryAt(set, at);
  set.vis_entries.push_back(entry);
  set.vis_count = static_cast<int32_t>(set.vis_entries.size());
  s.host.AddVisRow(set.vis_count, (entry.working_flags & 1) != 0, set.EntryTitle(entry),
                   SearchPattern(set, set.EntryPath(entry)));
}

VisFileReplacement::~VisFileReplacement() {
  if (fs_ == nullptr) return;
  file_.reset();
  fs_->Delete(temporary_);
}

bool VisFileReplacement::Open(Session& s) {
  const ScenerySet& set = s.set;
  if (!set.HasImage()) return false;
  // A read-only VIS file cannot be replaced: say so before anything is written beside it.
  if (s.fs.Exists(set.vis_path) && !s.fs.IsWritable(set.vis_path)) {
    s.host.ShowMessage(win32_error::kAccessDenied, "opening VIS file!");
    return false;
  }
  // The new image goes to a file of its own first, so that a failed write leaves the VIS file as
  // it was rather than truncated.
  temporary_ = VisTemporaryPath(set.vis_path);
  file_ = s.fs.Open(temporary_, OpenMode::kCreateWrite);
  if (!file_) {
    s.host.ShowMessage(s.fs.LastError(), "opening VIS file!");
    return false;
  }
  fs_ = &s.fs;
  return true;
}

bool VisFileReplacement::Commit(Session& s) {
  const ScenerySet& set = s.set;
  if (fs_ == nullptr || !set.HasImage()) return false;
  bool written =
      file_->Write(set.image.bytes.data(), static_cast<uint32_t>(set.image.size)) && file_->Flush();
  uint32_t error = s.fs.LastError();
  file_.reset();
  if (!written) {
    s.host.ShowMessage(error, "writing VIS file!");
    return false;
  }
  if (!s.fs.Replace(temporary_, set.vis_path)) {
    s.host.ShowMessage(s.fs.LastError(), "replacing VIS file!");
    return false;
  }
  fs_ = nullptr;  // the temporary file is the VIS file now
  return true;
}

uint32_t PutVisFileBack(FileSystem& fs, const std::string& vis_path, const VisImage& image) {
  const std::string temporary = VisTemporaryPath(vis_path);
  std::unique_ptr<File> file = fs.Open(temporary, OpenMode::kCreateWrite);
  bool written =
      file && file->Write(image.bytes.data(), static_cast<uint32_t>(image.size)) && file->Flush();
  file.reset();
  if (written && fs.Replace(temporary, vis_path)) return 0;
  const uint32_t error = fs.LastError() != 0 ? fs.LastError() : win32_error::kWriteFault;
  if (fs.Exists(temporary)) fs.Delete(temporary);
  return error;
}

bool WriteVisImage(Session& s) {
  VisFileReplacement file;
  return file.Open(s) && file.Commit(s);
}

bool StoreVisSelections(Session& s, VisFileReplacement& file) {
  ScenerySet& set = s.set;
  std::vector<std::pair<VisEntry*, uint8_t>> changed;
  for (auto& entry : set.vis_entries) {
    uint8_t stored = set.StoredFlags(entry);
    if (entry.working_flags != stored) {
      changed.emplace_back(&entry, stored);
      set.SetStoredFlags(entry, entry.working_flags);
    }
  }
  if (file.Commit(s)) return true;
  // The image goes on describing the file; the user's switches stay pending.
  for (auto& [entry, stored] : changed) set.SetStoredFlags(*entry, stored);
  return false;
}

bool StoreVisSelections(Session& s) {
  VisFileReplacement file;
  return file.Open(s) && StoreVisSelections(s, file);
}

}  // namespace tarnwick
