#include "frontends/qt/main_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QShortcut>
#include <cmath>

#include "app/accessible_texts.h"
#include "app/keyboard_shortcuts.h"
#include "frontends/qt/caption_button.h"
#include "frontends/qt/picture_box_accessible.h"
#include "frontends/qt/picture_box.h"
#include "frontends/qt/qt_text.h"

namespace stepwise::qt {

namespace {

int pixels(int twips) { return static_cast<int>(std::lround(twips / double(twipsPerPixel))); }

QRect geometryOf(const ControlSpec& row) {
    return QRect(pixels(row.left), pixels(row.top), pixels(row.width), pixels(row.height));
}

// "System" is a Windows font; elsewhere a bold sans-serif of the same size stands in.
QFont largeBoxFont() {
    QFont font;
    font.setFamilies({QString::fromUtf8(largeBoxFontFamily.data(), qsizetype(largeBoxFontFamily.size())),
                      QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(largeBoxFontPoints);
    font.setWeight(QFont::Bold);
    return font;
}

// The keys of a shortcut: Return on the main keyboard and Enter on the keypad alike.
QList<QKeySequence> keysOf(const Shortcut& shortcut) {
    const Qt::KeyboardModifiers modifiers = Qt::ControlModifier | (shortcut.shift ? Qt::ShiftModifier : Qt::NoModifier);
    if (shortcut.key == ShortcutKey::N) return {QKeySequence(modifiers | Qt::Key_N)};
    return {QKeySequence(modifiers | Qt::Key_Return), QKeySequence(modifiers | Qt::KeypadModifier | Qt::Key_Enter)};
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
    installPictureBoxAccessibility();  // before the first picture box is asked for its interface
    setWindowTitle(toQString(windowCaption));
    setFixedSize(pixels(clientWidthTwips), pixels(clientHeightTwips));
    // Created in tab order, so that a later control lies on top of an earlier one it overlaps.
    for (const ControlSpec& row : controlTable()) controls_[static_cast<int>(row.id)] = createControl(row);
    chainTabOrder();
    addShortcuts();
    control(controlTable().front().id)->setFocus();
}

void MainWindow::addShortcuts() {
    for (const Shortcut& shortcut : keyboardShortcuts) {
        auto* keys = new QShortcut(this);
        keys->setKeys(keysOf(shortcut));
        keys->setContext(Qt::WindowShortcut);
        connect(keys, &QShortcut::activated, this, [this, id = shortcut.button] { emit controlClicked(id); });
    }
}

PictureBox* MainWindow::pictureBox(ControlId id) const { return controlAs<PictureBox>(id); }

QWidget* MainWindow::createControl(const ControlSpec& row) {
    const QString caption = toQString(row.caption);
    QWidget* widget = nullptr;
    switch (row.kind) {
        case ControlKind::DisplayBox:
        case ControlKind::ResponseBox: widget = createLargeBox(row); break;
        case ControlKind::Button: {
            auto* button = new CaptionButton(caption, this);
            connect(button, &QPushButton::clicked, this, [this, id = row.id] { emit controlClicked(id); });
            widget = button;
            break;
        }
        case ControlKind::TextLine: widget = new QLineEdit(caption, this); break;
        case ControlKind::Label: {
            auto* label = new QLabel(caption, this);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            widget = label;
            break;
        }
        case ControlKind::PictureBox: widget = new PictureBox(this); break;
        case ControlKind::ListBox: widget = new QListWidget(this); break;
        case ControlKind::Timer: return nullptr;
    }
    widget->setObjectName(QString::fromUtf8(row.name.data(), qsizetype(row.name.size())));
    widget->setAccessibleName(toQString(row.accessibleName));
    // A picture box describes what it holds itself.
    if (const Text description = stepwise::accessibleDescription(row.id); !description.empty())
        widget->setAccessibleDescription(toQString(description));
    widget->setGeometry(geometryOf(row));
    return widget;
}

QWidget* MainWindow::createLargeBox(const ControlSpec& row) {
    auto* box = new QPlainTextEdit(this);
    box->setFont(largeBoxFont());
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setTabChangesFocus(true);  // the lesson is worked from the keyboard too
    box->setPlainText(toBoxDocumentText(row.caption));
    return box;
}

void MainWindow::chainTabOrder() {
    QWidget* previous = nullptr;
    for (const ControlSpec& row : controlTable()) {
        QWidget* widget = control(row.id);
        if (!widget || widget->focusPolicy() == Qt::NoFocus) continue;
        if (previous) setTabOrder(previous, widget);
        previous = widget;
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closedByUser();
}

}  // namespace stepwise::qt
