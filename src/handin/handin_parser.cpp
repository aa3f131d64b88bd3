// Reads a SEND file back into sessions and records.
//
// Where a record's block ends is certain: the block is a script line, which never holds a
// separator line followed by a label line. Where a student's text ends is not, since a student
// may type or paste any line at all. A text ends at the first closing line that is followed by
// what only the program writes there: a record start (a separator line, then a time-stamp line),
// a lesson header (a code line, then "assignment #..."), or the end of the file. A notes record's
// closing line has no line end, so the record or header after it starts on the same physical
// line. What stays ambiguous: a student text that holds a closing line directly followed by a
// separator line and a time-stamp line (say, pasted from the SEND file across two records) is
// read as the end of the record and the start of another, and the problems found in the
// pieces are reported. A response's last text line that reads like a rating line is taken as
// the rating, except in a record with no block (the only response the built-in assignment
// records without a rating).
//
// A response to no block (recorded before the first Next) is kept with the block kind unknown
// and no problem: the student program writes it. A block that is not in the built-in assignment
// is kept, unknown, and reported, as only an edit of the file can make one.

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "handin/handin_file.h"
#include "handin/handin_lines.h"
#include "handin/known_assignments.h"
#include "format/cp1252.h"
#include "format/lesson_header.h"
#include "format/record_pieces.h"
#include "format/stamps.h"
#include "format/utf8.h"
#include "system/bounded_memo.h"

namespace stepwise::handin {

namespace {

constexpr std::size_t closingLength = pieceLength(closingLine);
constexpr std::size_t stampOffset = pieceLength(timeStampIndent);

// Where something starts: a line (from 0) and the byte in it.
struct Position {
    std::size_t line = 0;
    std::size_t column = 0;
};

std::string lineRange(std::size_t first, std::size_t last) {
    return first == last ? "line " + std::to_string(first) : "lines " + std::to_string(first) + "-" + std::to_string(last);
}

// A label as an editor that strips trailing spaces leaves it.
TextView trimmedLabel(TextView label) { return label.substr(0, label.find_last_not_of(u' ') + 1); }

// Blocks told apart by their length and their first and last bytes: a full hash of a paragraph
// costs as much as decoding it. The bytes decide where these agree.
struct BlockBytesHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view bytes) const {
        const std::size_t ends = std::min<std::size_t>(bytes.size(), 24);
        return std::hash<std::string_view>{}(bytes.substr(0, ends)) ^
               (std::hash<std::string_view>{}(bytes.substr(bytes.size() - ends)) * 31) ^ bytes.size();
    }
};

// A record's block, decoded: each of the class's few blocks once, a few megabytes kept.
Text decodedBlock(std::string_view bytes) {
    static BoundedMemo<std::string, Text, BlockBytesHash> decoded(1024, 4 << 20);
    return decoded.get(bytes, bytes.size(), [bytes] { return decodeCp1252WithReferences(bytes); });
}

class HandinParser {
public:
    HandinParser(std::string_view bytes, HandinFile& file, const KnownAssignments& known)
        : lines_(bytes), file_(file), known_(known) {}

    void run() {
        Position at;
        while (at.line < lines_.size()) {
            if (headerStartsAt(at))
                at = readHeader(at.line + 1, true);
            else if (at.column == 0 && headerLacksCodeLineAt(at.line))
                at = readHeader(at.line, false);
            else if (recordStartsAt(at))
                at = readRecord(at);
            else
                at = skipUnreadable(at);
        }
    }

private:
    std::size_t lineCount() const { return lines_.size(); }
    std::string_view content(std::size_t line, std::size_t column = 0) const { return lines_.content(line, column); }

    void problem(std::size_t lineNumber, std::string message) {
        file_.problems.push_back({file_.path, static_cast<int>(lineNumber), std::move(message)});
    }

