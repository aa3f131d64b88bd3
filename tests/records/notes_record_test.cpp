#include <gtest/gtest.h>

#include "records/record_fixture.h"

namespace stepwise::testing {
namespace {

using NotesRecord = RecordTest;

// The notes record without its closing line, as every one of the three files receives it.
const std::string checkUnitsRecord =
    "......!!!!!!!!...................................\r\n"
    "                                    14:05:09\r\n"
    "                                    12-07-202614:05:09\r\n"
    "`q003.If you make $60,000 per year then how much do you make per month?\r\n"
    "......!!!!!!!!...................................\r\n"
    "NOTES -------> check the units\r\n"
    ".................................................";

TEST_F(NotesRecord, SameSevenLinesInAllThreeFilesWithTheClosingLineEndedOnlyInTheMasterFile) {
    showBlock(u"`q003.If you make $60,000 per year then how much do you make per month?", u"question", u"3");
    type(u"check the units");
    saveAsNotes();

    EXPECT_EQ(master(), masterBefore + checkUnitsRecord + "\r\n");
    EXPECT_EQ(send(), sendBefore + checkUnitsRecord);
    EXPECT_EQ(notes(), checkUnitsRecord) << "the first notes record creates the notes file";
    EXPECT_EQ(platform.prompts.size(), 2u) << "notes ask for no rating";
    EXPECT_EQ(display(), u"");
    EXPECT_EQ(response(), u"");
    EXPECT_FALSE(state().responsePending);
    EXPECT_EQ(state().workText, u"NOTES -------> check the units");
}

TEST_F(NotesRecord, TheNextRecordContinuesTheClosingLineInTheSendAndNotesFilesOnly) {
    showBlock(u"b", u"", u"");
    type(u"one");
    saveAsNotes();
    type(u"");
    saveAsNotes();

    const std::string first = separator + "\r\n" + indent + "14:05:09\r\n" + indent + "12-07-202614:05:09\r\nb\r\n" +
                              separator + "\r\nNOTES -------> one\r\n" + closing;
    const std::string second = separator + "\r\n" + indent + "14:05:09\r\n" + indent + "12-07-202614:05:09\r\nb\r\n" +
                               separator + "\r\nNOTES -------> \r\n" + closing;
    EXPECT_EQ(notes(), first + second);
    EXPECT_EQ(send(), sendBefore + first + second);
    EXPECT_EQ(master(), masterBefore + first + "\r\n" + second + "\r\n");
}

TEST_F(NotesRecord, AResponseRecordAfterNotesAlsoContinuesTheSendFileLine) {
    showBlock(u"b", u"", u"");
    type(u"n");
    saveAsNotes();
    type(u"r");
    enterResponse();
    const std::string s = send();
    EXPECT_NE(s.find("NOTES -------> n\r\n" + closing + separator + "\r\n" + indent + "14:05:09\r\nb\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace stepwise::testing
