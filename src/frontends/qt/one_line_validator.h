#pragma once
// Keeps an entry line to one line, as a single-line entry field on Windows does: of a text pasted
// or dropped with line breaks, only its first line goes in, and what stood after the cursor stays.
#include <QValidator>

namespace stepwise::qt {

class OneLineValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& cursor) const override;
};

}  // namespace stepwise::qt
