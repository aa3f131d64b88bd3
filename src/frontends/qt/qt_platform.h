#pragma once
// The platform on Qt 6 Widgets: the window and its controls, the prompts, the picture boxes, the
// clipboard, the timer and the beep; files, clock and random numbers come from SystemPlatform.
#include <QTimer>
#include <functional>
#include <memory>

#include "frontends/qt/main_window.h"
#include "frontends/qt/picture_box.h"
#include "system/path_mapping.h"
#include "frontends/common/system_platform.h"

namespace stepwise {
class MainForm;
}

namespace stepwise::qt {

class QtPlatform : public SystemPlatform {
public:
    // driveRoot: the directory a leading "c:" stands for; the home directory in the product.
    explicit QtPlatform(std::filesystem::path driveRoot = homeDirectory());
    ~QtPlatform() override;

    // Sends the window's button clicks to form.click() and the timer's ticks to form.tick(); call once.
    void connect(MainForm& form);

    MainWindow& window() { return *window_; }
    PictureBox* pictureBox(ControlId box) const { return window_->pictureBox(box); }
    const QTimer& pendTimer() const { return pendTimer_; }

    // Tests stand in for QAccessible::isActive(), which only an accessibility bridge turns on.
    void setScreenReaderCheck(std::function<bool()> check) { screenReaderCheck_ = std::move(check); }

    Text text(ControlId box) override;
    void setText(ControlId box, const Text& text) override;
    void replaceTextUndoably(ControlId box, const Text& text) override;

    void focusBox(ControlId box, std::size_t caret) override;
    bool screenReaderRunning() override;

    void showMessage(const Text& message) override;
    bool askOkCancel(const Text& message) override;

    void setUserScale(ControlId box, float width, float height) override;
    void drawCircle(ControlId box, float x, float y, float radius) override;
    Picture picture(ControlId box) override;
    void setPicture(ControlId box, const Picture& picture) override;

    bool putClipboardPicture(const Picture& picture) override;
    Picture clipboardPicture() override;

    void enableTimer(ControlId timer, int intervalMs) override;
    void beep() override;

    void closeWindowAndExit() override;

protected:
    std::optional<Text> promptForLine(const Text& message) override;

private:
    // The parent for prompts: the window once it is shown; before that the prompts stand alone.
    QWidget* promptParent();
    // Leaves the event loop with status 0 when one runs; before it runs main() sees the form ended.
    static void leaveEventLoop();

    std::unique_ptr<MainWindow> window_;
    QTimer pendTimer_;
    std::function<void(ControlId)> tick_;
    std::function<bool()> screenReaderCheck_;
};

}  // namespace stepwise::qt
