#include "format/assignment_file.h"

#include <algorithm>
#include <optional>

#include "format/cp1252.h"
#include "format/lesson_header.h"
#include "format/markers.h"
#include "format/routine_line.h"
#include "format/utf8.h"

namespace stepwise {

namespace {

using Severity = AssignmentProblem::Severity;

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
constexpr std::u16string_view separator = u"---";
constexpr std::u16string_view endProgramBlock = u"end program";
constexpr std::size_t maxBlocks = (lastAssignmentScriptIndex - scriptIndexOfBlock(0)) / 2 + 1;

struct SourceLine {
    int number;
    Text text;
};

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool isAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

TextView trimmed(TextView text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool isSeparator(TextView line) { return trimmed(line) == separator; }
bool startsWith(TextView text, std::u16string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// Control characters other than tab (line ends are gone by now): not text an editor writes.
bool isControl(char16_t c) { return (c < 0x20 && c != u'\t') || (c >= 0x7F && c <= 0x9F); }

Text decodeAssignmentBytes(std::string_view bytes) {
    if (bytes.substr(0, byteOrderMark.size()) == byteOrderMark) bytes.remove_prefix(byteOrderMark.size());
    if (!firstUtf8Error(bytes)) return decodeUtf8(bytes).text;
    return decodeCp1252(bytes);  // what older editors on Windows save
}

std::vector<SourceLine> splitLines(TextView text) {
    std::vector<SourceLine> lines;
    int number = 1;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != CR && text[i] != LF) continue;
        lines.push_back({number++, Text(text.substr(start, i - start))});
        if (i + 1 < text.size() && text[i] == CR && text[i + 1] == LF) ++i;
        start = i + 1;
    }
    if (!lines.empty() && lines.back().text.empty() && !text.empty()) lines.pop_back();  // the last line's end
    return lines;
}

// Lines of one paragraph run together with one space at each break; blank lines between
// paragraphs become CR LF CR LF.
Text joinBlockLines(const std::vector<SourceLine>& lines) {
    Text block;
    bool paragraphOpen = false;
    bool blankSeen = false;
    for (const SourceLine& line : lines) {
        const TextView text = trimmed(line.text);
        if (text.empty()) {
            blankSeen = paragraphOpen;
            continue;
        }
        if (paragraphOpen) block += blankSeen ? u"\r\n\r\n" : u" ";
        block += text;
        paragraphOpen = true;
        blankSeen = false;
    }
    return block;
}

std::string utf8(TextView text) { return encodeUtf8(text); }

class AssignmentReader {
public:
    explicit AssignmentReader(std::string_view bytes) : lines_(splitLines(decodeAssignmentBytes(bytes))) {}

    Assignment read() {
        checkCharacters();
        std::size_t next = readHeader();
        next = readOptions(next);
        readBlocks(next);
        checkBlocks();
        std::stable_sort(out_.problems.begin(), out_.problems.end(),
                         [](const AssignmentProblem& a, const AssignmentProblem& b) { return a.line < b.line; });
        return std::move(out_);
    }

private:
    void report(int line, Severity severity, std::string message) {
        out_.problems.push_back({line, severity, std::move(message)});
    }
    void error(int line, std::string message) { report(line, Severity::error, std::move(message)); }
    void warning(int line, std::string message) { report(line, Severity::warning, std::move(message)); }
    int lastLine() const { return lines_.empty() ? 1 : lines_.back().number; }

    void checkCharacters() {
        for (const SourceLine& line : lines_)
            if (std::any_of(line.text.begin(), line.text.end(), isControl))
                error(line.number, "this line holds a control character, which is not text");
    }

    // The header line; returns the index of the line after it.
    std::size_t readHeader() {
        std::size_t i = 0;
        while (i < lines_.size() && trimmed(lines_[i].text).empty()) ++i;
        if (i == lines_.size()) {
            error(1, "the file holds no assignment: it must begin with its header, such as \"007.  Speed and distance\"");
            return i;
        }
        const TextView header = trimmed(lines_[i].text);
        if (isSeparator(header)) {
            error(lines_[i].number, "no assignment header before the first ---: the file must begin with one, such as \"007.  Speed and distance\"");
            return i;
        }
        const bool wellFormed = header.size() > 4 && isDigit(header[0]) && isDigit(header[1]) && isDigit(header[2]) && header[3] == u'.';
        const TextView title = wellFormed ? trimmed(header.substr(4)) : TextView();
        if (!wellFormed || title.empty()) {
            error(lines_[i].number, "the assignment header must be three digits, a dot and the title, such as \"007.  Speed and distance\"");
            return i + 1;
        }
        out_.headerLine = Text(header);
        out_.number = Text(header.substr(0, 3));
        out_.nextNumber = threeDigits(decimalText(static_cast<long long>(numericValue(out_.number)) + 1));
        out_.setTitle = Text(title);
        return i + 1;
    }

