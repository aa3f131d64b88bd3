#include <gtest/gtest.h>

#include "format/utf8.h"

namespace stepwise {
namespace {

// Every form that is not well-formed UTF-8 is reported at the sequence where it starts; the text
// is what the program has always made of such bytes, so that callers that go on keep their output.
TEST(Utf8, MalformedInputIsReportedAtItsFirstBadSequence) {
    using enum Utf8Fault;
    struct Case {
        const char* what;
        std::string bytes;
        int offset;  // -1: well-formed
        Utf8Fault fault;
        Text text;
    };
    const Case cases[] = {
        {"two, three and four bytes", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", -1, {}, u"\u00E9\u20AC\U0001F600"},
        {"the last code point", "\xF4\x8F\xBF\xBF", -1, {}, u"\U0010FFFF"},
        {"either side of the surrogates", "\xED\x9F\xBF\xEE\x80\x80", -1, {}, u"\uD7FF\uE000"},
        {"overlong NUL", "\xC0\x80", 0, overlong, Text(1, u'\0')},
        {"overlong from C1", "a\xC1\xBF", 1, overlong, u"a\u007F"},
        {"overlong in three bytes", "\xE0\x9F\xBF", 0, overlong, u"\u07FF"},
        {"overlong in four bytes", "\xF0\x8F\xBF\xBF", 0, overlong, u"\uFFFF"},
        {"high surrogate", "\xED\xA0\x80", 0, surrogate, Text(1, char16_t(0xD800))},
        {"low surrogate", "x\xED\xBF\xBF", 1, surrogate, u"x" + Text(1, char16_t(0xDFFF))},
        {"a pair encoded half by half", "\xED\xA0\xBD\xED\xB8\x80", 0, surrogate, u"\U0001F600"},
        {"just past U+10FFFF", "\xF4\x90\x80\x80", 0, pastUnicode, {char16_t(0xDC00), char16_t(0xDC00)}},
        {"lead byte F5", "\xF5\x80\x80\x80", 0, pastUnicode, {char16_t(0xDCC0), char16_t(0xDC00)}},
        {"cut short by the end", "ab\xE2\x82", 2, cutShort, u"ab\uFFFD"},
        {"a lone lead byte at the end", "\xC3", 0, cutShort, u"\uFFFD"},
        {"stray continuation byte", "a\x80" "b", 1, strayContinuation, u"a\uFFFDb"},
        {"bytes that lead nothing", "\xFF\xF8", 0, notALeadByte, u"\uFFFD\uFFFD"},
        {"a continuation byte missing", "\xC3(x", 0, badContinuation, u"\u00E8x"},
        {"a continuation missing where the bytes end", "\xE2(", 0, badContinuation, u"\uFFFD"},
        {"only the first of several faults", "ok\x80\xC0\x80", 2, strayContinuation, u"ok\uFFFD" + Text(1, u'\0')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const DecodedUtf8 decoded = decodeUtf8(c.bytes);
        EXPECT_EQ(decoded.text, c.text);
        EXPECT_EQ(fromUtf8(c.bytes), c.text);
        const std::optional<Utf8Error> first = firstUtf8Error(c.bytes);
        ASSERT_EQ(decoded.error.has_value(), c.offset >= 0);
        ASSERT_EQ(first.has_value(), c.offset >= 0);
        if (c.offset < 0) {
            EXPECT_EQ(encodeUtf8(decoded.text), c.bytes);
            continue;
        }
        EXPECT_EQ(decoded.error->offset, static_cast<std::size_t>(c.offset));
        EXPECT_EQ(decoded.error->fault, c.fault);
        EXPECT_EQ(first->offset, decoded.error->offset);
        EXPECT_EQ(first->fault, decoded.error->fault);
    }
}

// A lone surrogate has no UTF-8: reports show U+FFFD, file names keep its own three bytes, which
// read back as the same text.
TEST(Utf8, LoneSurrogatesAreReplacedOrKeptAsAsked) {
    const Text lone = u"a" + Text(1, char16_t(0xD83D)) + u"b" + Text(1, char16_t(0xDE00));
    EXPECT_EQ(encodeUtf8(lone), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
    EXPECT_EQ(toUtf8(lone), "a\xED\xA0\xBD" "b\xED\xB8\x80");
    EXPECT_EQ(fromUtf8(toUtf8(lone)), lone);
    EXPECT_EQ(encodeUtf8(u"\U0001F600\u0394\u00E9"), "\xF0\x9F\x98\x80\xCE\x94\xC3\xA9");
}

}  // namespace
}  // namespace stepwise
