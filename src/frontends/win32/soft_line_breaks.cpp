#include "frontends/win32/soft_line_breaks.h"

#include <algorithm>

namespace stepwise::win32 {

namespace {

// The first slice of a paragraph measured for one line; doubled while all of it fits.
constexpr std::size_t firstSlice = 256;

bool isSpace(wchar_t c) { return c == L' ' || c == L'\t'; }
bool isLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// How many leading code units fit, measuring no more of the paragraph than one line needs.
std::size_t fittingLength(std::wstring_view rest, const LineFit& fit) {
    for (std::size_t slice = firstSlice;; slice *= 2) {
        const std::size_t measured = std::min(slice, rest.size());
        const std::size_t fits = std::min(fit(rest.substr(0, measured)), measured);
        if (fits < measured || measured == rest.size()) return fits;
    }
}

// The length of the paragraph's next line.
std::size_t lineLength(std::wstring_view rest, const LineFit& fit) {
    const std::size_t fits = fittingLength(rest, fit);
    if (fits >= rest.size()) return rest.size();
    // The line ends after the last space that fits: a word goes to the next line unless it fits with
    // the space after it, since the control counts a line's trailing spaces into its width.
    std::size_t wordStart = fits;
    while (wordStart > 0 && !isSpace(rest[wordStart - 1])) --wordStart;
    if (wordStart > 0) return wordStart;
    // A word wider than the line: it breaks where the line ends, never inside a surrogate pair.
    std::size_t cut = std::max<std::size_t>(fits, 1);
    if (cut < rest.size() && isLowSurrogate(rest[cut])) cut = cut > 1 ? cut - 1 : cut + 1;
    return std::min(cut, rest.size());
}

void appendWrapped(std::wstring& shown, std::vector<std::size_t>& breaks, std::wstring_view paragraph,
                   const LineFit& fit) {
    while (!paragraph.empty()) {
        const std::size_t length = lineLength(paragraph, fit);
        shown += paragraph.substr(0, length);
        paragraph.remove_prefix(length);
        if (paragraph.empty()) break;
        breaks.push_back(shown.size());
        shown += softBreak;
    }
}

// Where the marks CR CR LF start in the text, in order.
std::vector<std::size_t> marksIn(std::wstring_view text, std::size_t from, std::size_t to) {
    std::vector<std::size_t> marks;
    for (std::size_t at = text.substr(0, to).find(softBreak, from); at != std::wstring_view::npos;
         at = text.substr(0, to).find(softBreak, at + softBreak.size()))
        marks.push_back(at);
    return marks;
}

std::size_t commonPrefix(std::wstring_view a, std::wstring_view b) {
    return static_cast<std::size_t>(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
}

std::size_t commonSuffix(std::wstring_view a, std::wstring_view b, std::size_t limit) {
    std::size_t length = 0;
    while (length < limit && a[a.size() - 1 - length] == b[b.size() - 1 - length]) ++length;
    return length;
}

}  // namespace

std::wstring SoftBreaks::show(std::wstring_view text, const LineFit& fit) {
    shown_.clear();
    breaks_.clear();
    shown_.reserve(text.size() + text.size() / 16);
    while (!text.empty()) {
        // A paragraph ends at a line feed, or at the CR LF pair the control breaks its lines at.
        const std::size_t end = std::min(text.find(L'\n'), text.size());
        const std::size_t contentEnd = end > 0 && end < text.size() && text[end - 1] == L'\r' ? end - 1 : end;
        const std::wstring_view paragraph = text.substr(0, contentEnd);
        if (paragraph.size() > longParagraph)
            appendWrapped(shown_, breaks_, paragraph, fit);
        else
            shown_ += paragraph;
        shown_ += text.substr(contentEnd, end + 1 - contentEnd);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    std::wstring result = shown_;
    if (breaks_.empty()) shown_.clear();  // nothing to follow: the box's text is the text
    return result;
}

void SoftBreaks::follow(std::wstring_view now) {
    if (breaks_.empty() || now == shown_) return;
    const std::wstring_view before = shown_;
    std::size_t changeStart = commonPrefix(before, now);
    std::size_t beforeEnd =
        before.size() - commonSuffix(before, now, std::min(before.size(), now.size()) - changeStart);
    // A soft break that the changed part cuts into belongs to the changed part as a whole.
    for (std::size_t at : breaks_) {
        if (at < changeStart && changeStart < at + softBreak.size()) changeStart = at;
        if (at < beforeEnd && beforeEnd < at + softBreak.size()) beforeEnd = at + softBreak.size();
    }
    const std::size_t nowEnd = now.size() - (before.size() - beforeEnd);

    std::vector<std::size_t> kept;
    for (std::size_t at : breaks_)
        if (at + softBreak.size() <= changeStart) kept.push_back(at);
    // In the changed part, a mark CR CR LF is only known for a soft break when the edits left the
    // number of marks there as it was: the marks keep their order, so each is what it was before.
    // Otherwise every mark there stays in the text, which then shows the lines as the box did.
    const std::vector<std::size_t> marksBefore = marksIn(before, changeStart, beforeEnd);
    const std::vector<std::size_t> marksNow = marksIn(now, changeStart, nowEnd);
    if (marksBefore.size() == marksNow.size())
        for (std::size_t i = 0; i < marksNow.size(); ++i)
            if (std::binary_search(breaks_.begin(), breaks_.end(), marksBefore[i])) kept.push_back(marksNow[i]);
    for (std::size_t at : breaks_)
        if (at >= beforeEnd) kept.push_back(at - beforeEnd + nowEnd);

    breaks_ = std::move(kept);
    shown_ = breaks_.empty() ? std::wstring{} : std::wstring(now);
}

std::size_t SoftBreaks::shownPosition(std::wstring_view now, std::size_t textPosition) {
    follow(now);
    std::size_t at = textPosition;
    for (std::size_t mark : breaks_) {
        if (mark > at) break;
        at += softBreak.size();
    }
    return std::min(at, now.size());
}

std::wstring SoftBreaks::read(std::wstring_view now) { return readPart(now, 0, now.size()); }

std::wstring SoftBreaks::readPart(std::wstring_view now, std::size_t from, std::size_t to) {
    follow(now);
    to = std::min(to, now.size());
    from = std::min(from, to);
    std::wstring part;
    part.reserve(to - from);
    std::size_t at = from;
    for (std::size_t mark : breaks_) {
        if (mark + softBreak.size() <= at) continue;
        if (mark >= to) break;
        part += now.substr(at, std::max(mark, at) - at);
        at = std::min(mark + softBreak.size(), to);
    }
    part += now.substr(at, to - at);
    return part;
}

}  // namespace stepwise::win32
