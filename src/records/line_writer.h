#pragma once
// Every line of an output file is one write of a list of items: texts as they stand, numbers in
// general format with a space before (a minus sign when negative) and a space after. A line break
// inside a text is written as CR LF, whatever form it came in, so every CR and every LF in the
// files belongs to a CR LF pair.
#include <initializer_list>
#include <variant>

#include "platform/platform.h"
#include "format/text.h"

namespace stepwise {

class LineItem {
public:
    LineItem(Text text) : value_(std::move(text)) {}
    LineItem(const char16_t* text) : value_(Text(text)) {}
    LineItem(double number) : value_(number) {}

    void appendTo(Text& line) const;

private:
    std::variant<Text, double> value_;
};

enum class LineEnd { CrLf, None };

// The items joined, with CR LF after them unless the line asks for no line end.
Text formatLine(std::initializer_list<LineItem> items, LineEnd end = LineEnd::CrLf);

void writeLine(Platform& platform, int fileNumber, std::initializer_list<LineItem> items, LineEnd end = LineEnd::CrLf);

}  // namespace stepwise
