#pragma once
// The program's Prompts: real message boxes, file dialogs and the colour dialog.

#include "ui/prompts.h"

namespace vx52 {

class QtPrompts : public Prompts {
public:
    Answer message(QWidget* parent, const QString& text, const QString& caption, Icon icon,
                   Buttons buttons = Buttons::Ok) override;
    QString openFile(QWidget* parent, const FileDialog& dialog) override;
    QString saveFile(QWidget* parent, const FileDialog& dialog) override;
    std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override;
    Answer table(QWidget* parent, const QString& text, const QString& caption,
                 const QStringList& headings, const QList<QStringList>& rows,
                 Buttons buttons = Buttons::Ok) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
};

} // namespace vx52
