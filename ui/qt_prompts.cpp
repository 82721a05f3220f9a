#include "ui/qt_prompts.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QTableWidget>
#include <QVBoxLayout>

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
    case Prompts::Buttons::YesNo:
    case Prompts::Buttons::YesNoDefaultNo: return QMessageBox::Yes | QMessageBox::No;
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
    case Prompts::Buttons::YesNo:
    case Prompts::Buttons::YesNoDefaultNo: return Prompts::Answer::No;
    case Prompts::Buttons::YesNoCancel:
    case Prompts::Buttons::OkCancel: return Prompts::Answer::Cancel;
    case Prompts::Buttons::Ok: break;
    }
    return Prompts::Answer::Ok;
}

// A box of a window blocks that window (and those it belongs to) only: the telegram monitor
// and the bus overview, windows of their own, stay usable meanwhile.
void modalTo(QDialog& dialog, const QWidget* parent) {
    if (parent != nullptr) dialog.setWindowModality(Qt::WindowModal);
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
    modalTo(dialog, parent);
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

} // namespace

Prompts::Answer QtPrompts::message(QWidget* parent, const QString& text, const QString& caption,
                                   Icon icon, Buttons buttons) {
    QMessageBox box(boxIcon(icon), caption, text, boxButtons(buttons), parent);
    if (buttons == Buttons::YesNoDefaultNo) {
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
    }
    modalTo(box, parent);
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

Prompts::Answer QtPrompts::table(QWidget* parent, const QString& text, const QString& caption,
                                 const QStringList& headings, const QList<QStringList>& rows,
                                 Buttons buttons) {
    QDialog box(parent);
    box.setWindowTitle(caption);
    auto* layout = new QVBoxLayout(&box);
    auto* label = new QLabel(text, &box);
    label->setWordWrap(true);
    layout->addWidget(label);
    if (!rows.isEmpty()) {
        auto* grid = new QTableWidget(static_cast<int>(rows.size()),
                                      static_cast<int>(headings.size()), &box);
        grid->setHorizontalHeaderLabels(headings);
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grid->setSelectionBehavior(QAbstractItemView::SelectRows);
        grid->verticalHeader()->hide();
        for (int r = 0; r < rows.size(); ++r)
            for (int c = 0; c < rows[r].size() && c < headings.size(); ++c)
                grid->setItem(r, c, new QTableWidgetItem(rows[r][c]));
        grid->resizeColumnsToContents();
        grid->resizeRowsToContents();
        // Names as narrow as they are; the two value columns share the rest alike.
        for (int c = static_cast<int>(headings.size()) - 2; c >= 0 && c < headings.size(); ++c)
            grid->horizontalHeader()->setSectionResizeMode(c, QHeaderView::Stretch);
        grid->setMinimumWidth(qBound(480, grid->horizontalHeader()->length() + 60, 900));
        layout->addWidget(grid);
    }
    QDialogButtonBox::StandardButtons standard = QDialogButtonBox::Ok;
    if (buttons == Buttons::YesNo) standard = QDialogButtonBox::Yes | QDialogButtonBox::No;
    if (buttons == Buttons::YesNoCancel)
        standard = QDialogButtonBox::Yes | QDialogButtonBox::No | QDialogButtonBox::Cancel;
    if (buttons == Buttons::OkCancel) standard = QDialogButtonBox::Ok | QDialogButtonBox::Cancel;
    auto* bar = new QDialogButtonBox(standard, &box);
    int pressed = QMessageBox::NoButton;
    QObject::connect(bar, &QDialogButtonBox::clicked, &box, [&](QAbstractButton* b) {
        pressed = bar->standardButton(b);
        box.accept();
    });
    layout->addWidget(bar);
    box.resize(box.sizeHint().width(), qMin(600, box.sizeHint().height() + 40));
    modalTo(box, parent);
    box.exec();
    // QDialogButtonBox and QMessageBox share the values of the standard buttons.
    return answerOf(pressed, buttons);
}

bool QtPrompts::choosePrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace vx52
