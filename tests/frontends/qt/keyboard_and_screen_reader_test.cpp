// A lesson worked by keyboard alone, with and without a screen reader following the window: the
// shortcuts, Enter on a button, where the focus and the caret go, what the accessibility interface
// says of each control, and the name prompt's Cancel and Escape.
#include <QAccessible>
#include <QAccessibleInterface>
#include <QImage>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "app/start_up.h"
#include "frontends/qt/qt_lesson_fixture.h"
#include "frontends/qt/qt_picture.h"

namespace stepwise::testing {
namespace {

using enum ControlId;

// One fresh lesson, started with the name Ann Lee and the default folder.
struct Lesson {
    explicit Lesson(bool screenReader) : platform(temp.path()), form(platform) {
        platform.connect(form);
        platform.setScreenReaderCheck([screenReader] { return screenReader; });
    }
    bool start(std::deque<DialogAnswer> answers = {DialogAnswer::ok(QStringLiteral("Ann Lee")), DialogAnswer::ok()}) {
        DialogDriver startUp(std::move(answers), &platform.window());
        form.load();
        startUp.stop();
        prompts = startUp.shown();
        if (form.ended()) return false;
        platform.window().show();
        platform.window().activateWindow();
        return QTest::qWaitForWindowActive(&platform.window());
    }
    QWidget* widget(ControlId id) { return platform.window().control(id); }
    std::string file(const char* name) const { return readBytes(temp.path() / "qwelrand" / name); }
    // The text of a large box from its caret on, as a screen reader reads on from it.
    QString fromCaret(ControlId box) {
        auto* edit = platform.window().controlAs<QPlainTextEdit>(box);
        return edit->toPlainText().mid(edit->textCursor().position());
    }

