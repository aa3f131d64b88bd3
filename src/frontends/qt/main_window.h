#pragma once
// The program's one window, built from the shared control table: every control at its place, in
// its tab order. Controls that overlap stack in tab order, a later control on top of an earlier
// one (in the top row the "display notes" button lies over the label, which lies over the
// "# sentences previous" box).
#include <QWidget>
#include <array>

#include "app/control_table.h"

class QPlainTextEdit;
class QCloseEvent;

namespace stepwise::qt {

class PictureBox;

class MainWindow : public QWidget {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);

    // The widget of a control; nullptr for the timer, which has none.
    QWidget* control(ControlId id) const { return controls_[static_cast<int>(id)]; }
    template <class Widget>
    Widget* controlAs(ControlId id) const { return qobject_cast<Widget*>(control(id)); }
    PictureBox* pictureBox(ControlId id) const;

signals:
    // A click on a push button, whether or not the program handles it.
    void controlClicked(stepwise::ControlId id);
    // The window was closed (the system close button); the program itself only hides it.
    void closedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* createControl(const ControlSpec& row);
    QWidget* createLargeBox(const ControlSpec& row);
    void chainTabOrder();
    // Ctrl+Return, Ctrl+Shift+Return and Ctrl+N click their buttons from anywhere in the window.
    void addShortcuts();

    std::array<QWidget*, controlCount> controls_{};
};

}  // namespace stepwise::qt
