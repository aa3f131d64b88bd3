#include "handin/handin_lines.h"

#include <algorithm>

#include "format/lesson_header.h"
#include "format/record_pieces.h"
#include "format/stamps.h"

namespace stepwise::handin {

namespace {

bool inRange(unsigned char byte, CodeRange range) { return byte >= range.first && byte <= range.last; }

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
    return beginsWith(line, timeStampIndent) && isTimeText(line.substr(pieceLength(timeStampIndent)));
}

bool isDateTimeStampLine(std::string_view line) {
    if (!beginsWith(line, timeStampIndent)) return false;
    const std::string_view stamp = line.substr(pieceLength(timeStampIndent));
    return stamp.size() == dateTextLength + timeTextLength && isDateText(stamp.substr(0, dateTextLength)) &&
           isTimeText(stamp.substr(dateTextLength));
}

bool isCodeLine(std::string_view line) {
    if (line.empty()) return false;
    bool afterCodeBefore = false;
    for (char c : line) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (inRange(byte, codeLineCodes)) {
            afterCodeBefore = false;
        } else if (inRange(byte, codeLineCodesBefore) && !afterCodeBefore) {
            afterCodeBefore = true;
        } else {
            return false;
        }
    }
    return !afterCodeBefore;
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