    TempDir temp;
    FixedClockQtPlatform platform;
    MainForm form;
    std::vector<ShownDialog> prompts;
};

struct Keys {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

const Keys ctrlN{Qt::Key_N, Qt::ControlModifier};
const Keys ctrlReturn{Qt::Key_Return, Qt::ControlModifier};
const Keys ctrlShiftReturn{Qt::Key_Return, Qt::ControlModifier | Qt::ShiftModifier};
const Keys keypadCtrlEnter{Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier};
const Keys enter{Qt::Key_Return};
const Keys keypadEnter{Qt::Key_Enter, Qt::KeypadModifier};
const Keys space{Qt::Key_Space};

struct KeyCase {
    const char* what;
    bool screenReader;
    int nextClicksFirst;  // Next clicks before, so that a question is on show
    QString typed;        // typed into the response box first (its text replaced)
    ControlId focusedFirst;
    Keys keys;
    QString rating;             // typed at a rating prompt, if one comes
    ControlId focusedAfter;
    QString readFromCaret;      // what the focused box holds from its caret on starts with this
    std::string sendEndsWith;   // the SEND file's last bytes ("" : unchanged)
    Text responseAfter;         // the response box afterwards
    QString displayShows{};     // the display box holds this afterwards
};

const QString block2 = QStringLiteral("`q001.  You should copy");
const std::string confidence3 = "RESPONSE -->  \r\nmy answer\r\nconfidence assessment:  3\r\n"
                                ".................................................\r\n";
const std::string noteSaved = "......!!!!!!!!...................................\r\nNOTES -------> my answer\r\n"
                              ".................................................";

TEST(KeyboardAndScreenReader, ShortcutsAndEnterWorkTheLessonAndTheFocusFollowsOnlyForAScreenReader) {
    const KeyCase cases[] = {
        {"Ctrl+N from the display box, screen reader", true, 0, {}, txt_question, ctrlN, {}, txt_question, block2, "", u" "},
        {"Ctrl+N from a picture box, screen reader", true, 0, {}, Picture1, ctrlN, {}, txt_question, block2, "", u" "},
        {"Ctrl+N from the Next button, no screen reader", false, 0, {}, cmdNextQuestion, ctrlN, {}, cmdNextQuestion, {}, "", u" ", block2},
        {"Ctrl+N from the response box, no screen reader", false, 0, {}, txt_answer, ctrlN, {}, txt_answer, {}, "", u" ", block2},
        {"Enter on the Next button, screen reader", true, 0, {}, cmdNextQuestion, enter, {}, txt_question, block2, "", u" "},
        {"Enter on the Next button, no screen reader", false, 0, {}, cmdNextQuestion, enter, {}, cmdNextQuestion, {}, "", u" ", block2},
        {"keypad Enter on the Next button", false, 0, {}, cmdNextQuestion, keypadEnter, {}, cmdNextQuestion, {}, "", u" ", block2},
        {"Space on the Next button as before", true, 0, {}, cmdNextQuestion, space, {}, txt_question, block2, "", u" "},
        {"Ctrl+Return records, screen reader", true, 1, QStringLiteral("my answer"), txt_answer, ctrlReturn,
         QStringLiteral("3"), txt_answer, {}, confidence3, u""},
        {"keypad Ctrl+Enter records", true, 1, QStringLiteral("my answer"), txt_answer, keypadCtrlEnter,
         QStringLiteral("3"), txt_answer, {}, confidence3, u""},
        {"Ctrl+Return records from the display box, screen reader", true, 1, QStringLiteral("my answer"),
         txt_question, ctrlReturn, QStringLiteral("3"), txt_answer, {}, confidence3, u""},
        {"Ctrl+Return records from the display box, no screen reader", false, 1, QStringLiteral("my answer"),
         txt_question, ctrlReturn, QStringLiteral("3"), txt_question, {}, confidence3, u""},
        {"Ctrl+Return on the default text records nothing", true, 2, {}, txt_answer, ctrlReturn, {}, txt_answer, {}, "", u""},
        {"Ctrl+Shift+Return saves a note, screen reader", true, 1, QStringLiteral("my answer"), txt_answer,
         ctrlShiftReturn, {}, txt_answer, {}, noteSaved, u""},
        {"Enter on Enter Response records, screen reader", true, 1, QStringLiteral("my answer"), cmd_enter_response,
         enter, QStringLiteral("3"), txt_answer, {}, confidence3, u""},
        {"Enter in the response box is a new line", true, 1, QStringLiteral("my answer"), txt_answer, enter, {},
         txt_answer, {}, "", u"my answer\r\n"},
        {"Enter on a button without a handler does nothing", true, 0, {}, cmd_timerTrigger, enter, {}, cmd_timerTrigger,
         {}, "", u" "},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.what);
        Lesson lesson(c.screenReader);
        ASSERT_TRUE(lesson.start());
        for (int i = 0; i < c.nextClicksFirst; ++i) QTest::mouseClick(lesson.widget(cmdNextQuestion), Qt::LeftButton);
        if (!c.typed.isEmpty()) {
            auto* answer = lesson.platform.window().controlAs<QPlainTextEdit>(txt_answer);
            answer->selectAll();
            QTest::keyClicks(answer, c.typed);
        }
        lesson.widget(c.focusedFirst)->setFocus();
        const std::string sendBefore = lesson.file("send_1207Ann_Lee.txt");

        DialogDriver ratings({DialogAnswer::ok(c.rating)}, &lesson.platform.window());
        QTest::keyClick(lesson.widget(c.focusedFirst), c.keys.key, c.keys.modifiers);
        ratings.stop();

        EXPECT_EQ(ratings.shown().size(), c.rating.isEmpty() ? 0u : 1u) << "the rating prompt, as for a click";
        // The window's focus, which it keeps while a prompt is in front of it.
        const QWidget* focus = lesson.platform.window().focusWidget();
        EXPECT_EQ(focus, lesson.widget(c.focusedAfter)) << (focus ? focus->objectName().toStdString() : "nothing");
        if (!c.readFromCaret.isEmpty()) {
            EXPECT_TRUE(lesson.fromCaret(c.focusedAfter).startsWith(c.readFromCaret));
        }
        const std::string send = lesson.file("send_1207Ann_Lee.txt");
        if (c.sendEndsWith.empty()) {
            EXPECT_EQ(send, sendBefore);
        } else {
            ASSERT_GE(send.size(), c.sendEndsWith.size());
            EXPECT_EQ(send.substr(send.size() - c.sendEndsWith.size()), c.sendEndsWith);
        }
        EXPECT_EQ(lesson.platform.text(txt_answer), c.responseAfter);
        if (!c.displayShows.isEmpty()) {
            EXPECT_TRUE(qt::toQString(lesson.platform.text(txt_question)).contains(c.displayShows));
        }
        EXPECT_FALSE(lesson.form.ended());
    }
}

TEST(KeyboardAndScreenReader, TheCaretLandsWhereTheNewBlockStartsAfterEarlierBlocksAndLineBreaks) {
    struct Case {
        const char* what;
        Text displayBefore;
    };
    const Case cases[] = {
        {"an empty box", u""},
        {"one line", u"earlier text"},
        {"several lines", u"one\r\ntwo\r\nthree"},
        {"ending with a line break", u"one\r\ntwo\r\n"},
        {"blank lines", u"\r\n\r\n\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Lesson lesson(true);
        ASSERT_TRUE(lesson.start());
        lesson.platform.setText(txt_question, c.displayBefore);
        QTest::keyClick(lesson.widget(cmdNextQuestion), Qt::Key_N, Qt::ControlModifier);
        EXPECT_TRUE(lesson.fromCaret(txt_question).startsWith(block2)) << lesson.fromCaret(txt_question).left(30).toStdString();
    }
}

TEST(KeyboardAndScreenReader, EachControlTellsItsRoleNameAndDescription) {
    struct Case {
        ControlId control;
        QAccessible::Role role;
        const char* name;
        const char* description;  // contained in the description
    };
    const Case cases[] = {
        {txt_question, QAccessible::EditableText, "Lesson text", "Ctrl+N shows the next block"},
        {txt_answer, QAccessible::EditableText, "Your response", "Ctrl+Return records it"},
        {txt_answer, QAccessible::EditableText, "Your response", "Ctrl+Z undoes"},
        {cmdNextQuestion, QAccessible::Button, "Next Question / Answer", "Shortcut: Ctrl+N."},
        {cmd_enter_response, QAccessible::Button, "Enter Response", "Shortcut: Ctrl+Return."},
        {cmd_save_as_notes, QAccessible::Button, "Save as Notes", "Shortcut: Ctrl+Shift+Return."},
        {Picture1, QAccessible::Graphic, "Picture 1", "empty"},
        {Picture2, QAccessible::Graphic, "Picture 2", "empty"},
    };
    Lesson lesson(false);
    ASSERT_TRUE(lesson.start());
    auto check = [&](const Case& c) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(lesson.widget(c.control));
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->role(), c.role) << c.name;
        EXPECT_EQ(accessible->text(QAccessible::Name), QString::fromUtf8(c.name));
        EXPECT_TRUE(accessible->text(QAccessible::Description).contains(QString::fromUtf8(c.description)))
            << c.name << ": " << accessible->text(QAccessible::Description).toStdString();
    };
    for (const Case& c : cases) check(c);

