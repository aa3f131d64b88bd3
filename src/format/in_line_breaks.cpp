#include "format/in_line_breaks.h"

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

}  // namespace stepwise
