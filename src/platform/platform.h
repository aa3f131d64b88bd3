#pragma once
// Failures: file operations return a FileStatus (no value: done; else the FileError naming the
// file and the reason); the window's operations do not fail. Nothing here throws.
// Every operation the program needs from its windowing and runtime platform. The core calls only
// this interface; each front end implements the window half, and the portable system services
// (files, clock, random numbers) are shared by all front ends.
#include <cstddef>
#include <initializer_list>
#include <optional>

#include "platform/control_id.h"
#include "system/file_status.h"
#include "platform/picture.h"
#include "format/text.h"

namespace stepwise {

class Platform {
public:
    virtual ~Platform() = default;

    // Text boxes: the whole text with CR LF line breaks, whatever the widget keeps inside.
    virtual Text text(ControlId box) = 0;
    virtual void setText(ControlId box, const Text& text) = 0;

    // Replaces the whole text as one edit the student can undo: Ctrl+Z in the box brings back
    // the text it replaced.
    virtual void replaceTextUndoably(ControlId box, const Text& text) = 0;

    // Moves the keyboard focus to a text box and puts the caret at a position of its text, counted
    // as text() counts it (a CR LF line break is two units), so that a screen reader reads from
    // there. A position past the end puts the caret at the end.
    virtual void focusBox(ControlId box, std::size_t caret) = 0;
    // Whether a screen reader is following the window; the focus then follows the lesson.
    virtual bool screenReaderRunning() = 0;

    // A modal prompt with a message and one empty entry line; "" when cancelled. The answer is one
    // line: of a text holding line breaks (pasted, or put there by a tool) only the first line
    // counts, as in a single-line entry field, so no answer can break the line it is written on.
    Text inputPrompt(const Text& message) { return inputPromptOrCancel(message).value_or(Text{}); }
    // The same prompt, telling Cancel (Escape, the close box) apart: nothing when cancelled.
    std::optional<Text> inputPromptOrCancel(const Text& message) {
        std::optional<Text> typed = promptForLine(message);
        if (typed) *typed = firstLine(*typed);
        return typed;
    }
    // A modal message with an OK button.
    virtual void showMessage(const Text& message) = 0;
    // A modal question answered with OK (true) or Cancel (false).
    virtual bool askOkCancel(const Text& message) = 0;

    // A path as the program forms it ("c:\qwelrand\masterFile_Ann_Lee.txt"), named as the student's
    // system names it ("/home/ann/qwelrand/masterFile_Ann_Lee.txt" on Linux), with one kind of
    // separator: the form every message shows.
    virtual Text displayPath(const Text& path) = 0;
    // The length of a file name in the units the file system counts: UTF-8 bytes on Linux,
    // UTF-16 code units on Windows.
    virtual std::size_t fileNameLength(const Text& fileName) = 0;

    // Files by number. Paths are kept as the program forms them ("c:\qwelrand\...").
    virtual FileStatus createDirectory(const Text& path) = 0;
    virtual FileStatus openFile(int number, const Text& path, FileMode mode) = 0;
    // Appends text to a file open for appending; kept until the file is closed.
    virtual void writeText(int number, const Text& text) = 0;
    virtual bool atEnd(int number) = 0;
    // The size in bytes of a file open for reading.
    virtual std::size_t fileLength(int number) = 0;
    // The next line without its line end (CR, or CR LF).
    virtual Text readLine(int number) = 0;
    // Closes the numbers that are open, putting what was written into each file whole, flushed to
    // stable storage, as one unit: killed at any instant, or with another copy of the program
    // writing to the same files, every file gets it or none does. When any file fails, none of them
    // keeps what was written since it was opened, except the files the failure names in keptRecord.
    virtual FileStatus closeFiles(std::initializer_list<int> numbers) = 0;
    FileStatus closeFile(int number) { return closeFiles({number}); }
    // Closes every open file, dropping what was not yet put into it.
    virtual void abandonAllFiles() = 0;

    // Clock forms: "14:05:09" and "12-07-2026", read anew for every call.
    virtual Text timeText() = 0;
    virtual Text dateText() = 0;
    virtual double secondsSinceMidnight() = 0;

    // One pseudo-random sequence, uniformly distributed in [0, 1).
    virtual void seedRandom(double seed) = 0;
    virtual float nextRandom() = 0;

    // Picture boxes, in their user scale.
    virtual void setUserScale(ControlId box, float width, float height) = 0;
    virtual void drawCircle(ControlId box, float x, float y, float radius) = 0;
    virtual Picture picture(ControlId box) = 0;
    virtual void setPicture(ControlId box, const Picture& picture) = 0;

    // The system clipboard; false or an empty picture when it cannot be used.
    virtual bool putClipboardPicture(const Picture& picture) = 0;
    virtual Picture clipboardPicture() = 0;

    virtual void enableTimer(ControlId timer, int intervalMs) = 0;
    virtual void beep() = 0;

    // Closes the window and leaves the event loop; the process exits with status 0.
    virtual void closeWindowAndExit() = 0;

protected:
    // The front end's prompt behind inputPrompt: what its entry line holds after OK; nothing after
    // Cancel.
    virtual std::optional<Text> promptForLine(const Text& message) = 0;
};

}  // namespace stepwise