    // The options up to the first separator; returns the index of that separator.
    std::size_t readOptions(std::size_t i) {
        bool setGiven = false;
        for (; i < lines_.size() && !isSeparator(lines_[i].text); ++i) {
            const TextView line = trimmed(lines_[i].text);
            if (line.empty()) continue;
            std::size_t nameEnd = 0;
            while (nameEnd < line.size() && (isAsciiLetter(line[nameEnd]) || (nameEnd > 0 && (isDigit(line[nameEnd]) || line[nameEnd] == u'-' || line[nameEnd] == u'_'))))
                ++nameEnd;
            const TextView afterName = trimmed(line.substr(nameEnd));
            if (nameEnd == 0 || afterName.empty() || afterName.front() != u':') {
                error(lines_[i].number, "text before the first ---: only options (set: TITLE) may stand between the header and the first block");
                continue;
            }
            const Text name = lowerCase(line.substr(0, nameEnd));
            const TextView value = trimmed(afterName.substr(1));
            if (name != u"set") {
                error(lines_[i].number, "unknown option \"" + utf8(line.substr(0, nameEnd)) + ":\" (the one option is set:)");
            } else if (setGiven) {
                error(lines_[i].number, "set: is given twice");
            } else if (value.empty()) {
                error(lines_[i].number, "set: needs the title of the assignment set");
            } else {
                out_.setTitle = Text(value);
                setGiven = true;
            }
        }
        return i;
    }

    // The blocks after the separator at `i`.
    void readBlocks(std::size_t i) {
        std::optional<int> answerMark;  // the line of a lone `a, waiting for its block
        while (i < lines_.size()) {
            const int separatorLine = lines_[i].number;
            std::vector<SourceLine> blockLines;
            for (++i; i < lines_.size() && !isSeparator(lines_[i].text); ++i) blockLines.push_back(lines_[i]);
            const auto firstText = std::find_if(blockLines.begin(), blockLines.end(),
                                                [](const SourceLine& l) { return !trimmed(l.text).empty(); });
            if (firstText == blockLines.end()) {
                // A separator closing the file is no empty block.
                if (i < lines_.size()) error(separatorLine + 1, "empty block: nothing stands between two ---");
                continue;
            }
            Text text = joinBlockLines(blockLines);
            if (text == answerMarker) {
                answerMark = firstText->number;
                continue;
            }
            if (answerMark) text.insert(0, answerMarker);
            answerMark.reset();
            if (out_.blocks.size() == maxBlocks) {
                error(firstText->number, "too many blocks: an assignment holds at most " + std::to_string(maxBlocks) +
                                             " blocks, and this one is the first that does not fit");
                return;
            }
            out_.blocks.push_back({firstText->number, std::move(text)});
        }
        if (answerMark) warning(*answerMark, "`a marks the block after it as a worked answer, but no block follows");
    }

    void checkBlocks() {
        std::optional<int> lastQuestion;
        bool endProgramSeen = false;
        bool endedHere = false;    // the reader ends the program at some block before this one
        bool unreachableSaid = false;
        for (const AssignmentBlock& block : out_.blocks) {
            if (endedHere && !unreachableSaid) {
                warning(block.line, "this block and those after it can never be shown: the program has ended before");
                unreachableSaid = true;
            }
            TextView shown = block.text;
            if (startsWith(shown, answerMarker)) {
                if (!lastQuestion) warning(block.line, "a worked answer (`a) with no question before it");
                shown.remove_prefix(answerMarker.size());
            } else if (startsWith(shown, u"`A")) {
                warning(block.line, "`A in capitals is not an answer marker: the block is shown with it and asks no self-critique");
            }
            if (startsWith(block.text, questionMarker) || startsWith(block.text, u"`Q")) checkQuestion(block, lastQuestion);
            if (isRoutineLine(block.text)) {
                const Text name = routineName(block.text);
                if (!isKnownRoutine(name))
                    error(block.line, "unknown routine \"" + utf8(name) + "\": the program would end here (known: graph1, graph2, graph3, exitprog)");
            }
            if (!out_.nextNumber.empty() && leftText(shown, 3) == out_.nextNumber) {
                warning(block.line, "the program ends at this block: it begins with the next assignment's number, " + utf8(out_.nextNumber));
                endedHere = true;
            }
            if (trimmed(block.text) == endProgramBlock) endProgramSeen = true;
        }
        if (!endProgramSeen && !endedHere && !out_.headerLine.empty())
            warning(lastLine(), "no \"end program\" block: the student reaches the end of the script without being told");
    }

    void checkQuestion(const AssignmentBlock& block, std::optional<int>& lastQuestion) {
        const TextView digits = TextView(block.text).substr(2, 3);
        if (block.text[1] == u'Q')
            warning(block.line, "`Q in capitals is not a question marker: the block asks no confidence rating (it still sets the question number)");
        if (digits.size() != 3 || !std::all_of(digits.begin(), digits.end(), isDigit)) {
            error(block.line, "a question marker needs a three-digit number, such as `q001.");
            return;
        }
        const int number = static_cast<int>(numericValue(digits));
        if (lastQuestion && number <= *lastQuestion)
            warning(block.line, "question " + std::to_string(number) + " comes after question " + std::to_string(*lastQuestion) +
                                    ": numbers out of order or repeated");
        lastQuestion = number;
    }

    std::vector<SourceLine> lines_;
    Assignment out_;
};

}  // namespace

bool Assignment::hasErrors() const {
    return std::any_of(problems.begin(), problems.end(),
                       [](const AssignmentProblem& p) { return p.severity == Severity::error; });
}

Assignment readAssignment(std::string_view bytes) { return AssignmentReader(bytes).read(); }

std::string describeProblem(std::string_view file, const AssignmentProblem& problem) {
    return std::string(file) + ":" + std::to_string(problem.line) +
           (problem.severity == Severity::error ? ": error: " : ": warning: ") + problem.message;
}

}  // namespace stepwise
