#pragma once
// Every message box, file dialog and colour dialog of the program goes through Prompts.
// The program uses QtPrompts (real dialogs); tests install a scripted one.

#include <QColor>
#include <QString>
#include <QStringList>

#include <optional>

class QPrinter;
class QWidget;

namespace vx52 {

class Prompts {
public:
    enum class Icon { None, Information, Warning, Error, Question };
    // YesNoDefaultNo: Yes and No with No as the default button (Enter, Esc, close box).
    enum class Buttons { Ok, YesNo, YesNoCancel, OkCancel, YesNoDefaultNo };
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

    // A box with a text above a table of rows under the given column headings. Without a
    // table of its own, the rows follow the text one per line.
    virtual Answer table(QWidget* parent, const QString& text, const QString& caption,
                         const QStringList& headings, const QList<QStringList>& rows,
                         Buttons buttons = Buttons::Ok) {
        QString all = text + QLatin1Char('\n') + headings.join(QLatin1Char('\t'));
        for (const auto& row : rows) all += QLatin1Char('\n') + row.join(QLatin1Char('\t'));
        return message(parent, all, caption, Icon::None, buttons);
    }
    // The print dialog on `printer`; false when the operator cancelled.
    virtual bool choosePrinter(QWidget*, QPrinter&) { return false; }
};

} // namespace vx52
