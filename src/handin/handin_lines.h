#pragma once
// A hand-in file's bytes as physical lines, and the tests that tell the fixed lines of the lesson
// header and the records (separator, time stamps, labels, closing line, code line) from the rest.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "format/text.h"

namespace stepwise::handin {

struct PhysicalLine {
    std::size_t begin = 0;  // offset of the line's first byte
    std::size_t end = 0;    // offset just past its content, before the line end
    bool crlf = false;      // ended by CR LF (false: by LF alone, or by the end of the file)
};

// The lines of a file: each ends at an LF (a CR before it belongs to the line end); a last line
// without a line end is a line too (a CR that ends the file belongs to no line), an empty one
// after the final line end is not.
//
// The table keeps no object per line, as a file of empty lines would cost many times its size:
// it keeps where every 64th line begins and the last two lines looked up, and finds a line from
// the nearest of them. The parser reads lines in order, going back and forth between a line and
// the next, so a look-up is mostly one of the two kept or a step along the bytes. Where lines
// average 16 bytes or more, as text does, where each line begins is kept as well (4 bytes a line,
// at most a quarter of the file) and a look-up takes no step at all.
class LineTable {
public:
    explicit LineTable(std::string_view bytes);

    std::size_t size() const { return count_; }
    std::string_view bytes() const { return bytes_; }
    // The content of line `index` (from 0) from byte `column` on, without its line end.
    std::string_view content(std::size_t index, std::size_t column = 0) const {
        if (!begins_.empty() && index + 1 < count_) {  // the common case, asked of every line: here
            const std::size_t begin = begins_[index], lf = begins_[index + 1] - 1;
            const std::size_t end = lf > begin && bytes_[lf - 1] == '\r' ? lf - 1 : lf;
            const std::size_t from = std::min(begin + column, end);
            return bytes_.substr(from, end - from);
        }
        return contentLookedUp(index, column);
    }
    PhysicalLine line(std::size_t index) const;
    // The bytes from line `first` (from byte `column`) to the end of line `last - 1`'s content,
    // the line ends between them included; "" when last <= first.
    std::string_view span(std::size_t first, std::size_t column, std::size_t last) const;

private:
    static constexpr std::size_t checkpointEvery = 64;
    static constexpr std::size_t stepsBack = 8;
    PhysicalLine lineAt(std::size_t begin) const;
    std::string_view contentLookedUp(std::size_t index, std::size_t column) const;
    PhysicalLine find(std::size_t index, std::size_t from, std::size_t fromBegin) const;

    std::string_view bytes_;
    std::size_t count_ = 0;
    std::vector<std::size_t> checkpoints_;  // where lines 0, 64, 128 ... begin
    std::vector<std::uint32_t> begins_;     // where every line begins, for files of long lines
    struct Kept {
        std::size_t index = 0;
        PhysicalLine line;
    };
    mutable Kept last_, beforeLast_;        // the lines looked up last (line 0 at first)
};

// Exact comparisons of a line's bytes with one of the fixed pieces (all ASCII).
// (Here, not in a file of their own: the parser asks them of every line.)
inline bool beginsWith(std::string_view bytes, TextView piece) {
    if (bytes.size() < piece.size()) return false;
    for (std::size_t i = 0; i < piece.size(); ++i)
        if (static_cast<unsigned char>(bytes[i]) != piece[i]) return false;
    return true;
}
inline bool sameAs(std::string_view bytes, TextView piece) { return bytes.size() == piece.size() && beginsWith(bytes, piece); }

// The lines format/record_pieces.h forms: the indent followed by a time in its form ("14:05:09"),
// and the indent followed by a date ("12-07-2026") and a time, with nothing between them.
bool isTimeStampLine(std::string_view line);
bool isDateTimeStampLine(std::string_view line);

// A lesson header's code line: one or more characters of the codes format/lesson_header.h gives.
bool isCodeLine(std::string_view line);

}  // namespace stepwise::handin
