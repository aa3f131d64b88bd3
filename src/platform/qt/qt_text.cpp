#include "platform/qt/qt_text.h"

namespace stepwise::qt {

Text boxTextToText(const QString& rawDocumentText) {
    // The document keeps a typed Enter as a paragraph separator and Shift+Enter as a line
    // separator; both are line breaks to the student. One pass: the box may hold many megabytes.
    Text text;
    text.reserve(static_cast<std::size_t>(rawDocumentText.size()) + 1024);
    for (const QChar c : rawDocumentText) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            text += CRLF;
        else
            text += static_cast<char16_t>(c.unicode());
    }
    return text;
}

QString toDisplayText(TextView text) {
    QString display = toQString(text);
    display.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    display.replace(QChar(u'\r'), QChar(u'\n'));
    return display;
}

}  // namespace stepwise::qt
