#include "review/report_text.h"

#include "format/utf8.h"
#include "review/html_escape.h"
#include "system/path_text.h"

namespace stepwise::review {

std::string reportUtf8(TextView text) { return encodeUtf8(text, LoneSurrogates::replaced); }

std::string terminalText(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x20 || c == 0x7F) {
            appendControlPicture(out, c);
        } else if (c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) < 0xA0) {
            appendUtf8(out, 0xFFFD);
            ++i;
        } else {
            out += utf8[i];
        }
    }
    return out;
}

std::string cannotWrite(const SystemError& failure) {
    return "cannot write " + utf8Path(failure.path) + ": " + failure.reason;
}

}  // namespace stepwise::review
