#include "frontends/qt/one_line_validator.h"

#include <algorithm>

namespace stepwise::qt {

namespace {

qsizetype firstLineBreak(const QString& text, qsizetype from = 0) {
    for (qsizetype i = from; i < text.size(); ++i)
        if (text[i] == u'\r' || text[i] == u'\n') return i;
    return -1;
}

}  // namespace

QValidator::State OneLineValidator::validate(QString& input, int& cursor) const {
    const qsizetype lineBreak = firstLineBreak(input);
    if (lineBreak < 0) return Acceptable;
    // The line never holds a break, so the break came with the text just put in, which ends at the
    // cursor: that text's further lines go, the text after the cursor stays.
    if (cursor > lineBreak) {
        input.remove(lineBreak, cursor - lineBreak);
        cursor = static_cast<int>(lineBreak);
    }
    if (const qsizetype rest = firstLineBreak(input, lineBreak); rest >= 0) input.truncate(rest);
    cursor = std::min(cursor, static_cast<int>(input.size()));
    return Acceptable;
}

}  // namespace stepwise::qt
