#pragma once
// Text between the core (UTF-16, CR LF line breaks) and Qt's widgets.
#include <QString>

#include "format/text.h"

namespace stepwise::qt {

inline QString toQString(TextView text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}
inline Text toText(const QString& text) { return text.toStdU16String(); }

// A multi-line box's raw document text with every paragraph and line separator as CR LF.
Text boxTextToText(const QString& rawDocumentText);

// The document text for a multi-line box: every line break (CR LF, a lone CR or a lone LF) one
// break. A short text gets a paragraph per line. A text of many lines gets a paragraph per
// group of lines, with line separators inside it: the document then builds in time that grows
// with the text's length, where a paragraph per line costs more per line the longer the text.
// The box shows, scrolls and reads back the same either way.
QString toBoxDocumentText(TextView text);

// The position in a multi-line box's document of a position in its text as boxTextToText gives
// it: a CR LF is one separator there. A position between CR and LF counts the whole break.
int documentPosition(TextView text, std::size_t position);

// Text for a label or message: CR LF, a lone CR and a lone LF each become one "\n".
QString toDisplayText(TextView text);

// Lets a message wrap a long path inside its box: a word longer than a line gets a zero-width
// space after each folder separator, and after every few characters of a long stretch without one.
QString withBreaksInLongWords(const QString& text);

}  // namespace stepwise::qt
