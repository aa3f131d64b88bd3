#include <gtest/gtest.h>

#include "records/record_fixture.h"

namespace stepwise::testing {
namespace {

using ResponseRecord = RecordTest;

const Text questionThree = u"`q003.If you make $60,000 per year then how much do you make per month?";

const Text confidencePromptText =
    u"Assess your level of confidence in your answer on a scale from 0 to 3, where 0 means you have no confidence "
    u"in your answer, 1 means you have some confidence, 2 means you are pretty confident and 3 means you are "
    u"certain of your answer:";

TEST_F(ResponseRecord, QuestionThreeExampleByteForByte) {
    showBlock(questionThree, u"question", u"3");
    type(u"5000 dollars");
    platform.answers = {u"3"};
    enterResponse();

    EXPECT_EQ(master(), masterBefore +
                            "......!!!!!!!!...................................\r\n"
                            "                                    14:05:09\r\n"
                            "\r\n"
                            "\r\n"
                            "`questionNumber 10003 \r\n"
                            "`q003.If you make $60,000 per year then how much do you make per month?\r\n"
                            "......!!!!!!!!...................................\r\n"
                            "RESPONSE -->  \r\n"
                            "5000 dollars\r\n"
                            "confidence assessment:  3\r\n"
                            ".................................................\r\n");
    EXPECT_EQ(send(), sendBefore +
                          "......!!!!!!!!...................................\r\n"
                          "                                    14:05:09\r\n"
                          "`q003.If you make $60,000 per year then how much do you make per month?\r\n"
                          "......!!!!!!!!...................................\r\n"
                          "RESPONSE -->  \r\n"
                          "5000 dollars\r\n"
                          "confidence assessment:  3\r\n"
                          ".................................................\r\n");
    EXPECT_FALSE(notesExists());
    ASSERT_EQ(platform.prompts.size(), 3u) << "two start-up prompts, then one rating prompt";
    EXPECT_EQ(platform.prompts.back(), confidencePromptText);
    EXPECT_EQ(display(), u"");
    EXPECT_EQ(response(), u"");
    EXPECT_FALSE(state().responsePending);
    EXPECT_EQ(state().workText, u"5000 dollars");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ResponseRecord, QuestionThreeReachedThroughTheReaderIsRecordedTheSameWay) {
    for (int click = 0; click < 30 && leftText(state().currentLine, 5) != u"`q003"; ++click)
        form.click(ControlId::cmdNextQuestion);
    ASSERT_EQ(state().currentLine, questionThree);
    type(u"5000 dollars");
    platform.answers = {u"3"};
    enterResponse();
    const std::string record = "\r\n\r\n`questionNumber 10003 \r\n"
                               "`q003.If you make $60,000 per year then how much do you make per month?\r\n"
                               "......!!!!!!!!...................................\r\n"
                               "RESPONSE -->  \r\n5000 dollars\r\nconfidence assessment:  3\r\n" +
                               closing + "\r\n";
    const std::string m = master();
    ASSERT_GE(m.size(), record.size());
    EXPECT_EQ(m.substr(m.size() - record.size()), record);
    EXPECT_EQ(display(), u"");
}

TEST_F(ResponseRecord, AnswerBlockAsksForTheSelfCritiqueAndKeepsTheRatingAsTyped) {
    showBlock(u"Divide $60,000 by 12 to get $5,000.", u"answer", u"3");
    type(u"I forgot the units.");
    platform.answers = {u" 2 "};
    enterResponse();

    const std::string tail = "Divide $60,000 by 12 to get $5,000.\r\n" + separator +
                             "\r\nRESPONSE -->  \r\nI forgot the units.\r\n"
                             "self critique assessment:  2 \r\n" +
                             closing + "\r\n";
    EXPECT_EQ(master(), masterBefore + separator + "\r\n" + indent + "14:05:09\r\n\r\n\r\n`questionNumber 10003 \r\n" + tail);
    EXPECT_EQ(send(), sendBefore + separator + "\r\n" + indent + "14:05:09\r\n" + tail);
    EXPECT_EQ(platform.prompts.back(),
              u"Rate the quality of your self-critique on a 0-3 scale, where 0 indicates that self-critique was "
              u"necessary on this question but was not given, 1 indicates that self-critique was necessary but the "
              u"given self-critique was not adequate, 2 indicates that self-critique was necessary and was mostly "
              u"adequate, and 3 indicates that either self-critique was not necessary or that after reading the "
              u"solution everything was completely obvious so you skipped the self-critique.");
    EXPECT_EQ(state().selfCritiqueRating, u" 2 ");
}

TEST_F(ResponseRecord, BeforeAnyBlockThereIsNoPromptNoRatingLineAndTheNumberIsTheAssignmentAlone) {
    enterResponse();  // the box still holds the window's initial single space
    EXPECT_EQ(master(), masterBefore + separator + "\r\n" + indent +
                            "14:05:09\r\n\r\n\r\n`questionNumber 10000 \r\n"
                            "\r\n" +
                            separator + "\r\nRESPONSE -->  \r\n \r\n" + closing + "\r\n");
    EXPECT_EQ(send(), sendBefore + separator + "\r\n" + indent + "14:05:09\r\n\r\n" + separator +
                          "\r\nRESPONSE -->  \r\n \r\n" + closing + "\r\n");
    EXPECT_EQ(platform.prompts.size(), 2u) << "only the start-up prompts";
}

TEST_F(ResponseRecord, AnyOtherBlockKindGetsNoRating) {
    showBlock(u"a block", u"Question", u"7");
    type(u"ok");
    enterResponse();
    EXPECT_EQ(platform.prompts.size(), 2u);
    EXPECT_EQ(send(), sendBefore + separator + "\r\n" + indent + "14:05:09\r\na block\r\n" + separator +
                          "\r\nRESPONSE -->  \r\nok\r\n" + closing + "\r\n");
}

TEST_F(ResponseRecord, RatingTypedAsAWordOrCancelledIsWrittenAsItCame) {
    showBlock(questionThree, u"question", u"3");
    type(u"first");
    platform.answers = {u"pretty sure"};
    enterResponse();
    type(u"second");
    enterResponse();  // no answer queued: the prompt is cancelled
    const std::string s = send();
    const std::string first = "first\r\nconfidence assessment:  pretty sure\r\n" + closing + "\r\n";
    const std::string second = "second\r\nconfidence assessment:  \r\n" + closing + "\r\n";
    EXPECT_NE(s.find(first), std::string::npos);
    EXPECT_EQ(s.substr(s.size() - second.size()), second);
    EXPECT_EQ(platform.prompts.size(), 4u) << "one prompt per record, none repeated after a cancel";
}

TEST_F(ResponseRecord, LineBreaksInTheResponseAndInTheBlockAreWrittenAsTheyStand) {
    showBlock(u"`q004.  first part\r\nsecond part", u"question", u"4");
    type(u"line one\r\n\r\nline three\r\n");
    platform.answers = {u"1"};
    enterResponse();
    EXPECT_EQ(send(), sendBefore + separator + "\r\n" + indent +
                          "14:05:09\r\n`q004.  first part\r\nsecond part\r\n" + separator +
                          "\r\nRESPONSE -->  \r\nline one\r\n\r\nline three\r\n\r\n"
                          "confidence assessment:  1\r\n" +
                          closing + "\r\n");
}

TEST_F(ResponseRecord, RatingsKeepTheirFirstLineAndLoneLineBreaksAreWrittenAsCrLf) {
    struct Case {
        Text rating;
        std::string written;
    };
    for (const Case& c : {Case{u"2\nsure", "2"}, Case{u"3\r", "3"}, Case{u"1\r\nand more", "1"}, Case{u"\n0", ""}}) {
        SCOPED_TRACE(toUtf8(c.rating));
        showBlock(u"`q004.  block", u"question", u"4");
        type(u"one\ntwo\rthree\r\n");
        platform.answers = {c.rating};
        enterResponse();
        const std::string tail = "RESPONSE -->  \r\none\r\ntwo\r\nthree\r\n\r\nconfidence assessment:  " +
                                 c.written + "\r\n" + closing + "\r\n";
        ASSERT_GE(send().size(), tail.size());
        EXPECT_EQ(send().substr(send().size() - tail.size()), tail);
        EXPECT_EQ(master().substr(master().size() - tail.size()), tail);
    }
    showBlock(u"`a004.  answer", u"answer", u"4");
    type(u"notes\n");
    platform.answers = {u"3\nobvious"};
    enterResponse();
    EXPECT_EQ(state().selfCritiqueRating, u"3");
    saveAsNotes();
    EXPECT_TRUE(everyLineBreakIsCrLf(master()));
    EXPECT_TRUE(everyLineBreakIsCrLf(send()));
    EXPECT_TRUE(everyLineBreakIsCrLf(notes()));
}

TEST_F(ResponseRecord, TheFirstRecordCreatesMissingFiles) {
    std::filesystem::remove(outputFolder() / "masterFile_Ann_Lee.txt");
    std::filesystem::remove(outputFolder() / "send_1207Ann_Lee.txt");
    showBlock(u"`q005.  x", u"question", u"5");
    type(u"y");
    platform.answers = {u"2"};
    enterResponse();
    EXPECT_EQ(master(), separator + "\r\n" + indent + "14:05:09\r\n\r\n\r\n`questionNumber 10005 \r\n`q005.  x\r\n" +
                            separator + "\r\nRESPONSE -->  \r\ny\r\nconfidence assessment:  2\r\n" + closing + "\r\n");
    EXPECT_EQ(send(), separator + "\r\n" + indent + "14:05:09\r\n`q005.  x\r\n" + separator +
                          "\r\nRESPONSE -->  \r\ny\r\nconfidence assessment:  2\r\n" + closing + "\r\n");
}

TEST_F(ResponseRecord, CharactersOutsideTheCodePageBecomeCharacterReferences) {
    showBlock(u"`q005.  Speed?", u"question", u"5");
    type(u"\u0394v \u2248 5 m/s \U0001F600\r\ncaf\u00E9");
    platform.answers = {u"\u2713"};
    enterResponse();
    const std::string expected = "RESPONSE -->  \r\n&#916;v &#8776; 5 m/s &#128512;\r\ncaf\xE9\r\n"
                                 "confidence assessment:  &#10003;\r\n";
    EXPECT_NE(master().find(expected), std::string::npos);
    EXPECT_NE(send().find(expected), std::string::npos);
}

}  // namespace
}  // namespace stepwise::testing
