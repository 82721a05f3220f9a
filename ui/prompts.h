#pragma once
// Every message box, file dialog and colour dialog of the program goes through Prompts.
// The program uses QtPrompts (real dialogs); tests install a scripted one.

#include <QColor>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace vx52 {

class Prompts {
public:
    enum class Icon { None, Information, Warning, Error, Question };
    enum class Buttons { Ok, YesNo, YesNoCancel, OkCancel };
    enum class Answer { Ok, Yes, No, Cancel };

    struct FileDialog {
        QString title;
        QString filter;        // "Text (*.txt)|..." already in Qt's form: "Text (*.txt);;All (*)"
        QString defaultSuffix; // without the dot
        QString initialName;   // file name or path shown at first
        bool confirmOverwrite = false;
    };

    virtual ~Prompts() = default;

    virtual Answer message(QWidget* parent, const QString& text, const QString& caption,
                           Icon icon, Buttons buttons = Buttons::Ok) = 0;
    // Returns the chosen path, or an empty string when the operator cancelled.
    virtual QString openFile(QWidget* parent, const FileDialog& dialog) = 0;
    virtual QString saveFile(QWidget* parent, const FileDialog& dialog) = 0;
    // Returns the chosen colour, or nothing when the operator cancelled.
    virtual std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) = 0;
};

} // namespace vx52