    // A separator line and a time-stamp line after it.
    bool recordStartsAt(Position at) const {
        return sameAs(content(at.line, at.column), separatorLine) && at.line + 1 < lineCount() &&
               isTimeStampLine(content(at.line + 1));
    }
    // A code line and the assignment line after it.
    bool headerStartsAt(Position at) const {
        return at.line + 1 < lineCount() && beginsWith(content(at.line + 1), assignmentLineOpening) &&
               isCodeLine(content(at.line, at.column));
    }
    // A header whose code line is damaged: the assignment line and the assignment's header line.
    // Only taken between records, as a student's text may hold these two lines.
    bool headerLacksCodeLineAt(std::size_t line) const {
        return beginsWith(content(line), assignmentLineOpening) && line + 1 < lineCount() &&
               known_.find(decodeCp1252WithReferences(content(line + 1)));
    }
    bool somethingStartsAt(std::size_t line) const {
        return headerStartsAt({line, 0}) || recordStartsAt({line, 0});
    }
    // Where a record may end: the end of the file, or a record or header starting.
    bool recordMayEndBefore(std::size_t line) const { return line >= lineCount() || somethingStartsAt(line); }

    // Whatever follows a notes record's closing line on the same physical line, if it starts
    // something; otherwise nothing.
    std::optional<Position> afterNotesClosing(std::size_t line) const {
        if (!beginsWith(content(line), closingLine)) return std::nullopt;
        const Position rest{line, closingLength};
        if (content(line, closingLength).empty()) {
            if (!recordMayEndBefore(line + 1)) return std::nullopt;
            return Position{line + 1, 0};
        }
        if (headerStartsAt(rest) || recordStartsAt(rest)) return rest;
        return std::nullopt;
    }

    Session& currentSession(std::size_t recordLine) {
        if (file_.sessions.empty()) {
            Session headerless;
            headerless.line = static_cast<int>(recordLine);
            headerless.hasHeader = false;
            headerless.known = known_.all().front().get();  // read as the built-in's, as ever
            lastBlock_ = -1;
            file_.sessions.push_back(std::move(headerless));
            problem(recordLine, "records before the first lesson header");
        }
        return file_.sessions.back();
    }

    void checkLineEnd(std::size_t line) {
        if (reportedLineEnds_ || lines_.line(line).crlf || line + 1 == lineCount()) return;
        reportedLineEnds_ = true;
        problem(line + 1, "the line ends in LF alone, not CR LF: the file has been changed since it was written");
    }

    // The lesson header from its assignment line on (line 2 of 5); the code line before it is
    // checked by the caller.
    Position readHeader(std::size_t assignmentLine, bool withCodeLine) {
        const std::size_t first = withCodeLine ? assignmentLine - 1 : assignmentLine;
        checkLineEnd(first);
        Session session;
        session.line = static_cast<int>(first + 1);
        session.assignment = decodeCp1252WithReferences(content(assignmentLine));
        if (!withCodeLine) problem(first + 1, "the lesson header's first line (its code line) is missing or damaged");
        std::size_t next = assignmentLine + 1;
        std::array<std::string_view, lessonHeaderLineCount - 2> rest{};
        std::size_t found = 0;
        while (found < rest.size() && next < lineCount() && !somethingStartsAt(next)) rest[found++] = content(next++);
        if (found < rest.size())
            problem(first + 1, "the lesson header is incomplete: " + std::to_string(found + 2) + " of its " +
                                   std::to_string(lessonHeaderLineCount) + " lines");
        // A session of an assignment that was not given is reported once for the class, by whoever
        // reads the files.
        if (found > 0) {
            session.assignmentHeader = decodeCp1252WithReferences(rest[0]);
            session.known = known_.find(session.assignmentHeader);
        } else {
            session.known = known_.all().front().get();  // nothing says otherwise: the built-in's
        }
        if (found > 1 && session.known && decodeCp1252WithReferences(rest[1]) != session.known->setTitle)
            problem(assignmentLine + 3, "the lesson header's title line has been changed");
        lastBlock_ = -1;
        if (found > 2) {
            session.lessonDate = decodeCp1252(rest[2]);
            if (!isValidDate(rest[2])) problem(assignmentLine + 4, "the lesson header's date is not a date (MM-DD-YYYY)");
        }
        session.header = std::string(lines_.span(first, 0, next));
        file_.sessions.push_back(std::move(session));
        return {next, 0};
    }

    Position skipUnreadable(Position at) {
        std::size_t next = at.line + 1;
        std::optional<Position> resume;
        for (; next < lineCount() && !resume; ++next) {
            if (somethingStartsAt(next) || headerLacksCodeLineAt(next)) resume = Position{next, 0};
            else if (const Position rest{next, closingLength};
                     beginsWith(content(next), closingLine) && (headerStartsAt(rest) || recordStartsAt(rest)))
                resume = rest;
        }
        const std::size_t end = resume ? resume->line : lineCount();
        std::string message = "not part of any record or lesson header; " + lineRange(at.line + 1, end) + " skipped";
        if (countNonTextBytes(lines_.span(at.line, at.column, end)) > 0) message += " (they hold bytes that are not text)";
        problem(at.line + 1, std::move(message));
        return resume.value_or(Position{lineCount(), 0});
    }

