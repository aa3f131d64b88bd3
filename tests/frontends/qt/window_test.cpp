// The window built from the control table: kinds, captions, places, names, tab order, fonts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <vector>

#include "app/control_table.h"
#include "frontends/qt/picture_box.h"
#include "frontends/qt/qt_platform.h"
#include "frontends/qt/qt_text.h"
#include "support/temp_dir.h"

namespace stepwise::testing {
namespace {

using enum ControlId;

class WindowTest : public ::testing::Test {
protected:
    WindowTest() : platform(temp.path()) {}
    QWidget* control(ControlId id) { return platform.window().control(id); }

    TempDir temp;
    qt::QtPlatform platform;
};

QRect pixelRect(const ControlSpec& row) {
    return QRect(row.left / 15, row.top / 15, row.width / 15, row.height / 15);
}

// The caption or initial text a control shows, read through the widget of its kind.
QString shownCaption(const ControlSpec& row, QWidget* widget) {
    switch (row.kind) {
        case ControlKind::DisplayBox:
        case ControlKind::ResponseBox: return qobject_cast<QPlainTextEdit*>(widget)->toPlainText();
        case ControlKind::Button: return qobject_cast<QPushButton*>(widget)->text();
        case ControlKind::TextLine: return qobject_cast<QLineEdit*>(widget)->text();
        case ControlKind::Label: return qobject_cast<QLabel*>(widget)->text();
        default: return {};
    }
}

bool hasKind(const ControlSpec& row, QWidget* widget) {
    switch (row.kind) {
        case ControlKind::DisplayBox:
        case ControlKind::ResponseBox: return qobject_cast<QPlainTextEdit*>(widget);
        case ControlKind::Button: return qobject_cast<QPushButton*>(widget);
        case ControlKind::TextLine: return qobject_cast<QLineEdit*>(widget);
        case ControlKind::Label: return qobject_cast<QLabel*>(widget) && qobject_cast<QLabel*>(widget)->wordWrap();
        case ControlKind::PictureBox: return qobject_cast<qt::PictureBox*>(widget);
        case ControlKind::ListBox: return qobject_cast<QListWidget*>(widget) && qobject_cast<QListWidget*>(widget)->count() == 0;
        case ControlKind::Timer: return widget == nullptr;
    }
    return false;
}

TEST_F(WindowTest, HasTheCaptionAndAFixedClientArea) {
    qt::MainWindow& window = platform.window();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Form1"));
    EXPECT_EQ(window.size(), QSize(725, 566));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
}

TEST_F(WindowTest, EveryControlHasItsKindCaptionPlaceAndAccessibleName) {
    for (const ControlSpec& row : controlTable()) {
        SCOPED_TRACE(std::string(row.name));
        QWidget* widget = control(row.id);
        ASSERT_TRUE(hasKind(row, widget));
        if (row.kind == ControlKind::Timer) continue;
        EXPECT_EQ(widget->parentWidget(), &platform.window());
        EXPECT_EQ(shownCaption(row, widget), qt::toQString(row.caption));
        EXPECT_EQ(widget->geometry(), pixelRect(row));
        EXPECT_EQ(widget->accessibleName(), qt::toQString(row.accessibleName));
    }
}

TEST_F(WindowTest, NarrowAndCutOffControlsKeepTheirExactPixels) {
    EXPECT_EQ(control(cmd_display_note_file)->geometry(), QRect(216, 16, 9, 33));
    EXPECT_EQ(control(cmd_quit)->geometry(), QRect(680, 0, 49, 33));          // past the right edge
    EXPECT_EQ(control(cmd_copy_picture)->geometry(), QRect(80, 544, 57, 33)); // past the bottom edge
    EXPECT_EQ(control(txt_parameter_2)->geometry(), QRect(547, 512, 20, 19));
}

TEST_F(WindowTest, OverlappingControlsStackInTabOrder) {
    // In the top row the notes button lies over the label, which lies over the sentences box.
    const QPoint inAllThree(218, 30);
    EXPECT_EQ(platform.window().childAt(inAllThree), control(cmd_display_note_file));
    const QPoint labelOverBox(210, 30);
    EXPECT_EQ(platform.window().childAt(labelOverBox), control(lbl_paragraph_goback));
}

TEST_F(WindowTest, FocusChainFollowsTheTabIndexAndSkipsLabels) {
    std::vector<QWidget*> expected;
    for (const ControlSpec& row : controlTable())
        if (row.kind != ControlKind::Label && row.kind != ControlKind::Timer) expected.push_back(control(row.id));

    std::vector<QWidget*> chain;
    QWidget* first = control(txt_question);
    QWidget* widget = first;
    do {
        if (widget->parentWidget() == &platform.window() && (widget->focusPolicy() & Qt::TabFocus))
            chain.push_back(widget);
        widget = widget->nextInFocusChain();
    } while (widget != first && chain.size() <= expected.size());
    EXPECT_EQ(chain, expected);

    for (ControlId label : {lbl_paragraph_goback, lbl_parameter_0, lbl_only_if_prompted})
        EXPECT_EQ(control(label)->focusPolicy(), Qt::NoFocus);
}

TEST_F(WindowTest, TabLeavesTheLargeBoxesInsteadOfTypingATab) {
    qt::MainWindow& window = platform.window();
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    control(txt_question)->setFocus();
    QTest::keyClick(control(txt_question), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), control(txt_answer));
    QTest::keyClick(control(txt_answer), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), control(cmdNextQuestion));
    EXPECT_EQ(platform.text(txt_question), u"");
    EXPECT_EQ(platform.text(txt_answer), u" ");
}

TEST_F(WindowTest, LargeBoxesUseBoldNineAndThreeQuarterPointWithAScrollBar) {
    for (ControlId id : {txt_question, txt_answer}) {
        auto* box = qobject_cast<QPlainTextEdit*>(control(id));
        const QFont font = box->font();
        EXPECT_TRUE(font.bold());
        EXPECT_DOUBLE_EQ(font.pointSizeF(), 9.75);
        EXPECT_EQ(font.families().value(0), QStringLiteral("System"));
        EXPECT_TRUE(QFontInfo(font).bold());  // the face actually used, "System" or the stand-in
        EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }
    EXPECT_FALSE(control(cmdNextQuestion)->font().bold());
    EXPECT_EQ(control(txt_parameter_0)->font(), QApplication::font(control(txt_parameter_0)));
}

}  // namespace
}  // namespace stepwise::testing
