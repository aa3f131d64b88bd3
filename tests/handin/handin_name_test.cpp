#include <gtest/gtest.h>

#include <fstream>

#include "handin/handin_file.h"
#include "support/temp_dir.h"

namespace stepwise::handin {
namespace {

TEST(HandinName, TheStudentAndTheDayComeFromTheFileName) {
    struct Case {
        std::string fileName;
        std::optional<HandinName> expected;
    };
    const Case cases[] = {
        {"send_1207Ann_Lee.txt", HandinName{u"Ann Lee", 12, 7}},
        {"SEND_0101ann.TXT", HandinName{u"ann", 1, 1}},
        {"Send_0229_Ann_Lee_.Txt", HandinName{u" Ann Lee ", 2, 29}},  // spaces typed around the name
        {"send_1207.txt", HandinName{u"", 12, 7}},                    // the name prompt cancelled
        {"send_1207Zo\xC3\xAB_Stra\xC3\x9F" "e.txt", HandinName{u"Zo\u00EB Stra\u00DFe", 12, 7}},
        {"send_1207Zo\xEB.txt", HandinName{u"Zo\u00EB", 12, 7}},      // not UTF-8: Windows-1252
        {"send_1207Zo\xEB\xC3\xAB.txt", HandinName{u"Zo\u00EB\u00C3\u00AB", 12, 7}},  // both: every byte kept
        {"send_1207Zoe\xCC\x88.txt", HandinName{u"Zo\u00EB", 12, 7}},  // decomposed, as macOS writes it
        {"send_0931Ann.txt", HandinName{u"Ann", 0, 0}},  // no 31 September
        {"send_1300Ann.txt", HandinName{u"Ann", 0, 0}},
        {"send_Ann.txt", HandinName{u"Ann", 0, 0}},
        {"send_12Ann.txt", HandinName{u"12Ann", 0, 0}},
        {"/class/week 1/send_1207Ann_Lee.txt", HandinName{u"Ann Lee", 12, 7}},
        {"c:\\class\\send_1207Ann_Lee.txt", HandinName{u"Ann Lee", 12, 7}},
        {"masterFile_Ann_Lee.txt", std::nullopt},
        {"notes_Ann_Lee.txt", std::nullopt},
        {"send_1207Ann_Lee.txt.bak", std::nullopt},
        // As course sites, mail programs and file managers rename a download.
        {"leeann_12345_67890_send_1207Ann_Lee-1.txt", HandinName{u"Ann Lee", 12, 7}},
        {"LATE_leeann_12345_send_1207Ann_Lee.txt", HandinName{u"Ann Lee", 12, 7}},
        {"Assignment_annlee_attempt_2026-12-07-10-15-00_send_1207Ann_Lee.txt", HandinName{u"Ann Lee", 12, 7}},
        {"Assignment_annlee_attempt_2026-12-07-10-15-00.txt", std::nullopt},  // the site's receipt
        {"resend_x_send_1207Ann.txt", HandinName{u"Ann", 12, 7}},  // the one followed by a date
        {"send_1207Ann_Lee (1).txt", HandinName{u"Ann Lee", 12, 7}},
        {"send_1207Ann_Lee (123).TXT", HandinName{u"Ann Lee", 12, 7}},
        {"send_1207Ann_Lee - Copy.txt", HandinName{u"Ann Lee", 12, 7}},
        {"send_1207Ann_Lee - copy (2).txt", HandinName{u"Ann Lee", 12, 7}},
        {"send_1207Ann_Lee copy.txt", HandinName{u"Ann Lee", 12, 7}},
        {"send_1207Ann_Lee Copy 12.txt", HandinName{u"Ann Lee", 12, 7}},
        {"send_1207Ann_Lee-999.txt", HandinName{u"Ann Lee", 12, 7}},
        {"send_1207Ann_Lee-1000.txt", HandinName{u"Ann Lee-1000", 12, 7}},  // four digits: the name's
        {"send_1207Ann_Lee (1.txt", HandinName{u"Ann Lee (1", 12, 7}},
        {"send_1207Ann_Lee ().txt", HandinName{u"Ann Lee ()", 12, 7}},
        {"send_1207Ann-Lee.txt", HandinName{u"Ann-Lee", 12, 7}},
        {"send_1207Ann_Lee_copy.txt", HandinName{u"Ann Lee copy", 12, 7}},  // not a copy's suffix
        {"send_1207Ann_Lee (1) (2).txt", HandinName{u"Ann Lee (1)", 12, 7}},  // one suffix is taken off
        {"send_.tx", std::nullopt},
        {"send.txt", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileName);
        const std::optional<HandinName> name = parseHandinName(c.fileName);
        ASSERT_EQ(name.has_value(), c.expected.has_value());
        if (!name) continue;
        EXPECT_EQ(name->student, c.expected->student);
        EXPECT_EQ(name->month, c.expected->month);
        EXPECT_EQ(name->day, c.expected->day);
    }
}

class FindHandinFiles : public ::testing::Test {
protected:
    std::filesystem::path make(const std::filesystem::path& relative) {
        const std::filesystem::path path = temp.path() / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << "x";
        return path;
    }
    stepwise::testing::TempDir temp;
};

TEST_F(FindHandinFiles, FoldersAreSearchedRecursivelyInPathOrderFilesTakenAsGiven) {
    const auto a = make("class/send_1207Ann_Lee.txt");
    const auto b = make("class/late/SEND_1208Bob.TXT");
    const auto c = make("class/late/deeper/send_1209Cy.txt");
    make("class/masterFile_Ann_Lee.txt");
    make("class/notes_Ann_Lee.txt");
    make("class/send_1207Ann_Lee.txt.bak");
    std::filesystem::create_directories(temp.path() / "class/send_1210folder.txt");
    const auto given = make("elsewhere/answers.txt");

    std::vector<Problem> problems;
    const auto found = findHandinFiles({given, temp.path() / "class", temp.path() / "missing"}, problems);
    EXPECT_EQ(found, (std::vector<HandinSource>{given, b, c, a}));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].line, 0);
    EXPECT_NE(problems[0].file.find("missing"), std::string::npos);
    EXPECT_EQ(problems[0].message, "no such file or folder");

    std::vector<Problem> again;
    EXPECT_EQ(findHandinFiles({temp.path() / "class"}, again), (std::vector<HandinSource>{b, c, a}));
    EXPECT_TRUE(again.empty());
}

}  // namespace
}  // namespace stepwise::handin
