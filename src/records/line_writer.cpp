#include "records/line_writer.h"

#include "format/numbers.h"

namespace stepwise {

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
