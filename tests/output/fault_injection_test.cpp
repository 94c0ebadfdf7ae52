// Every call that changes the disk during a save and a restore fails in turn, once or for good
// (the program stopped there): afterwards, once the results are put in order, both saved results
// are on the disk, whole, under their own names.
#include <gtest/gtest.h>

#include <set>

#include "output/previous_results.h"
#include "output/save_results.h"
#include "scenery/menu_paths.h"
#include "support/failing_file_system.h"
#include "support/saved_set.h"

namespace tarnwick {
namespace {

using testing::FailingFileSystem;
using testing::ReadFileBytes;
using testing::TwoResults;

// Runs `job` with the n-th change failing, for every n until the job runs through untouched.
void FailEachChange(bool kill, const std::function<void(TwoResults&, Session&)>& job,
                    const std::function<void(TwoResults&, const std::vector<uint8_t>&)>& check) {
  for (int n = 1;; ++n) {
    SCOPED_TRACE(::testing::Message() << (kill ? "killed" : "failed") << " at change " << n);
    TwoResults set;
    set.t.set.results_saved = true;
    FailingFileSystem failing(*set.t.fs);
    failing.fail_at = n;
    failing.kill = kill;
    Session s{set.t.set,     set.t.tree, failing,         set.t.host,
              set.t.options, set.t.log,  set.t.tree_state};
    job(set, s);
    bool reached = failing.changes >= n;
    set.t.host.CloseProgressBox();

    // The next start: the results are put in order before anything reads them.
    BuildMenuPaths(set.s);
    for (const char* temporary : {"Tmp", "PrevTmp", "New"}) {
      EXPECT_FALSE(std::filesystem::exists(set.disk.MenuBgl().string() + temporary)) << temporary;
    }
    check(set, ReadFileBytes(set.disk.MenuBgl()));
    if (!reached) break;
  }
}

TEST(FaultInjectionTest, ASaveNeverLosesTheLastResult) {
  std::vector<uint8_t> edited;
  for (bool kill : {false, true}) {
    FailEachChange(
        kill,
        [&](TwoResults& set, Session& s) {
          set.t.tree.SetLabel(set.t.tree.FirstChild(set.t.tree.Root()), "Matterhorn");
          SaveResults(s, false, false);
        },
        [&](TwoResults& set, const std::vector<uint8_t>& current) {
          std::vector<std::vector<uint8_t>> results = set.Results();
          // The current result is one whole result: the last one saved, or the new one with the
          // last saved one kept as the previous copy.
          ASSERT_EQ(results.size(), 2u);
          if (current == set.second) return;
          EXPECT_EQ(results[1], set.second);
          EXPECT_NE(current, set.first);
        });
  }
}

TEST(FaultInjectionTest, ARestoreEndsWithBothResultsWhole) {
  for (bool kill : {false, true}) {
    FailEachChange(
        kill, [](TwoResults&, Session& s) { RestorePreviousResults(s); },
        [](TwoResults& set, const std::vector<uint8_t>&) {
          std::vector<std::vector<uint8_t>> results = set.Results();
          std::multiset<std::vector<uint8_t>> got(results.begin(), results.end());
          EXPECT_EQ(got, (std::multiset<std::vector<uint8_t>>{set.first, set.second}));
        });
  }
}

}  // namespace
}  // namespace tarnwick
