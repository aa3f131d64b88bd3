// Names and cells as careless instructors and mischievous students make them: one student however
// the file system spelt the name, a feedback page each, spreadsheet cells that never run, terminal
// lines that cannot be turned around, and marks rows that find their student.
#include <gtest/gtest.h>

#include <algorithm>

#include "format/html_escape.h"
#include "format/text.h"
#include "review/class_review.h"
#include "review/csv.h"
#include "review/feedback_page.h"
#include "review/marks_file.h"
#include "review/report_text.h"
#include "review/spreadsheet_csv_reader.h"

namespace stepwise::review {
namespace {

namespace fs = std::filesystem;

TEST(StudentIdentity, FilesOfOneStudentMeetWhateverTheSpellingDifferentLettersNever) {
#ifdef _WIN32
    GTEST_SKIP() << "file names arrive as UTF-16 on Windows, never as bytes in an unknown encoding";
#endif
    struct Case {
        const char* what;
        std::vector<std::string> fileNames;    // bytes, as a Linux folder holds them
        std::vector<std::string> students;     // UTF-8, in byte order
    };
    const Case cases[] = {
        {"Windows-1252 and UTF-8", {"send_1207Zo\xEB.txt", "send_1208Zo\xC3\xAB.txt"}, {"Zo\xC3\xAB"}},
        {"NFD and NFC", {"send_1207Zoe\xCC\x88.txt", "send_1208Zo\xC3\xAB.txt"}, {"Zo\xC3\xAB"}},
        {"letter case, the most frequent spelling shown",
         {"send_1207zo\xC3\xAB.txt", "send_1208ZO\xC3\x8B.txt", "send_1209ZO\xC3\x8B.txt"}, {"ZO\xC3\x8B"}},
        {"a tie, whatever the order found", {"send_1208ann.txt", "send_1207Ann.txt"}, {"Ann"}},
        {"different letters", {"send_1207Zo\xC3\xAB.txt", "send_1207Zo\xC3\xA9.txt"}, {"Zo\xC3\xA9", "Zo\xC3\xAB"}},
        {"not the same bytes in two encodings", {"send_1207Zo\xEB.txt", "send_1207Zo\xC3\xA9.txt"},
         {"Zo\xC3\xA9", "Zo\xC3\xAB"}},
        {"bytes that only Windows-1252 reads stay apart", {"send_1207A\x81.txt", "send_1207A\x8D.txt"},
         {"A\xC2\x81", "A\xC2\x8D"}},
        {"I with a dot is not I", {"send_1207\xC4\xB0z.txt", "send_1207Iz.txt", "send_1207iz.txt"},
         {"Iz", "\xC4\xB0z"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<handin::HandinSource> found;
        for (const std::string& name : c.fileNames) found.push_back(fs::path("/class") / name);
        std::vector<handin::Problem> problems;
        std::vector<std::string> students;
        for (const PlannedStudent& student : planClass(found, problems)) students.push_back(toUtf8(student.name));
        std::sort(students.begin(), students.end());
        EXPECT_EQ(students, c.students);
    }
}

std::string lineEndsAsLf(std::string text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i] == '\r' ? '\n' : text[i];
    }
    return out;
}

TEST(CsvCells, EveryTextCellIsQuotedAndNoneRunsAsAFormula) {
    const std::pair<std::string, std::string> cases[] = {
        {"Ann Lee", "\"Ann Lee\""},
        {"", ""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"=1+2", "\"'=1+2\""},
        {"-2", "\"'-2\""},
        {"@SUM(A1)", "\"'@SUM(A1)\""},
        {"\t=1", "\"'\t=1\""},
        {"\r=1", "\"'\r=1\""},
        {"a;=HYPERLINK(1)", "\"'a;=HYPERLINK(1)\""},   // split at semicolons
        {"a\t+1", "\"'a\t+1\""},                        // split at tabs
        {"a,  @x", "\"'a,  @x\""},                      // blanks before the sign
        {"line\r\n-1", "\"'line\r\n-1\""},
        {"line\n =1", "\"'line\n =1\""},
        {"a=b; c", "\"a=b; c\""},                       // a sign inside a cell, after no separator
        {"a; b=c", "\"a; b=c\""},
        {"bell\x07" "esc\x1B" "del\x7F" "c1\xC2\x9B", "\"bell\xEF\xBF\xBD" "esc\xEF\xBF\xBD" "del\xEF\xBF\xBD" "c1\xEF\xBF\xBD\""},
        {"\x01=1", "\"\xEF\xBF\xBD=1\""},
        {"Zo\xC3\xAB \xC2\xA0ok", "\"Zo\xC3\xAB \xC2\xA0ok\""},
    };
    for (const auto& [cell, written] : cases) {
        SCOPED_TRACE(cell);
        EXPECT_EQ(csvField(cell), written);
        // What the program wrote, read back, is the cell again (controls and line ends aside).
        const SpreadsheetTable table = readSpreadsheetCsv(written + ",x\r\n");
        ASSERT_EQ(table.rows.size(), 1u);
        EXPECT_EQ(lineEndsAsLf(withoutFormulaGuard(table.rows[0][0])), lineEndsAsLf(csvText(cell)));
    }
    std::string row;
    appendCsvRow(row, {CsvCell{"Ann"}, csvNumber("3"), csvNumber(""), CsvCell{"-1"}});
    EXPECT_EQ(row, "\"Ann\",3,,\"'-1\"\r\n");
}

// Long texts are read sixty-four bytes at a time: what a cell or a page makes of a text must not
// depend on where in it the hostile bytes stand. Checked against the rules read byte by byte.
TEST(CsvCells, LongTextsAreGuardedAndEscapedWhereverTheHostileBytesStand) {
    const std::string alphabet[] = {"a", " ", ",", ";", "\t", "\r", "\n", "=", "-", "+", "@", "\"", "<",
                                    "&", "'", "\x01", "\x7F", "\xC2\x9B", "\xC3\xAB", "\x1F"};
    const auto guarded = [](const std::string& text) {
        const auto formula = [](char c) { return c == '=' || c == '+' || c == '-' || c == '@'; };
        if (text.empty()) return false;
        if (formula(text[0]) || text[0] == '\t' || text[0] == '\r') return true;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (std::string_view(";\t,\r\n").find(text[i]) == std::string_view::npos) continue;
            std::size_t next = i + 1;
            while (next < text.size() && std::string_view(" \t\r\n").find(text[next]) != std::string_view::npos) ++next;
            if (next < text.size() && formula(text[next])) return true;
        }
        return false;
    };
    unsigned seed = 12345;
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const std::size_t pieces = (seed = seed * 1103515245 + 12345) >> 16 & 255;
        for (std::size_t i = 0; i < pieces; ++i) {
            seed = seed * 1103515245 + 12345;
            // Mostly plain letters, so that special bytes fall at every place of a block.
            const unsigned pick = seed >> 16 & 255;
            text += pick < 200 ? alphabet[0] : alphabet[pick % std::size(alphabet)];
        }
        SCOPED_TRACE(text);
        ASSERT_EQ(needsFormulaGuard(text), guarded(text));
        std::string cell, page;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(text[i]);
            if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xA0) {
                cell += "\xEF\xBF\xBD";  // a C1 control
                page += text.substr(i++, 2);
                continue;
            }
            const bool control = (c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F;
            cell += control ? std::string("\xEF\xBF\xBD") : std::string(1, static_cast<char>(c));
            page += c == '<' ? "&lt;" : c == '&' ? "&amp;" : c == '"' ? "&quot;" : c == '\'' ? "&#39;"
                  : c == 0x7F ? "\xE2\x90\xA1" : c == 0x01 ? "\xE2\x90\x81" : c == 0x1F ? "\xE2\x90\x9F"
                  : std::string(1, static_cast<char>(c));
        }
        ASSERT_EQ(csvText(text), cell);
        std::string quoted;
        for (char c : cell) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
        ASSERT_EQ(csvField(text), text.empty() ? "" : "\"" + std::string(guarded(text) ? "'" : "") + quoted + "\"");
        ASSERT_EQ(escapeHtml(text), page);
    }
}

