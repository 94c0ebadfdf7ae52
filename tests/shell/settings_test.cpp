#include "shell/settings.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tarnwick {

// Readable failures for rectangles.
void PrintTo(const WindowRect& r, std::ostream* os) {
  *os << FormatWindowRect(r);
}

namespace {

// A settings section in memory that remembers how it was used.
class MapStore : public SettingsStore {
 public:
  std::string Get(std::string_view key, size_t max_length) override {
    asked_length[std::string(key)] = max_length;
    auto it = values.find(std::string(key));
    return it == values.end() ? std::string() : it->second.substr(0, max_length);
  }
  void Set(std::string_view key, std::string_view value) override {
    values[std::string(key)] = std::string(value);
    written.emplace_back(key);
  }

  std::map<std::string, std::string> values;
  std::map<std::string, size_t> asked_length;
  std::vector<std::string> written;
};

std::vector<bool> Fields(const Options& o) {
  return {
      o.logging,          o.confirmations, o.auto_expand, o.show_all_fields, o.fractional_minutes,
      o.expand_initially, o.status_bar,    o.tool_bar,    o.search_wrap,     o.search_start_at_sel,
      o.search_partial};
}

TEST(SettingsTest, NoSettingsKeepTheDefaults) {
  MapStore store;
  Options options;
  LoadOptions(store, options);
  //                                  Log    Conf  Auto   All    Frac   ExpI   Stat  Tool  Wrap
  const std::vector<bool> expected = {false, true, false, false, false, false,
                                      true,  true, true,  true,  true};
  EXPECT_EQ(Fields(options), expected);
  for (std::string_view key : kOptionKeys) {
    EXPECT_EQ(store.asked_length[std::string(key)], 78u) << key;
  }
}

TEST(SettingsTest, OnOffValues) {
  struct Case {
    const char* value;   // nullptr: key absent
    bool logging;        // default off
    bool confirmations;  // default on
  };
  const Case cases[] = {
      {nullptr, false, true}, {"", false, true},          {"yes", true, true},
      {"YES", true, true},    {"yEs please", true, true}, {"Y", false, false},
      {"Ye", false, false},   {"No", false, false},       {"1", false, false},
      {"true", false, false}, {" Yes", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value ? c.value : "(absent)");
    MapStore store;
    if (c.value) store.values["Logging"] = store.values["Confirmations"] = c.value;
    Options options;
    LoadOptions(store, options);
    EXPECT_EQ(options.logging, c.logging);
    EXPECT_EQ(options.confirmations, c.confirmations);
  }
}

TEST(SettingsTest, AutoExpandTurnsExpandInitiallyOffUnlessItIsStored) {
  struct Case {
    const char* auto_expand;       // nullptr: key absent
    const char* expand_initially;  // nullptr: key absent
    bool start_both_on;            // the record holds both on before loading
    bool want_auto;
    bool want_expand;
  };
  const Case cases[] = {
      {"Yes", nullptr, false, true, false},  {"Yes", "Yes", false, true, true},
      {nullptr, "Yes", false, false, true},  {"No", "Yes", false, false, true},
      {nullptr, nullptr, true, true, false}, {"No", nullptr, true, false, true},
  };
  for (const Case& c : cases) {
    MapStore store;
    if (c.auto_expand) store.values["AutoExpand"] = c.auto_expand;
    if (c.expand_initially) store.values["ExpandInitially"] = c.expand_initially;
    Options options;
    options.auto_expand = options.expand_initially = c.start_both_on;
    LoadOptions(store, options);
    EXPECT_EQ(options.auto_expand, c.want_auto);
    EXPECT_EQ(options.expand_initially, c.want_expand);
  }
}

TEST(SettingsTest, SaveWritesEveryOptionInOrderAndReadsBack) {
  Options options;
  options.logging = true;
  options.tool_bar = false;
  options.search_partial = false;
  MapStore store;
  SaveOptions(store, options);
  EXPECT_EQ(store.written, std::vector<std::string>(kOptionKeys.begin(), kOptionKeys.end()));
  EXPECT_EQ(store.values["Logging"], "Yes");
  EXPECT_EQ(store.values["ToolBar"], "No");
  EXPECT_EQ(store.values["Confirmations"], "Yes");

  Options loaded;
  LoadOptions(store, loaded);
  EXPECT_EQ(Fields(loaded), Fields(options));
}

TEST(SettingsTest, ParseWindowRect) {
  const ScreenSize screen{1024, 768};
  struct Case {
    const char* text;
    std::optional<WindowRect> rect;
  };
  const Case cases[] = {
      {"[10,20,300,200]", WindowRect{10, 20, 300, 200}},
      {"", std::nullopt},
      {"10,20,300,200", std::nullopt},  // no bracket
      {"[1,2,3]", std::nullopt},
      {"[1,2,3,]", WindowRect{1, 2, 3, 0}},  // the "]" is read as a number
      {"[]", std::nullopt},
      {"[1,2,3,4,5]", WindowRect{1, 2, 3, 4}},
      {"x[ 10 , -20,30,40", WindowRect{10, -20, 30, 40}},  // no closing bracket needed
      {"[a,b,c,d]", WindowRect{0, 0, 0, 0}},
      {"[-4,-4,1032,776]", std::nullopt},  // -4 + 1032 exceeds the width
      {"[-4,-4,1000,700]", WindowRect{-4, -4, 1000, 700}},
      {"[1024,768,0,0]", WindowRect{1024, 768, 0, 0}},
      {"[1025,0,0,0]", std::nullopt},
      {"[0,769,0,0]", std::nullopt},
      {"[0,0,1024,769]", std::nullopt},
      {"[0,0,-5,10]", std::nullopt},  // a negative size is no window
      {"[0,0,10,-5]", std::nullopt},
      {"[2147483647,0,2147483647,0]", std::nullopt},
      {"[99999999999,0,0,0]", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseWindowRect(c.text, screen), c.rect);
  }
}

TEST(SettingsTest, WindowRectsGoThroughTheStore) {
  MapStore store;
  WriteWindowRect(store, kMainWindowKey, WindowRect{-4, -4, 1000, 700});
  EXPECT_EQ(store.values["MainWindow"], "[-4,-4,1000,700]");
  EXPECT_EQ(ReadWindowRect(store, kMainWindowKey, ScreenSize{1024, 768}),
            (WindowRect{-4, -4, 1000, 700}));
  EXPECT_EQ(store.asked_length["MainWindow"], 79u);
  EXPECT_EQ(ReadWindowRect(store, kMainWindowKey, ScreenSize{800, 600}), std::nullopt);

  WriteTreeRect(store, 5000, 400);
  EXPECT_EQ(store.values["Tree"], "[0,0,5000,400]");
  EXPECT_EQ(ReadWindowRect(store, kTreeKey, ScreenSize{800, 600}), std::nullopt);
  EXPECT_EQ(ReadWindowRect(store, "Absent", ScreenSize{800, 600}), std::nullopt);
}

TEST(SettingsTest, VisFileHoldsOnlyTheFileName) {
  struct Case {
    const char* path;
    const char* stored;
  };
  const Case cases[] = {
      {"C:\\FS98\\Scenery\\World.vis", "World.vis"},
      {"World.vis", "World.vis"},
      {"\\\\server\\share\\My Set.VIS", "My Set.VIS"},
  };
  for (const Case& c : cases) {
    MapStore store;
    WriteVisFileSetting(store, c.path);
    EXPECT_EQ(ReadVisFileSetting(store), c.stored);
    EXPECT_EQ(store.asked_length["VISfile"], 258u);
  }
  MapStore empty;
  EXPECT_EQ(ReadVisFileSetting(empty), "");
}

// Registry keys that open, with the value they hold (nothing: the value cannot be read).
class FakeRegistry : public RegistryReader {
 public:
  std::optional<std::string> ReadValue(std::string_view key, std::string_view value,
                                       size_t max_bytes) override {
    tried.emplace_back(key);
    EXPECT_EQ(value, "InstalledTo");
    EXPECT_EQ(max_bytes, 259u);
    auto it = keys.find(std::string(key));
    return it == keys.end() ? std::nullopt : it->second;
  }
  std::map<std::string, std::optional<std::string>> keys;
  std::vector<std::string> tried;
};

TEST(SettingsTest, HostSceneryFolder) {
  const std::string fs61(kHostRegistryKeys[0]);
  const std::string cfs(kHostRegistryKeys[1]);
  const std::string fs60(kHostRegistryKeys[2]);
  struct Case {
    const char* name;
    std::map<std::string, std::optional<std::string>> keys;
    std::string folder;
    size_t tried;
  };
  const Case cases[] = {
      {"nothing installed", {}, "", 3},
      {"only the third key", {{fs60, "D:\\FS6"}}, "D:\\FS6\\Scenery", 3},
      {"the first wins", {{fs61, "C:\\FS98"}, {cfs, "C:\\CFS"}}, "C:\\FS98\\Scenery", 1},
      {"an unreadable value passes on",
       {{fs61, std::nullopt}, {cfs, "C:\\CFS"}},
       "C:\\CFS\\Scenery",
       2},
      {"an empty value ends the search", {{fs61, ""}, {cfs, "C:\\CFS"}}, "", 1},
      {"text ends at the first NUL", {{fs61, std::string("C:\\FS\0\0", 6)}}, "C:\\FS\\Scenery", 1},
      {"longest that fits",
       {{fs61, std::string(255, 'a')}},
       std::string(255, 'a') + "\\Scenery",
       1},
      {"too long to hold", {{fs61, std::string(256, 'a')}}, "", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeRegistry registry;
    registry.keys = c.keys;
    EXPECT_EQ(HostSceneryFolder(registry), c.folder);
    ASSERT_EQ(registry.tried.size(), c.tried);
    for (size_t i = 0; i < c.tried; ++i) EXPECT_EQ(registry.tried[i], kHostRegistryKeys[i]);
  }
}

}  // namespace
}  // namespace tarnwick
