// The line table finds every line whatever the order it is asked in: lines of text (where each
// line's start is kept) and runs of empty and short lines (where it steps from a kept line).
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "handin/handin_lines.h"

namespace stepwise::handin {
namespace {

// The lines as the table's rule gives them, split the slow way.
std::vector<PhysicalLine> splitLines(const std::string& bytes) {
    std::vector<PhysicalLine> lines;
    for (std::size_t begin = 0; begin < bytes.size();) {
        std::size_t lf = begin;
        while (lf < bytes.size() && bytes[lf] != '\n') ++lf;
        if (lf == bytes.size()) {
            lines.push_back({begin, bytes.size() - (bytes.back() == '\r' ? 1 : 0), false});
            break;
        }
        const bool crlf = lf > begin && bytes[lf - 1] == '\r';
        lines.push_back({begin, crlf ? lf - 1 : lf, crlf});
        begin = lf + 1;
    }
    return lines;
}

TEST(LineTable, FindsEveryLineInAnyOrder) {
    std::string mixed;
    std::mt19937 random(7);
    for (int i = 0; i < 700; ++i) mixed += std::string(random() % 3, 'x') + (random() % 2 ? "\r\n" : "\n");
    std::string text;
    for (int i = 0; i < 300; ++i) text += "a line of text as a student types it, number " + std::to_string(i) + "\r\n";
    const std::vector<std::string> cases = {"", "\n", "\r", "x", "\r\n\r\n", "\n\n\nx\r", "one\r\ntwo\nthree",
                                            std::string(1000, '\n'), mixed, mixed + "tail\r", text, text + "cut\r"};
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(bytes.substr(0, 40));
        const std::vector<PhysicalLine> expected = splitLines(bytes);
        const LineTable table(bytes);
        ASSERT_EQ(table.size(), expected.size());
        std::vector<std::size_t> order;
        for (std::size_t i = 0; i < expected.size(); ++i) order.push_back(i);                    // forward
        for (std::size_t i = expected.size(); i-- > 0;) order.push_back(i);                      // backward
        for (std::size_t i = 0; i + 1 < expected.size(); ++i) order.insert(order.end(), {i + 1, i});  // to and fro
        for (std::size_t i = 0; i < 300 && !expected.empty(); ++i) order.push_back(random() % expected.size());
        for (std::size_t index : order) {
            const PhysicalLine line = table.line(index);
            ASSERT_EQ(line.begin, expected[index].begin) << "line " << index;
            ASSERT_EQ(line.end, expected[index].end) << "line " << index;
            ASSERT_EQ(line.crlf, expected[index].crlf) << "line " << index;
        }
    }
}

}  // namespace
}  // namespace stepwise::handin