TEST(TerminalText, InvisibleAndControlCharactersAreShownNotObeyed) {
    const std::pair<std::string, std::string> cases[] = {
        {"Ann\xE2\x80\xAEtxt.exe", "Ann<U+202E>txt.exe"},
        {"\xE2\x80\xAA\xE2\x80\xAB\xE2\x80\xAC\xE2\x80\xAD", "<U+202A><U+202B><U+202C><U+202D>"},
        {"\xE2\x81\xA6x\xE2\x81\xA9", "<U+2066>x<U+2069>"},
        {"zero\xE2\x80\x8Bwidth\xEF\xBB\xBF", "zero<U+200B>width<U+FEFF>"},
        {"tag\xF3\xA0\x80\x81", "tag<U+E0001>"},
        {"soft\xC2\xADhyphen", "soft<U+00AD>hyphen"},
        {"Zo\xC3\xAB \xE2\x80\x94 \xE6\x9D\x8E", "Zo\xC3\xAB \xE2\x80\x94 \xE6\x9D\x8E"},  // shown as they are
        {"c1\xC2\x9B", "c1\xEF\xBF\xBD"},
        {"cut\xE2\x80", "cut\xE2\x80"},
    };
    for (const auto& [text, shown] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(terminalText(text), shown);
    }
    EXPECT_EQ(terminalText("a\x1B[2Jb").find('\x1B'), std::string::npos);
}

