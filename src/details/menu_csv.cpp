// The menu as CSV: written from the tree, read back with the place of every cell.
#include <cctype>
#include <cstdio>
#include <optional>

#include "details/code_page_1252.h"
#include "details/menu_text.h"

namespace tarnwick {

namespace {

constexpr size_t kAreaColumn = 0;
constexpr size_t kLocationColumn = 1;
constexpr size_t kFirstValueColumn = 2;
constexpr size_t kSourceColumn = 11;

std::string HeaderLine() {
  std::string line;
  for (size_t i = 0; i < kMenuCsvColumns.size(); ++i) {
    if (i > 0) line += ',';
    line += kMenuCsvColumns[i];
  }
  return line;
}

bool SameName(std::string_view a, std::string_view b) {
  while (!a.empty() && a.front() == ' ') a.remove_prefix(1);
  while (!a.empty() && a.back() == ' ') a.remove_suffix(1);
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

// The place of the character at byte `at` of a cell's text.
TextPlace PlaceInCell(const CsvCell& cell, size_t at, bool quoted) {
  TextPlace place = cell.place;
  if (quoted) ++place.column;
  std::string_view text = cell.text;
  for (size_t i = 0; i < at && i < text.size();) {
    if (text[i] == '\r' || text[i] == '\n') {
      i += text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
      ++place.line;
      place.column = 1;
      continue;
    }
    Utf8Char c = DecodeUtf8(text.substr(i));
    i += c.length == 0 ? 1 : c.length;
    ++place.column;
  }
  return place;
}

// Reads the rows after the header into Locations.
class MenuCsvReader {
 public:
  explicit MenuCsvReader(MenuText& out) : out_(out) {}

  void Read(std::string_view bytes) {
    CsvTable table = ReadCsv(bytes);
    if (table.rows.empty() && table.Ok()) {
      Error({1, 1}, "the file is empty: a menu CSV file starts with the header " + HeaderLine());
      return;
    }
    if (!table.rows.empty() && !ReadHeader(table.rows.front())) return;
    for (size_t r = 1; r < table.rows.size(); ++r) {
      if (!table.rows[r].Blank()) ReadRow(table.rows[r]);
    }
    if (!table.Ok()) Error(table.fault_place, table.fault);
  }

 private:
  void Error(TextPlace place, std::string what) { out_.problems.push_back({place, what, false}); }
  void Warning(TextPlace place, std::string what) { out_.problems.push_back({place, what, true}); }

  bool ReadHeader(const CsvRow& header) {
    column_of_.fill(SIZE_MAX);
    bool any_known = false;
    std::vector<size_t> unknown;
    for (size_t c = 0; c < header.cells.size(); ++c) {
      bool known = false;
      for (size_t k = 0; k < kMenuCsvColumns.size(); ++k) {
        if (!SameName(header.cells[c].text, kMenuCsvColumns[k])) continue;
        known = true;
        if (column_of_[k] != SIZE_MAX) {
          Error(header.cells[c].place,
                "the column '" + std::string(kMenuCsvColumns[k]) + "' is named twice");
        } else {
          column_of_[k] = c;
        }
      }
      any_known = any_known || known;
      if (!known) unknown.push_back(c);
    }
    if (!any_known) {
      Error({1, 1}, "not a menu CSV file: its first line must be the header " + HeaderLine());
      return false;
    }
    for (size_t k = 0; k < kMenuCsvColumns.size(); ++k) {
      if (column_of_[k] == SIZE_MAX) {
        columns_missing_ = true;
        Error(header.end, "the column '" + std::string(kMenuCsvColumns[k]) + "' is missing");
      }
    }
    for (size_t c : unknown) {
      if (header.cells[c].text.empty()) continue;
      Warning(header.cells[c].place,
              "the column '" + header.cells[c].text + "' is not part of the menu and is not read");
    }
    header_cells_ = header.cells.size();
    return true;
  }

  // The cell of column `k`, or nothing when the row is too short (reported once per row).
  const CsvCell* Cell(const CsvRow& row, size_t k, bool& reported) {
    size_t c = column_of_[k];
    if (c == SIZE_MAX) return nullptr;  // reported with the header
    if (c < row.cells.size()) return &row.cells[c];
    if (!reported) {
      Error(row.end, "the row ends before its '" + std::string(kMenuCsvColumns[k]) + "' cell");
      reported = true;
    }
    return nullptr;
  }

  // The cell's text in the code page; nothing (reported) when a character has no place there.
  std::optional<std::string> CodePageText(const CsvCell& cell) {
    bool quoted = cell.quoted;
    std::string bytes;
    bytes.reserve(cell.text.size());
    std::string_view text = cell.text;
    for (size_t i = 0; i < text.size();) {
      Utf8Char c = DecodeUtf8(text.substr(i));
      std::optional<uint8_t> byte = UnicodeToCodePage1252(c.c);
      if (c.length == 0 || !byte) {
        std::string shown;
        AppendUtf8(shown, c.c);
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c.c));
        Error(PlaceInCell(cell, i, quoted),
              "the character '" + shown + "' (" + code +
                  ") cannot be kept: titles are held in the Windows-1252 code page");
        return std::nullopt;
      }
      bytes += static_cast<char>(*byte);
      i += c.length;
    }
    return bytes;
  }

