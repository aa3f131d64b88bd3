#include "qt/dialog_driver.h"

#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

namespace stepwise::testing {

namespace {

constexpr int pollIntervalMs = 5;
const char* const seenProperty = "dialogDriverSeen";

}  // namespace

DialogDriver::DialogDriver(std::deque<DialogAnswer> answers, const QWidget* watchedWindow)
    : answers_(std::move(answers)), watched_(watchedWindow) {
    connect(&poller_, &QTimer::timeout, this, &DialogDriver::poll);
    poller_.start(pollIntervalMs);
}

QStringList DialogDriver::messages() const {
    QStringList list;
    for (const ShownDialog& dialog : shown_) list << dialog.message;
    return list;
}

int DialogDriver::unanswered() const {
    return static_cast<int>(std::count_if(shown_.begin(), shown_.end(), [](const ShownDialog& d) { return !d.answered; }));
}

void DialogDriver::poll() {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog || !dialog->isVisible() || dialog->property(seenProperty).toBool()) return;
    dialog->setProperty(seenProperty, true);
    ShownDialog record = describe(dialog);
    record.answered = !answers_.empty();
    shown_.push_back(record);
    const DialogAnswer next = record.answered ? answers_.front() : DialogAnswer::cancel();
    if (record.answered) answers_.pop_front();
    answer(dialog, next);
}

ShownDialog DialogDriver::describe(QWidget* dialog) const {
    ShownDialog record{dialog->objectName(), dialog->windowTitle(), {}, {}, watched_ && watched_->isVisible(), true};
    if (auto* box = qobject_cast<QMessageBox*>(dialog))
        record.message = box->text();
    else if (auto* label = dialog->findChild<QLabel*>(QStringLiteral("promptMessage")))
        record.message = label->text();
    if (auto* entry = dialog->findChild<QLineEdit*>(QStringLiteral("promptAnswer"))) record.initialEntry = entry->text();
    return record;
}

void DialogDriver::answer(QWidget* dialog, const DialogAnswer& answer) {
    if (answer.action == DialogAnswer::Action::Close) {
        dialog->close();
        return;
    }
    if (auto* entry = dialog->findChild<QLineEdit*>(QStringLiteral("promptAnswer")))
        QTest::keyClicks(entry, answer.typed);
    const QString buttonName = answer.action == DialogAnswer::Action::Ok ? QStringLiteral("okButton")
                                                                         : QStringLiteral("cancelButton");
    if (auto* button = dialog->findChild<QAbstractButton*>(buttonName))
        button->click();
    else if (auto* plain = qobject_cast<QDialog*>(dialog))
        plain->reject();
}

}  // namespace stepwise::testing
