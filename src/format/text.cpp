#include "format/text.h"

#include "format/numbers.h"
#include "format/utf8.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace stepwise {

namespace {

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

}  // namespace

Text lowerCase(TextView text) {
    Text out(text);
    for (char16_t& c : out) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c + 32);
        } else if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {
            c = static_cast<char16_t>(c + 32);  // Latin-1 capitals, the multiplication sign excepted
        }
    }
    return out;
}

Text leftText(TextView text, std::size_t n) { return Text(text.substr(0, n)); }

Text midText(TextView text, std::size_t position) {
    if (position < 1 || position > text.size()) return position < 1 ? Text(text) : Text();
    return Text(text.substr(position - 1));
}

double numericValue(TextView text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    std::string number;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) number += static_cast<char>(text[i++]);
    bool digits = false;
    while (i < text.size() && isDigit(text[i])) {
        number += static_cast<char>(text[i++]);
        digits = true;
    }
    if (i < text.size() && text[i] == u'.') {
        number += '.';
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            number += static_cast<char>(text[i++]);
            digits = true;
        }
    }
    if (!digits) return 0.0;
    return parseNumber(number).value_or(0.0);
}

Text firstLine(TextView text) { return Text(text.substr(0, text.find_first_of(u"\r\n"))); }

Text withCrLfBreaks(TextView text) {
    Text out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == CR) {
            out += CRLF;
            if (i + 1 < text.size() && text[i + 1] == LF) ++i;
        } else if (c == LF) {
            out += CRLF;
        } else {
            out += c;
        }
    }
    return out;
}

Text decimalText(long long number) { return fromUtf8(std::to_string(number)); }

char32_t nextCodePoint(TextView text, std::size_t& i) {
    const char16_t c = text[i++];
    if (isHighSurrogate(c) && i < text.size() && isLowSurrogate(text[i]))
        return 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[i++] - 0xDC00);
    return c;
}

void appendCodePoint(Text& text, char32_t codePoint) {
    if (codePoint < 0x10000) {
        text += static_cast<char16_t>(codePoint);
        return;
    }
    codePoint -= 0x10000;
    text += static_cast<char16_t>(0xD800 + (codePoint >> 10));
    text += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
}

Text fromUtf8(std::string_view utf8) { return decodeUtf8(utf8).text; }

std::string toUtf8(TextView text) { return encodeUtf8(text, LoneSurrogates::kept); }

}  // namespace stepwise
