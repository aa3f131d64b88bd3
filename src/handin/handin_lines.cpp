#include "handin/handin_lines.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "format/lesson_header.h"
#include "format/record_pieces.h"
#include "format/stamps.h"

namespace stepwise::handin {

namespace {

bool inRange(unsigned char byte, CodeRange range) { return byte >= range.first && byte <= range.last; }

}  // namespace

LineTable::LineTable(std::string_view bytes) : bytes_(bytes) {
    // Every line's beginning is kept on the way while the lines stay long enough on average.
    const std::size_t mostKept = bytes.size() <= UINT32_MAX ? bytes.size() / 16 : 0;
    bool keeping = mostKept > 0;
    std::size_t begin = 0;
    while (begin < bytes.size()) {
        if (count_ % checkpointEvery == 0) checkpoints_.push_back(begin);
        if (keeping && count_ < mostKept) {
            begins_.push_back(static_cast<std::uint32_t>(begin));
        } else if (keeping) {
            keeping = false;
            begins_ = {};
        }
        ++count_;
        const void* lf = std::memchr(bytes.data() + begin, '\n', bytes.size() - begin);
        if (!lf) break;
        begin = static_cast<std::size_t>(static_cast<const char*>(lf) - bytes.data()) + 1;
    }
    if (count_ > 0) last_ = beforeLast_ = {0, lineAt(0)};
}

PhysicalLine LineTable::lineAt(std::size_t begin) const {
    const std::size_t lf = bytes_.find('\n', begin);
    if (lf == std::string_view::npos) {
        // A file cut between the CR and the LF of a line end: the CR still ends the line.
        const bool cutLineEnd = bytes_.back() == '\r';
        return {begin, bytes_.size() - (cutLineEnd ? 1 : 0), false};
    }
    const bool crlf = lf > begin && bytes_[lf - 1] == '\r';
    return {begin, crlf ? lf - 1 : lf, crlf};
}

PhysicalLine LineTable::find(std::size_t index, std::size_t at, std::size_t begin) const {
    if (index < at && at - index <= stepsBack) {
        // Back: each line begins after the LF that ends the one before it.
        for (; at > index; --at) begin = begin < 2 ? 0 : bytes_.rfind('\n', begin - 2) + 1;
    } else {
        if (index < at || index - at > checkpointEvery) {
            at = index - index % checkpointEvery;
            begin = checkpoints_[at / checkpointEvery];
        }
        for (; at < index; ++at) begin = bytes_.find('\n', begin) + 1;
    }
    return lineAt(begin);
}

PhysicalLine LineTable::line(std::size_t index) const {
    if (!begins_.empty()) {
        if (index + 1 == count_) return lineAt(begins_[index]);
        const std::size_t begin = begins_[index], lf = begins_[index + 1] - 1;
        const bool crlf = lf > begin && bytes_[lf - 1] == '\r';
        return {begin, crlf ? lf - 1 : lf, crlf};
    }
    if (index == last_.index) return last_.line;
    if (index != beforeLast_.index) {
        const std::size_t distance = index > last_.index ? index - last_.index : last_.index - index;
        const std::size_t otherDistance =
            index > beforeLast_.index ? index - beforeLast_.index : beforeLast_.index - index;
        const Kept& from = otherDistance < distance ? beforeLast_ : last_;
        const PhysicalLine found = index == from.index + 1 && from.index + 1 < count_
                                       ? lineAt(from.line.end + (from.line.crlf ? 2 : 1))
                                       : find(index, from.index, from.line.begin);
        beforeLast_ = {index, found};
    }
    std::swap(last_, beforeLast_);
    return last_.line;
}

std::string_view LineTable::contentLookedUp(std::size_t index, std::size_t column) const {
    const PhysicalLine l = line(index);
    const std::size_t from = std::min(l.begin + column, l.end);
    return bytes_.substr(from, l.end - from);
}

std::string_view LineTable::span(std::size_t first, std::size_t column, std::size_t last) const {
    if (last <= first) return {};
    const PhysicalLine firstLine = line(first);
    const std::size_t from = std::min(firstLine.begin + column, firstLine.end);
    return bytes_.substr(from, line(last - 1).end - from);
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

}  // namespace stepwise::handin
