#include "frontends/qt/prompt_dialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/control_table.h"
#include "frontends/qt/one_line_validator.h"
#include "frontends/qt/qt_text.h"

namespace stepwise::qt {

namespace {

constexpr int promptMessageWidth = 380;  // pixels; long prompts wrap within it

void nameButton(QAbstractButton* button, const char* name) {
    if (button) button->setObjectName(QString::fromLatin1(name));
}

void prepare(QMessageBox& box, const QString& message, const char* name) {
    box.setObjectName(QString::fromLatin1(name));
    box.setWindowTitle(toQString(programTitle));
    box.setTextFormat(Qt::PlainText);
    box.setText(withBreaksInLongWords(message));
}

}  // namespace

std::optional<QString> askForText(QWidget* parent, const QString& message) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("inputPrompt"));
    dialog.setWindowTitle(toQString(programTitle));

    auto* label = new QLabel(message, &dialog);
    label->setObjectName(QStringLiteral("promptMessage"));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setMinimumWidth(promptMessageWidth);

    auto* answer = new QLineEdit(&dialog);
    answer->setObjectName(QStringLiteral("promptAnswer"));
    answer->setValidator(new OneLineValidator(answer));
    label->setBuddy(answer);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    nameButton(buttons->button(QDialogButtonBox::Ok), "okButton");
    nameButton(buttons->button(QDialogButtonBox::Cancel), "cancelButton");
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(answer);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    answer->setFocus();
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return answer->text();
}

void showMessageBox(QWidget* parent, const QString& message) {
    QMessageBox box(parent);
    prepare(box, message, "messageBox");
    nameButton(box.addButton(QMessageBox::Ok), "okButton");
    box.exec();
}

bool askOkOrCancel(QWidget* parent, const QString& message) {
    QMessageBox box(parent);
    prepare(box, message, "okCancelBox");
    QPushButton* ok = box.addButton(QMessageBox::Ok);
    nameButton(ok, "okButton");
    nameButton(box.addButton(QMessageBox::Cancel), "cancelButton");
    box.setDefaultButton(ok);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    return box.clickedButton() == ok;
}

}  // namespace stepwise::qt
