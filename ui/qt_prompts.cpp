#include "ui/qt_prompts.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace vx52 {

namespace {

QMessageBox::Icon boxIcon(Prompts::Icon icon) {
    switch (icon) {
    case Prompts::Icon::Information: return QMessageBox::Information;
    case Prompts::Icon::Warning: return QMessageBox::Warning;
    case Prompts::Icon::Error: return QMessageBox::Critical;
    case Prompts::Icon::Question: return QMessageBox::Question;
    case Prompts::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(Prompts::Buttons buttons) {
    switch (buttons) {
    case Prompts::Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Prompts::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Prompts::Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Prompts::Buttons::Ok: break;
    }
    return QMessageBox::Ok;
}

// Closing a box by its close box or Esc counts as its last button.
Prompts::Answer answerOf(int button, Prompts::Buttons buttons) {
    switch (button) {
    case QMessageBox::Ok: return Prompts::Answer::Ok;
    case QMessageBox::Yes: return Prompts::Answer::Yes;
    case QMessageBox::No: return Prompts::Answer::No;
    case QMessageBox::Cancel: return Prompts::Answer::Cancel;
    default: break;
    }
    switch (buttons) {
    case Prompts::Buttons::YesNo: return Prompts::Answer::No;
    case Prompts::Buttons::YesNoCancel:
    case Prompts::Buttons::OkCancel: return Prompts::Answer::Cancel;
    case Prompts::Buttons::Ok: break;
    }
    return Prompts::Answer::Ok;
}

QString runFileDialog(QWidget* parent, const Prompts::FileDialog& d, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, d.title);
    dialog.setAcceptMode(mode);
    // The open dialog does not demand an existing file either: a name that does not exist
    // opens as an empty parameter file (every entry at its default).
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!d.filter.isEmpty()) dialog.setNameFilters(d.filter.split(QStringLiteral(";;")));
    dialog.setDefaultSuffix(d.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !d.confirmOverwrite);
    if (!d.initialName.isEmpty()) dialog.selectFile(d.initialName);
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

} // namespace

Prompts::Answer QtPrompts::message(QWidget* parent, const QString& text, const QString& caption,
                                   Icon icon, Buttons buttons) {
    QMessageBox box(boxIcon(icon), caption, text, boxButtons(buttons), parent);
    return answerOf(box.exec(), buttons);
}

QString QtPrompts::openFile(QWidget* parent, const FileDialog& dialog) {
    return runFileDialog(parent, dialog, QFileDialog::AcceptOpen);
}

QString QtPrompts::saveFile(QWidget* parent, const FileDialog& dialog) {
    return runFileDialog(parent, dialog, QFileDialog::AcceptSave);
}

std::optional<QColor> QtPrompts::chooseColor(QWidget* parent, const QColor& initial) {
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
}

} // namespace vx52
