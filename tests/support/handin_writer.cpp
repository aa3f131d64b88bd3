#include "support/handin_writer.h"

namespace stepwise::testing {

namespace {

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

void addSeconds(LocalTime& t, int seconds) {
    long long total = ((t.hour * 60LL + t.minute) * 60 + t.second) + seconds;
    int days = static_cast<int>(total / 86400);
    total %= 86400;
    t.hour = static_cast<int>(total / 3600);
    t.minute = static_cast<int>(total / 60 % 60);
    t.second = static_cast<int>(total % 60);
    for (; days > 0; --days) {
        if (++t.day > daysInMonth(t.year, t.month)) {
            t.day = 1;
            if (++t.month > 12) {
                t.month = 1;
                ++t.year;
            }
        }
    }
}

}  // namespace

HandinWriter::HandinWriter(const std::filesystem::path& driveRoot) : driveRoot_(driveRoot), platform_(driveRoot) {}

HandinWriter::~HandinWriter() = default;

void HandinWriter::startLesson(const Text& name, LocalTime at, const std::filesystem::path& assignmentFile) {
    platform_.clock = at;
    form_ = std::make_unique<MainForm>(platform_);
    if (!assignmentFile.empty()) form_->useAssignmentFile(assignmentFile);
    platform_.answers = {name, u""};
    form_->load();
    platform_.boxes[ControlId::txt_answer] = u" ";
}

void HandinWriter::show(int scriptIndex) {
    while (form_->state().lineIndex < scriptIndex && !form_->ended()) form_->click(ControlId::cmdNextQuestion);
}

void HandinWriter::respond(int afterSeconds, const Text& text, const Text& rating) {
    wait(afterSeconds);
    platform_.boxes[ControlId::txt_answer] = text;
    platform_.answers = {rating};
    form_->click(ControlId::cmd_enter_response);
}

void HandinWriter::saveNotes(int afterSeconds, const Text& text) {
    wait(afterSeconds);
    platform_.boxes[ControlId::txt_answer] = text;
    form_->click(ControlId::cmd_save_as_notes);
}

void HandinWriter::wait(int seconds) { addSeconds(platform_.clock, seconds); }

}  // namespace stepwise::testing
