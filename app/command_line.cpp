#include "app/command_line.h"

#include <QCommandLineParser>

#include <cstdio>

namespace vx52 {

namespace {

const QString kProgram = QStringLiteral("vx52");

// Options QGuiApplication and QApplication take out of the command line themselves.
const char* const kQtValueOptions[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
    "geometry", "qwindowtitle",       "title",         "qwindowicon", "icon",
    "display",  "style",              "stylesheet",    "session"};
const char* const kQtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb"};

} // namespace

CommandLineAnswer answerCommandLine(const QStringList& args) {
    QCommandLineParser parser;
    // Qt's window options come with one dash: "-platform" is one option, not eight letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
        "Service and monitoring tool for the QDX 72-4xxx process regulator: reads measured\n"
        "values and relays over a serial line, draws them on a trend chart, records them\n"
        "to a text file and edits the regulator's parameter cards. Its texts are Czech."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Display this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Display the version and exit."));
    parser.addOption(help);
    parser.addOption(version);
    for (const char* name : kQtValueOptions) {
        QCommandLineOption o(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        o.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(o);
    }
    for (const char* name : kQtFlagOptions) {
        QCommandLineOption o(QString::fromLatin1(name));
        o.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(o);
    }

    CommandLineAnswer answer;
    const bool parsed = parser.parse(args);
    if (parser.isSet(help)) {
        // No QCoreApplication exists yet, so the parser cannot name the program itself.
        answer.out = parser.helpText().replace(QStringLiteral("<executable_name>"), kProgram);
        answer.exitCode = 0;
    } else if (parser.isSet(version)) {
        answer.out = kProgram + QLatin1Char(' ') + QStringLiteral(VX52_VERSION) + QLatin1Char('\n');
        answer.exitCode = 0;
    } else if (!parsed || !parser.positionalArguments().isEmpty()) {
        const QString why = !parsed ? parser.errorText()
                                    : QStringLiteral("Unexpected argument '%1'.")
                                          .arg(parser.positionalArguments().constFirst());
        answer.err = kProgram + QStringLiteral(": ") + why + QStringLiteral("\nTry ") + kProgram +
                     QStringLiteral(" --help.\n");
        answer.exitCode = 2;
    }
    return answer;
}

std::optional<int> answerCommandLine(int argc, char** argv) {
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const CommandLineAnswer answer = answerCommandLine(args);
    std::fputs(answer.out.toLocal8Bit().constData(), stdout);
    std::fputs(answer.err.toLocal8Bit().constData(), stderr);
    return answer.exitCode;
}

} // namespace vx52
