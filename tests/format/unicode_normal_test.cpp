#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "format/unicode_normal.h"

namespace stepwise {
namespace {

TEST(UnicodeNfc, EachSpellingComposesAndDecomposes) {
    struct Case {
        const char* what;
        std::u32string text, nfc, nfd;
    };
    const Case cases[] = {
        {"plain letters", U"Ann Lee", U"Ann Lee", U"Ann Lee"},
        {"e and a combining diaeresis", U"Zoe\u0308", U"Zo\u00EB", U"Zoe\u0308"},
        {"precomposed e with acute", U"Zo\u00E9", U"Zo\u00E9", U"Zoe\u0301"},
        {"marks out of class order", U"e\u0302\u0323", U"\u1EC7", U"e\u0323\u0302"},
        {"marks reordered with nothing to compose", U"q\u0307\u0323", U"q\u0323\u0307", U"q\u0323\u0307"},
        {"a mark of lower class does not block", U"a\u0316\u0301", U"\u00E1\u0316", U"a\u0316\u0301"},
        {"a mark of the same class blocks", U"a\u0346\u0301", U"a\u0346\u0301", U"a\u0346\u0301"},
        {"a mark before any starter", U"\u0301e", U"\u0301e", U"\u0301e"},
        {"Hangul syllable with a trailing consonant", U"\uD55C", U"\uD55C", U"\u1112\u1161\u11AB"},
        {"Hangul leading and vowel jamo", U"\u1100\u1161", U"\uAC00", U"\u1100\u1161"},
        {"Hangul syllable and a trailing consonant", U"\uAC00\u11A8", U"\uAC01", U"\u1100\u1161\u11A8"},
        {"Hangul trailing consonant after a full syllable", U"\uAC01\u11A8", U"\uAC01\u11A8",
         U"\u1100\u1161\u11A8\u11A8"},
        {"U+11A7 is no trailing consonant", U"\u1100\u1161\u11A7", U"\uAC00\u11A7", U"\u1100\u1161\u11A7"},
        {"composition exclusion", U"\u0958", U"\u0915\u093C", U"\u0915\u093C"},
        {"decomposition of a non-starter", U"\u0F73", U"\u0F71\u0F72", U"\u0F71\u0F72"},
        {"ANGSTROM SIGN", U"\u212B", U"\u00C5", U"A\u030A"},
        {"OHM SIGN", U"\u2126", U"\u03A9", U"\u03A9"},
        {"Greek capital alpha with oxia", U"\u1FBB", U"\u0386", U"\u0391\u0301"},
        {"Greek three marks", U"\u03B1\u0345\u0313\u0300", U"\u1F82", U"\u03B1\u0313\u0300\u0345"},
        {"two starters that compose", U"\u0B47\u0B3E", U"\u0B4B", U"\u0B47\u0B3E"},
        {"beyond the first plane", U"\U00011099\U000110BA", U"\U0001109A", U"\U00011099\U000110BA"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(toNfc(c.text), c.nfc);
        EXPECT_EQ(toNfd(c.text), c.nfd);
        EXPECT_EQ(toNfc(c.nfd), c.nfc);
    }
}

TEST(UnicodeFold, EachCharacterFoldsToOneCharacter) {
    struct Case {
        const char* what;
        char32_t c, folded;
    };
    const Case cases[] = {
        {"A", U'A', U'a'},
        {"sharp s", U'\u00DF', U'\u00DF'},
        {"capital sharp s", U'\u1E9E', U'\u00DF'},
        {"capital sigma", U'\u03A3', U'\u03C3'},
        {"final sigma", U'\u03C2', U'\u03C3'},
        {"capital I with dot above", U'\u0130', U'\u0130'},
        {"dotless i", U'\u0131', U'\u0131'},
        {"I", U'I', U'i'},
        {"Cherokee capital", U'\u13A0', U'\u13A0'},
        {"Cherokee small", U'\uAB70', U'\u13A0'},
        {"Cherokee small ye", U'\u13F8', U'\u13F0'},
        {"KELVIN SIGN", U'\u212A', U'k'},
        {"long s", U'\u017F', U's'},
        {"capital alpha with prosgegrammeni", U'\u1FBC', U'\u1FB3'},
        {"ypogegrammeni", U'\u0345', U'\u03B9'},
        {"A with macron", U'\u0100', U'\u0101'},
        {"a with macron, between two capitals", U'\u0101', U'\u0101'},
        {"i with ogonek, end of that run", U'\u012E', U'\u012F'},
        {"Y with diaeresis", U'\u0178', U'\u00FF'},
        {"Deseret", U'\U00010400', U'\U00010428'},
        {"Adlam, the last run", U'\U0001E921', U'\U0001E943'},
        {"past the last run", U'\U0001E922', U'\U0001E922'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(simpleCaseFold(c.c), c.folded);
    }
    EXPECT_EQ(caseFold(U"\u039F\u0394\u03A5\u03A3\u03A3\u0395\u03A5\u03A3 STRA\u1E9EE"),
              U"\u03BF\u03B4\u03C5\u03C3\u03C3\u03B5\u03C5\u03C3 stra\u00DFe");
}

TEST(UnicodeIdentity, NamesAreOneStudentsOnlyWhenTheyDifferInCaseOrSpelling) {
    struct Case {
        std::u32string a, b;
        bool same;
    };
    const Case cases[] = {
        {U"ZO\u00CB", U"zo\u00EB", true},
        {U"Zoe\u0308", U"zo\u00EB", true},
        {U"Zo\u00EB", U"Zo\u00E9", false},
        {U"Zo\u00EB", U"Zoe", false},
        {U"STRASSE", U"stra\u00DFe", false},
        {U"STRA\u1E9EE", U"stra\u00DFe", true},
        {U"\u039F\u0394\u03A5\u03A3\u03A3\u0395\u03A5\u03A3", U"\u03BF\u03B4\u03C5\u03C3\u03C3\u03B5\u03C5\u03C2", true},
        {U"\u0386\u03BD\u03BD\u03B1", U"\u03AC\u03BD\u03BD\u03B1", true},
        {U"\u0391\u03BD\u03BD\u03B1", U"\u03AC\u03BD\u03BD\u03B1", false},
        // Folding leaves "j" U+030C, which composes into U+01F0.
        {U"J\u030C", U"\u01F0", true},
        // The ypogegrammeni folds to iota before NFC can compose it into U+1FB4, which does not fold.
        {U"\u0386\u0345", U"\u1FB4", true},
        {U"\u0130", U"I\u0307", true},
        {U"\u0130", U"i\u0307", true},
        {U"\u0130", U"i", false},
        {U"\u0131", U"i", false},
        {U"I", U"i", true},
        {U"\u13E3\u13B3\u13A9", U"\uABB3\uAB83\uAB79", true},
        {U"\u212Bngstr\u00F6m", U"\u00E5ngstro\u0308m", true},
        {U"\uD55C", U"\u1112\u1161\u11AB", true},
        {U"\u212Aim", U"KIM", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.a) + " and " + testing::PrintToString(c.b));
        EXPECT_EQ(identityKey(c.a) == identityKey(c.b), c.same);
    }
    EXPECT_EQ(identityKey(U"ZOE\u0308"), U"zo\u00EB") << "the key is composed";
}

TEST(UnicodeIdentity, Utf16NamesKeepTheirSurrogates) {
    EXPECT_EQ(identityKey(u"ZO\u00CB \U00010400"), u"zo\u00EB \U00010428");
    const Text unpaired{u'A', char16_t{0xD800}, u'B'};
    EXPECT_EQ(identityKey(unpaired), (Text{u'a', char16_t{0xD800}, u'b'}));
}

TEST(UnicodeIdentity, TheKeyOfEveryCharacterIsItsOwnKey) {
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        const std::u32string key = identityKey(std::u32string(1, c));
        if (identityKey(key) != key) ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned long>(c);
    }
}

// Unicode's own test of normalization, NormalizationTest.txt of the version of the tables. Debian's
// unicode-data installs it compressed; STEPWISE_NORMALIZATION_TEST names an uncompressed copy.
TEST(UnicodeNfc, NormalizationTestFile) {
    const char* named = std::getenv("STEPWISE_NORMALIZATION_TEST");
    const std::string path = named ? named : "/usr/share/unicode/NormalizationTest.txt";
    std::ifstream file(path);
    if (!file) GTEST_SKIP() << "no " << path;

    const auto codePoints = [](const std::string& field) {
        std::u32string text;
        std::istringstream hex(field);
        unsigned long c = 0;
        while (hex >> std::hex >> c) text += static_cast<char32_t>(c);
        return text;
    };
    std::set<char32_t> listedInPart1;
    std::string part;
    int lines = 0;
    int failures = 0;
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '@') {
            part = line.substr(0, line.find(' '));
            continue;
        }
        std::vector<std::u32string> c;
        std::istringstream fields(line);
        for (std::string field; c.size() < 5 && std::getline(fields, field, ';');) c.push_back(codePoints(field));
        ASSERT_EQ(c.size(), 5u) << "line " << number;
        ++lines;
        if (part == "@Part1" && c[0].size() == 1) listedInPart1.insert(c[0][0]);
        const bool ok = toNfc(c[0]) == c[1] && toNfc(c[1]) == c[1] && toNfc(c[2]) == c[1] && toNfc(c[3]) == c[3] &&
                        toNfc(c[4]) == c[3] && toNfd(c[0]) == c[2] && toNfd(c[1]) == c[2] && toNfd(c[2]) == c[2] &&
                        toNfd(c[3]) == c[4] && toNfd(c[4]) == c[4];
        if (!ok && ++failures <= 10) ADD_FAILURE() << "line " << number << ": " << line;
    }
    EXPECT_GT(lines, 10000);
    EXPECT_FALSE(listedInPart1.empty());
    // Every character that part 1 does not list is its own NFC and NFD.
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (listedInPart1.count(c)) continue;
        const std::u32string alone(1, c);
        if ((toNfc(alone) != alone || toNfd(alone) != alone) && ++failures <= 10)
            ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned long>(c) << " changed";
    }
}

}  // namespace
}  // namespace stepwise
