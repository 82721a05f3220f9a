#pragma once
// vx52-sim started on a pseudo-terminal for a test, and stopped with it.

#include <QProcess>
#include <QString>
#include <QStringList>

#include <csignal>
#include <sys/types.h>

namespace vx52::test {

class SimProcess {
public:
    explicit SimProcess(const QStringList& arguments) {
        process_.setProgram(QStringLiteral(VX52_SIM));
        process_.setArguments(QStringList{QStringLiteral("--pty")} + arguments);
        process_.setProcessChannelMode(QProcess::SeparateChannels);
        process_.start();
        if (!process_.waitForStarted(5000)) return;
        // The first line names the pseudo-terminal.
        while (!process_.canReadLine() && process_.waitForReadyRead(5000)) {
        }
        const QString line = QString::fromUtf8(process_.readLine()).trimmed();
        if (line.startsWith(QLatin1String("PTY "))) path_ = line.mid(4);
    }
    ~SimProcess() { stop(); }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    bool running() const { return !path_.isEmpty() && process_.state() == QProcess::Running; }
    QString path() const { return path_; }
    void signal(int sig) { ::kill(static_cast<pid_t>(process_.processId()), sig); }
    void healthy() { signal(SIGUSR1); }

    void stop() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.terminate();
        if (!process_.waitForFinished(3000)) {
            process_.kill();
            process_.waitForFinished(3000);
        }
    }
    QByteArray errors() { return process_.readAllStandardError(); }

private:
    QProcess process_;
    QString path_;
};

} // namespace vx52::test
