// The name prompt: Cancel ends the program before any file is made; an empty or blank name is
// asked for again with the same prompt.
#include <gtest/gtest.h>

#include "app/start_up.h"
#include "support/lesson_fixture.h"

namespace stepwise::testing {
namespace {

constexpr std::optional<Text> cancel = std::nullopt;

std::size_t filesUnder(const std::filesystem::path& folder) {
    std::size_t files = 0;
    if (!std::filesystem::exists(folder)) return 0;
    for (auto& entry : std::filesystem::recursive_directory_iterator(folder)) files += entry.is_regular_file();
    return files;
}

TEST(NamePrompt, CancelEndsWithoutFilesAndABlankNameIsAskedAgain) {
    const Text nbspAndIdeographic = u"\u00A0\u3000";
    struct Case {
        const char* what;
        std::vector<std::optional<Text>> answers;
        bool ends;
        int nameNeededMessages;
        std::size_t namePrompts;
        const char* masterFile;  // the master file's name, when the lesson starts
    };
    const Case cases[] = {
        {"Cancel at once", {cancel}, true, 0, 1, nullptr},
        {"empty, then a name", {u"", u"Ann Lee", u""}, false, 1, 2, "masterFile_Ann_Lee.txt"},
        {"spaces alone, then a name", {u"   ", u"Ann Lee", u""}, false, 1, 2, "masterFile_Ann_Lee.txt"},
        {"wide and no-break spaces alone", {nbspAndIdeographic, u"Ann Lee", u""}, false, 1, 2, "masterFile_Ann_Lee.txt"},
        {"empty twice, then Cancel", {u"", u" ", cancel}, true, 2, 3, nullptr},
        {"a name with spaces round it", {u" Ann ", u""}, false, 0, 1, "masterFile__Ann_.txt"},
        {"a line break first: nothing on the first line", {u"\r\nAnn", u"Ann Lee", u""}, false, 1, 2, "masterFile_Ann_Lee.txt"},
        {"Cancel at the folder prompt keeps the default", {u"Ann Lee", cancel}, false, 0, 1, "masterFile_Ann_Lee.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir temp;
        FakePlatform platform(temp.path());
        MainForm form(platform);
        platform.answers.assign(c.answers.begin(), c.answers.end());
        form.load();

        EXPECT_EQ(form.ended(), c.ends);
        EXPECT_EQ(platform.exits, c.ends ? 1 : 0);
        EXPECT_EQ(std::count(platform.messages.begin(), platform.messages.end(), Text(nameNeededMessage)),
                  c.nameNeededMessages);
        EXPECT_EQ(std::count(platform.prompts.begin(), platform.prompts.end(), Text(namePrompt)),
                  static_cast<long>(c.namePrompts));
        const std::filesystem::path folder = temp.path() / "qwelrand";
        EXPECT_TRUE(std::filesystem::is_directory(folder)) << "the default folder is made before the name is asked";
        if (c.masterFile) {
            EXPECT_TRUE(std::filesystem::exists(folder / c.masterFile));
            EXPECT_EQ(filesUnder(folder), 2u);
        } else {
            EXPECT_EQ(filesUnder(temp.path()), 0u) << "no file at all";
        }
    }
}

TEST(NamePrompt, BlankMeansNothingButSpaces) {
    const std::pair<Text, bool> cases[] = {
        {u"", true}, {u" ", true}, {u"\t \u2003", true}, {u"\u200B\uFEFF", true},
        {u"a", false}, {u"  .", false}, {u"\u00E9", false}, {u"_", false},
    };
    for (const auto& [name, blank] : cases) EXPECT_EQ(isBlank(name), blank) << toUtf8(name);
}

}  // namespace
}  // namespace stepwise::testing
