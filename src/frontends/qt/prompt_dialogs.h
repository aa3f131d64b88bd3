#pragma once
// The modal prompts of the program, titled with the program's title. Each waits until the student
// answers it. The parts carry object names so that tests can find and answer them:
// dialogs "inputPrompt", "messageBox", "okCancelBox"; inside them "promptMessage" (the input
// prompt's label), "promptAnswer" (its entry line), "okButton" and "cancelButton".
#include <QString>
#include <optional>

class QWidget;

namespace stepwise::qt {

// A message and one empty entry line; the typed text after OK, nothing after Cancel, Escape or
// the close box.
std::optional<QString> askForText(QWidget* parent, const QString& message);

// A message with an OK button.
void showMessageBox(QWidget* parent, const QString& message);

// A question answered with OK (true) or Cancel (false); closing it counts as Cancel.
bool askOkOrCancel(QWidget* parent, const QString& message);

}  // namespace stepwise::qt
