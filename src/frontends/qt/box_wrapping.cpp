#include "frontends/qt/box_wrapping.h"

#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextBoundaryFinder>

namespace stepwise::qt {

QTextOption::WrapMode boxWrapMode(const QString& document) {
    // The line-break opportunities Qt's text layout uses, found in one pass.
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, document);
    qsizetype previous = 0;
    for (qsizetype next = breaks.toNextBoundary(); next != -1; next = breaks.toNextBoundary()) {
        if (next - previous > longestWordWrappedRun) return QTextOption::WrapAnywhere;
        previous = next;
    }
    return QTextOption::WrapAtWordBoundaryOrAnywhere;
}

void setBoxDocument(QPlainTextEdit& box, const QString& document) {
    const QTextOption::WrapMode mode = boxWrapMode(document);
    if (box.wordWrapMode() != mode) {
        // The old text goes first: laid out again in the new mode, it could cost what its own mode
        // avoided. Unseen by the box's listeners, for whom the text changes once.
        const QSignalBlocker quiet(box);
        box.clear();
        box.setWordWrapMode(mode);
    }
    box.setPlainText(document);
}

}  // namespace stepwise::qt
