#pragma once
// Answers the program's modal dialogs in tests, as a student would: it polls for the active modal
// dialog, records what it shows, types the scripted answer into its entry line and clicks OK or
// Cancel (or closes it). A dialog that finds the script used up is cancelled, so a test never hangs.
// Only one driver may be answering at a time: stop() (or destroy) one before starting the next.
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <vector>

class QWidget;

namespace stepwise::testing {

struct DialogAnswer {
    enum class Action { Ok, Cancel, Close, Escape };
    Action action = Action::Ok;
    QString typed;  // typed into the entry line before the button is clicked, when there is one
    QString pasted;  // then pasted there from the clipboard with Ctrl+V, when not empty
    int cursorLeft = 0;  // Left presses between typing and pasting

    static DialogAnswer ok(QString typed = {}) { return {Action::Ok, std::move(typed), {}, 0}; }
    static DialogAnswer cancel(QString typed = {}) { return {Action::Cancel, std::move(typed), {}, 0}; }
    static DialogAnswer close() { return {Action::Close, {}, {}, 0}; }
    static DialogAnswer escape(QString typed = {}) { return {Action::Escape, std::move(typed), {}, 0}; }
    static DialogAnswer paste(QString typed, int cursorLeft, QString pasted) {
        return {Action::Ok, std::move(typed), std::move(pasted), cursorLeft};
    }
};

struct ShownDialog {
    QString kind;          // the dialog's object name: "inputPrompt", "messageBox" or "okCancelBox"
    QString title;
    QString message;       // the input prompt's label, or the message box's text as it reads
    QString shownMessage;  // the message box's text as given to the box, break hints included
    QString initialEntry;  // what the entry line held when the dialog appeared
    QString finalEntry;    // what it held when the button was clicked
    int width = 0, height = 0;        // the dialog's size, once laid out
    int labelWidth = 0, labelHeight = 0;  // the size of its message
    bool windowVisible;    // whether the watched window was visible at that moment
    bool answered;         // false when no scripted answer was left and the dialog was cancelled
};

class DialogDriver : public QObject {
public:
    // watchedWindow: the window whose visibility is recorded for each dialog (may be null).
    explicit DialogDriver(std::deque<DialogAnswer> answers = {}, const QWidget* watchedWindow = nullptr);

    void add(DialogAnswer answer) { answers_.push_back(std::move(answer)); }
    // Stops answering; what was recorded stays.
    void stop() { poller_.stop(); }
    const std::vector<ShownDialog>& shown() const { return shown_; }
    QStringList messages() const;
    int unanswered() const;

private:
    void poll();
    ShownDialog describe(QWidget* dialog) const;
    static void answer(QWidget* dialog, const DialogAnswer& answer, ShownDialog& record);

    std::deque<DialogAnswer> answers_;
    QPointer<const QWidget> watched_;
    std::vector<ShownDialog> shown_;
    QTimer poller_;
};

}  // namespace stepwise::testing
