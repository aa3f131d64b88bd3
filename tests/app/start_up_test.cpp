#include <gtest/gtest.h>

#include <set>

#include "app/start_up.h"
#include "format/cp1252.h"
#include "support/lesson_fixture.h"

namespace stepwise::testing {
namespace {

using StartUp = LessonTest;

// The five header lines after the code line, as the instructor's tools read them.
const std::string headerTail = "assignment #001\r\n001.  Rates\r\novla set\r\n12-07-2026\r\n";

// Splits off the code line of the header that starts at `offset`; returns its bytes.
std::string codeLineAt(const std::string& file, std::size_t offset) {
    const std::size_t end = file.find("\r\n", offset);
    return file.substr(offset, end - offset);
}

TEST_F(StartUp, AsksThreePromptsWithTheirExactTextsAndWritesTheHeaderToBothFiles) {
    ASSERT_TRUE(start(u"Ann Lee", u"1", u"c:\\qwelrand"));
    ASSERT_EQ(platform.prompts.size(), 3u);
    EXPECT_EQ(platform.prompts[0], u"Your full name:  ");
    EXPECT_EQ(platform.prompts[1],
              u"Enter 1 if you want to change the folder to which your files will be written.  The current default "
              u"folder is c:\\qwelrand.  If you wish to use this folder, just hit the Enter key");
    EXPECT_EQ(platform.prompts[2],
              u"You have chosen to change the folder to which your files will be written on your hard drive from "
              u"the default c:\\qwelrand.  Enter the path to the folder you wish to use.  You may just hit the "
              u"Enter key to retain the default path.");

    const std::string m = master(), s = send();
    const std::string code = codeLineAt(m, 0);
    EXPECT_EQ(m, code + "\r\n" + headerTail);
    EXPECT_EQ(s, m) << "both files receive the same code line";
    EXPECT_TRUE(notes().empty());
    EXPECT_FALSE(std::filesystem::exists(outputFolder() / "notes_Ann_Lee.txt"));
}

TEST_F(StartUp, LeavesTheLessonStateReadyForTheFirstBlock) {
    ASSERT_TRUE(start());
    EXPECT_EQ(state().lineIndex, 1);
    EXPECT_EQ(state().assignmentNumber, u"001");
    EXPECT_EQ(state().nextAssignmentNumber, u"002");
    EXPECT_EQ(state().assignmentTitle, u"ovla set");
    EXPECT_GE(state().lessonCodeNbr, 19);
    EXPECT_LE(state().lessonCodeNbr, 28);
    EXPECT_EQ(state().folderPath, u"c:\\qwelrand");
    EXPECT_EQ(state().masterFilePath, u"c:\\qwelrand\\masterFile_Ann_Lee.txt");
    EXPECT_EQ(state().sendFilePath, u"c:\\qwelrand\\send_1207Ann_Lee.txt");
    EXPECT_EQ(state().notesFilePath, u"c:\\qwelrand\\notes_Ann_Lee.txt");
    EXPECT_EQ(state().responsePrompt.size(), 502u);
    EXPECT_EQ(state().responsePrompt.substr(193, 4), u"\r\n\r\n");
    EXPECT_FALSE(state().responsePending.isSet());
    EXPECT_EQ(platform.scales[ControlId::Picture1], std::make_pair(1000.0f, 1000.0f));
    EXPECT_EQ(platform.scales[ControlId::Picture2], std::make_pair(1000.0f, 1000.0f));
}

TEST_F(StartUp, OnlyTheExactAnswerOneAsksForAnotherFolder) {
    for (const Text answer : {u"1 ", u"01", u"yes", u""}) {
        TempDir dir;
        FakePlatform p(dir.path());
        MainForm f(p);
        p.answers = {u"Ann Lee", answer};
        f.load();
        EXPECT_EQ(p.prompts.size(), 2u) << toUtf8(answer);
        EXPECT_EQ(f.state().folderPath, u"c:\\qwelrand");
    }
}

TEST_F(StartUp, ChosenFolderWithATrailingSeparatorStillReceivesTheFiles) {
    std::filesystem::create_directories(temp.path() / "work");
    ASSERT_TRUE(start(u"Ann Lee", u"1", u"c:\\work\\"));
    EXPECT_EQ(state().masterFilePath, u"c:\\work\\\\masterFile_Ann_Lee.txt");
    EXPECT_TRUE(std::filesystem::exists(temp.path() / "work" / "masterFile_Ann_Lee.txt"));
    EXPECT_TRUE(std::filesystem::exists(temp.path() / "work" / "send_1207Ann_Lee.txt"));
    EXPECT_TRUE(std::filesystem::exists(outputFolder())) << "the default folder is created in any case";
}

TEST_F(StartUp, NamesBecomeFileNamesWithSpacesAsUnderscores) {
    ASSERT_TRUE(start(u" Ann Lee "));
    EXPECT_EQ(state().masterFilePath, u"c:\\qwelrand\\masterFile__Ann_Lee_.txt");
    EXPECT_EQ(fileNamePart(u""), u"");
}

TEST_F(StartUp, RefusesNamesAFileNameCannotHoldAndAsksAgain) {
    for (const Text bad : {u"Ann/Lee", u"..\\..\\x", u"a:b", u"a*b", u"a?b", u"a\"b", u"a<b", u"a>b", u"a|b", u"a\tb"})
        EXPECT_FALSE(nameProblem(bad).empty()) << toUtf8(bad);
    EXPECT_TRUE(nameProblem(u"Zoë O'Brien-Smith").empty());

    platform.answers = {u"../../escape", u"Ann Lee", u""};
    form.load();
    ASSERT_FALSE(form.ended());
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.prompts[0], platform.prompts[1]);
    EXPECT_EQ(state().masterFilePath, u"c:\\qwelrand\\masterFile_Ann_Lee.txt");
    std::size_t files = 0;
    for (auto& entry : std::filesystem::recursive_directory_iterator(temp.path())) files += entry.is_regular_file();
    EXPECT_EQ(files, 2u) << "nothing is written outside the output folder";
}

TEST_F(StartUp, OnlyTheFirstLineOfANameOrFolderAnswerCounts) {
    std::filesystem::create_directories(temp.path() / "good");
    platform.answers = {u"Ann Lee\nsecond line", u"1\r\n", u"c:\\good\rc:\\elsewhere"};
    form.load();
    ASSERT_FALSE(form.ended());
    EXPECT_EQ(platform.prompts.size(), 3u);
    EXPECT_EQ(state().folderPath, u"c:\\good");
    EXPECT_EQ(state().masterFilePath, u"c:\\good\\masterFile_Ann_Lee.txt");
    EXPECT_TRUE(platform.messages.empty());
}

// Names counted in the units of the file system: the master file's name, "masterFile_" + N +
// ".txt", is the longest the name makes and may hold 255 of them.
TEST(NameLength, IsCountedInTheFileSystemsOwnUnits) {
    auto repeat = [](const Text& piece, int times) {
        Text out;
        for (int i = 0; i < times; ++i) out += piece;
        return out;
    };
    struct Case {
        const char* what;
        Text name;
        bool fitsInUtf8Bytes, fitsInUtf16Units;
    };
    const Case cases[] = {
        {"240 letters", Text(240, u'a'), true, true},
        {"241 letters", Text(241, u'a'), false, false},
        {"120 deltas, 240 bytes", repeat(u"\u0394", 120), true, true},
        {"125 deltas, 250 bytes", repeat(u"\u0394", 125), false, true},
        {"61 emoji, 244 bytes", repeat(u"\U0001F600", 61), false, true},
        {"121 emoji, 242 units", repeat(u"\U0001F600", 121), false, false},
        {"100 accented letters, 300 bytes", repeat(u"e\u0301", 100), false, true},
    };
    TempDir dir;
    FakePlatform platform(dir.path());
#ifdef _WIN32
    const bool windows = true;
#else
    const bool windows = false;
#endif
    for (const Case& c : cases)
        EXPECT_EQ(fileNamesFit(platform, c.name), windows ? c.fitsInUtf16Units : c.fitsInUtf8Bytes) << c.what;
}

#ifndef _WIN32
TEST_F(StartUp, ANameTooLongForTheFileSystemIsAskedAgainWithAMessage) {
    Text deltas;
    for (int i = 0; i < 125; ++i) deltas += u"\u0394";
    platform.answers = {deltas, u"Ann Lee", u""};
    form.load();
    ASSERT_FALSE(form.ended());
    EXPECT_EQ(platform.messages, std::vector<Text>{Text(nameTooLongMessage)});
    EXPECT_EQ(platform.prompts[1], platform.prompts[0]);
    EXPECT_EQ(state().masterFilePath, u"c:\\qwelrand\\masterFile_Ann_Lee.txt");
    EXPECT_GT(master().size(), headerTail.size());
}
#endif

// A platform whose file system refuses the file names of the first name typed, as a file system
// refuses characters it cannot store.
class RefusingPlatform : public FakePlatform {
public:
    using FakePlatform::FakePlatform;
    Text refusedPath;
    FileStatus openFile(int number, const Text& path, FileMode mode) override {
        if (path == refusedPath) {
            FileError refused;
            refused.path = path;
            refused.reason = u"Invalid or incomplete multibyte or wide character";
            refused.badName = true;
            return refused;
        }
        return FakePlatform::openFile(number, path, mode);
    }
};

TEST(StartUpName, ANameTheFileSystemRefusesIsAskedAgainNotTheFolder) {
    TempDir dir;
    RefusingPlatform platform(dir.path());
    MainForm form(platform);
    platform.refusedPath = u"c:\\qwelrand\\masterFile_Zo\u00EB.txt";
    platform.answers = {u"Zo\u00EB", u"", u"Zoe"};
    form.load();
    ASSERT_FALSE(form.ended());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find(u"type your name again"), Text::npos) << toUtf8(platform.messages[0]);
    EXPECT_NE(platform.messages[0].find(shownPath(dir.path() / "qwelrand" / std::filesystem::path(u"masterFile_Zo\u00EB.txt"))), Text::npos);
    EXPECT_EQ(platform.prompts.size(), 3u) << "name, folder, then the name again";
    EXPECT_EQ(platform.prompts[2], platform.prompts[0]);
    EXPECT_EQ(form.state().folderPath, u"c:\\qwelrand");
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "qwelrand" / "masterFile_Zoe.txt"));
}

