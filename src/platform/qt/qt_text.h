#pragma once
// Text between the core (UTF-16, CR LF line breaks) and Qt's widgets.
#include <QString>

#include "platform/text.h"

namespace stepwise::qt {

inline QString toQString(TextView text) { return QString::fromStdU16String(Text(text)); }
inline Text toText(const QString& text) { return text.toStdU16String(); }

// A multi-line box's raw document text with every paragraph and line separator as CR LF.
Text boxTextToText(const QString& rawDocumentText);

// Text for a label or message: CR LF, a lone CR and a lone LF each become one "\n".
QString toDisplayText(TextView text);

}  // namespace stepwise::qt
