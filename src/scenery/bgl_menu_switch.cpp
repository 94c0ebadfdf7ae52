// The one-byte menu switch of a BGL: read as the scan meets it, written only where it reads so.
#include "platform/read_ahead_file.h"
#include "scenery/bgl_menu.h"
#include "scenery/bgl_records.h"

namespace tarnwick {

namespace {

// The switch byte of an open BGL as the scan meets it: 0 or 1 before a whole AREA record (length 8
// to 4000, wholly inside the file), the rule that makes a file a menu BGL. Whatever follows that
// record (its title, its LOCN list) does not matter: a file the scan reads a menu from can always
// be switched off and on again.
std::optional<MenuSwitchState> ReadSwitchState(File& file) {
  ReadAheadFile reader(file);
  uint8_t header_bytes[kBglHeaderSize];
  uint32_t got = 0;
  if (!reader.Read(header_bytes, kBglHeaderSize, got) || got != kBglHeaderSize) return std::nullopt;
  MenuSwitchState state;
  state.header = ParseBglHeader(header_bytes);
  if (state.header.menu_offset == 0 || !reader.Seek(state.header.menu_offset)) return std::nullopt;
  uint8_t area[3];
  if (!reader.Read(area, 3, got) || got != 3 || area[0] > 1) return std::nullopt;
  const uint16_t length = GetU16(area + 1);
  const int64_t size = file.Size();
  if (length < kMinAreaRecord || length > kMaxMenuRecord || size < 0 ||
      uint64_t{state.header.menu_offset} + length > static_cast<uint64_t>(size)) {
    return std::nullopt;
  }
  state.byte = area[0];
  return state;
}

}  // namespace

std::optional<MenuSwitchState> ReadMenuSwitch(FileSystem& fs, std::string_view path,
                                              uint32_t& error) {
  error = 0;
  std::unique_ptr<File> file = fs.Open(path, OpenMode::kRead);
  if (!file) {
    error = fs.LastError();
    return std::nullopt;
  }
  return ReadSwitchState(*file);
}

uint32_t WriteMenuSwitch(FileSystem& fs, std::string_view path,
                         const std::function<int(const BglHeader&)>& choose) {
  std::unique_ptr<File> file = fs.OpenMadeWritable(path);
  if (!file) {
    const uint32_t error = fs.LastError();
    // Held by a program that lets others read it (a running simulator): a switch that already
    // stands where it should needs no write.
    uint32_t read_error = 0;
    if (auto state = ReadMenuSwitch(fs, path, read_error)) {
      const int value = choose(state->header);
      if (value == state->byte) return 0;
    }
    return error != 0 ? error : win32_error::kAccessDenied;
  }
  std::optional<MenuSwitchState> state = ReadSwitchState(*file);
  if (!state) return win32_error::kBadFormat;
  const int value = choose(state->header);
  if (value != 0 && value != 1) return win32_error::kBadFormat;
  const uint8_t byte = static_cast<uint8_t>(value);
  if (!file->Seek(state->header.menu_offset) || !file->Write(&byte, 1)) {
    const uint32_t error = fs.LastError();
    return error != 0 ? error : win32_error::kWriteFault;
  }
  return 0;
}

bool SwitchMenu(FileSystem& fs, std::string_view path,
                const std::function<int(const BglHeader&)>& choose) {
  return WriteMenuSwitch(fs, path, choose) == 0;
}

bool SetMenuSwitch(FileSystem& fs, std::string_view path, uint8_t value) {
  return SwitchMenu(fs, path, [value](const BglHeader&) { return static_cast<int>(value); });
}

bool MenuSwitchIsOn(FileSystem& fs, std::string_view path) {
  uint32_t error = 0;
  std::optional<MenuSwitchState> state = ReadMenuSwitch(fs, path, error);
  return state && state->byte == 1;
}

}  // namespace tarnwick
