#include "app/start_up.h"

#include <cmath>

#include "app/main_form.h"
#include "records/code_hook.h"
#include "records/line_writer.h"
#include "format/lesson_header.h"

namespace stepwise {

namespace {

constexpr int masterFile = 1;
constexpr int sendFile = 2;

// The longest file name the file systems the program runs on can hold, in their own units.
constexpr std::size_t longestFileName = 255;

constexpr std::u16string_view forbiddenInNames = u"\\/:*?\"<>|";

}  // namespace

Text defaultResponsePrompt() {
    return Text(u"Enter, as appropriate, an answer to the question, a critique of your answer in response to a "
                u"given answer, your insights regarding the situation at this point, notes to yourself, or just "
                u"an OK.") +
           u"\r\n\r\n" +
           u"Always critique your solutions by describing any insights you had or errors you makde, and by "
           u"explaining how you can make use of the insight or how you now know how to avoid certain errors.  "
           u"Also pose for the instructor any question or questions that you have related to the problem or "
           u"series of problems.";
}

Text nameProblem(const Text& name) {
    for (char16_t c : name) {
        if (forbiddenInNames.find(c) != std::u16string_view::npos)
            return u"Your name is used in the names of your files, and file names cannot contain any of the "
                   u"characters \\ / : * ? \" < > |.  Please type your name without them.";
        if (c < 0x20 || c == 0x7F)
            return u"Your name contains a control character, which a file name cannot contain.  Please type "
                   u"your name again.";
    }
    return u"";
}

bool fileNamesFit(Platform& platform, const Text& name) {
    const OutputFileNames names = outputFileNames(name, platform.dateText());
    for (const Text* fileName : {&names.master, &names.send, &names.notes})
        if (platform.fileNameLength(*fileName) > longestFileName) return false;
    return true;
}

void MainForm::startLesson() {
    platform_.seedRandom(platform_.secondsSinceMidnight());
    state_.lessonCodeNbr = static_cast<int>(std::floor(platform_.nextRandom() * 10.0)) + 19;
    for (ControlId box : {ControlId::Picture1, ControlId::Picture2}) platform_.setUserScale(box, 1000, 1000);
    state_.folderPath = Text(defaultFolder);
    platform_.createDirectory(Text(defaultFolder));  // an existing or unwritable default is no matter here
    askName();
    askFolder();
    formFilePaths(studentName_);
    state_.assignmentNumber = firstAssignmentNumber();
    state_.responsePrompt = defaultResponsePrompt();
    state_.assignmentNumber = threeDigits(state_.assignmentNumber);
    state_.nextAssignmentNumber =
        threeDigits(decimalText(static_cast<long long>(numericValue(state_.assignmentNumber)) + 1));
    state_.lineIndex = 0;
    loadScript();
}

void MainForm::askName() {
    for (;;) {
        studentName_ = platform_.inputPrompt(Text(namePrompt));
        Text problem = nameProblem(studentName_);
        if (problem.empty() && !fileNamesFit(platform_, studentName_)) problem = Text(nameTooLongMessage);
        if (problem.empty()) return;
        platform_.showMessage(problem);
    }
}


void MainForm::askFolder() {
    if (platform_.inputPrompt(Text(changeFolderPrompt)) != u"1") return;
    const Text folder = platform_.inputPrompt(Text(newFolderPrompt));
    if (!folder.empty()) state_.folderPath = folder;
}

void MainForm::formFilePaths(const Text& name) {
    const OutputFileNames names = outputFileNames(name, platform_.dateText());
    state_.masterFilePath = state_.folderPath + u"\\" + names.master;
    state_.sendFilePath = state_.folderPath + u"\\" + names.send;
    state_.notesFilePath = state_.folderPath + u"\\" + names.notes;
}

void MainForm::openAssignment() {
    placeCursorOnHeader();
    for (;;) {
        FileStatus failure = platform_.openFile(masterFile, state_.masterFilePath, FileMode::Append);
        if (!failure) failure = platform_.openFile(sendFile, state_.sendFilePath, FileMode::Append);
        if (!failure) {
            writeLessonHeader();
            failure = platform_.closeFiles({masterFile, sendFile});
            if (!failure) return;
        }
        platform_.closeFiles({masterFile, sendFile});
        if (failure->badName)
            askNameAgain(*failure);
        else
            askFolderAgain(*failure);
        formFilePaths(studentName_);
    }
}

// The folder is there, but the system refuses a file name that the name makes.
void MainForm::askNameAgain(const FileError& failure) {
    platform_.showMessage(u"Your files cannot be given names made from the name you typed (" +
                          platform_.displayPath(failure.path) + u": " + failure.reason +
                          u").\r\n\r\nPlease type your name again, in a shorter form or with fewer special "
                          u"characters.");
    askName();
}

void MainForm::askFolderAgain(const FileError& failure) {
    const bool retry = platform_.askOkCancel(
        u"Your files cannot be written in the folder " + platform_.displayPath(state_.folderPath) + u" (" +
        platform_.displayPath(failure.path) + u": " + failure.reason +
        u").\r\n\r\nClick OK to choose another folder, or Cancel to quit.");
    if (!retry) endProgram();
    state_.folderPath = Text(defaultFolder);
    askFolder();
}

void MainForm::placeCursorOnHeader() {
    const Text header = state_.assignmentNumber + u".";
    state_.lineIndex = 0;
    Text line;
    while (leftText(line, 4) != header) {
        if (state_.lineIndex >= ScriptTable::lastIndex) {
            platform_.showMessage(u"The lesson script holds no header line for assignment " +
                                  state_.assignmentNumber + u", so the lesson cannot start.");
            endProgram();
        }
        state_.lineIndex = state_.lineIndex + 1;
        line = state_.scriptLines.at(state_.lineIndex);
    }
}

void MainForm::writeLessonHeader() {
    const Text codeLine = makeCodeLine(state_.lessonCodeNbr);
    const int codeNbr = state_.lessonCodeNbr;
    // The five lines of format/lesson_header.h.
    for (int file : {masterFile, sendFile}) {
        writeLine(platform_, file, {codeLine});
        writeLine(platform_, file, {code(assignmentLineOpening + state_.assignmentNumber, codeNbr)});
        writeLine(platform_, file, {code(state_.scriptLines.at(state_.lineIndex), codeNbr)});
        writeLine(platform_, file, {state_.assignmentTitle});
        writeLine(platform_, file, {platform_.dateText()});
    }
}

}  // namespace stepwise
