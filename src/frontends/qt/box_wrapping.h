#pragma once
// How a multi-line box wraps the text it shows, chosen for each text it is given.
#include <QString>
#include <QTextOption>

class QPlainTextEdit;

namespace stepwise::qt {

// The longest run of characters between two line-break opportunities (a word and the spaces after
// it) that a box still wraps at word boundaries: longer than any word or link, a few lines at most.
inline constexpr qsizetype longestWordWrappedRun = 256;

// Word boundaries, as a student reads best, unless `document` holds a longer run than
// longestWordWrappedRun with nowhere to break it (a pasted link, a long number, notes lines with no
// spaces run together); then anywhere. Qt lays out such a run at word boundaries in time growing
// with the square of its length, since every line of it first measures the whole rest of it: a
// megabyte would freeze the window for minutes. Wrapped anywhere it lays out in time linear in its
// length, and a run longer than a line is broken in the middle either way.
QTextOption::WrapMode boxWrapMode(const QString& document);

// Replaces the box's text with `document` (box document text, see toBoxDocumentText), wrapped as
// boxWrapMode chooses.
void setBoxDocument(QPlainTextEdit& box, const QString& document);

}  // namespace stepwise::qt
