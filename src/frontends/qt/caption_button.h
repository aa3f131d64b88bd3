#pragma once
// A push button whose caption wraps onto further lines when it is wider than the button, as the
// captions of classic command buttons do; the window's buttons are narrow for their captions.
// Enter (Return, or Enter on the keypad) presses it when it has the focus, as Space does. (Qt's
// autoDefault would do the same, but draw the focused button as the window's default button.)
#include <QPushButton>

namespace stepwise::qt {

class CaptionButton : public QPushButton {
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace stepwise::qt
