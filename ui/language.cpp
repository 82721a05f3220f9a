#include "ui/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace vx52 {

namespace {

// Parented to the application so it lives as long as the texts it translates.
bool install(QCoreApplication& app, const QString& name, const QString& folder) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(name, folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace

Language languageFor(const QLocale& locale) {
    // The first language the desktop asks for (LANGUAGE, LC_MESSAGES or LANG on Linux).
    const QStringList wanted = locale.uiLanguages();
    const QLocale first = wanted.isEmpty() ? locale : QLocale(wanted.constFirst());
    return first.language() == QLocale::Czech ? Language::Czech : Language::English;
}

std::optional<Language> languageNamed(const QString& name) {
    if (name == QLatin1String("cs")) return Language::Czech;
    if (name == QLatin1String("en")) return Language::English;
    return std::nullopt;
}

bool installLanguage(QCoreApplication& app, Language language) {
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (language == Language::Czech) return install(app, QStringLiteral("qtbase_cs"), qtFolder);
    // Qt's texts are English already; qtbase_en only adds its plural forms.
    install(app, QStringLiteral("qtbase_en"), qtFolder);
    return install(app, QStringLiteral("vx52_en"), QStringLiteral(":/i18n"));
}

std::string telegramText(const char* text) {
    return QCoreApplication::translate("Telegram", text).toStdString();
}

} // namespace vx52
