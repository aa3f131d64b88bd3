#include <gtest/gtest.h>

#include "platform/system/cp1252.h"
#include "platform/system/path_mapping.h"
#include "platform/text.h"
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

TEST(LineWriter, JoinsItemsAndWritesNumbersBetweenSpaces) {
    EXPECT_EQ(formatLine({u"`questionNumber", 10003.0}), u"`questionNumber 10003 \r\n");
    EXPECT_EQ(formatLine({u"a", u"b"}, LineEnd::None), u"ab");
    EXPECT_EQ(formatLine({-5.0}), u"-5 \r\n");
    EXPECT_EQ(formatLine({0.5}), u" .5 \r\n");
    EXPECT_EQ(formatLine({u"line\r\nbreak"}), u"line\r\nbreak\r\n");
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

}  // namespace
}  // namespace stepwise
