#include "app/command_line.h"

#include "ui/language.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

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

QString recordFileProblem(const QString& file) {
    const QFileInfo info(file);
    if (file.isEmpty()) return QStringLiteral("no file name");
    if (info.exists() && !info.isFile()) return QStringLiteral("not a regular file");
    const QDir folder = info.absoluteDir();
    if (!folder.exists()) return QStringLiteral("folder '%1' does not exist").arg(folder.path());
    if (info.exists() && !info.isWritable()) return QStringLiteral("the file is not writable");
    // A periodic write puts a new file beside it and renames it over the old one.
    QTemporaryFile probe(folder.filePath(QStringLiteral(".vx52-probe-XXXXXX")));
    if (!probe.open())
        return QStringLiteral("no file can be written in '%1': %2")
            .arg(folder.path(), probe.errorString());
    return {};
}

CommandLineAnswer answerCommandLine(const QStringList& args) {
    QCommandLineParser parser;
    // Qt's window options come with one dash: "-platform" is one option, not eight letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
        "Service and monitoring tool for the QDX 72-4xxx process regulator: reads measured\n"
        "values and relays over a serial line, draws them on a trend chart, records them\n"
        "to a text file and edits the regulator's parameter cards. Its texts are Czech on a\n"
        "Czech desktop and English on any other."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Display this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Display the version and exit."));
    const QCommandLineOption lang(
        QStringLiteral("lang"),
        QStringLiteral("Texts in Czech (cs) or English (en) whatever the\n"
                       "desktop's language; numbers and dates keep\n"
                       "following the regional settings."),
        QStringLiteral("cs|en"));
    const QCommandLineOption read(
        QStringLiteral("read"),
        QStringLiteral("Start automatic reading at start-up, as if \"Automatické čtení\" were "
                       "ticked. Failures go to the window's notice strip; nothing waits for a "
                       "person."));
    const QCommandLineOption record(
        QStringLiteral("record"),
        QStringLiteral("Also record to FILE from the start, with periodic writes (implies "
                       "--read). FILE is replaced. It is checked first: a FILE that cannot be "
                       "written ends the program with status 2."),
        QStringLiteral("FILE"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(read);
    parser.addOption(record);
    parser.addOption(lang);
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
    } else if (!parsed || !parser.positionalArguments().isEmpty() ||
               (parser.isSet(lang) && !languageNamed(parser.value(lang)))) {
        const QString why =
            !parsed ? parser.errorText()
            : !parser.positionalArguments().isEmpty()
                ? QStringLiteral("Unexpected argument '%1'.")
                      .arg(parser.positionalArguments().constFirst())
                : QStringLiteral("--lang takes cs or en, not '%1'.").arg(parser.value(lang));
        answer.err = kProgram + QStringLiteral(": ") + why + QStringLiteral("\nTry ") + kProgram +
                     QStringLiteral(" --help.\n");
        answer.exitCode = 2;
    } else if (parser.isSet(record)) {
        const QString file = parser.value(record);
        if (const QString problem = recordFileProblem(file); !problem.isEmpty()) {
            answer.err = kProgram + QStringLiteral(": cannot record to '%1': %2.\n").arg(file, problem);
            answer.exitCode = 2;
        } else {
            answer.recordFile = QFileInfo(file).absoluteFilePath();
            answer.read = true;
        }
    } else {
        answer.read = parser.isSet(read);
    }
    if (!answer.exitCode) answer.language = parser.value(lang);
    return answer;
}

CommandLineAnswer answerCommandLine(int argc, char** argv) {
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const CommandLineAnswer answer = answerCommandLine(args);
    std::fputs(answer.out.toLocal8Bit().constData(), stdout);
    std::fputs(answer.err.toLocal8Bit().constData(), stderr);
    return answer;
}

} // namespace vx52