TEST_F(StartUp, AnUnwritableFolderIsReportedAndAnotherFolderCanBeChosen) {
    std::filesystem::create_directories(temp.path() / "good");
    platform.answers = {u"Ann Lee", u"1", u"c:\\missing", u"1", u"c:\\good"};
    platform.okCancelAnswers = {true};
    form.load();
    ASSERT_FALSE(form.ended());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find(shownPath(temp.path() / "missing")), Text::npos) << toUtf8(platform.messages[0]);
    EXPECT_NE(platform.messages[0].find(shownPath(temp.path() / "missing" / "masterFile_Ann_Lee.txt")), Text::npos);
    EXPECT_NE(platform.messages[0].find(u"No such file or directory"), Text::npos);
    EXPECT_EQ(readBytes(temp.path() / "good" / "masterFile_Ann_Lee.txt").size() > headerTail.size(), true);
}

TEST_F(StartUp, CancellingAfterAnUnwritableFolderEndsTheProgramWithoutAWindow) {
    platform.answers = {u"Ann Lee", u"1", u"c:\\missing"};
    form.load();
    EXPECT_TRUE(form.ended());
    EXPECT_EQ(platform.exits, 1);
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "missing"));
}

TEST_F(StartUp, AScriptWithoutItsHeaderStopsAtTheEndOfTheTableAndSaysSo) {
    platform.answers = {u"Ann Lee", u""};
    form.dispatch([&] { form.startLesson(); });
    for (int i = 0; i <= ScriptTable::lastIndex; ++i) state().scriptLines.at(i) = u"002.  Another assignment";
    EXPECT_NO_THROW(form.dispatch([&] { form.openAssignment(); }));
    EXPECT_TRUE(form.ended());
    EXPECT_EQ(state().lineIndex, ScriptTable::lastIndex);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find(u"no header line"), Text::npos);
    EXPECT_FALSE(std::filesystem::exists(outputFolder() / "masterFile_Ann_Lee.txt"));
}