    // What the picture boxes hold changes their descriptions.
    for (int i = 0; i < 3; ++i) lesson.platform.drawCircle(Picture1, 500, 500, 100);
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    lesson.platform.setPicture(Picture2, qt::makePicture(image));
    check({Picture1, QAccessible::Graphic, "Picture 1", "3 circles drawn by pend exp"});
    check({Picture2, QAccessible::Graphic, "Picture 2", "a picture from the clipboard"});
}

TEST(KeyboardAndScreenReader, TheNamePromptEndsOnCancelAndAsksAgainForAnEmptyName) {
    struct Case {
        const char* what;
        std::deque<DialogAnswer> answers;
        bool starts;
        int namePrompts;
        QStringList messages;
    };
    const QString needed = qt::toQString(nameNeededMessage);
    const Case cases[] = {
        {"Cancel", {DialogAnswer::cancel(QStringLiteral("Ann"))}, false, 1, {}},
        {"Escape", {DialogAnswer::escape(QStringLiteral("Ann"))}, false, 1, {}},
        {"the close box", {DialogAnswer::close()}, false, 1, {}},
        {"OK on nothing, then a name", {DialogAnswer::ok(), DialogAnswer::ok(), DialogAnswer::ok(QStringLiteral("Ann Lee")), DialogAnswer::ok()},
         true, 2, {needed}},
        {"OK on spaces, then Escape", {DialogAnswer::ok(QStringLiteral("   ")), DialogAnswer::ok(), DialogAnswer::escape()},
         false, 2, {needed}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Lesson lesson(false);
        EXPECT_EQ(lesson.start(c.answers), c.starts);
        int namePrompts = 0;
        QStringList messages;
        for (const ShownDialog& shown : lesson.prompts) {
            namePrompts += shown.kind == QStringLiteral("inputPrompt") && shown.message == qt::toQString(namePrompt);
            if (shown.kind == QStringLiteral("messageBox")) messages << shown.message;
        }
        EXPECT_EQ(namePrompts, c.namePrompts);
        EXPECT_EQ(messages, c.messages);
        EXPECT_TRUE(std::filesystem::is_directory(lesson.temp.path() / "qwelrand"));
        EXPECT_EQ(std::filesystem::exists(lesson.temp.path() / "qwelrand" / "masterFile_Ann_Lee.txt"), c.starts);
        EXPECT_FALSE(std::filesystem::exists(lesson.temp.path() / "qwelrand" / "masterFile_.txt"));
        EXPECT_FALSE(lesson.platform.window().isVisible() && !c.starts);
    }
}

}  // namespace
}  // namespace stepwise::testing
