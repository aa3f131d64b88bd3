#include "frontends/win32/win32_platform.h"

#include <commctrl.h>

#include "app/main_form.h"
#include "format/cp1252.h"
#include "frontends/win32/clipboard.h"
#include "frontends/win32/input_prompt.h"
#include "frontends/win32/message_dialog.h"
#include "frontends/win32/picture_box.h"
#include "frontends/win32/wide_text.h"

namespace stepwise::win32 {

namespace {

bool isEditControl(ControlKind kind) {
    return kind == ControlKind::DisplayBox || kind == ControlKind::ResponseBox || kind == ControlKind::TextLine;
}

}  // namespace

Win32Platform::Win32Platform(std::filesystem::path driveRoot) : SystemPlatform(std::move(driveRoot)) {
    for (const ControlSpec& row : controlTable())
        if (row.kind == ControlKind::DisplayBox || row.kind == ControlKind::ResponseBox)
            multiLineBoxes_[static_cast<int>(row.id)] = std::make_unique<MultiLineBox>(window_.control(row.id));
}

void Win32Platform::connect(MainForm& form) {
    window_.onClick = [this, &form](ControlId id) { deliver([&] { form.click(id); }); };
    window_.onTick = [this, &form](ControlId timer) { deliver([&] { form.tick(timer); }); };
}

template <class Event>
void Win32Platform::deliver(Event&& event) {
    if (delivering_) return;
    delivering_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{delivering_};
    event();
}

HWND Win32Platform::editControl(ControlId box) const {
    return isEditControl(controlSpec(box).kind) ? window_.control(box) : nullptr;
}

Text Win32Platform::text(ControlId box) {
    if (MultiLineBox* multiLine = multiLineBox(box)) return fromWide(multiLine->text());
    HWND edit = editControl(box);
    return edit ? fromWide(windowText(edit)) : Text{};
}

// The display box changes its font before its text, since its soft line breaks are measured in it.
void Win32Platform::fitFont(ControlId box, const Text& text) {
    if (box == ControlId::txt_question) window_.useTrueTypeDisplayFont(!fitsCp1252(text));
}

void Win32Platform::setText(ControlId box, const Text& text) {
    fitFont(box, text);
    if (MultiLineBox* multiLine = multiLineBox(box))
        multiLine->setText(toWide(withCrLfBreaks(text)));
    else if (HWND edit = editControl(box))
        SetWindowTextW(edit, toWide(withCrLfBreaks(text)).c_str());
}

void Win32Platform::replaceTextUndoably(ControlId box, const Text& text) {
    fitFont(box, text);
    if (MultiLineBox* multiLine = multiLineBox(box))
        multiLine->replaceTextUndoably(toWide(withCrLfBreaks(text)));
    else if (HWND edit = editControl(box))
        replaceAllUndoably(edit, toWide(withCrLfBreaks(text)));
}

HWND Win32Platform::promptOwner() const { return window_.isVisible() ? window_.hwnd() : nullptr; }

Text Win32Platform::promptForLine(const Text& message) {
    const std::optional<std::wstring> typed =
        askForText(promptOwner(), toWide(programTitle), toWide(withCrLfBreaks(message)));
    return typed ? fromWide(*typed) : Text{};
}

void Win32Platform::showMessage(const Text& message) {
    showMessageDialog(promptOwner(), toWide(programTitle), toWide(withCrLfBreaks(message)), MessageButtons::ok);
}

bool Win32Platform::askOkCancel(const Text& message) {
    return showMessageDialog(promptOwner(), toWide(programTitle), toWide(withCrLfBreaks(message)),
                             MessageButtons::okCancel);
}

void Win32Platform::setUserScale(ControlId box, float width, float height) {
    if (PictureBox* target = pictureBox(box)) target->setUserScale(width, height);
}

void Win32Platform::drawCircle(ControlId box, float x, float y, float radius) {
    if (PictureBox* target = pictureBox(box)) target->drawCircle(x, y, radius);
}

Picture Win32Platform::picture(ControlId box) {
    PictureBox* source = pictureBox(box);
    return source ? source->picture() : Picture{};
}

void Win32Platform::setPicture(ControlId box, const Picture& picture) {
    if (PictureBox* target = pictureBox(box)) target->setPicture(picture);
}

bool Win32Platform::putClipboardPicture(const Picture& picture) {
    return win32::putClipboardPicture(window_.hwnd(), picture);
}

Picture Win32Platform::clipboardPicture() { return win32::clipboardPicture(window_.hwnd()); }

void Win32Platform::enableTimer(ControlId timer, int intervalMs) {
    if (timer == ControlId::tmr_pend_exp) window_.startTimer(intervalMs);
}

void Win32Platform::beep() { MessageBeep(MB_OK); }

void Win32Platform::closeWindowAndExit() { window_.destroy(); }

}  // namespace stepwise::win32