    // A response record of the master file has two empty lines and the question-number line
    // between its time stamp and its block: a master file handed in by mistake reads all the same.
    std::size_t skipQuestionNumberLines(std::size_t line) {
        const TextView marker = TextView(questionNumberOpening).substr(CRLF.size() * 2);
        if (line + 2 >= lineCount() || !content(line).empty() || !content(line + 1).empty() ||
            !beginsWith(content(line + 2), marker))
            return line;
        if (!reportedMasterForm_) problem(line + 1, "records in the master file's form, with question-number lines");
        reportedMasterForm_ = true;
        return line + 3;
    }

    // The lines of a record's block, up to the separator and label line that follow it.
    // Returns the separator's line, or where the record stopped short.
    struct BlockEnd {
        std::size_t line;
        bool complete;
    };
    BlockEnd findBlockEnd(std::size_t first, RecordKind kind) const {
        for (std::size_t line = first; line < lineCount(); ++line) {
            if (!mayEndHere(line)) continue;
            if (sameAs(content(line), separatorLine) && line + 1 < lineCount() && labelFits(kind, content(line + 1)))
                return {line, true};
            if (line > first && somethingStartsAt(line)) return {line, false};
        }
        return {lineCount(), false};
    }
    static bool labelFits(RecordKind kind, std::string_view line) {
        return kind == RecordKind::response ? sameAs(line, trimmedLabel(responseLabel)) || sameAs(line, responseLabel)
                                            : beginsWith(line, trimmedLabel(notesLabel));
    }

    Position readRecord(Position at) {
        checkLineEnd(at.line + 1);
        Record record;
        record.line = static_cast<int>(at.line + 1);
        const bool notes = at.line + 2 < lineCount() && isDateTimeStampLine(content(at.line + 2));
        record.kind = notes ? RecordKind::notes : RecordKind::response;
        const std::string_view time = content(at.line + 1).substr(stampOffset);
        record.time = decodeCp1252(time);
        if (!isValidTime(time)) problem(at.line + 2, "the time stamp is not a time of day");
        if (notes) {
            const std::string_view date = content(at.line + 2).substr(stampOffset, dateTextLength);
            record.date = decodeCp1252(date);
            if (!isValidDate(date)) problem(at.line + 3, "the date stamp is not a date (MM-DD-YYYY)");
        }

        const std::size_t blockStart = skipQuestionNumberLines(at.line + (notes ? 3 : 2));
        const BlockEnd blockEnd = findBlockEnd(blockStart, record.kind);
        const std::string_view block = lines_.span(blockStart, 0, blockEnd.line);
        record.block = decodedBlock(block);
        Session& session = currentSession(at.line + 1);
        // A session of an assignment not given is read as the built-in's, its blocks unknown.
        const KnownAssignment& blocks = session.known ? *session.known : *known_.all().front();
        record.blockId = blocks.identify(record.block, lastBlock_);
        if (record.blockId.scriptIndex >= 0) lastBlock_ = record.blockId.scriptIndex;
        if (!blockEnd.complete) {
            problem(at.line + 1, blockEnd.line >= lineCount()
                                     ? "the file ends inside this record, before its text"
                                     : "this record breaks off after its block (no separator and label line); "
                                       "the rest is read from line " + std::to_string(blockEnd.line + 1));
            session.records.push_back(std::move(record));
            return {blockEnd.line, 0};
        }
        if (blockEnd.line == blockStart) problem(at.line + 1, "this record has no block line");
        else if (record.blockId.kind == BlockKind::unknown && !record.block.empty() && session.known)
            problem(blockStart + 1, session.known->builtin ? std::string("this block is not a block of the built-in assignment")
                                                           : "this block is not a block of the assignment \"" +
                                                                 toUtf8(session.known->headerLine) + "\"");
        checkLabel(record.kind, blockEnd.line + 1);

        // A notes record's text follows the label on the label's line; a response's starts below it.
        // With the built-in assignment only a response to no block at all has no rating line.
        const Position next =
            notes ? readText(record, blockEnd.line + 1, std::min(content(blockEnd.line + 1).size(), pieceLength(notesLabel)), false)
                  : readText(record, blockEnd.line + 2, 0, !block.empty());
        session.records.push_back(std::move(record));
        return next;
    }

