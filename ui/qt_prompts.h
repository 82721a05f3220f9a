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
};

} // namespace vx52
