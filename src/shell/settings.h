// The settings file: the on/off options, the last VIS file name and the two window rectangles,
// all in one section of one INI file; and the lookup of the simulator's Scenery folder. The
// rules live here; the stores behind them (private-profile calls, the registry, a map in tests)
// are supplied by the caller.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "scenery/options.h"

namespace tarnwick {

constexpr std::string_view kSettingsFileName = "Tarnwick.ini";
constexpr std::string_view kSettingsSection = "Settings";

constexpr std::string_view kMainWindowKey = "MainWindow";
constexpr std::string_view kTreeKey = "Tree";
constexpr std::string_view kVisFileKey = "VISfile";

// Longest values read, in characters.
constexpr size_t kOptionValueLength = 78;
constexpr size_t kRectValueLength = 79;
constexpr size_t kVisFileValueLength = 258;

// One section of key/value texts. An absent key reads as empty.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The key's value cut to at most max_length characters; empty when the key is absent.
  virtual std::string Get(std::string_view key, size_t max_length) = 0;
  virtual void Set(std::string_view key, std::string_view value) = 0;
};

// The on/off keys in the order they are read and written.
constexpr std::array<std::string_view, 11> kOptionKeys = {
    "Logging",           "Confirmations",    "AutoExpand",   "ShowAllFields",
    "FractionalMinutes", "ExpandInitially",  "StatusBar",    "ToolBar",
    "SearchWrap",        "SearchStartAtSel", "SearchPartial"};

// On when the text begins with "YES" in any mix of capitals.
bool IsOnValue(std::string_view text);
std::string_view OnOffText(bool on);

// Absent or empty keys keep the values already in the record (the defaults).
void LoadOptions(SettingsStore& store, Options& options);
void SaveOptions(SettingsStore& store, const Options& options);

struct WindowRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

struct ScreenSize {
  int32_t width = 0;
  int32_t height = 0;
};

// The four numbers after the first "[", each ended by a ","; nothing unless exactly four are
// found, the size is not negative and the rectangle ends within the screen.
std::optional<WindowRect> ParseWindowRect(std::string_view text, ScreenSize screen);
std::optional<WindowRect> ReadWindowRect(SettingsStore& store, std::string_view key,
                                         ScreenSize screen);
std::string FormatWindowRect(const WindowRect& rect);
void WriteWindowRect(SettingsStore& store, std::string_view key, const WindowRect& rect);
// The tree pane keeps only its size, at the origin; only the width is used when read back.
void WriteTreeRect(SettingsStore& store, int32_t tree_width, int32_t tree_height);

// The VIS file last read, as a bare file name; empty when none is stored.
std::string ReadVisFileSetting(SettingsStore& store);
// Stores the file name of the full path (the text after its last backslash).
void WriteVisFileSetting(SettingsStore& store, std::string_view vis_path);

// Values under HKEY_LOCAL_MACHINE.
class RegistryReader {
 public:
  virtual ~RegistryReader() = default;
  // The value's bytes, at most max_bytes of them; nothing when the key does not open or the
  // value cannot be read.
  virtual std::optional<std::string> ReadValue(std::string_view key, std::string_view value,
                                               size_t max_bytes) = 0;
};

constexpr std::array<std::string_view, 3> kHostRegistryKeys = {
    "SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\6.1",
    "SOFTWARE\\Microsoft\\Microsoft Games\\Combat Flight Simulator\\1.00",
    "SOFTWARE\\Microsoft\\Games\\Flight Simulator\\6.0"};
constexpr std::string_view kHostRegistryValue = "InstalledTo";
constexpr size_t kHostRegistryValueBytes = 259;
// Room for the folder, in characters.
constexpr size_t kHostSceneryFolderLength = 263;

// The simulator's Scenery folder, or empty when no installation is recorded (or its path is too
// long to hold with "\Scenery" after it).
std::string HostSceneryFolder(RegistryReader& registry);

}  // namespace tarnwick