  void ReadRow(const CsvRow& row) {
    if (out_.locations.size() >= kMaxMenuLocations) {
      if (!too_many_) {
        Error(row.cells.front().place, "more than 65,535 Locations: a menu holds no more");
        too_many_ = true;
      }
      return;
    }
    for (size_t c = header_cells_; c < row.cells.size(); ++c) {
      if (!row.cells[c].text.empty()) {
        Error(row.cells[c].place, "this cell lies beyond the columns the header names");
        break;
      }
    }
    TextLocation location;
    location.place = row.cells.front().place;
    bool reported = false;
    if (const CsvCell* cell = Cell(row, kAreaColumn, reported)) {
      location.area_place = cell->place;
      if (cell->text.empty()) {
        Error(cell->place, "the Area title is empty");
      } else if (auto title = CodePageText(*cell)) {
        location.area_title = std::move(*title);
      }
    }
    location.starts_area = out_.locations.empty() || cell_area_ != location.area_title;
    cell_area_ = location.area_title;
    if (location.starts_area && location.area_title.size() > kSavedAreaTitle) {
      Warning(location.area_place,
              "the saved menu keeps only the first 20 characters of the Area "
              "title '" +
                  CodePage1252ToUtf8(location.area_title) + "'");
    }
    if (const CsvCell* cell = Cell(row, kLocationColumn, reported)) {
      if (auto title = CodePageText(*cell)) location.description = std::move(*title);
      if (location.description.size() > kSavedLocationTitle) {
        Warning(cell->place,
                "the saved menu keeps only the first 40 characters of the Location "
                "title '" +
                    cell->text + "'");
      }
    }
    for (size_t v = 0; v < kMenuValueCount; ++v) {
      if (const CsvCell* cell = Cell(row, kFirstValueColumn + v, reported)) {
        location.texts[v] = cell->text;
        location.text_places[v] = cell->place;
      } else {
        location.text_places[v] = row.end;
      }
    }
    if (const CsvCell* cell = Cell(row, kSourceColumn, reported)) {
      if (auto source = CodePageText(*cell)) location.source = std::move(*source);
    }
    location.incomplete = reported || columns_missing_;
    out_.locations.push_back(std::move(location));
  }

  MenuText& out_;
  std::array<size_t, kMenuCsvColumns.size()> column_of_{};
  size_t header_cells_ = 0;
  std::string cell_area_;
  bool columns_missing_ = false;
  bool too_many_ = false;
};

}  // namespace

std::string MenuCsv(const ScenerySet& set, const MenuTree& tree, bool fractional_minutes) {
  std::string out(kUtf8Bom);
  AppendCsvRow(out, std::vector<std::string>(kMenuCsvColumns.begin(), kMenuCsvColumns.end()));
  TreeNode root = tree.Root();
  if (root == nullptr) return out;
  std::vector<std::string> cells(kMenuCsvColumns.size());
  for (TreeNode area = tree.FirstChild(root); area != nullptr; area = tree.Next(area)) {
    cells[kAreaColumn] = CodePage1252ToUtf8(tree.Label(area));
    for (TreeNode node = tree.FirstChild(area); node != nullptr; node = tree.Next(node)) {
      const MenuLocation* location = set.Location(RecordOf(tree.Data(node)));
      if (location == nullptr) continue;
      cells[kLocationColumn] = CodePage1252ToUtf8(tree.Label(node));
      for (size_t v = 0; v < kMenuValueCount; ++v) {
        cells[kFirstValueColumn + v] =
            MenuValueText(location->fields, static_cast<MenuValue>(v), fractional_minutes);
      }
      const MenuBgl* bgl = set.Bgl(location->bgl_index);
      cells[kSourceColumn] = bgl != nullptr ? CodePage1252ToUtf8(bgl->path) : std::string();
      AppendCsvRow(out, cells);
    }
  }
  return out;
}

MenuText ReadMenuCsv(std::string_view bytes) {
  MenuText text;
  MenuCsvReader(text).Read(bytes);
  return text;
}

MenuText ReadMenuText(std::string_view bytes) {
  std::string_view rest = bytes;
  if (rest.substr(0, kUtf8Bom.size()) == kUtf8Bom) rest.remove_prefix(kUtf8Bom.size());
  size_t first = rest.find_first_not_of(" \t\r\n");
  if (first != std::string_view::npos && rest[first] == '{') return ReadMenuJson(bytes);
  return ReadMenuCsv(bytes);
}

bool MenuText::HasErrors() const {
  for (const MenuTextProblem& problem : problems) {
    if (!problem.warning) return true;
  }
  return false;
}

std::string FormatMenuTextProblem(std::string_view file, const MenuTextProblem& problem) {
  return std::string(file) + ":" + std::to_string(problem.place.line) + ":" +
         std::to_string(problem.place.column) + ": " + (problem.warning ? "warning: " : "") +
         problem.what;
}

}  // namespace tarnwick