TEST_F(StartUp, TwoRunsAppendTwoHeadersWithTheirOwnCodeLines) {
    ASSERT_TRUE(start());
    FakePlatform second(temp.path());
    MainForm again(second);
    second.answers = {u"Ann Lee", u""};
    again.load();
    const std::string m = master();
    const std::string first = codeLineAt(m, 0);
    const std::size_t secondStart = first.size() + 2 + headerTail.size();
    EXPECT_EQ(m.substr(secondStart + codeLineAt(m, secondStart).size() + 2), headerTail);
    EXPECT_EQ(send(), m);
}

TEST(CodeLine, HasTheLengthAndBytesAnInstructorsToolExpects) {
    TempDir dir;
    std::set<std::size_t> lengths;
    for (int seed = 0; seed < 300; ++seed) {
        FakePlatform p(dir.path());
        MainForm f(p);
        p.seedRandom(seed);
        const int n = 19 + seed % 10;
        const std::string bytes = encodeCp1252(f.makeCodeLine(n));
        ASSERT_GE(bytes.size(), static_cast<std::size_t>(n));
        ASSERT_LE(bytes.size(), static_cast<std::size_t>(2 * n));
        lengths.insert(bytes.size() - n);
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const auto b = static_cast<unsigned char>(bytes[i]);
            ASSERT_TRUE((b >= 66 && b <= 116) || b >= 118) << int(b);
            if (b <= 116) {
                ASSERT_TRUE(i + 1 < bytes.size() && static_cast<unsigned char>(bytes[i + 1]) >= 118);
            }
        }
        ASSERT_GE(static_cast<unsigned char>(bytes.back()), 118);
    }
    EXPECT_GT(lengths.size(), 1u) << "the optional characters appear in some lines";
}

TEST(CodeLine, IsEmptyForACountBelowOne) {
    TempDir dir;
    FakePlatform p(dir.path());
    MainForm f(p);
    EXPECT_EQ(f.makeCodeLine(0), u"");
    EXPECT_EQ(f.makeCodeLine(-3), u"");
    EXPECT_EQ(p.randomDraws, 0);
}

TEST(AssignmentNumbers, AreBroughtToThreeDigits) {
    EXPECT_EQ(threeDigits(u"1"), u"001");
    EXPECT_EQ(threeDigits(u"12"), u"012");
    EXPECT_EQ(threeDigits(u"123"), u"123");
    EXPECT_EQ(threeDigits(u"1234"), u"1234");
}

}  // namespace
}  // namespace stepwise::testing
