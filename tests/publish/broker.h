#pragma once
// A real mosquitto broker for the tests, on free local ports: a plain listener, a TLS
// listener with a certificate made here by openssl, and a listener that wants a password.
// It keeps its subscribers' sessions across a stop and start (persistence), so a subscriber
// sees what was published while it reconnected. Subscribers are mosquitto_sub processes.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>

namespace vx52::test {

// A port nobody listens on at the moment of asking.
inline int freePort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(s);
    return ntohs(a.sin_port);
}

inline bool accepts(int port) {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    ::close(s);
    return ok;
}

// Debian puts the broker in /usr/sbin, outside an ordinary user's PATH.
inline QString tool(const QString& name) {
    QString path = QStandardPaths::findExecutable(name);
    if (path.isEmpty())
        path = QStandardPaths::findExecutable(name, {QStringLiteral("/usr/sbin"),
                                                     QStringLiteral("/usr/bin")});
    return path;
}

inline bool runTool(const QString& name, const QStringList& args) {
    QProcess p;
    p.start(tool(name), args);
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit &&
           p.exitCode() == 0;
}

class Broker {
public:
    static constexpr const char* kUser = "vx52";
    static constexpr const char* kPassword = "tajne-heslo";

    int plain = freePort();
    int tls = freePort();
    int login = freePort();
    QTemporaryDir dir;
    QString error; // why the broker could not be set up

    Broker() {
        if (tool(QStringLiteral("mosquitto")).isEmpty() ||
            tool(QStringLiteral("mosquitto_sub")).isEmpty()) {
            error = QStringLiteral("mosquitto or mosquitto_sub missing: run tools/deps.sh");
            return;
        }
        if (!makeCertificate(QStringLiteral("server")) ||
            !makeCertificate(QStringLiteral("stranger")) ||
            !runTool(QStringLiteral("mosquitto_passwd"),
                     {QStringLiteral("-c"), QStringLiteral("-b"), file("passwords"),
                      QString::fromLatin1(kUser), QString::fromLatin1(kPassword)})) {
            error = QStringLiteral("openssl or mosquitto_passwd failed");
            return;
        }
        QFile conf(file("mosquitto.conf"));
        conf.open(QIODevice::WriteOnly);
        // As root the broker would become the user "mosquitto", who cannot read this folder.
        conf.write(QStringLiteral("user root\n"
                                  "per_listener_settings true\n"
                                  "persistence true\n"
                                  "persistence_location %1/\n"
                                  "max_queued_messages 0\n"
                                  "listener %2 127.0.0.1\n"
                                  "allow_anonymous true\n"
                                  "listener %3 127.0.0.1\n"
                                  "allow_anonymous true\n"
                                  "certfile %4\nkeyfile %5\n"
                                  "listener %6 127.0.0.1\n"
                                  "allow_anonymous false\n"
                                  "password_file %7\n")
                       .arg(dir.path())
                       .arg(plain)
                       .arg(tls)
                       .arg(file("server.pem"), file("server.key"))
                       .arg(login)
                       .arg(file("passwords"))
                       .toUtf8());
    }
    ~Broker() { stop(); }

    QString file(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QString file(const QString& name) const { return dir.filePath(name); }

    bool start() {
        process = std::make_unique<QProcess>();
        process->setProcessChannelMode(QProcess::MergedChannels);
        process->setStandardOutputFile(file("broker.log"), QIODevice::Append);
        process->start(tool(QStringLiteral("mosquitto")),
                       {QStringLiteral("-c"), file("mosquitto.conf"), QStringLiteral("-v")});
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 20000) {
            if (accepts(plain) && accepts(tls) && accepts(login)) return true;
            if (process->state() == QProcess::NotRunning) break;
            QTest::qWait(50);
        }
        return false;
    }
    // The broker hangs: connections stay open, nothing is read or acknowledged.
    void freeze() { ::kill(static_cast<pid_t>(process->processId()), SIGSTOP); }
    // SIGTERM: the broker saves its sessions and ends (a frozen one without reading on).
    void stop() {
        if (!process) return;
        process->terminate();
        ::kill(static_cast<pid_t>(process->processId()), SIGCONT);
        if (!process->waitForFinished(10000)) process->kill();
        process->waitForFinished(5000);
        process.reset();
    }

private:
    bool makeCertificate(const QString& name) {
        return runTool(QStringLiteral("openssl"),
                       {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                        QStringLiteral("rsa:2048"), QStringLiteral("-nodes"),
                        QStringLiteral("-keyout"), file(name + QStringLiteral(".key")),
                        QStringLiteral("-out"), file(name + QStringLiteral(".pem")),
                        QStringLiteral("-subj"), QStringLiteral("/CN=localhost"),
                        QStringLiteral("-addext"),
                        QStringLiteral("subjectAltName=IP:127.0.0.1,DNS:localhost"),
                        QStringLiteral("-days"), QStringLiteral("2")});
    }

    std::unique_ptr<QProcess> process;
};

// mosquitto_sub on the plain listener, QoS 1, every topic under a prefix; with a client id
// its session outlives a broker restart. Each message is one "topic payload" line.
class Subscriber {
public:
    Subscriber(const Broker& broker, const QString& topics, const QString& clientId = {}) {
        QStringList args{QStringLiteral("-h"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"),
                         QString::number(broker.plain), QStringLiteral("-q"), QStringLiteral("1"),
                         QStringLiteral("-v"), QStringLiteral("-t"), topics};
        if (!clientId.isEmpty()) args << QStringLiteral("-c") << QStringLiteral("-i") << clientId;
        process.start(tool(QStringLiteral("mosquitto_sub")), args);
        process.waitForStarted(10000);
    }
    ~Subscriber() {
        process.terminate();
        process.waitForFinished(5000);
    }

    // Publishes to readyTopic until the subscriber hears it: from then on it misses nothing.
    bool ready(const Broker& broker, const QString& readyTopic) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 20000) {
            runTool(QStringLiteral("mosquitto_pub"),
                    {QStringLiteral("-h"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"),
                     QString::number(broker.plain), QStringLiteral("-t"), readyTopic,
                     QStringLiteral("-m"), QStringLiteral("ready")});
            for (int i = 0; i < 4; ++i) {
                QTest::qWait(50);
                if (!payloads(readyTopic).isEmpty()) return true;
            }
        }
        return false;
    }

    // The messages so far, as {topic, payload}.
    QList<QPair<QString, QByteArray>> messages() {
        while (process.canReadLine()) {
            const QByteArray line = process.readLine().chopped(1);
            const int space = line.indexOf(' ');
            received.append({QString::fromUtf8(line.left(space)), line.mid(space + 1)});
        }
        return received;
    }
    QList<QByteArray> payloads(const QString& topic) {
        QList<QByteArray> out;
        for (const auto& [t, p] : messages())
            if (t == topic) out.append(p);
        return out;
    }

    QProcess process;

private:
    QList<QPair<QString, QByteArray>> received;
};

} // namespace vx52::test
