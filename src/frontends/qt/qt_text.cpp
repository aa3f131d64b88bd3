#include "frontends/qt/qt_text.h"

#include <algorithm>
#include <cstddef>

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

int documentPosition(TextView text, std::size_t position) {
    position = std::min(position, text.size());
    std::size_t pairs = 0;
    for (std::size_t i = 0; i < position; ++i) {
        if (text[i] != u'\r' || i + 1 >= text.size() || text[i + 1] != u'\n') continue;
        ++pairs;
        if (++i == position) return static_cast<int>(position + 1 - pairs);  // between CR and LF: past both
    }
    return static_cast<int>(position - pairs);
}

namespace {

// Lines per paragraph in a long text, and the number of line breaks from which a text counts
// as long. A paragraph of a few lines lays out at once; scrolling still moves line by line.
constexpr std::size_t linesPerParagraph = 16;
constexpr std::size_t longTextLineBreaks = 4096;

// Every line break but each linesPerParagraph-th becomes a line separator inside its paragraph.
void groupLines(QString& document) {
    std::size_t lineBreaks = 0;
    for (QChar& c : document)
        if (c == u'\n' && ++lineBreaks % linesPerParagraph != 0) c = QChar(QChar::LineSeparator);
}

}  // namespace

QString toBoxDocumentText(TextView text) {
    QString document(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    QChar* out = document.data();
    std::size_t lineBreaks = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        if (c == u'\r' || c == u'\n') {
            *out++ = QChar(u'\n');
            ++lineBreaks;
        } else {
            *out++ = QChar(c);
        }
    }
    document.truncate(out - document.constData());
    if (lineBreaks >= longTextLineBreaks) groupLines(document);
    return document;
}

QString toDisplayText(TextView text) {
    QString display = toQString(text);
    display.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    display.replace(QChar(u'\r'), QChar(u'\n'));
    return display;
}

namespace {

constexpr qsizetype longWord = 40;     // characters; shorter words are left as they stand
constexpr qsizetype longStretch = 30;  // characters between breaks within a long word
constexpr QChar zeroWidthSpace(0x200B);

bool isFolderSeparator(QChar c) { return c == u'/' || c == u'\\'; }

void appendWithBreaks(QString& out, QStringView word) {
    if (word.size() <= longWord) {
        out += word;
        return;
    }
    qsizetype sinceBreak = 0;
    for (const QChar c : word) {
        out += c;
        if (isFolderSeparator(c) || ++sinceBreak >= longStretch) {
            out += zeroWidthSpace;
            sinceBreak = 0;
        }
    }
}

}  // namespace

QString withBreaksInLongWords(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 8);
    qsizetype wordStart = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !text[i].isSpace()) continue;
        appendWithBreaks(out, QStringView(text).mid(wordStart, i - wordStart));
        if (i < text.size()) out += text[i];
        wordStart = i + 1;
    }
    return out;
}

}  // namespace stepwise::qt
