// display SEND file: each line of the SEND file on a line of its own after what the box shows.
#include "format/cp1252.h"
#include "viewers/viewer_file.h"
#include "viewers/viewer_fixture.h"

namespace stepwise::testing {
namespace {

using enum ControlId;
using SendViewer = ViewerTest;

TEST_F(SendViewer, PutsEachLineOnANewLineAndAddsNothingForTheFinalLineEnd) {
    writeBytes(sendPath(), "one\r\n\r\nthree\r\n");
    setDisplayBox(u"B");
    state().workText = u"W";
    form.click(cmd_displayCumulativeText);
    EXPECT_EQ(displayBox(), u"B\r\none\r\n\r\nthree");
    EXPECT_EQ(state().workText, u"W") << "the SEND viewer leaves workText alone";
    EXPECT_FALSE(platform.isFileOpen(sendViewerFile));
}

TEST_F(SendViewer, SplitsAtCrAndCrLfKeepsALoneLfAndShowsALastLineWithoutLineEnd) {
    writeBytes(sendPath(), "a\rb\nc\r\n\r\rlast");  // lines: a, "b\nc", "", "", last
    setDisplayBox(u"");
    form.click(cmd_displayCumulativeText);
    EXPECT_EQ(displayBox(), u"\r\na\r\nb\nc\r\n\r\n\r\nlast");
}

TEST_F(SendViewer, ShowsTheHeaderThatStartUpWroteAndAppendsAgainOnTheNextClick) {
    const std::string header = send();
    ASSERT_GE(header.size(), 2u);
    ASSERT_EQ(header.substr(header.size() - 2), "\r\n");
    const Text shown = u"\r\n" + decodeCp1252(header.substr(0, header.size() - 2));
    setDisplayBox(u"B");
    form.click(cmd_displayCumulativeText);
    EXPECT_EQ(displayBox(), u"B" + shown);
    form.click(cmd_displayCumulativeText);
    EXPECT_EQ(displayBox(), u"B" + shown + shown);
    EXPECT_EQ(send(), header) << "the viewer only reads";
}

TEST_F(SendViewer, ShowsBytesAbove127AsWindows1252AndCharacterReferencesLiterally) {
    std::string high;
    for (int byte = 0x80; byte <= 0xFF; ++byte) high += static_cast<char>(byte);
    writeBytes(sendPath(), high + "\r\ndelta &#916;\r\n");
    setDisplayBox(u"");
    form.click(cmd_displayCumulativeText);
    const Text shown = displayBox();
    ASSERT_EQ(shown.size(), 2 + 128 + 2 + 12u);
    const Text line = shown.substr(2, 128);
    EXPECT_EQ(line[0x80 - 0x80], u'\u20AC');  // euro sign
    EXPECT_EQ(line[0x81 - 0x80], u'\u0081');  // undefined in the code page: kept as its control code
    EXPECT_EQ(line[0x93 - 0x80], u'\u201C');  // left double quotation mark
    EXPECT_EQ(line[0x9F - 0x80], u'\u0178');  // Y with diaeresis
    EXPECT_EQ(line[0xA0 - 0x80], u'\u00A0');
    EXPECT_EQ(line[0xE9 - 0x80], u'\u00E9');  // e acute
    EXPECT_EQ(line[0xFF - 0x80], u'\u00FF');
    EXPECT_EQ(shown.substr(130), u"\r\ndelta &#916;");
}

TEST_F(SendViewer, AMissingSendFileIsReportedWithItsPathAndTheBoxIsUnchanged) {
    std::filesystem::remove(sendPath());
    setDisplayBox(u"B");
    form.click(cmd_displayCumulativeText);
    EXPECT_EQ(displayBox(), u"B");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0],
              u"The file " + shownPath(sendPath()) + u" cannot be shown: No such file or directory.");
    EXPECT_FALSE(platform.isFileOpen(sendViewerFile));
    EXPECT_FALSE(form.ended());
}

TEST_F(SendViewer, ASendFileThatCannotBeReadIsReportedAndTheBoxIsUnchanged) {
    std::filesystem::remove(sendPath());
    std::filesystem::create_directory(sendPath());
    setDisplayBox(u"B");
    form.click(cmd_displayCumulativeText);
    EXPECT_EQ(displayBox(), u"B");
    ASSERT_EQ(platform.messages.size(), 1u);
    const std::string message = toUtf8(platform.messages[0]);
    EXPECT_NE(message.find(toUtf8(shownPath(sendPath()))), std::string::npos) << message;
    EXPECT_NE(message.find("directory"), std::string::npos) << message;
}

}  // namespace
}  // namespace stepwise::testing
