#include "frontends/qt/dialog_driver.h"

#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
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
    const DialogAnswer next = record.answered ? answers_.front() : DialogAnswer::cancel();
    if (record.answered) answers_.pop_front();
    answer(dialog, next, record);
    shown_.push_back(record);
}

ShownDialog DialogDriver::describe(QWidget* dialog) const {
    ShownDialog record;
    record.kind = dialog->objectName();
    record.title = dialog->windowTitle();
    record.windowVisible = watched_ && watched_->isVisible();
    record.answered = true;
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        record.shownMessage = box->text();
        record.message = QString(record.shownMessage).remove(QChar(0x200B));
    } else if (auto* label = dialog->findChild<QLabel*>(QStringLiteral("promptMessage"))) {
        record.message = label->text();
    }
    record.width = dialog->width();
    record.height = dialog->height();
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (label->text().isEmpty() || label->width() <= record.labelWidth) continue;
        record.labelWidth = label->width();
        record.labelHeight = label->height();
    }
    if (auto* entry = dialog->findChild<QLineEdit*>(QStringLiteral("promptAnswer"))) record.initialEntry = entry->text();
    return record;
}

void DialogDriver::answer(QWidget* dialog, const DialogAnswer& answer, ShownDialog& record) {
    if (answer.action == DialogAnswer::Action::Close) {
        dialog->close();
        return;
    }
    if (auto* entry = dialog->findChild<QLineEdit*>(QStringLiteral("promptAnswer"))) {
        QTest::keyClicks(entry, answer.typed);
        for (int i = 0; i < answer.cursorLeft; ++i) QTest::keyClick(entry, Qt::Key_Left);
        if (!answer.pasted.isEmpty()) {
            QGuiApplication::clipboard()->setText(answer.pasted);
            QTest::keySequence(entry, QKeySequence::Paste);
        }
        record.finalEntry = entry->text();
    }
    if (answer.action == DialogAnswer::Action::Escape) {
        QWidget* focused = dialog->focusWidget();
        QTest::keyClick(focused ? focused : dialog, Qt::Key_Escape);
        return;
    }
    const QString buttonName = answer.action == DialogAnswer::Action::Ok ? QStringLiteral("okButton")
                                                                         : QStringLiteral("cancelButton");
    if (auto* button = dialog->findChild<QAbstractButton*>(buttonName))
        button->click();
    else if (auto* plain = qobject_cast<QDialog*>(dialog))
        plain->reject();
}

}  // namespace stepwise::testing
