#include <gtest/gtest.h>

#include "records/record_fixture.h"

namespace stepwise::testing {
namespace {

// A clock that moves on one second at every reading once the lesson has started, so each time
// stamp shows which reading it came from.
class TickingPlatform : public FakePlatform {
public:
    using FakePlatform::FakePlatform;
    bool ticking = false;

protected:
    LocalTime now() override {
        const LocalTime reading = clock;
        if (ticking) ++clock.second;
        return reading;
    }
};

class RecordClock : public ::testing::Test {
protected:
    void SetUp() override {
        platform.answers = {u"Ann Lee", u""};
        form.load();
        ASSERT_FALSE(form.ended());
        form.state().currentLine = u"b";
        platform.boxes[ControlId::txt_answer] = u"text";
        platform.ticking = true;
    }
    std::string file(const char* name) const { return readBytes(temp.path() / "qwelrand" / name); }

    TempDir temp;
    TickingPlatform platform{temp.path()};
    MainForm form{platform};
};

TEST_F(RecordClock, EveryTimeStampOfAResponseRecordIsReadForItsOwnFile) {
    form.click(ControlId::cmd_enter_response);
    EXPECT_NE(file("masterFile_Ann_Lee.txt").find(separator + "\r\n" + indent + "14:05:09\r\n\r\n"), std::string::npos);
    EXPECT_NE(file("send_1207Ann_Lee.txt").find(separator + "\r\n" + indent + "14:05:10\r\nb\r\n"), std::string::npos);
}

TEST_F(RecordClock, EveryDateAndTimeOfANotesRecordIsReadForItsOwnLineAndFile) {
    form.click(ControlId::cmd_save_as_notes);
    auto stamps = [&](const char* time, const char* dateTime) {
        return separator + "\r\n" + indent + time + "\r\n" + indent + "12-07-2026" + dateTime + "\r\nb\r\n";
    };
    EXPECT_NE(file("masterFile_Ann_Lee.txt").find(stamps("14:05:09", "14:05:13")), std::string::npos);
    EXPECT_NE(file("send_1207Ann_Lee.txt").find(stamps("14:05:10", "14:05:15")), std::string::npos);
    EXPECT_EQ(file("notes_Ann_Lee.txt").find(stamps("14:05:11", "14:05:17")), 0u);
}

}  // namespace
}  // namespace stepwise::testing
