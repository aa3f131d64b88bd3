// Text boxes: the core's CR LF text in and out of the widgets, exactly.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QSignalSpy>
#include <QTest>

#include "app/start_up.h"
#include "frontends/qt/qt_platform.h"
#include "support/temp_dir.h"

namespace stepwise::testing {
namespace {

using enum ControlId;

class TextBoxTest : public ::testing::Test {
protected:
    TextBoxTest() : platform(temp.path()) {}
    QPlainTextEdit* box(ControlId id) { return platform.window().controlAs<QPlainTextEdit>(id); }

    TempDir temp;
    qt::QtPlatform platform;
};

TEST_F(TextBoxTest, TheDefaultResponseTextComesBackExactly) {
    const Text prompt = defaultResponsePrompt();
    ASSERT_EQ(prompt.size(), 502u);
    for (ControlId id : {txt_question, txt_answer}) {
        platform.setText(id, prompt);
        EXPECT_EQ(platform.text(id), prompt);
        EXPECT_EQ(box(id)->blockCount(), 3);  // the breaks are real line breaks, not characters
    }
}

TEST_F(TextBoxTest, EveryKindOfLineBreakReadsBackAsCrLf) {
    platform.setText(txt_question, u"one\ntwo\rthree\r\n\r\nfour\r\n");
    EXPECT_EQ(platform.text(txt_question), u"one\r\ntwo\r\nthree\r\n\r\nfour\r\n");
    EXPECT_EQ(box(txt_question)->blockCount(), 6);
}

TEST_F(TextBoxTest, KeepsCharactersThatPlainTextExportWouldChange) {
    const Text text = u"a\u00A0b\ttab \u20AC";  // no-break space, tab, euro sign
    platform.setText(txt_answer, text);
    EXPECT_EQ(platform.text(txt_answer), text);
}

TEST_F(TextBoxTest, TypedLineBreaksReadAsCrLf) {
    platform.setText(txt_answer, u"");
    QPlainTextEdit* answer = box(txt_answer);
    QTest::keyClicks(answer, QStringLiteral("first"));
    QTest::keyClick(answer, Qt::Key_Return);
    QTest::keyClicks(answer, QStringLiteral("second"));
    QTest::keyClick(answer, Qt::Key_Return, Qt::ShiftModifier);  // a line break inside the paragraph
    QTest::keyClicks(answer, QStringLiteral("third"));
    EXPECT_EQ(platform.text(txt_answer), u"first\r\nsecond\r\nthird");
}

TEST_F(TextBoxTest, SettingTextReplacesTheWholeTextInOneChange) {
    platform.setText(txt_question, u"old text");
    QSignalSpy changes(box(txt_question), &QPlainTextEdit::textChanged);
    platform.setText(txt_question, Text(100000, u'x') + u"\r\nend");
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(platform.text(txt_question).size(), 100005u);
}

// A long text (a large SEND file, say) is stored a few lines to a paragraph; the student must
// not be able to tell: the same lines show, scrolling moves line by line, the text reads back.
TEST_F(TextBoxTest, ALongTextShowsScrollsAndReadsBackLineByLine) {
    Text typed, expected;
    const Text breaks[] = {u"\r\n", u"\r", u"\n", u"\r\n\r\n"};
    int lines = 0;
    for (int i = 0; i < 20000; ++i) {
        const Text line = u"line " + Text(1, char16_t(u'a' + i % 26)) + (i % 5 == 0 ? u" \u2014 \u0394y" : u"");
        const Text& lineBreak = breaks[i % std::size(breaks)];
        typed += line + lineBreak;
        expected += line + (lineBreak.size() == 4 ? u"\r\n\r\n" : u"\r\n");
        lines += lineBreak.size() == 4 ? 2 : 1;
    }
    platform.setText(txt_question, typed);
    QPlainTextEdit* question = box(txt_question);
    platform.window().show();
    QCoreApplication::processEvents();

    EXPECT_EQ(platform.text(txt_question), expected);
    EXPECT_EQ(question->toPlainText().count(u'\n'), lines);
    EXPECT_LT(question->blockCount(), lines / 8);

    const auto topLine = [&] {
        QTextCursor top = question->cursorForPosition(QPoint(2, 2));
        top.select(QTextCursor::LineUnderCursor);
        return top.selectedText();
    };
    EXPECT_EQ(topLine(), QStringLiteral("line a \u2014 \u0394y"));
    question->verticalScrollBar()->setValue(1);
    EXPECT_EQ(topLine(), QStringLiteral("line b"));
    question->verticalScrollBar()->setValue(2);
    EXPECT_EQ(topLine(), QStringLiteral("line c"));
}

}  // namespace
}  // namespace stepwise::testing
