// The lesson worked in the real window: Next, a recorded answer with its rating, the prompt put
// back after an unanswered block, and the program ending at a routine line.
#include <QPlainTextEdit>

#include "app/start_up.h"
#include "frontends/qt/qt_lesson_fixture.h"

namespace stepwise::testing {
namespace {

class LessonFlow : public QtLessonTest {
protected:
    Text boxText(ControlId id) { return platform.text(id); }
    QString widgetText(ControlId id) { return window().controlAs<QPlainTextEdit>(id)->toPlainText(); }
};

TEST_F(LessonFlow, NextShowsBlocksAndAnUnansweredBlockGetsThePromptBack) {
    ASSERT_TRUE(start());
    click(ControlId::cmdNextQuestion);
    const Text instructions = form.state().scriptLines.at(2);
    EXPECT_EQ(boxText(ControlId::txt_question), instructions);
    EXPECT_TRUE(widgetText(ControlId::txt_question).startsWith(QStringLiteral("`q001.  You should copy")));
    EXPECT_EQ(boxText(ControlId::txt_answer), u" ");

    click(ControlId::cmdNextQuestion);
    EXPECT_EQ(boxText(ControlId::txt_question), instructions + form.state().scriptLines.at(4));
    EXPECT_EQ(boxText(ControlId::txt_answer), defaultResponsePrompt())
        << "the prompt read back from the widget must be the 502 characters the guard compares with";

    // The prompt is still in the box: Enter Response records nothing and empties both boxes.
    const std::string before = master();
    click(ControlId::cmd_enter_response);
    EXPECT_EQ(master(), before);
    EXPECT_EQ(boxText(ControlId::txt_question), u"");
    EXPECT_EQ(boxText(ControlId::txt_answer), u"");
}

TEST_F(LessonFlow, AnAnswerTypedInTheWindowIsRecordedWithItsRating) {
    ASSERT_TRUE(start());
    for (int i = 0; i < 5; ++i) click(ControlId::cmdNextQuestion);  // question 3
    auto* answer = window().controlAs<QPlainTextEdit>(ControlId::txt_answer);
    answer->selectAll();
    QTest::keyClicks(answer, QStringLiteral("5000 dollars"));
    auto ratings = answering({DialogAnswer::ok(QStringLiteral("3"))});
    click(ControlId::cmd_enter_response);
    ratings->stop();

    const std::string record =
        "......!!!!!!!!...................................\r\n" + std::string(36, ' ') + "14:05:09\r\n" +
        "`q003.If you make $60,000 per year then how much do you make per month?\r\n"
        "......!!!!!!!!...................................\r\n"
        "RESPONSE -->  \r\n5000 dollars\r\nconfidence assessment:  3\r\n"
        ".................................................\r\n";
    const std::string s = send();
    ASSERT_GE(s.size(), record.size());
    EXPECT_EQ(s.substr(s.size() - record.size()), record);
    EXPECT_EQ(widgetText(ControlId::txt_answer), QString());
}

TEST_F(LessonFlow, AnAnswerReplacedByNextComesBackWithCtrlZ) {
    ASSERT_TRUE(start());
    click(ControlId::cmdNextQuestion);
    auto* answer = window().controlAs<QPlainTextEdit>(ControlId::txt_answer);
    answer->selectAll();
    QTest::keyClicks(answer, QStringLiteral("my first line"));
    QTest::keyClick(answer, Qt::Key_Return);
    QTest::keyClicks(answer, QStringLiteral("and my second"));
    click(ControlId::cmdNextQuestion);
    EXPECT_EQ(boxText(ControlId::txt_answer), defaultResponsePrompt());

    answer->setFocus();
    QTest::keyClick(answer, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(boxText(ControlId::txt_answer), u"my first line\r\nand my second");
    QTest::keyClick(answer, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(boxText(ControlId::txt_answer), defaultResponsePrompt()) << "and redone";
}

TEST_F(LessonFlow, ARoutineThatEndsTheProgramClosesTheWindow) {
    ASSERT_TRUE(start());
    form.state().scriptLines.at(2) = u"`routine exit-prog";
    click(ControlId::cmdNextQuestion);
    EXPECT_TRUE(form.ended());
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(boxText(ControlId::txt_question), u"");
}

}  // namespace
}  // namespace stepwise::testing
