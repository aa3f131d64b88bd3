#pragma once
// The modal dialogs a process shows (input prompts and message boxes), seen and answered from
// outside through window messages only, as a student or a screen reader would reach them. Works
// on the test's own dialogs and on those of the program run as a separate process.
#include <windows.h>

#include <string>
#include <vector>

namespace stepwise::testing {

struct DialogAnswer {
    enum class Action { Ok, Cancel, Close };
    Action action = Action::Ok;
    std::wstring typed;  // typed into the entry line first, when there is one
    std::wstring pasted;  // then pasted there from the clipboard at caret, when not empty
    int caret = 0;

    static DialogAnswer ok(std::wstring typed = {}) { return {Action::Ok, std::move(typed), {}, 0}; }
    static DialogAnswer cancel(std::wstring typed = {}) { return {Action::Cancel, std::move(typed), {}, 0}; }
    static DialogAnswer close() { return {Action::Close, {}, {}, 0}; }
    static DialogAnswer paste(std::wstring typed, int caret, std::wstring pasted) {
        return {Action::Ok, std::move(typed), std::move(pasted), caret};
    }
};

struct ShownDialog {
    std::wstring kind;  // "inputPrompt", "messageBox" or "okCancelBox"
    std::wstring title;
    std::wstring message;
    std::wstring initialEntry;  // what the entry line held when the dialog was found
    std::wstring finalEntry;    // what it held when OK or Cancel was clicked
    bool ownerVisible = false;  // whether the dialog's owner window (if any) was visible
    bool owned = false;         // whether the dialog has an owner window
    bool answered = true;       // false when no answer was left and the dialog was cancelled
};

// The visible dialog windows of a process, topmost first.
std::vector<HWND> openDialogs(DWORD processId);
ShownDialog describeDialog(HWND dialog);
// Types the answer's text, pastes what it pastes, then clicks OK or Cancel (or closes the
// dialog). Returns what the entry line held then.
std::wstring answerDialog(HWND dialog, const DialogAnswer& answer);

std::wstring windowText(HWND window);

}  // namespace stepwise::testing
