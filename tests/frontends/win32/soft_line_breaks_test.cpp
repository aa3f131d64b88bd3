// Long paragraphs in the display box: shown in lines that the edit control need not wrap, read back
// and copied as the text itself, through the student's edits.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>

#include "frontends/win32/soft_line_breaks.h"
#include "frontends/win32/wide_text.h"
#include "frontends/win32/win32_lesson_fixture.h"

namespace stepwise::testing {
namespace {

using enum ControlId;
using win32::SoftBreaks;
using win32::softBreak;

// A box of `columns` characters of one width.
win32::LineFit columnsFit(std::size_t columns) {
    return [columns](std::wstring_view text) { return std::min(text.size(), columns); };
}

std::wstring repeated(std::wstring_view piece, std::size_t count) {
    std::wstring text;
    for (std::size_t i = 0; i < count; ++i) text += piece;
    return text;
}

// The lines of the shown text: split at soft and at hard breaks.
std::vector<std::wstring> linesOf(const std::wstring& shown) {
    std::vector<std::wstring> lines{{}};
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (shown.compare(i, softBreak.size(), softBreak) == 0 || shown.compare(i, 2, L"\r\n") == 0) {
            i += shown.compare(i, softBreak.size(), softBreak) == 0 ? softBreak.size() - 1 : 1;
            lines.emplace_back();
        } else {
            lines.back() += shown[i];
        }
    }
    return lines;
}

TEST(SoftBreaksTest, LongParagraphsBreakIntoLinesThatFitAndReadBackAsTheyStand) {
    constexpr std::size_t columns = 13;  // odd, so that cuts fall inside surrogate pairs
    const std::wstring shortParagraph = repeated(L"short one ", 100);
    struct Case {
        const char* name;
        std::wstring text;
    } cases[] = {
        {"worded", repeated(L"word ", 400)},
        {"no space", std::wstring(3000, L'x')},
        {"emoji", repeated(L"\U0001F600", 1000)},
        {"long run of spaces", L"a" + std::wstring(2000, L' ') + L"b"},
        {"paragraphs", shortParagraph + L"\r\n" + repeated(L"word ", 400) + L"\r\n\r\n" + std::wstring(1500, L'y') +
                           L"\r\n" + shortParagraph},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SoftBreaks breaks;
        const std::wstring shown = breaks.show(c.text, columnsFit(columns));
        EXPECT_TRUE(breaks.any());
        EXPECT_EQ(breaks.read(shown), c.text);
        for (const std::wstring& line : linesOf(shown)) {
            if (line != shortParagraph) {
                EXPECT_LE(line.size(), columns) << "a line too wide";
            }
            EXPECT_FALSE(!line.empty() && line[0] >= 0xDC00 && line[0] <= 0xDFFF) << "a surrogate pair split";
        }
        // The short paragraphs are left to the control as they stand.
        if (c.text.starts_with(shortParagraph)) {
            EXPECT_TRUE(shown.starts_with(shortParagraph + L"\r\n"));
        }
    }
}

TEST(SoftBreaksTest, ATextPositionIsFoundInTheShownTextAtTheStartOfItsLine) {
    const std::wstring text = L"a short first paragraph\r\n" + repeated(L"word ", 400) + L"\r\n" + std::wstring(1500, L'y');
    SoftBreaks breaks;
    const std::wstring shown = breaks.show(text, columnsFit(13));
    ASSERT_TRUE(breaks.any());
    const std::size_t firstBreak = shown.find(softBreak);
    const std::size_t positions[] = {0, 3, 25, 26, 27, firstBreak - 1, firstBreak, 500, 2025, 2026, 2027, 3000, text.size() - 1,
                                     text.size()};
    for (const std::size_t position : positions) {
        const std::size_t shownAt = breaks.shownPosition(shown, position);
        EXPECT_EQ(breaks.readPart(shown, shownAt, shown.size()), text.substr(position)) << position;
        EXPECT_NE(shown.compare(shownAt, softBreak.size(), softBreak), 0) << "a caret before a soft break, at " << position;
    }
    EXPECT_EQ(breaks.shownPosition(shown, text.size() + 10), shown.size());
}

TEST(SoftBreaksTest, WordsWrapWholeAndShortTextsGetNoBreaks) {
    SoftBreaks breaks;
    const std::wstring shown = breaks.show(repeated(L"word ", 300), columnsFit(12));
    EXPECT_EQ(shown, repeated(L"word word \r\r\n", 149) + L"word word ");
    const std::wstring text = repeated(L"word ", 200) + L"\r\n" + std::wstring(1000, L'x');
    EXPECT_EQ(breaks.show(text, columnsFit(12)), text);
    EXPECT_FALSE(breaks.any());
    EXPECT_EQ(breaks.read(L"edited"), L"edited");
}

TEST(SoftBreaksTest, ReadingFollowsTheBreaksThroughTheStudentsEdits) {
    // 150 lines "word word " joined by soft breaks: line n starts at 13 n in the box and 10 n in the text.
    const std::wstring text = repeated(L"word ", 300);
    const auto shownAt = [](std::size_t line) { return 13 * line; };
    const auto textAt = [](std::size_t line) { return 10 * line; };
    struct Case {
        const char* name;
        std::function<void(std::wstring&)> edit;
        std::function<void(std::wstring&)> expected;  // the same edit on the text
    } cases[] = {
        {"typed at the start", [](std::wstring& s) { s.insert(0, L"X"); }, [](std::wstring& s) { s.insert(0, L"X"); }},
        {"typed at a line's start", [&](std::wstring& s) { s.insert(shownAt(1), L"X"); },
         [&](std::wstring& s) { s.insert(textAt(1), L"X"); }},
        {"typed before a break", [&](std::wstring& s) { s.insert(shownAt(1) - 3, L"X"); },
         [&](std::wstring& s) { s.insert(textAt(1), L"X"); }},
        {"typed on two far lines",
         [&](std::wstring& s) {
             s.insert(shownAt(100) + 2, L"Y");
             s.insert(shownAt(2) + 2, L"X");
         },
         [&](std::wstring& s) {
             s.insert(textAt(100) + 2, L"Y");
             s.insert(textAt(2) + 2, L"X");
         }},
        {"a break deleted with the letters around it", [&](std::wstring& s) { s.erase(shownAt(1) - 5, 7); },
         [&](std::wstring& s) { s.erase(textAt(1) - 2, 4); }},
        {"a pasted CR CR LF stays", [&](std::wstring& s) { s.insert(shownAt(5) + 4, L"\r\r\n"); },
         [&](std::wstring& s) { s.insert(textAt(5) + 4, L"\r\r\n"); }},
        {"all replaced", [](std::wstring& s) { s = L"new\r\r\ntext"; }, [](std::wstring& s) { s = L"new\r\r\ntext"; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SoftBreaks breaks;
        std::wstring box = breaks.show(text, columnsFit(12));
        std::wstring expected = text;
        c.edit(box);
        c.expected(expected);
        EXPECT_EQ(breaks.read(box), expected);
        // Read again after one more letter typed at the end: the breaks were followed, not lost.
        EXPECT_EQ(breaks.read(box + L"Z"), expected + L"Z");
    }
}

TEST(SoftBreaksTest, PastedMarksAndFarEditsAtOnceLoseNothingTyped) {
    const std::wstring text = repeated(L"word ", 300);
    SoftBreaks breaks;
    std::wstring box = breaks.show(text, columnsFit(12));
    box.insert(13 * 100 + 2, L"Y");
    box.insert(13 * 2 + 2, L"\r\r\n");
    // The marks between the two edits can no longer be told from the pasted one: they stay, and
    // only they are added.
    std::wstring read = breaks.read(box);
    EXPECT_EQ(read.substr(0, 22), std::wstring(L"word word word word wo"));
    std::erase(read, L'\r');
    std::erase(read, L'\n');
    std::wstring expected = text;
    expected.insert(1000 + 2, L"Y");
    EXPECT_EQ(read, expected);
}

TEST(SoftBreaksTest, ACopyLeavesTheBreaksOut) {
    SoftBreaks breaks;
    const std::wstring box = breaks.show(repeated(L"word ", 300), columnsFit(12));
    EXPECT_EQ(breaks.readPart(box, 5, 18), L"word word ");
    EXPECT_EQ(breaks.readPart(box, 11, 18), L"word ");  // from inside a break
    EXPECT_EQ(breaks.readPart(box, 0, 11), L"word word ");
    EXPECT_EQ(breaks.readPart(box, 0, box.size()), repeated(L"word ", 300));
}

// The notes viewer and the box in the real window.
class Win32LongTextTest : public Win32LessonTest {
protected:
    HWND displayBox() { return control(txt_question); }

    // Whether every line the box holds ends in a line break of the text or a soft break, so that the
    // box has wrapped no line itself; and it holds more than one line.
    bool noLineWrappedByTheBox() {
        HWND box = displayBox();
        const int lines = static_cast<int>(SendMessageW(box, EM_GETLINECOUNT, 0, 0));
        for (int line = 0; line + 1 < lines; ++line) {
            const LRESULT start = SendMessageW(box, EM_LINEINDEX, line, 0);
            const LRESULT next = SendMessageW(box, EM_LINEINDEX, line + 1, 0);
            if (next - start - SendMessageW(box, EM_LINELENGTH, start, 0) < 2) return false;
        }
        return lines > 1;
    }

    std::wstring clipboardText() {
        std::wstring text;
        if (!OpenClipboard(window().hwnd())) return L"(clipboard not available)";
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            text = static_cast<const wchar_t*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
        return text;
    }
};

TEST_F(Win32LongTextTest, NotesOfEveryKindShowInLinesTheBoxDoesNotWrapAgain) {
    ASSERT_TRUE(start());
    struct Case {
        const char* name;
        std::string line;
    } cases[] = {
        {"worded", "the quick brown fox jumps over the lazy dog, then rests a little.   "},
        {"letters", std::string(70, 'q')},
        {"number", "3141592653589793238462643383279502884197169399375105820974944592307816"},
        {"link", "https://www.example.org/courses/rates/assignment001/question003?s=Ann_Lee"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string notes;
        while (notes.size() < 32 * 1024) notes += c.line + "\r\n";
        std::ofstream(outputFolder() / "notes_Ann_Lee.txt", std::ios::binary) << notes;
        platform.setText(txt_question, u"Block text.\r\n");
        click(cmd_display_note_file);
        EXPECT_EQ(platform.text(txt_question), u"Block text.\r\n" + form.state().workText);
        EXPECT_EQ(form.state().workText.size(), notes.size() - notes.size() / (c.line.size() + 2) * 2);
        EXPECT_TRUE(noLineWrappedByTheBox()) << "the box wraps a long line itself, in time growing with its square";
    }
}

TEST_F(Win32LongTextTest, CopyingAndTypingInALongParagraphKeepTheText) {
    ASSERT_TRUE(start());
    std::wstring text;
    while (text.size() < 4000) text += L"word ";
    platform.setText(txt_question, win32::fromWide(text));
    HWND box = displayBox();
    const LRESULT secondLine = SendMessageW(box, EM_LINEINDEX, 1, 0);
    const LRESULT secondLineInText = SendMessageW(box, EM_LINELENGTH, 0, 0);
    ASSERT_GT(secondLine, secondLineInText) << "the first line ends in a soft break";

    // A copy across the soft break, by message and by Ctrl+C, takes the text without it.
    SendMessageW(box, EM_SETSEL, 0, secondLine + 4);
    SendMessageW(box, WM_COPY, 0, 0);
    EXPECT_EQ(clipboardText(), text.substr(0, secondLineInText + 4));
    SendMessageW(box, EM_SETSEL, secondLine - 3, secondLine + 2);
    SendMessageW(box, WM_CHAR, 0x03, 1);  // Ctrl+C, as the keyboard delivers it to the box
    EXPECT_EQ(clipboardText(), text.substr(secondLineInText, 2));

    // Letters typed at the second line's start read back in their place in the text.
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, secondLine, secondLine);
    SendMessageW(box, WM_CHAR, L'X', 1);
    text.insert(static_cast<std::size_t>(secondLineInText), L"X");
    EXPECT_EQ(platform.text(txt_question), win32::fromWide(text));
    click(cmdNextQuestion);
    EXPECT_TRUE(platform.text(txt_question).starts_with(win32::fromWide(text)));
}

}  // namespace
}  // namespace stepwise::testing
