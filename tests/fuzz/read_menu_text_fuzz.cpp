// Any menu text file, CSV or JSON: reading it stays inside the text and gives every problem a
// place, a CSV table written again reads back the same, and a file without errors becomes a
// menu with exactly its Locations.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "details/csv_table.h"
#include "details/menu_import.h"
#include "details/menu_text.h"
#include "fuzz_support.h"

namespace {

using namespace tarnwick;

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  CsvTable table = ReadCsv(bytes);
  if (table.Ok()) {
    // Written as the export writes, after a byte order mark: a text that starts with one more
    // keeps it in its first cell.
    std::string again(kUtf8Bom);
    for (const CsvRow& row : table.rows) {
      std::vector<std::string> cells;
      for (const CsvCell& cell : row.cells) cells.push_back(cell.text);
      AppendCsvRow(again, cells);
    }
    CsvTable back = ReadCsv(again);
    Check(back.Ok() && back.rows.size() == table.rows.size());
    for (size_t r = 0; r < table.rows.size(); ++r) {
      Check(back.rows[r].cells.size() == table.rows[r].cells.size());
      for (size_t c = 0; c < table.rows[r].cells.size(); ++c) {
        Check(back.rows[r].cells[c].text == table.rows[r].cells[c].text);
      }
    }
  }

  fuzz::FuzzSession f;
  MenuText text = ReadMenuText(bytes);
  const size_t locations = text.locations.size();
  Check(locations <= kMaxMenuLocations);
  for (const MenuTextProblem& problem : text.problems) {
    Check(problem.place.line >= 1 && problem.place.column >= 1 && !problem.what.empty());
  }
  MenuImportPlan plan = PlanMenuImport(f.set, f.tree, std::move(text));
  if (plan.HasErrors()) return 0;
  ReplaceMenu(f.session, plan);
  size_t in_tree = 0;
  for (TreeNode area = f.tree.FirstChild(f.tree.Root()); area; area = f.tree.Next(area)) {
    for (TreeNode node = f.tree.FirstChild(area); node; node = f.tree.Next(node)) {
      Check(f.set.Location(RecordOf(f.tree.Data(node))) != nullptr);
      ++in_tree;
    }
  }
  Check(in_tree == locations);
  return 0;
}
