#include "details/csv_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "details/code_page_1252.h"

namespace tarnwick {
namespace {

// Rows as "cell|cell" lines, each cell followed by its line:column.
std::string Show(const CsvTable& table) {
  std::string text;
  for (const CsvRow& row : table.rows) {
    for (size_t i = 0; i < row.cells.size(); ++i) {
      const CsvCell& cell = row.cells[i];
      if (i > 0) text += '|';
      text += cell.text + "@" + std::to_string(cell.place.line) + ":" +
              std::to_string(cell.place.column);
    }
    text += '\n';
  }
  return text;
}

struct ReadCase {
  const char* name;
  std::string bytes;
  const char* rows;
};

TEST(CsvTableTest, ReadsCellsWithTheirPlaces) {
  const ReadCase cases[] = {
      {"plain CRLF", "a,b\r\nc,d\r\n", "a@1:1|b@1:3\nc@2:1|d@2:3\n"},
      {"LF only, no last break", "a,b\nc,d", "a@1:1|b@1:3\nc@2:1|d@2:3\n"},
      {"CR only", "a,b\rc,d\r", "a@1:1|b@1:3\nc@2:1|d@2:3\n"},
      {"mixed line ends", "a\r\nb\nc\rd", "a@1:1\nb@2:1\nc@3:1\nd@4:1\n"},
      {"BOM is not part of the first cell",
       "\xEF\xBB\xBF"
       "a,b\r\n",
       "a@1:1|b@1:3\n"},
      {"empty cells", ",,\r\n", "@1:1|@1:2|@1:3\n"},
      {"quoted comma and quote", "\"x,\"\"y\"\"\",z\r\n", "x,\"y\"@1:1|z@1:11\n"},
      {"quoted line break counts a line", "\"a\r\nb\",c\r\nd\r\n", "a\r\nb@1:1|c@2:4\nd@3:1\n"},
      {"columns count characters, not bytes", "\xC3\xA9t\xC3\xA9,x\r\n",
       "\xC3\xA9t\xC3\xA9@1:1|x@1:5\n"},
      {"blank line kept as one empty cell", "a\r\n\r\nb\r\n", "a@1:1\n@2:1\nb@3:1\n"},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    CsvTable table = ReadCsv(c.bytes);
    EXPECT_TRUE(table.Ok()) << table.fault;
    EXPECT_EQ(Show(table), c.rows);
  }
}

struct FaultCase {
  const char* name;
  std::string bytes;
  int line, column;
  const char* fault_part;
};

TEST(CsvTableTest, FaultsNameTheirPlace) {
  const FaultCase cases[] = {
      {"unclosed quote", "a,b\r\nc,\"d\r\n", 2, 3, "never closed"},
      {"text after closing quote", "\"ab\"c,d", 1, 5, "follows the closing quote"},
      {"not UTF-8", "a,b\r\nc\xE9,d", 2, 2, "not UTF-8"},
      {"binary", std::string("ab\0cd", 5), 1, 3, "binary"},
  };
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(c.name);
    CsvTable table = ReadCsv(c.bytes);
    ASSERT_FALSE(table.Ok());
    EXPECT_EQ(table.fault_place.line, c.line);
    EXPECT_EQ(table.fault_place.column, c.column);
    EXPECT_NE(table.fault.find(c.fault_part), std::string::npos) << table.fault;
  }
}

TEST(CsvTableTest, WritesWhatItReadsBack) {
  const std::vector<std::string> cells = {"plain",  "a,b", "say \"hi\"", "two\r\nlines",
                                          " blank", "",    "Caf\xC3\xA9"};
  std::string out;
  AppendCsvRow(out, cells);
  EXPECT_EQ(out, "plain,\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\",\" blank\",,Caf\xC3\xA9\r\n");
  CsvTable table = ReadCsv(out);
  ASSERT_TRUE(table.Ok());
  ASSERT_EQ(table.rows.size(), 1u);
  ASSERT_EQ(table.rows[0].cells.size(), cells.size());
  for (size_t i = 0; i < cells.size(); ++i) EXPECT_EQ(table.rows[0].cells[i].text, cells[i]);
}

TEST(CodePage1252Test, EveryByteSurvivesTheRoundTrip) {
  for (int b = 1; b < 256; ++b) {
    std::string utf8 = CodePage1252ToUtf8(std::string(1, static_cast<char>(b)));
    Utf8Char c = DecodeUtf8(utf8);
    ASSERT_EQ(c.length, utf8.size());
    auto back = UnicodeToCodePage1252(c.c);
    ASSERT_TRUE(back.has_value()) << b;
    EXPECT_EQ(*back, b);
  }
  EXPECT_EQ(CodePage1252ToUtf8("\x80\xE9"), "\xE2\x82\xAC\xC3\xA9");  // euro sign, e acute
  EXPECT_FALSE(UnicodeToCodePage1252(0x0141).has_value());            // L with stroke
  // Overlong, surrogate and truncated forms are not characters.
  for (std::string bad : {"\xC0\xAF", "\xED\xA0\x80", "\xE2\x82", "\xF8\x88\x80\x80\x80"}) {
    EXPECT_EQ(DecodeUtf8(bad).length, 0u) << bad.size();
  }
}

}  // namespace
}  // namespace tarnwick
