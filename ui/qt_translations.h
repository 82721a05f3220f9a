#pragma once
// Qt's own texts (the buttons of message boxes, the file and colour dialogs) in the user's
// language, from the translations installed with Qt. The program's own texts are unaffected.

#include <QLocale>

class QCoreApplication;

namespace vx52 {

// Installs Qt's translation for locale into app; false when none is installed for it.
bool installQtTranslations(QCoreApplication& app, const QLocale& locale = QLocale::system());

} // namespace vx52
