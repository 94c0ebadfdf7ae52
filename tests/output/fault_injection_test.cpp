// Every call that changes the disk during a save, a restore, a menu switch and a VIS commit fails
// in turn, once or for good (the program stopped there): afterwards, once the results are put in
// order, both saved results are on the disk, whole, under their own names; every BGL is as it was
// or differs in its menu switch byte alone; the VIS file is the old one or the new one.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "output/original_menus.h"
#include "output/previous_results.h"
#include "output/save_results.h"
#include "output/vis_commit.h"
#include "scenery/bgl_records.h"
#include "scenery/menu_paths.h"
#include "scenery/scan.h"
#include "scenery/vis_file.h"
#include "support/failing_file_system.h"
#include "support/saved_set.h"
#include "support/tree_dump.h"

namespace tarnwick {
namespace {

using testing::FailingFileSystem;
using testing::ReadFileBytes;
using testing::SavedSet;
using testing::SmallSet;
using testing::TwoResults;

// Builds a fresh `Set`, readies it with `prepare` on the disk as it is, then runs `job` with the
// n-th change failing, for every n until the job runs through untouched; `check` then looks at
// what the disk holds.
template <typename Set>
void FailEachChange(bool kill, const std::function<void(Set&)>& prepare,
                    const std::function<void(Set&, Session&)>& job,
                    const std::function<void(Set&)>& check) {
  for (int n = 1;; ++n) {
    SCOPED_TRACE(::testing::Message() << (kill ? "killed" : "failed") << " at change " << n);
    Set set;
    prepare(set);
    FailingFileSystem failing(*set.t.fs);
    failing.fail_at = n;
    failing.kill = kill;
    Session s{set.t.set,     set.t.tree, failing,         set.t.host,
              set.t.options, set.t.log,  set.t.tree_state};
    job(set, s);
    bool reached = failing.changes >= n;
    set.t.host.CloseProgressBox();
    check(set);
    if (!reached) break;
  }
}

// Runs a save or a restore with each change failing; the results are then put in order as the
// next start does, and `check` gets the current result.
void FailEachResultChange(
    bool kill, const std::function<void(Session&)>& job,
    const std::function<void(TwoResults&, const std::vector<uint8_t>&)>& check) {
  FailEachChange<TwoResults>(
      kill, [](TwoResults& set) { set.t.set.results_saved = true; },
      [&](TwoResults&, Session& s) { job(s); },
      [&](TwoResults& set) {
        BuildMenuPaths(set.s);
        for (const char* temporary : {"Tmp", "PrevTmp", "PrevOld", "New"}) {
          EXPECT_FALSE(std::filesystem::exists(set.disk.MenuBgl().string() + temporary))
              << temporary;
        }
        check(set, ReadFileBytes(set.disk.MenuBgl()));
      });
}

using FileBytes = std::map<std::filesystem::path, std::vector<uint8_t>>;

// The bytes of every BGL below the set's Scenery folder: the sources and the generated menu BGL.
FileBytes BglFiles(const SmallSet& set) {
  FileBytes files;
  for (const auto& entry :
       std::filesystem::recursive_directory_iterator(set.disk.root / "Scenery")) {
    if (entry.is_regular_file() && entry.path().extension() == ".bgl") {
      files[entry.path()] = ReadFileBytes(entry.path());
    }
  }
  return files;
}

// Each file is as it was, or its menu switch byte alone went from 0 to 1 or back.
void ExpectOnlySwitchBytesChanged(const FileBytes& before) {
  for (const auto& [path, old] : before) {
    SCOPED_TRACE(path.string());
    std::vector<uint8_t> now = ReadFileBytes(path);
    ASSERT_EQ(now.size(), old.size());
    const size_t menu = old.size() >= 128 ? GetU32(old.data() + 66) : 0;
    for (size_t i = 0; i < old.size(); ++i) {
      if (now[i] == old[i]) continue;
      ASSERT_EQ(i, menu) << "byte " << i << " changed";
      EXPECT_LE(now[i], 1) << "switch byte";
      EXPECT_LE(old[i], 1) << "switch byte";
    }
  }
}

TEST(FaultInjectionTest, ASaveNeverLosesTheLastResult) {
  for (bool kill : {false, true}) {
    FailEachResultChange(
        kill,
        [](Session& s) {
          s.tree.SetLabel(s.tree.FirstChild(s.tree.Root()), "Matterhorn");
          SaveResults(s, false, false);
        },
        [&](TwoResults& set, const std::vector<uint8_t>& current) {
          std::vector<std::vector<uint8_t>> results = set.Results();
          // Both results as they were, or the new one with the last saved one kept as the
          // previous copy: none is ever lost.
          ASSERT_EQ(results.size(), 2u);
          if (current == set.second) {
            EXPECT_EQ(results[1], set.first) << "the result before last survives a failed save";
            return;
          }
          EXPECT_EQ(results[1], set.second);
          EXPECT_NE(current, set.first);
        });
  }
}

TEST(FaultInjectionTest, ARestoreEndsWithBothResultsWhole) {
  for (bool kill : {false, true}) {
    FailEachResultChange(
        kill, [](Session& s) { RestorePreviousResults(s); },
        [](TwoResults& set, const std::vector<uint8_t>&) {
          std::vector<std::vector<uint8_t>> results = set.Results();
          std::multiset<std::vector<uint8_t>> got(results.begin(), results.end());
          EXPECT_EQ(got, (std::multiset<std::vector<uint8_t>>{set.first, set.second}));
        });
  }
}

// The switches of "Enable original menus", "Disable original menus" and of a save, over a set
// saved once: one source BGL read-only, so that its attributes change too.
TEST(FaultInjectionTest, ASwitchChangesNoByteButTheSwitch) {
  struct Case {
    const char* name;
    bool originals_on_first;
    std::function<void(Session&)> job;
  };
  const Case cases[] = {
      {"originals on", false, [](Session& s) { RunOriginalMenusCommand(s, false); }},
      {"originals off", true, [](Session& s) { RunOriginalMenusCommand(s, true); }},
      // The save replaces the generated menu BGL: the source BGLs are looked at.
      {"save", true, [](Session& s) { SaveResults(s, false, false); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (bool kill : {false, true}) {
      FileBytes before;
      FailEachChange<SavedSet>(
          kill,
          [&](SavedSet& set) {
            if (c.originals_on_first) RunOriginalMenusCommand(set.s, false);
            std::filesystem::permissions(set.disk.Bgl("Alps", "alps.bgl"),
                                         std::filesystem::perms::owner_write |
                                             std::filesystem::perms::group_write |
                                             std::filesystem::perms::others_write,
                                         std::filesystem::perm_options::remove);
            before = BglFiles(set);
            if (std::string(c.name) == "save") before.erase(set.disk.MenuBgl());
          },
          [&](SavedSet&, Session& s) { c.job(s); },
          [&](SavedSet&) { ExpectOnlySwitchBytesChanged(before); });
    }
  }
}

// Committing changed VIS selections, with no set loaded (the VIS file alone) and with a set
// loaded and not saved yet (its save then adds the generated menu's entry).
TEST(FaultInjectionTest, AVisCommitLeavesTheOldFileOrTheNewOne) {
  for (bool loaded : {false, true}) {
    SCOPED_TRACE(loaded ? "loaded" : "not loaded");
    // What the file may hold: as it was, with the selection stored, and with the generated
    // menu's entry added by the save after it.
    std::set<std::vector<uint8_t>> states;
    std::vector<uint8_t> original_vis;
    auto prepare = [loaded, &states, &original_vis](SmallSet& set) {
      ASSERT_TRUE(loaded ? set.Scan() : ReadVisFile(set.s));
      set.t.set.vis_entries[2].working_flags = 1;  // Lakes goes on
      ScenerySet& model = set.t.set;
      const VisImage stored = model.image;
      auto image = [&model] {
        const std::vector<uint8_t>& bytes = model.image.bytes;
        return std::vector<uint8_t>(bytes.begin(), bytes.begin() + model.image.size);
      };
      original_vis = image();
      states = {original_vis};
      model.SetStoredFlags(model.vis_entries[2], 1);
      states.insert(image());
      if (loaded && AppendMenuEntry(model)) states.insert(image());
      model.image = stored;
      ASSERT_EQ(states.size(), loaded ? 3u : 2u);
    };
    for (bool kill : {false, true}) {
      FileBytes before;
      bool failed = false;
      FailEachChange<SmallSet>(
          kill,
          [&](SmallSet& set) {
            prepare(set);
            before = BglFiles(set);
          },
          [&](SmallSet&, Session& s) {
            failed = CommitVisSelections(s) != VisCommitResult::kWritten;
          },
          [&](SmallSet& set) {
            EXPECT_EQ(states.count(ReadFileBytes(set.disk.VisFile())), 1u);
            ExpectOnlySwitchBytesChanged(before);
            // A commit that failed (and said so) switched no menu at all.
            if (!kill && failed) {
              EXPECT_EQ(BglFiles(set), before);
              EXPECT_EQ(ReadFileBytes(set.disk.VisFile()), original_vis);
            }
            // The next start reads the file and drops what a stopped write left beside it.
            testing::TestSession next;
            next.set.vis_path = set.disk.vis_path;
            EXPECT_TRUE(ReadVisFile(next.session));
            EXPECT_FALSE(std::filesystem::exists(set.disk.VisFile().string() + ".tmp"));
          });
    }
  }
}

// The menu of a scan, each Location with the file it was read from: the original menus and the
// generated one read alike but come from different files.
std::string MenuAndSources(testing::TestSession& t) {
  std::string text;
  TreeNode root = t.tree.Root();
  if (root == nullptr) return text;
  for (TreeNode area = t.tree.FirstChild(root); area != nullptr; area = t.tree.Next(area)) {
    text += t.tree.Label(area) + "\n";
    for (TreeNode node = t.tree.FirstChild(area); node != nullptr; node = t.tree.Next(node)) {
      const MenuLocation* location = t.set.Location(RecordOf(t.tree.Data(node)));
      const MenuBgl* bgl = location ? t.set.Bgl(location->bgl_index) : nullptr;
      const std::string path = bgl ? bgl->path : "?";
      text += "  " + t.tree.Label(node) + " @" + path.substr(path.rfind('\\') + 1) + "\n";
    }
  }
  return text;
}

// The menu as the next program run reads it: a fresh scan of the set, which first puts right
// whatever a stopped job left.
std::string NextScan(const SmallSet& set, std::vector<std::string>* messages = nullptr) {
  testing::TestSession next;
  next.set.vis_path = set.disk.vis_path;
  EXPECT_TRUE(ScanScenerySet(next.session));
  next.host.CloseProgressBox();
  if (messages != nullptr) *messages = next.host.messages;
  const std::string menu = MenuAndSources(next);
  // What a save of it writes is what the scan after reads: nothing doubles on the way.
  const std::string titles = testing::DumpMenu(next.tree);
  EXPECT_TRUE(SaveResults(next.session, false, false));
  EXPECT_TRUE(next.set.results_saved) << testing::DumpMenu(next.tree);
  EXPECT_TRUE(ScanScenerySet(next.session));
  next.host.CloseProgressBox();
  EXPECT_EQ(testing::DumpMenu(next.tree), titles) << "the save after";
  return menu;
}

// Every job that changes files, killed at each of its changes or failing at each once: the next
// run reads each Location once, the menu as it was before the job or as the job leaves it, never a
// mix; a job that reports nothing has done all of its work.
TEST(FaultInjectionTest, EveryJobEndsWithEachLocationOnce) {
  struct Case {
    const char* name;
    std::function<void(SavedSet&)> prepare;
    std::function<void(Session&)> job;
  };
  auto rename_first = [](Session& s) {
    s.tree.SetLabel(s.tree.FirstChild(s.tree.Root()), "Matterhorn");
    s.set.results_saved = false;
  };
  const Case cases[] = {
      {"first save",
       [](SavedSet& set) {
         // The set as never saved: no generated menu, no entry for it, every menu on.
         std::filesystem::remove_all(set.disk.MenusFolder());
         set.disk.WriteVis();
         RunOriginalMenusCommand(set.s, false);
       },
       [&](Session& s) {
         rename_first(s);
         SaveResults(s, false, false);
       }},
      {"save", [](SavedSet&) {},
       [&](Session& s) {
         rename_first(s);
         SaveResults(s, false, false);
       }},
      {"originals on", [](SavedSet&) {}, [](Session& s) { RunOriginalMenusCommand(s, false); }},
      {"originals off", [](SavedSet& set) { RunOriginalMenusCommand(set.s, false); },
       [](Session& s) { RunOriginalMenusCommand(s, true); }},
      {"restore",
       [&](SavedSet& set) {
         rename_first(set.s);
         ASSERT_TRUE(set.Save());
         ASSERT_TRUE(set.Scan());
         set.t.set.results_saved = true;
       },
       [](Session& s) { RestorePreviousResults(s); }},
      {"VIS commit", [](SavedSet& set) { set.t.set.vis_entries[2].working_flags = 1; },
       [](Session& s) { CommitVisSelections(s); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string before, after;
    {
      SavedSet set;
      c.prepare(set);
      before = NextScan(set);
      c.job(set.s);
      set.t.host.CloseProgressBox();
      EXPECT_EQ(set.t.host.messages, std::vector<std::string>{});
      after = NextScan(set);
      ASSERT_NE(before, after);
    }
    for (bool kill : {false, true}) {
      FailEachChange<SavedSet>(
          kill, c.prepare, [&](SavedSet&, Session& s) { c.job(s); },
          [&](SavedSet& set) {
            const bool reported = !set.t.host.messages.empty();
            std::vector<std::string> next_messages;
            const std::string menu = NextScan(set, &next_messages);
            EXPECT_TRUE(menu == before || menu == after) << menu;
            if (!kill && !reported) {
              EXPECT_EQ(menu, after) << "a failure reported as success";
            }
            if (!kill) {
              EXPECT_EQ(next_messages, std::vector<std::string>{});
            }
          });
    }
  }
}

}  // namespace
}  // namespace tarnwick
