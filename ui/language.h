#pragma once
// The language of the program's texts. Czech is the language the texts are written in; the
// English catalogue is built into the program. Qt's own texts (the buttons of message boxes,
// the file and colour dialogs) follow the same choice. Regional formats (decimal separator,
// dates) follow the locale whatever the language, and stored files never change with it.

#include <QLocale>
#include <QString>

#include <optional>
#include <string>

class QCoreApplication;

namespace vx52 {

enum class Language { Czech, English };

// Czech for a Czech desktop, English for any other.
Language languageFor(const QLocale& locale = QLocale::system());
// The value of --lang: "cs" or "en"; nothing for any other text.
std::optional<Language> languageNamed(const QString& name);

// Installs the program's catalogue and Qt's own for language into app; false when one of
// them could not be loaded (the texts then stay in the language they are written in).
bool installLanguage(QCoreApplication& app, Language language);

// A text of the telegram decoder's (context "Telegram") in the installed language.
std::string telegramText(const char* text);

} // namespace vx52