TEST(FeedbackPageNames, EveryStudentHasAPageOfTheirOwn) {
    struct Case {
        const char* what;
        std::vector<std::string> keptOut;
        std::vector<std::string> students;
        std::vector<std::string> pages;
    };
    const Case cases[] = {
        {"today's names", {}, {"Ann Lee", "Zo\xC3\xAB \xC3\x9Cmit", "O'Brien, Pat"},
         {"Ann_Lee.html", "Zo\xC3\xAB_\xC3\x9Cmit.html", "O_Brien__Pat.html"}},
        {"names a file name cannot tell apart", {}, {"Ann Lee", "Ann/Lee", "Ann:Lee", "Ann_Lee"},
         {"Ann_Lee.html", "Ann_Lee-2.html", "Ann_Lee-3.html", "Ann_Lee-4.html"}},
        {"letter case, as Windows compares", {}, {"ann", "Ann", "ANN"}, {"ann.html", "Ann-2.html", "ANN-3.html"}},
        {"a suffix that is someone's name", {}, {"Ann", "Ann-2", "ann"}, {"Ann.html", "Ann-2.html", "ann-3.html"}},
        {"devices and nothing", {}, {"CON", "nul", "Com1", "LPT9", "COM10", "", "..", "con x"},
         {"_CON.html", "_nul.html", "_Com1.html", "_LPT9.html", "COM10.html", "_.html", "__.html", "con_x.html"}},
        {"the run's other outputs", {"report.html", "Marks.csv"}, {"Report", "marks.csv"},
         {"Report-2.html", "marks_csv.html"}},
        {"punctuation and signs of every block", {}, {"a\xE2\x80\x94" "b\xE3\x80\x82" "c\xC2\xA0" "d\xE2\x80\xAE"},
         {"a_b_c_d_.html"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FeedbackPageNames names(c.keptOut);
        std::vector<std::string> pages;
        for (const std::string& student : c.students) pages.push_back(names.next(student));
        EXPECT_EQ(pages, c.pages);
    }
    EXPECT_EQ(feedbackLink("/r/report.html", "/r/feedback", "Zo\xC3\xAB #1.html"), "feedback/Zo%C3%AB%20%231.html");
    EXPECT_EQ(feedbackLink("/r/out/report.html", "/r/feedback", "a.html"), "../feedback/a.html");
}

TEST(MarksRows, OddNamesRoundTripToExactlyOneRowEach) {
    const std::vector<std::string> names = {
        "Ann Lee", "O'Brien, Pat", "\"Doc\" Holl;day", "  Spaced  Out ", "\xE6\x9D\x8E\xE5\xB0\x8F\xE9\xBE\x8D",
        "=HYPERLINK(\"x\")", "a;=1", "Zo\xC3\xAB", "\xD0\x90\xD0\xBD\xD1\x8F"};
    std::vector<CurrentAnswer> answers;
    for (const std::string& name : names) answers.push_back({name, 1, "2", "an answer, with -1 in it\r\n=2"});
    MarksTable first;
    mergeAnswers(first, answers);
    for (MarksRow& row : first.rows) row.mark = "1";
    // Saved by a spreadsheet, read back, merged with the same answers spelt as another system
    // spells them: decomposed, in capitals.
    MarksTable second = parseMarksFile(marksFileBytes(first));
    std::vector<CurrentAnswer> again = answers;
    again[7].student = "ZOE\xCC\x88";
    again[8].student = "\xD0\xB0\xD0\xBD\xD1\x8F";
    const std::vector<MarksRow> rows = [&] {
        MarksMerge merge(second);
        std::vector<MarksRow> met = merge.addAnswers(again);
        merge.finish();
        return met;
    }();
    ASSERT_EQ(second.rows.size(), names.size());
    ASSERT_EQ(rows.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i]);
        EXPECT_EQ(second.rows[i].student, names[i]);
        EXPECT_EQ(rows[i].state, RowState::current);
        EXPECT_EQ(rows[i].mark, "1");
    }
    EXPECT_EQ(studentFigures(second, "zo\xC3\xAB").marked, 1);
}

}  // namespace
}  // namespace stepwise::review
