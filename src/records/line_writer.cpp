#include "records/line_writer.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace stepwise {

Text generalNumber(double number) {
    char buffer[64];
    if (std::trunc(number) == number && std::fabs(number) < 1e15)
        std::snprintf(buffer, sizeof buffer, "%.0f", std::fabs(number));
    else
        std::snprintf(buffer, sizeof buffer, "%.15G", std::fabs(number));
    std::string digits = buffer;
    if (digits.find('.') != std::string::npos && digits.find('E') == std::string::npos) {
        while (digits.back() == '0') digits.pop_back();
        if (digits.back() == '.') digits.pop_back();
    }
    if (digits.rfind("0.", 0) == 0) digits.erase(0, 1);  // ".5", as general number format writes it
    return fromUtf8(digits);
}

void LineItem::appendTo(Text& line) const {
    if (const Text* text = std::get_if<Text>(&value_)) {
        line += *text;
        return;
    }
    const double number = std::get<double>(value_);
    line += number < 0 ? u'-' : u' ';
    line += generalNumber(number);
    line += u' ';
}

Text formatLine(std::initializer_list<LineItem> items, LineEnd end) {
    Text line;
    for (const LineItem& item : items) item.appendTo(line);
    // A box or a tool may hand over a lone CR or LF; the files break lines with CR LF only.
    if (line.find_first_of(u"\r\n") != Text::npos) line = withCrLfBreaks(line);
    if (end == LineEnd::CrLf) line += CRLF;
    return line;
}

void writeLine(Platform& platform, int fileNumber, std::initializer_list<LineItem> items, LineEnd end) {
    platform.writeText(fileNumber, formatLine(items, end));
}

}  // namespace stepwise
