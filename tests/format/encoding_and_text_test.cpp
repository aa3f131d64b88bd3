#include <gtest/gtest.h>

#include "format/cp1252.h"
#include "system/path_mapping.h"
#include "format/text.h"
#include "format/utf8.h"
#include "records/line_writer.h"

namespace stepwise {
namespace {

TEST(Cp1252, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    const Text text = decodeCp1252(all);
    ASSERT_EQ(text.size(), 256u);
    EXPECT_EQ(encodeCp1252(text), all);
    EXPECT_EQ(text[0x80], u'\u20AC');
    EXPECT_EQ(text[0x96], u'\u2013');
    EXPECT_EQ(text[0xE9], u'\u00E9');
}

TEST(Cp1252, CharactersOutsideTheCodePageBecomeCharacterReferences) {
    EXPECT_EQ(encodeCp1252(u"\u0394v \u2248 5 \u221A2 \u03C0"), "&#916;v &#8776; 5 &#8730;2 &#960;");
    EXPECT_EQ(encodeCp1252(u"smile \U0001F600!"), "smile &#128512;!");
    EXPECT_EQ(encodeCp1252(u"caf\u00E9 \u20AC5"), "caf\xE9 \x80" "5");
    EXPECT_EQ(encodeCp1252(u"\u0085"), "&#133;") << "a control character the code page replaced";
}

TEST(Cp1252, FitsExactlyWhenNoCharacterNeedsAReference) {
    const std::vector<std::pair<Text, bool>> cases = {
        {u"", true},
        {u"caf\u00E9 \u20AC5 \u2013 x\u00D7y \u0178", true},
        {u"\u221A2", false},
        {u"ends in \u03C0", false},
        {u"\U0001F600", false},
        {Text(1, u'\xD800'), false},
        {u"\u0085", false},
        {u"\u0081", true},
    };
    for (const auto& [text, fits] : cases) {
        EXPECT_EQ(fitsCp1252(text), fits) << toUtf8(text);
        EXPECT_EQ(encodeCp1252(text).find("&#") == std::string::npos, fits) << toUtf8(text) << " as the writer sees it";
    }
}

// Long answers are decoded straight to UTF-8; the text must be the one the step through UTF-16
// gives, references to halves of surrogate pairs and references never written included; and the
// bytes that are no text are counted as one byte at a time counts them, wherever they stand.
TEST(Cp1252, DecodingStraightToUtf8GivesTheSameText) {
    const std::string pieces[] = {"a", "word ", "\xE9", "\x80", "\x81", "\xFF", "&#916;", "&#128512;", "&#55357;",
                                  "&#56832;", "&#65;", "&#0916;", "&#99999999;", "&#", ";", "&", "#", "\r\n", "\x01",
                                  "\t", "\x7F", "\x9D", "\x1F"};
    const auto notText = [](const std::string& bytes) {
        std::size_t count = 0;
        for (const char b : bytes) {
            const auto c = static_cast<unsigned char>(b);
            count += (c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F || c == 0x81 || c == 0x8D ||
                     c == 0x8F || c == 0x90 || c == 0x9D;
        }
        return count;
    };
    unsigned seed = 7;
    for (int round = 0; round < 5000; ++round) {
        std::string bytes;
        const std::size_t count = (seed = seed * 1103515245 + 12345) >> 16 & 127;
        for (std::size_t i = 0; i < count; ++i) {
            seed = seed * 1103515245 + 12345;
            const unsigned pick = seed >> 16 & 255;
            bytes += pick < 128 ? pieces[0] : pieces[pick % std::size(pieces)];
        }
        std::size_t odd = 0;
        ASSERT_EQ(decodeCp1252WithReferencesToUtf8(bytes, &odd), encodeUtf8(decodeCp1252WithReferences(bytes))) << bytes;
        ASSERT_EQ(odd, notText(bytes)) << bytes;
    }
}

TEST(TextHelpers, FollowTheLessonsPositionRules) {
    EXPECT_EQ(leftText(u"abc", 8), u"abc");
    EXPECT_EQ(leftText(u"abcdef", 2), u"ab");
    EXPECT_EQ(midText(u"`routine graph1", 10), u"graph1");
    EXPECT_EQ(midText(u"`routine ", 10), u"");
    EXPECT_EQ(midText(u"abc", 1), u"abc");
    EXPECT_EQ(lowerCase(u"`ROUTINE ExitProg \u00C9\u00D7"), u"`routine exitprog \u00E9\u00D7");
    EXPECT_EQ(numericValue(u"003."), 3);
    EXPECT_EQ(numericValue(u"  12abc"), 12);
    EXPECT_EQ(numericValue(u""), 0);
    EXPECT_EQ(numericValue(u"abc"), 0);
    EXPECT_EQ(numericValue(u"-4.5x"), -4.5);
}

TEST(TextHelpers, FirstLineEndsAtAnyLineBreak) {
    EXPECT_EQ(firstLine(u"2\nsure"), u"2");
    EXPECT_EQ(firstLine(u"3\r"), u"3");
    EXPECT_EQ(firstLine(u"Ann Lee\r\nsecond"), u"Ann Lee");
    EXPECT_EQ(firstLine(u"\nafter"), u"");
    EXPECT_EQ(firstLine(u"one line \u20AC"), u"one line \u20AC");
    EXPECT_EQ(firstLine(u""), u"");
}

TEST(TextHelpers, EveryLineBreakBecomesCrLf) {
    EXPECT_EQ(withCrLfBreaks(u"a\r\nb"), u"a\r\nb");
    EXPECT_EQ(withCrLfBreaks(u"a\nb\rc"), u"a\r\nb\r\nc");
    EXPECT_EQ(withCrLfBreaks(u"\r\r\n\n"), u"\r\n\r\n\r\n");
    EXPECT_EQ(withCrLfBreaks(u"\n\r"), u"\r\n\r\n");
    EXPECT_EQ(withCrLfBreaks(u"no break \u00E9"), u"no break \u00E9");
}

TEST(LineWriter, JoinsItemsAndWritesNumbersBetweenSpaces) {
    EXPECT_EQ(formatLine({u"`questionNumber", 10003.0}), u"`questionNumber 10003 \r\n");
    EXPECT_EQ(formatLine({u"a", u"b"}, LineEnd::None), u"ab");
    EXPECT_EQ(formatLine({-5.0}), u"-5 \r\n");
    EXPECT_EQ(formatLine({0.5}), u" .5 \r\n");
    EXPECT_EQ(formatLine({u"line\r\nbreak"}), u"line\r\nbreak\r\n");
    EXPECT_EQ(formatLine({u"lone\nlf", u" and lone\r"}), u"lone\r\nlf and lone\r\n\r\n");
    EXPECT_EQ(formatLine({u"split\r", u"\npair"}, LineEnd::None), u"split\r\npair");
    EXPECT_EQ(formatLine({}), u"\r\n");
}

#ifndef _WIN32
TEST(PathMapping, ADriveLetterStandsForTheRootAndBackslashesSeparate) {
    const std::filesystem::path root = "/home/ann";
    EXPECT_EQ(mapPath(u"c:\\qwelrand", root), "/home/ann/qwelrand");
    EXPECT_EQ(mapPath(u"C:\\qwelrand\\masterFile_Ann_Lee.txt", root), "/home/ann/qwelrand/masterFile_Ann_Lee.txt");
    EXPECT_EQ(mapPath(u"c:\\qwelrand\\\\send_1207Ann_Lee.txt", root).lexically_normal(),
              "/home/ann/qwelrand/send_1207Ann_Lee.txt");
    EXPECT_EQ(mapPath(u"c:", root), "/home/ann");
    EXPECT_EQ(mapPath(u"/tmp/out", root), "/tmp/out");
    EXPECT_EQ(mapPath(u"\\tmp\\out", root), "/tmp/out");
    EXPECT_EQ(mapPath(u"c:\\Zo\u00EB", root), std::filesystem::path("/home/ann/Zo\xC3\xAB"));
}
#endif

// Messages name a path as the student's system names it, with one kind of separator.
TEST(PathMapping, PathsAreShownAsTheSystemNamesThem) {
    struct Case {
        Text formed, shown;
    };
#ifdef _WIN32
    const std::filesystem::path root;  // the real drive
    const Case cases[] = {
        {u"c:\\qwelrand\\masterFile_Ann_Lee.txt", u"c:\\qwelrand\\masterFile_Ann_Lee.txt"},
        {u"c:/work/stepwise\\send_1207Ann_Lee.txt", u"c:\\work\\stepwise\\send_1207Ann_Lee.txt"},
        {u"c:\\work\\\\notes_Ann_Lee.txt", u"c:\\work\\notes_Ann_Lee.txt"},
        {u"\\\\server\\share\\m.txt", u"\\\\server\\share\\m.txt"},
    };
#else
    const std::filesystem::path root = "/home/ann";
    const Case cases[] = {
        {u"c:\\qwelrand\\masterFile_Ann_Lee.txt", u"/home/ann/qwelrand/masterFile_Ann_Lee.txt"},
        {u"/srv/course\\send_1207Ann_Lee.txt", u"/srv/course/send_1207Ann_Lee.txt"},
        {u"c:\\work\\\\notes_Zo\u00EB.txt", u"/home/ann/work/notes_Zo\u00EB.txt"},
        {u"relative/folder\\m.txt", u"relative/folder/m.txt"},
    };
#endif
    for (const Case& c : cases) EXPECT_EQ(toUtf8(displayPath(c.formed, root)), toUtf8(c.shown));
}

}  // namespace
}  // namespace stepwise
