#include <gtest/gtest.h>

#include <sstream>

#include "review/spreadsheet_csv_reader.h"

namespace stepwise::review {
namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST(SpreadsheetCsvReader, ReadsEachFormSpreadsheetsSave) {
    struct Case {
        const char* form;
        std::string bytes;
        SpreadsheetEncoding encoding;
        char separator;
        Rows rows;
    };
    const std::vector<Case> cases = {
        {"UTF-8 with byte-order mark, commas, CR LF", "\xEF\xBB\xBF" "a,b\r\ncaf\xC3\xA9,\xE2\x82\xAC" "5\r\n",
         SpreadsheetEncoding::utf8, ',', {{"a", "b"}, {"caf\xC3\xA9", "\xE2\x82\xAC" "5"}}},
        {"UTF-8 without mark, semicolons, LF, no final line end", "a;b;c,d\nx;y;z",
         SpreadsheetEncoding::utf8, ';', {{"a", "b", "c,d"}, {"x", "y", "z"}}},
        {"Windows-1252, semicolons, CR LF", "a;b\r\ncaf\xE9;\x80" "5 \x93quoted\x94\r\n",
         SpreadsheetEncoding::cp1252, ';',
         {{"a", "b"}, {"caf\xC3\xA9", "\xE2\x82\xAC" "5 \xE2\x80\x9Cquoted\xE2\x80\x9D"}}},
        {"tabs, old Mac CR row ends", "a\tb\rc\td\r", SpreadsheetEncoding::utf8, '\t', {{"a", "b"}, {"c", "d"}}},
        {"quoted fields: separators, doubled quotes, line breaks of each kind",
         "a,b\r\n\"x, y\",\"say \"\"hi\"\"\"\r\n\"one\ntwo\r\nthree\rfour\",z\r\n",
         SpreadsheetEncoding::utf8, ',', {{"a", "b"}, {"x, y", "say \"hi\""}, {"one\r\ntwo\r\nthree\r\nfour", "z"}}},
        {"empty fields and a blank row kept in place", "a,b\r\n,\r\n\r\nc,\r\n", SpreadsheetEncoding::utf8, ',',
         {{"a", "b"}, {"", ""}, {""}, {"c", ""}}},
        {"a stray quote inside a field and text after a closing quote", "a,b\r\n5\" tall,\"x\"y\r\n",
         SpreadsheetEncoding::utf8, ',', {{"a", "b"}, {"5\" tall", "xy"}}},
        {"a semicolon inside quotes does not decide the separator", "\"a;b;c\",d\r\n", SpreadsheetEncoding::utf8,
         ',', {{"a;b;c", "d"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.form);
        const SpreadsheetTable table = readSpreadsheetCsv(c.bytes);
        EXPECT_EQ(table.encoding, c.encoding);
        EXPECT_EQ(table.separator, c.separator);
        EXPECT_EQ(table.rows, c.rows);
    }
}

// Rows are taken from the file in blocks: a doubled quote, a CR LF or a field split between two
// blocks reads as it would in one.
TEST(SpreadsheetCsvReader, RowsReadAlikeWhereverABlockEnds) {
    const std::string rows = "\"x, y\",\"say \"\"hi\"\"\"\r\n\"one\ntwo\r\nthree\rfour\",z\r\n5\" tall,\"x\"y\r\nlast";
    const Rows expected = {{"x, y", "say \"hi\""}, {"one\r\ntwo\r\nthree\r\nfour", "z"}, {"5\" tall", "xy"}, {"last"}};
    for (std::size_t shift = 0; shift <= rows.size(); ++shift) {
        SCOPED_TRACE(shift);
        const std::string padding(std::size_t{1 << 16} - shift - 2, 'p');
        const SpreadsheetTable table = readSpreadsheetCsv(padding + "\r\n" + rows);
        ASSERT_EQ(table.rows.size(), expected.size() + 1);
        EXPECT_EQ(table.rows[0], std::vector<std::string>{padding});
        EXPECT_EQ(Rows(table.rows.begin() + 1, table.rows.end()), expected);
        // One column alone, the others passed over, reads the same.
        std::stringbuf bytes(padding + "\r\n" + rows);
        CsvRowReader reader(bytes, ',');
        std::vector<std::string> second;
        for (std::string field; reader.nextField(1, field);) second.push_back(field);
        EXPECT_EQ(second, (std::vector<std::string>{"", "say \"hi\"", "z", "xy", ""}));
    }
}

TEST(SpreadsheetCsvReader, BytesThatAreNotWellFormedUtf8AreWindows1252) {
    struct Case {
        std::string bytes;
        bool utf8;
    };
    const std::vector<Case> cases = {
        {"plain", true},          {"\xC3\xA9", true},          {"\xF0\x9F\x98\x80", true},
        {"\xC0\x80", false},      // overlong NUL
        {"\xED\xA0\x80", false},  // a surrogate
        {"\xF4\x90\x80\x80", false},  // past U+10FFFF
        {"\xC3", false},          // cut short
        {"\xE9t\xE9", false},     // été in Windows-1252
    };
    for (const Case& c : cases) EXPECT_EQ(isValidUtf8(c.bytes), c.utf8) << c.bytes;
    SpreadsheetEncoding encoding{};
    EXPECT_EQ(spreadsheetTextToUtf8("\xE9t\xE9", encoding), "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(encoding, SpreadsheetEncoding::cp1252);
}

TEST(SpreadsheetCsvReader, AQuotedFieldWithoutItsClosingQuoteIsAnError) {
    try {
        readSpreadsheetCsv("a,b\r\nc,d\r\n\"never\r\nclosed,x\r\n");
        FAIL() << "no error";
    } catch (const SpreadsheetCsvError& error) {
        EXPECT_STREQ(error.what(), "the quoted field starting on line 3 has no closing quote");
    }
}

TEST(SpreadsheetCsvReader, TheFormulaGuardIsTakenOffOnceAndOnlyWhereTheWriterPutIt) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"'=SUM(A1)", "=SUM(A1)"}, {"'-5", "-5"},     {"'+1", "+1"},       {"'@home", "@home"},
        {"'\tx", "\tx"},           {"'\r\nx", "\r\nx"}, {"''=x", "''=x"},   {"'quoted'", "'quoted'"},
        {"'", "'"},                {"=x", "=x"},       {"plain", "plain"}, {"", ""},
    };
    for (const auto& [cell, value] : cases) EXPECT_EQ(withoutFormulaGuard(cell), value) << cell;
}

}  // namespace
}  // namespace stepwise::review