    void checkLabel(RecordKind kind, std::size_t line) {
        const bool exact = kind == RecordKind::response ? sameAs(content(line), responseLabel)
                                                        : beginsWith(content(line), notesLabel) ||
                                                              sameAs(content(line), trimmedLabel(notesLabel));
        if (!exact) problem(line + 1, "the label line has lost its trailing spaces: the file has been edited");
    }

    // Whether the last line of a text that runs to the end of the file is `piece` cut short.
    bool endsWithCutPiece(std::size_t first, std::size_t end, TextView piece) const {
        if (end <= first + 1) return false;
        const std::string_view last = content(end - 1);
        return !last.empty() && last.size() < piece.size() && sameAs(last, piece.substr(0, last.size()));
    }

    // Where a student's text ends: at its closing line, which the program follows with a record
    // or header start or the end of the file. Failing that (lines edited in after the record),
    // at the last closing line before the next start or the end of the file; the lines after it
    // are then reported as unreadable. No closing line at all: the text runs to the next one found
    // after a start inside it, or to the end of the file.
    struct TextEnd {
        std::size_t closing;                    // the closing line; lineCount() when there is none
        Position next;                          // where reading goes on
        std::optional<std::size_t> innerStart;  // a record or header start inside the text
    };
    // Whether the SEND file has no line end after this kind of record's closing line, so that the
    // next record or header starts on the closing line.
    static bool closingRunsOn(RecordKind kind) { return !closingLineEnds(kind, OutputFile::send); }
    bool isClosingLine(std::size_t line, RecordKind kind) const {
        return closingRunsOn(kind) ? beginsWith(content(line), closingLine) : sameAs(content(line), closingLine);
    }
    std::optional<Position> startAfterClosing(std::size_t line, RecordKind kind) const {
        if (closingRunsOn(kind)) return afterNotesClosing(line);
        if (recordMayEndBefore(line + 1)) return Position{line + 1, 0};
        return std::nullopt;
    }
    Position afterClosing(std::size_t line, RecordKind kind) const {
        if (closingRunsOn(kind) && !content(line, closingLength).empty()) return {line, closingLength};
        return {line + 1, 0};
    }
    // Whether a block or a text can end at this line: only a closing or separator line (both
    // begin with a dot) or a code line before an assignment line can. A quick look that most
    // lines fail.
    bool mayEndHere(std::size_t line) const {
        static_assert(closingLine[0] == u'.' && separatorLine[0] == u'.' && assignmentLineOpening[0] == u'a');
        const std::string_view here = content(line);
        if (!here.empty() && here.front() == '.') return true;
        if (line + 1 >= lineCount()) return false;
        const std::string_view next = content(line + 1);
        return !next.empty() && next.front() == 'a';
    }
    TextEnd findTextEnd(std::size_t first, RecordKind kind) const {
        std::optional<std::size_t> lastClosing;
        std::optional<std::size_t> innerStart;
        for (std::size_t line = first + 1; line < lineCount(); ++line) {
            if (!mayEndHere(line)) continue;
            if (isClosingLine(line, kind)) {
                if (const auto next = startAfterClosing(line, kind)) return {line, *next, innerStart};
                lastClosing = line;
            }
            if (somethingStartsAt(line)) {
                if (lastClosing) return {*lastClosing, afterClosing(*lastClosing, kind), innerStart};
                if (!innerStart) innerStart = line;
            }
        }
        if (lastClosing) return {*lastClosing, afterClosing(*lastClosing, kind), innerStart};
        return {lineCount(), {lineCount(), 0}, innerStart};
    }

