#include "frontends/qt/qt_platform.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QThread>
#include <algorithm>

#include "app/main_form.h"
#include "frontends/qt/box_wrapping.h"
#include "frontends/qt/picture_box.h"
#include "frontends/qt/prompt_dialogs.h"
#include "frontends/qt/qt_picture.h"
#include "frontends/qt/qt_text.h"

namespace stepwise::qt {

QtPlatform::QtPlatform(std::filesystem::path driveRoot)
    : SystemPlatform(std::move(driveRoot)), window_(std::make_unique<MainWindow>()) {
    // Closing the window ends the program at once: no handler runs and nothing is written.
    QObject::connect(window_.get(), &MainWindow::closedByUser, window_.get(), [this] {
        pendTimer_.stop();
        leaveEventLoop();
    });
    QObject::connect(&pendTimer_, &QTimer::timeout, window_.get(), [this] {
        if (tick_) tick_(ControlId::tmr_pend_exp);
    });
}

QtPlatform::~QtPlatform() = default;

void QtPlatform::connect(MainForm& form) {
    QObject::connect(window_.get(), &MainWindow::controlClicked, window_.get(),
                     [&form](ControlId id) { form.click(id); });
    tick_ = [&form](ControlId timer) { form.tick(timer); };
}

Text QtPlatform::text(ControlId box) {
    if (auto* large = window_->controlAs<QPlainTextEdit>(box)) return boxTextToText(large->document()->toRawText());
    if (auto* line = window_->controlAs<QLineEdit>(box)) return toText(line->text());
    return {};
}

void QtPlatform::setText(ControlId box, const Text& text) {
    // One replacement of the whole text.
    if (auto* large = window_->controlAs<QPlainTextEdit>(box))
        setBoxDocument(*large, toBoxDocumentText(text));
    else if (auto* line = window_->controlAs<QLineEdit>(box))
        line->setText(toQString(text));
}

void QtPlatform::replaceTextUndoably(ControlId box, const Text& text) {
    if (auto* large = window_->controlAs<QPlainTextEdit>(box)) {
        // One edit of the document, so that one undo brings the whole old text back.
        QTextCursor cursor(large->document());
        cursor.beginEditBlock();
        cursor.select(QTextCursor::Document);
        cursor.insertText(toBoxDocumentText(text));
        cursor.endEditBlock();
    } else if (auto* line = window_->controlAs<QLineEdit>(box)) {
        line->selectAll();
        line->insert(toQString(text));
    }
}

QWidget* QtPlatform::promptParent() { return window_->isVisible() ? window_.get() : nullptr; }

std::optional<Text> QtPlatform::promptForLine(const Text& message) {
    const std::optional<QString> typed = askForText(promptParent(), toDisplayText(message));
    if (!typed) return std::nullopt;
    return toText(*typed);
}

void QtPlatform::focusBox(ControlId box, std::size_t caret) {
    QWidget* widget = window_->control(box);
    if (!widget) return;
    if (auto* large = qobject_cast<QPlainTextEdit*>(widget)) {
        // The caret first, so that the screen reader reads from it when the focus arrives.
        QTextCursor cursor(large->document());
        cursor.setPosition(std::min(documentPosition(text(box), caret), large->document()->characterCount() - 1));
        large->setTextCursor(cursor);
        large->ensureCursorVisible();
    } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        line->setCursorPosition(static_cast<int>(std::min<std::size_t>(caret, line->text().size())));
    }
    widget->setFocus(Qt::OtherFocusReason);
}

bool QtPlatform::screenReaderRunning() { return screenReaderCheck_ ? screenReaderCheck_() : QAccessible::isActive(); }

void QtPlatform::showMessage(const Text& message) { showMessageBox(promptParent(), toDisplayText(message)); }

bool QtPlatform::askOkCancel(const Text& message) { return askOkOrCancel(promptParent(), toDisplayText(message)); }

void QtPlatform::setUserScale(ControlId box, float width, float height) {
    if (PictureBox* target = pictureBox(box)) target->setUserScale(width, height);
}

void QtPlatform::drawCircle(ControlId box, float x, float y, float radius) {
    if (PictureBox* target = pictureBox(box)) target->drawCircle(x, y, radius);
}

Picture QtPlatform::picture(ControlId box) {
    PictureBox* source = pictureBox(box);
    return source ? source->picture() : Picture{};
}

void QtPlatform::setPicture(ControlId box, const Picture& picture) {
    if (PictureBox* target = pictureBox(box)) target->setPicture(picture);
}

bool QtPlatform::putClipboardPicture(const Picture& picture) {
    const QImage image = imageOf(picture);
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (image.isNull() || !clipboard) return false;
    clipboard->setImage(image);
    return true;
}

Picture QtPlatform::clipboardPicture() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? makePicture(clipboard->image()) : Picture{};
}

void QtPlatform::enableTimer(ControlId timer, int intervalMs) {
    if (timer != ControlId::tmr_pend_exp || pendTimer_.isActive()) return;
    pendTimer_.start(intervalMs);
}

void QtPlatform::beep() { QApplication::beep(); }

void QtPlatform::closeWindowAndExit() {
    pendTimer_.stop();
    window_->hide();
    leaveEventLoop();
}

void QtPlatform::leaveEventLoop() {
    // Asking to exit with no loop running would make the next modal prompt return at once.
    if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(0);
}

}  // namespace stepwise::qt
