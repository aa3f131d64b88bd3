// The student program's command line: only --version and --help answer; everything else, Qt's own
// options and a FILE included, leaves the lesson to start.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include "frontends/qt/command_line.h"
#include "stepwise_version.h"

namespace stepwise::testing {
namespace {

enum class Answer { startLesson, version, help };

struct CommandLineCase {
    QStringList arguments;  // after the program's name
    Answer answer;
};

class CommandLineTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, AnswersOnlyVersionAndHelp) {
    const CommandLineCase& c = GetParam();
    const auto text = qt::informationRequested(QStringList{QStringLiteral("stepwise")} + c.arguments);
    switch (c.answer) {
    case Answer::startLesson:
        EXPECT_FALSE(text.has_value()) << text->toStdString();
        break;
    case Answer::version:
        ASSERT_TRUE(text.has_value());
        EXPECT_EQ(*text, QStringLiteral("stepwise %1\n").arg(QLatin1String(stepwiseVersion)));
        break;
    case Answer::help:
        ASSERT_TRUE(text.has_value());
        EXPECT_TRUE(text->startsWith(QStringLiteral("Usage: stepwise [FILE]\n"))) << text->toStdString();
        EXPECT_TRUE(text->contains(QStringLiteral("--version"))) << text->toStdString();
        EXPECT_TRUE(text->contains(QStringLiteral("\n  FILE "))) << text->toStdString();
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineTest,
    ::testing::Values(
        CommandLineCase{{}, Answer::startLesson},
        CommandLineCase{{"--version"}, Answer::version},
        CommandLineCase{{"-v"}, Answer::version},
        CommandLineCase{{"--help"}, Answer::help},
        CommandLineCase{{"-h"}, Answer::help},
        CommandLineCase{{"-platform", "offscreen", "--version"}, Answer::version},
        // Qt's own options hold the letters v and h: they are words, not -v or -h.
        CommandLineCase{{"-reverse"}, Answer::startLesson},
        CommandLineCase{{"-platform", "xcb"}, Answer::startLesson},
        CommandLineCase{{"-style", "fusion"}, Answer::startLesson},
        CommandLineCase{{"-stylesheet", "theme.qss"}, Answer::startLesson},
        // Anything else is the lesson's to read once Qt has taken its own options.
        CommandLineCase{{"--versions"}, Answer::startLesson},
        CommandLineCase{{"notes.txt"}, Answer::startLesson},
        CommandLineCase{{"rates.stepwise", "--help"}, Answer::help},
        CommandLineCase{{"--", "--help"}, Answer::startLesson}));

TEST(UsageError, NamesTheProblemTheUsageAndWhereHelpIs) {
    EXPECT_EQ(qt::usageErrorText(u"unknown option -\u00E9"),
              QString::fromUtf8("stepwise: unknown option -\xC3\xA9\nUsage: stepwise [FILE]\n"
                                "Try 'stepwise --help' for more information.\n"));
}

}  // namespace
}  // namespace stepwise::testing
