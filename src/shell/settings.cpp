#include "shell/settings.h"

#include <cstdio>

#include "details/value_formats.h"

namespace tarnwick {
namespace {

// The record's fields in the order of kOptionKeys.
constexpr std::array<bool Options::*, kOptionKeys.size()> kOptionFields = {
    &Options::logging,
    &Options::confirmations,
    &Options::auto_expand,
    &Options::show_all_fields,
    &Options::fractional_minutes,
    &Options::expand_initially,
    &Options::status_bar,
    &Options::tool_bar,
    &Options::search_wrap,
    &Options::search_start_at_sel,
    &Options::search_partial};

constexpr size_t kAutoExpandIndex = 2;

char ToUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

bool IsOnValue(std::string_view text) {
  if (text.size() < 3) return false;
  return ToUpper(text[0]) == 'Y' && ToUpper(text[1]) == 'E' && ToUpper(text[2]) == 'S';
}

std::string_view OnOffText(bool on) {
  return on ? "Yes" : "No";
}

void LoadOptions(SettingsStore& store, Options& options) {
  for (size_t i = 0; i < kOptionKeys.size(); ++i) {
    const std::string value = store.Get(kOptionKeys[i], kOptionValueLength);
    if (!value.empty()) options.*kOptionFields[i] = IsOnValue(value);
    // Automatic expansion replaces expanding everything during a scan, unless the file asks for
    // both: ExpandInitially is read later and so still wins.
    if (i == kAutoExpandIndex && options.auto_expand) options.expand_initially = false;
  }
}

void SaveOptions(SettingsStore& store, const Options& options) {
  for (size_t i = 0; i < kOptionKeys.size(); ++i) {
    store.Set(kOptionKeys[i], OnOffText(options.*kOptionFields[i]));
  }
}

std::optional<WindowRect> ParseWindowRect(std::string_view text, ScreenSize screen) {
  const size_t open = text.find('[');
  if (open == std::string_view::npos) return std::nullopt;
  size_t pos = open + 1;
  std::array<int32_t, 4> numbers{};
  size_t taken = 0;
  while (pos < text.size() && taken < numbers.size()) {
    numbers[taken++] = ReadInteger(text.substr(pos));
    const size_t comma = text.find(',', pos);
    pos = comma == std::string_view::npos ? text.size() : comma + 1;
  }
  if (taken != numbers.size()) return std::nullopt;
  const WindowRect rect{numbers[0], numbers[1], numbers[2], numbers[3]};
  // A negative size is no window at all; it would also let the tree pane eat past the client area.
  if (rect.width < 0 || rect.height < 0) return std::nullopt;
  // Sums in 64 bits: the numbers come from a file anyone can edit.
  if (rect.left > screen.width || int64_t{rect.left} + rect.width > screen.width) {
    return std::nullopt;
  }
  if (rect.top > screen.height || int64_t{rect.top} + rect.height > screen.height) {
    return std::nullopt;
  }
  return rect;
}

std::optional<WindowRect> ReadWindowRect(SettingsStore& store, std::string_view key,
                                         ScreenSize screen) {
  return ParseWindowRect(store.Get(key, kRectValueLength), screen);
}

std::string FormatWindowRect(const WindowRect& rect) {
  char buffer[64];
  const int n = std::snprintf(buffer, sizeof buffer, "[%d,%d,%d,%d]", static_cast<int>(rect.left),
                              static_cast<int>(rect.top), static_cast<int>(rect.width),
                              static_cast<int>(rect.height));
  return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

void WriteWindowRect(SettingsStore& store, std::string_view key, const WindowRect& rect) {
  store.Set(key, FormatWindowRect(rect));
}

void WriteTreeRect(SettingsStore& store, int32_t tree_width, int32_t tree_height) {
  WriteWindowRect(store, kTreeKey, WindowRect{0, 0, tree_width, tree_height});
}

std::string ReadVisFileSetting(SettingsStore& store) {
  return store.Get(kVisFileKey, kVisFileValueLength);
}

void WriteVisFileSetting(SettingsStore& store, std::string_view vis_path) {
  const size_t slash = vis_path.rfind('\\');
  store.Set(kVisFileKey, slash == std::string_view::npos ? vis_path : vis_path.substr(slash + 1));
}

std::string HostSceneryFolder(RegistryReader& registry) {
  for (std::string_view key : kHostRegistryKeys) {
    std::optional<std::string> value =
        registry.ReadValue(key, kHostRegistryValue, kHostRegistryValueBytes);
    if (!value) continue;
    // The value may be of any type: its text ends at the first NUL.
    std::string folder = value->substr(0, value->find('\0'));
    if (folder.empty()) return folder;
    constexpr std::string_view kSuffix = "\\Scenery";
    // A folder that cannot be held whole is no use as a starting point.
    if (folder.size() + kSuffix.size() > kHostSceneryFolderLength) return std::string();
    folder += kSuffix;
    return folder;
  }
  return std::string();
}

}  // namespace tarnwick
