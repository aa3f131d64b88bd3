#pragma once
// Long paragraphs shown in a multi-line edit control with their line breaks already in.
//
// The edit control lays a paragraph out again from each of its lines to the paragraph's end, so
// showing a paragraph takes time growing with the square of its length: the notes viewer, which
// runs a notes file together into one paragraph, froze the window for minutes on a notes file of a
// few hundred kilobytes. Broken beforehand into lines of the box's width, joined by the edit
// control's own mark for a line that word wrap broke (CR CR LF, a "soft" break), every paragraph
// the control sees is one line long, and a text of any content takes time in proportion to its
// length. The lines break where the control's word wrap breaks them: after the last space that
// fits; a word wider than the box breaks where the box ends.
//
// The soft breaks belong to the box, not to the text: SoftBreaks remembers where it put them,
// follows them through the student's edits, and leaves them out of the text read back and of the
// text copied from the box.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace stepwise::win32 {

inline constexpr std::wstring_view softBreak = L"\r\r\n";
// Paragraphs up to this many code units are left to the control's word wrap, which shows them in
// a few milliseconds.
inline constexpr std::size_t longParagraph = 1024;

// How many of the text's leading code units fit on one line of the box.
using LineFit = std::function<std::size_t(std::wstring_view text)>;

class SoftBreaks {
public:
    // The text to put into the box: the text with soft breaks in each paragraph longer than
    // longParagraph. Forgets the breaks of the text shown before.
    std::wstring show(std::wstring_view text, const LineFit& fit);

    // The box's text now, without the soft breaks that are still where they were put; the text a
    // student's edits brought into the box stays as it is.
    std::wstring read(std::wstring_view now);
    // The code units [from, to) of the box's text now, without soft breaks: what a copy takes.
    std::wstring readPart(std::wstring_view now, std::size_t from, std::size_t to);

    // Where a position of the text (as read() gives it) lies in the box's text now: past the soft
    // breaks before it, and past a soft break that starts there, at the start of the next line.
    // A position past the end gives the end.
    std::size_t shownPosition(std::wstring_view now, std::size_t textPosition);

    // Whether the box holds soft breaks; without them the box's text is the text itself.
    bool any() const { return !breaks_.empty(); }

private:
    // Moves the breaks to where edits since the last show or read left them in `now`.
    void follow(std::wstring_view now);

    std::wstring shown_;
    std::vector<std::size_t> breaks_;  // where each soft break starts in shown_, in order
};

}  // namespace stepwise::win32
