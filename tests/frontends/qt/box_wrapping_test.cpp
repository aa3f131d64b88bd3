// Which texts a multi-line box wraps at word boundaries and which anywhere.
#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include "frontends/qt/box_wrapping.h"
#include "frontends/qt/qt_text.h"

namespace stepwise::testing {
namespace {

using qt::longestWordWrappedRun;

QString repeated(const QString& piece, qsizetype times) { return piece.repeated(times); }
QString run(qsizetype length, QChar c = u'a') { return QString(length, c); }

TEST(BoxWrapMode, WrapsAnywhereOnlyATextWithARunLongerThanALinkWithNowhereToBreak) {
    const QString words = repeated(QStringLiteral("the quick brown fox jumps over the lazy dog "), 2000);
    const struct {
        const char* what;
        QString document;
        QTextOption::WrapMode expected;
    } cases[] = {
        {"empty", QString(), QTextOption::WrapAtWordBoundaryOrAnywhere},
        {"words", words, QTextOption::WrapAtWordBoundaryOrAnywhere},
        // A run counts with the space that ends it.
        {"the longest run kept", words + run(longestWordWrappedRun - 1) + u' ' + words,
         QTextOption::WrapAtWordBoundaryOrAnywhere},
        {"one character more", words + run(longestWordWrappedRun) + u' ' + words, QTextOption::WrapAnywhere},
        {"at the very start", run(longestWordWrappedRun + 1), QTextOption::WrapAnywhere},
        {"notes of one letter run together", run(70, u'a') + run(70, u'b') + run(70, u'c') + run(70, u'd'),
         QTextOption::WrapAnywhere},
        {"a long number", run(1000, u'7'), QTextOption::WrapAnywhere},
        {"runs cut by line breaks", run(200) + u'\n' + run(200) + QChar(QChar::LineSeparator) + run(200),
         QTextOption::WrapAtWordBoundaryOrAnywhere},
        {"a no-break space does not cut a run", run(200) + QChar(0x00A0) + run(200), QTextOption::WrapAnywhere},
        {"ideographs break between any two", run(5000, QChar(0x6C34)), QTextOption::WrapAtWordBoundaryOrAnywhere},
    };
    for (const auto& c : cases) EXPECT_EQ(qt::boxWrapMode(c.document), c.expected) << c.what;
}

TEST(BoxWrapMode, EachTextSetIntoABoxBringsItsOwnModeAndIsKeptAsGiven) {
    QPlainTextEdit box;
    const QString unbroken = run(longestWordWrappedRun * 4);
    const QString worded = QStringLiteral("a few words\nand a second line");
    qt::setBoxDocument(box, unbroken);
    EXPECT_EQ(box.wordWrapMode(), QTextOption::WrapAnywhere);
    EXPECT_EQ(box.document()->toRawText(), unbroken);
    qt::setBoxDocument(box, worded);
    EXPECT_EQ(box.wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    EXPECT_EQ(qt::boxTextToText(box.document()->toRawText()), u"a few words\r\nand a second line");
}

}  // namespace
}  // namespace stepwise::testing
