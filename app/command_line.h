#pragma once
// The program's command line, answered before any window or display is needed.

#include <QString>
#include <QStringList>

#include <optional>

namespace vx52 {

struct CommandLineAnswer {
    std::optional<int> exitCode; // set: print the texts below and end with it
    QString out;                 // for stdout (help, version)
    QString err;                 // for stderr (refused arguments)
    bool read = false;           // --read: automatic reading from the start
    QString recordFile;          // --record FILE: also recording to FILE (absolute)
    QString language;            // --lang: "cs", "en", or empty for the desktop's language
};

// Why the recording cannot go to this file (its folder must take a new file beside it, as
// every periodic write makes one); empty when it can.
QString recordFileProblem(const QString& file);

// args as given, the program's name first. --help and --version are answered, options the
// program does not know are refused; Qt's own window options (-platform, -style, ...) pass
// on to QApplication.
CommandLineAnswer answerCommandLine(const QStringList& args);

// answerCommandLine on argv, printing its texts; exitCode is empty when the windows are to
// start.
CommandLineAnswer answerCommandLine(int argc, char** argv);

} // namespace vx52
