#include "lesson/text_transforms.h"

#include "format/numbers.h"

namespace stepwise {

Text expandBreaks(const Text& text) {
    Text out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'{' && i + 1 < text.size() && text[i + 1] == u'}') {
            out += CRLF;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

Text numberText(double number) { return (number < 0 ? Text(u"-") : Text()) + generalNumber(number); }

}  // namespace stepwise
