#pragma once
// A push button whose caption wraps onto further lines when it is wider than the button, as the
// captions of classic command buttons do; the window's buttons are narrow for their captions.
#include <QPushButton>

namespace stepwise::qt {

class CaptionButton : public QPushButton {
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace stepwise::qt
