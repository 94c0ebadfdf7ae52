// Comma-separated text as spreadsheets read and write it (RFC 4180): a row per line, cells
// parted by commas, a cell holding a comma, a quote or a line break written in quotes with its
// quotes doubled. Read from UTF-8 with or without a byte order mark and with any of CR, LF and
// CR LF ending its lines; written in UTF-8 with a byte order mark and CR LF, as spreadsheets
// expect in order to take the text as UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// A place in the text: the line (from 1, counting every line break, those inside quoted cells
// too) and the column (from 1, in characters, not bytes).
struct TextPlace {
  int line = 1;
  int column = 1;
};

struct CsvCell {
  std::string text;  // UTF-8, without the quotes
  TextPlace place;   // of the cell's first character (its opening quote when quoted)
  bool quoted = false;
};

struct CsvRow {
  std::vector<CsvCell> cells;
  TextPlace end;  // where the row's line break (or the text) ends it
  // A line with nothing on it: one empty unquoted cell.
  bool Blank() const { return cells.size() == 1 && cells[0].text.empty() && !cells[0].quoted; }
};

struct CsvTable {
  std::vector<CsvRow> rows;
  // The first fault that keeps the text from being read as comma-separated text; the rows read
  // before it are kept. Empty when there is none.
  std::string fault;
  TextPlace fault_place;
  bool Ok() const { return fault.empty(); }
};

// Reads the whole text. Bytes that are not UTF-8 and NUL bytes (binary files) are faults.
CsvTable ReadCsv(std::string_view bytes);

// The byte order mark that starts a UTF-8 text.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Appends `text` as one cell, quoted when it must be (a comma, a quote, a line break, or a blank
// at either end, which some spreadsheets drop from an unquoted cell).
void AppendCsvCell(std::string& out, std::string_view text);
// Appends a row of cells ended by CR LF.
void AppendCsvRow(std::string& out, const std::vector<std::string>& cells);

}  // namespace tarnwick
