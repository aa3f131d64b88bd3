#include "handin/handin_lines.h"

#include <algorithm>

#include "format/record_pieces.h"

namespace stepwise::handin {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Two digits at `at`, as a number.
int twoDigits(std::string_view text, std::size_t at) { return (text[at] - '0') * 10 + (text[at + 1] - '0'); }

// Digits where `shape` has '9', exactly the other characters elsewhere.
bool hasShape(std::string_view text, std::string_view shape) {
    if (text.size() != shape.size()) return false;
    for (std::size_t i = 0; i < shape.size(); ++i)
        if (shape[i] == '9' ? !isDigit(text[i]) : text[i] != shape[i]) return false;
    return true;
}

constexpr std::string_view timeShape = "99:99:99";
constexpr std::string_view dateShape = "99-99-9999";
static_assert(timeShape.size() == timeTextLength && dateShape.size() == dateTextLength);

}  // namespace

LineTable::LineTable(std::string_view bytes) : bytes_(bytes) {
    std::size_t begin = 0;
    while (begin < bytes.size()) {
        const std::size_t lf = bytes.find('\n', begin);
        if (lf == std::string_view::npos) {
            // A file cut between the CR and the LF of a line end: the CR still ends the line.
            const bool cutLineEnd = bytes.back() == '\r';
            lines_.push_back({begin, bytes.size() - (cutLineEnd ? 1 : 0), false});
            break;
        }
        const bool crlf = lf > begin && bytes[lf - 1] == '\r';
        lines_.push_back({begin, crlf ? lf - 1 : lf, crlf});
        begin = lf + 1;
    }
}

std::string_view LineTable::content(std::size_t index, std::size_t column) const {
    const PhysicalLine& l = lines_[index];
    const std::size_t from = std::min(l.begin + column, l.end);
    return bytes_.substr(from, l.end - from);
}

std::string_view LineTable::span(std::size_t first, std::size_t column, std::size_t last) const {
    if (last <= first) return {};
    const std::size_t from = std::min(lines_[first].begin + column, lines_[first].end);
    return bytes_.substr(from, lines_[last - 1].end - from);
}

bool sameAs(std::string_view bytes, TextView piece) {
    return bytes.size() == piece.size() && beginsWith(bytes, piece);
}

bool beginsWith(std::string_view bytes, TextView piece) {
    if (bytes.size() < piece.size()) return false;
    for (std::size_t i = 0; i < piece.size(); ++i)
        if (static_cast<unsigned char>(bytes[i]) != piece[i]) return false;
    return true;
}

bool isTimeStampLine(std::string_view line) {
    return beginsWith(line, timeStampIndent) && hasShape(line.substr(std::size(timeStampIndent) - 1), timeShape);
}

bool isDateTimeStampLine(std::string_view line) {
    if (!beginsWith(line, timeStampIndent)) return false;
    const std::string_view stamp = line.substr(std::size(timeStampIndent) - 1);
    return stamp.size() == dateTextLength + timeTextLength && hasShape(stamp.substr(0, dateTextLength), dateShape) &&
           hasShape(stamp.substr(dateTextLength), timeShape);
}

bool isDateText(std::string_view text) { return hasShape(text, dateShape); }

bool isValidTime(std::string_view time) {
    return hasShape(time, timeShape) && twoDigits(time, 0) < 24 && twoDigits(time, 3) < 60 && twoDigits(time, 6) < 60;
}

bool isValidDate(std::string_view date) {
    if (!hasShape(date, dateShape)) return false;
    constexpr int daysIn[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int month = twoDigits(date, 0);
    const int day = twoDigits(date, 3);
    return month >= 1 && month <= 12 && day >= 1 && day <= daysIn[month - 1];
}

bool isCodeLine(std::string_view line) {
    if (line.empty()) return false;
    bool afterLowByte = false;
    for (char c : line) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte >= 118) {
            afterLowByte = false;
        } else if (byte >= 66 && byte <= 116 && !afterLowByte) {
            afterLowByte = true;
        } else {
            return false;
        }
    }
    return !afterLowByte;
}

std::size_t countNonTextBytes(std::string_view bytes) {
    return static_cast<std::size_t>(std::count_if(bytes.begin(), bytes.end(), [](char c) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte == '\t' || byte == '\r' || byte == '\n') return false;
        return byte < 0x20 || byte == 0x7F || byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 ||
               byte == 0x9D;
    }));
}

}  // namespace stepwise::handin
