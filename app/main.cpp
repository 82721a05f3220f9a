// VX-52: service and monitoring of the four-channel process regulator over a serial line.

#include "app/Unit_hl.h"
#include "app/command_line.h"
#include "app/windows.h"
#include "link/port/serial_line.h"
#include "ui/clock.h"
#include "ui/guard.h"
#include "ui/language.h"
#include "ui/pause.h"
#include "ui/qt_prompts.h"
#include "ui/qt_settings_store.h"

#include <QApplication>

#include <exception>

int main(int argc, char** argv) {
    // --help and --version answer without a display; unknown options and a --record FILE
    // that cannot be written end here too.
    const vx52::CommandLineAnswer options = vx52::answerCommandLine(argc, argv);
    if (options.exitCode) return *options.exitCode;
    QApplication app(argc, argv);
    QApplication::setApplicationName(vx52::kAppTitle);
    // Before any window exists: every text is translated as it is made.
    vx52::installLanguage(app, vx52::languageNamed(options.language).value_or(vx52::languageFor()));
    vx52::QtPrompts prompts;
    try {
        vx52::QtSettingsStore settings;
        vx52::SerialLine line(vx52::ComPorts([&settings](const QString& key, const QString& fallback) {
            return settings.readString(QStringLiteral("PORT"), key, fallback);
        }));
        vx52::SystemClock clock;
        vx52::SleepingPause pause;
        // The serial port lives on the line worker's thread while the worker runs.
        vx52::AppWindows windows({settings, line, prompts, clock, pause,
                                  [&line](QThread* to) { line.moveToThread(to); }});
        windows.qdx01->show();
        windows.qdx01->startUnattended(options.read, options.recordFile);
        return app.exec();
    } catch (const std::exception& failure) {
        // A failure at start-up or one that escaped the message loop ends the program.
        vx52::showFailure(prompts, nullptr, QString::fromUtf8(failure.what()));
        return 1;
    }
}
