#include "details/csv_table.h"

#include "details/code_page_1252.h"

namespace tarnwick {

namespace {

// Walks the text one character at a time, keeping the line and column.
class CsvScanner {
 public:
  explicit CsvScanner(std::string_view text) : text_(text) {}

  bool AtEnd() const { return at_ >= text_.size(); }
  char Peek() const { return text_[at_]; }
  TextPlace Place() const { return place_; }
  bool AtLineBreak() const { return !AtEnd() && (Peek() == '\r' || Peek() == '\n'); }

  // Takes a line break (CR LF counts as one) and appends it to `out` when given.
  void TakeLineBreak(std::string* out) {
    if (Peek() == '\r' && at_ + 1 < text_.size() && text_[at_ + 1] == '\n') {
      if (out) *out += '\r';
      ++at_;
    }
    if (out) *out += text_[at_];
    ++at_;
    ++place_.line;
    place_.column = 1;
  }

  // Takes the plain ASCII characters up to the next comma, quote or line break at once: most of
  // a menu file is made of them.
  void TakePlain(std::string& out) {
    size_t from = at_;
    while (at_ < text_.size()) {
      auto c = static_cast<unsigned char>(text_[at_]);
      if (c == 0 || c >= 0x80 || c == ',' || c == '"' || c == '\r' || c == '\n') break;
      ++at_;
    }
    out.append(text_.substr(from, at_ - from));
    place_.column += static_cast<int>(at_ - from);
  }

  // Takes one character into `out`; false (with the fault set) for bytes that are not UTF-8.
  bool TakeChar(std::string* out, std::string& fault) {
    Utf8Char c = DecodeUtf8(text_.substr(at_));
    if (c.length == 0) {
      fault = "the file is not UTF-8 text (save it as CSV UTF-8)";
      return false;
    }
    if (c.c == 0) {
      fault = "the file holds binary data, not comma-separated text";
      return false;
    }
    if (out) out->append(text_.substr(at_, c.length));
    at_ += c.length;
    ++place_.column;
    return true;
  }

 private:
  std::string_view text_;
  size_t at_ = 0;
  TextPlace place_;
};

}  // namespace

CsvTable ReadCsv(std::string_view bytes) {
  CsvTable table;
  if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) bytes.remove_prefix(kUtf8Bom.size());
  CsvScanner scan(bytes);
  auto fail = [&table](std::string fault, TextPlace place) {
    table.fault = std::move(fault);
    table.fault_place = place;
    return table;
  };
  if (scan.AtEnd()) return table;
  CsvRow row;
  while (true) {
    CsvCell cell;
    cell.place = scan.Place();
    if (!scan.AtEnd() && scan.Peek() == '"') {
      cell.quoted = true;
      std::string fault;
      scan.TakeChar(nullptr, fault);
      while (true) {
        if (scan.AtEnd()) return fail("a quoted cell is never closed", cell.place);
        if (scan.Peek() == '"') {
          TextPlace quote = scan.Place();
          scan.TakeChar(nullptr, fault);
          if (!scan.AtEnd() && scan.Peek() == '"') {
            scan.TakeChar(&cell.text, fault);
            continue;
          }
          if (!scan.AtEnd() && scan.Peek() != ',' && !scan.AtLineBreak()) {
            quote.column += 1;
            return fail(
                "text follows the closing quote of a cell (a quote inside a quoted cell "
                "is written twice)",
                quote);
          }
          break;
        }
        if (scan.AtLineBreak()) {
          scan.TakeLineBreak(&cell.text);
        } else if (!scan.TakeChar(&cell.text, fault)) {
          return fail(fault, scan.Place());
        }
      }
    } else {
      std::string fault;
      while (!scan.AtEnd() && scan.Peek() != ',' && !scan.AtLineBreak()) {
        scan.TakePlain(cell.text);
        if (scan.AtEnd() || scan.Peek() == ',' || scan.AtLineBreak()) break;
        if (!scan.TakeChar(&cell.text, fault)) return fail(fault, scan.Place());
      }
    }
    row.cells.push_back(std::move(cell));
    if (!scan.AtEnd() && scan.Peek() == ',') {
      std::string fault;
      scan.TakeChar(nullptr, fault);
      continue;
    }
    row.end = scan.Place();
    table.rows.push_back(std::move(row));
    row = CsvRow();
    if (scan.AtEnd()) break;
    scan.TakeLineBreak(nullptr);
    // A last line break ends the last row; it starts none.
    if (scan.AtEnd()) break;
  }
  return table;
}

void AppendCsvCell(std::string& out, std::string_view text) {
  bool quote = text.find_first_of(",\"\r\n") != std::string_view::npos ||
               (!text.empty() && (text.front() == ' ' || text.back() == ' '));
  if (!quote) {
    out += text;
    return;
  }
  out += '"';
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

void AppendCsvRow(std::string& out, const std::vector<std::string>& cells) {
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) out += ',';
    AppendCsvCell(out, cells[i]);
  }
  out += "\r\n";
}

}  // namespace tarnwick
