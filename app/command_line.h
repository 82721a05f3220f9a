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
};

// args as given, the program's name first. --help and --version are answered, options the
// program does not know are refused; Qt's own window options (-platform, -style, ...) pass
// on to QApplication.
CommandLineAnswer answerCommandLine(const QStringList& args);

// answerCommandLine on argv, printing its texts; empty when the windows are to start.
std::optional<int> answerCommandLine(int argc, char** argv);

} // namespace vx52