    // A student's text from line `first` (from byte `column`), and for a response record the
    // rating line after it.
    Position readText(Record& record, std::size_t first, std::size_t column, bool ratingExpected) {
        if (first >= lineCount()) {
            problem(record.line, "the file ends inside this record, before its text");
            return {lineCount(), 0};
        }
        const TextEnd end = findTextEnd(first, record.kind);
        std::size_t textEnd = end.closing;
        if (end.closing >= lineCount()) {
            problem(record.line, "the file ends before this record's closing line");
            // The last line written may be the closing line or the rating line, cut short.
            if (endsWithCutPiece(first, textEnd, closingLine) ||
                (ratingExpected && (endsWithCutPiece(first, textEnd, confidenceLabel) ||
                                    endsWithCutPiece(first, textEnd, selfCritiqueLabel))))
                --textEnd;
        }
        if (end.innerStart)
            problem(*end.innerStart + 1, "the text of the record at line " + std::to_string(record.line) +
                                             " holds the start of a record or lesson header here; its closing line "
                                             "may be missing");
        if (ratingExpected && textEnd > first + 1 && readRating(record, content(textEnd - 1))) --textEnd;
        setText(record, lines_.span(first, column, textEnd), first);
        return end.next;
    }

    bool readRating(Record& record, std::string_view line) {
        if (beginsWith(line, confidenceLabel) || sameAs(line, trimmedLabel(confidenceLabel))) {
            record.confidence = decodeCp1252WithReferences(line.substr(std::min(line.size(), pieceLength(confidenceLabel))));
            return true;
        }
        if (beginsWith(line, selfCritiqueLabel) || sameAs(line, trimmedLabel(selfCritiqueLabel))) {
            record.selfCritique =
                decodeCp1252WithReferences(line.substr(std::min(line.size(), pieceLength(selfCritiqueLabel))));
            return true;
        }
        return false;
    }

    void setText(Record& record, std::string_view bytes, std::size_t first) {
        std::size_t odd = 0;
        record.text = decodeCp1252WithReferencesToUtf8(bytes, &odd);
        if (odd)
            problem(first + 1, "the text holds " + std::to_string(odd) +
                                   (odd == 1 ? " byte that is" : " bytes that are") + " not text (control codes), kept as they are");
    }

    const LineTable lines_;
    HandinFile& file_;
    const KnownAssignments& known_;
    int lastBlock_ = -1;  // the script index of the session's last record identified
    bool reportedLineEnds_ = false;
    bool reportedMasterForm_ = false;
};

// Whether the bytes hold a character reference as encodeCp1252 writes them ("&#916;").
bool holdsCharacterReference(std::string_view bytes) {
    for (std::size_t at = bytes.find("&#"); at != std::string_view::npos; at = bytes.find("&#", at + 2)) {
        std::size_t end = at + 2;
        while (end < bytes.size() && bytes[end] >= '0' && bytes[end] <= '9') ++end;
        if (end > at + 2 && end < bytes.size() && bytes[end] == ';') return true;
    }
    return false;
}

// A file a student opened and saved again in an editor that writes UTF-8: it holds characters
// past ASCII, all of them well-formed UTF-8, and none written as a reference, which the student
// program writes for every character that Windows-1252 cannot hold. Text in Windows-1252 is
// hardly ever well-formed UTF-8 as well: an accented letter would have to be followed by one or
// two of the bytes 80-BF, which are symbols and quotes, every time.
bool reSavedAsUtf8(std::string_view bytes) {
    const bool pastAscii = std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    return pastAscii && !firstUtf8Error(bytes) && !holdsCharacterReference(bytes);
}

}  // namespace

HandinFile parseHandin(std::string_view bytes, std::string path) {
    return parseHandin(bytes, std::move(path), KnownAssignments::builtinOnly());
}

HandinFile parseHandin(std::string_view bytes, std::string path, const KnownAssignments& known) {
    HandinFile file;
    file.path = std::move(path);
    // What the name says about the student is the caller's to judge (a file given by another name
    // may still be read); the problems here are those of the content.
    if (auto name = parseHandinName(file.path)) file.name = std::move(*name);
    file.sizeRead = bytes.size();
    if (bytes.empty()) {
        file.problems.push_back({file.path, 0, "the file is empty (0 bytes)"});
        return file;
    }
    // Read again as the student program wrote it: the same characters in Windows-1252 and
    // references, on the same lines.
    std::string asWritten;
    if (reSavedAsUtf8(bytes)) {
        constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
        if (bytes.substr(0, byteOrderMark.size()) == byteOrderMark) bytes.remove_prefix(byteOrderMark.size());
        asWritten = encodeCp1252(decodeUtf8(bytes).text);
        bytes = asWritten;
        file.problems.push_back({file.path, 0, "the file has been saved again in UTF-8, not in the student program's "
                                               "Windows-1252; read as UTF-8"});
    }
    HandinParser(bytes, file, known).run();
    return file;
}

}  // namespace stepwise::handin
