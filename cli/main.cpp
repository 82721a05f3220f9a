// vx52-cli: the link's operations from a shell.

#include "cli/cli_options.h"
#include "cli/commands.h"
#include "cli/poll_command.h"
#include "cli/trace_printer.h"
#include "link/failure.h"
#include "link/port/serial_line.h"
#include "publish/mqtt_publisher.h"
#include "publish/station_publish.h"
#include "ui/language.h"
#include "ui/qt_settings_store.h"

#include <QCoreApplication>
#include <QDateTime>

#include <csignal>
#include <iostream>
#include <memory>

using namespace vx52;

namespace {

volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int) {
    interrupted = 1;
}

// Polling ends cleanly on the first SIGINT or SIGTERM; a second one ends it at once.
void catchInterrupts() {
    struct sigaction sa {};
    sa.sa_handler = onInterrupt;
    sa.sa_flags = SA_RESETHAND;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
}

// --device PATH puts the path behind every COM number; --com N maps as the program does.
ComPorts portsFor(const cli::CliOptions& o, std::unique_ptr<SettingsStore>& store) {
    if (!o.device.empty()) {
        const QString path = QString::fromStdString(o.device);
        return ComPorts([path](const QString&, const QString&) { return path; });
    }
    store = std::make_unique<QtSettingsStore>();
    SettingsStore* s = store.get();
    return ComPorts([s](const QString& key, const QString& fallback) {
        return s->readString(QStringLiteral("PORT"), key, fallback);
    });
}

// The line as the user gave it: the device path with --device, "COM n (device)" with --com.
QString lineName(const cli::CliOptions& o, const ComPorts& ports) {
    if (!o.device.empty()) return QString::fromStdString(o.device);
    const QString name = QStringLiteral("COM %1").arg(o.com);
    const QString path = ports.devicePath(o.com);
    return path.isEmpty() ? name : name + QStringLiteral(" (") + path + QLatin1Char(')');
}

constexpr std::chrono::seconds kDeliveryWait{10};
constexpr int kExitUndelivered = 3;

// The publisher for --mqtt URL [--ca FILE] [--mqtt-prefix P]; nothing with a reason in error.
std::unique_ptr<MqttPublisher> publisherFor(const cli::CliOptions& o, std::string& error) {
    QString why;
    auto settings = parseMqttUrl(QString::fromStdString(o.mqtt), why);
    if (settings && !o.ca.empty() && !settings->tls)
        why = QStringLiteral("--ca goes with an mqtts:// URL");
    if (settings && why.isEmpty()) {
        settings->caFile = QString::fromStdString(o.ca);
        settings->prefix = QString::fromStdString(o.mqttPrefix);
        if (!settings->prefix.isEmpty()) why = prefixProblem(settings->prefix);
    }
    if (!settings || !why.isEmpty()) {
        error = why.toStdString();
        return nullptr;
    }
    return std::make_unique<MqttPublisher>(*settings);
}

const char* stateWords(MqttPublisher::State state) {
    switch (state) {
    case MqttPublisher::State::Connecting:
        return "still connecting";
    case MqttPublisher::State::Connected:
        return "connected, not acknowledged yet";
    case MqttPublisher::State::Unreachable:
        return "broker unreachable";
    case MqttPublisher::State::LoginRefused:
        return "the broker refused the user name or password";
    case MqttPublisher::State::TlsFailed:
        return "TLS failed";
    }
    return "";
}

// Waits until the broker has what was published; exit status 3 when it did not take it.
int delivered(MqttPublisher* publisher, int status) {
    if (publisher == nullptr || publisher->waitDelivered(kDeliveryWait)) return status;
    const MqttPublisher::Status s = publisher->status();
    std::cerr << "vx52-cli: MQTT " << publisher->settings().host.toStdString() << ':'
              << publisher->settings().port << ": not delivered within " << kDeliveryWait.count()
              << " s: " << stateWords(s.state)
              << (s.reason.isEmpty() ? std::string() : " (" + s.reason.toStdString() + ")") << '\n';
    return status == cli::kExitOk ? kExitUndelivered : status;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // The program's own texts are English; the line's messages follow the desktop's language.
    installLanguage(app, languageFor());
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    std::string error;
    const auto options = cli::parseCliOptions(args, error);
    if (!options) {
        std::cerr << "vx52-cli: " << error << "\nTry vx52-cli --help.\n";
        return cli::kExitUsage;
    }
    if (options->help) {
        std::cout << cli::kCliUsage;
        return cli::kExitOk;
    }

    std::unique_ptr<MqttPublisher> publisher;
    if (!options->mqtt.empty()) {
        publisher = publisherFor(*options, error);
        if (!publisher) {
            std::cerr << "vx52-cli: " << error << '\n';
            return cli::kExitUsage;
        }
    }
    const int station = options->da;

    std::unique_ptr<SettingsStore> store;
    SerialLine line(portsFor(*options, store));
    const int com = options->device.empty() ? options->com : 1;
    line.setComNumber(com);
    line.setBaudRate(options->baud);
    try {
        line.OpenLine(com);
    } catch (const Failure& f) {
        // The line's own text names the COM number; --device users never chose one.
        std::cerr << QString::fromStdString(f.text())
                         .replace(ComPorts::comName(com), lineName(*options, line.ports()))
                         .toStdString()
                  << '\n';
        if (publisher) publisher->publishLink(station, StationLink::CannotOpen);
        return delivered(publisher.get(), cli::kExitUsage);
    }

    Link link;
    cli::TracePrinter trace(std::cerr);
    link.setLine(&line);
    trace.setDecode(options->decode);
    if (options->trace || options->decode) link.setObserver(&trace);
    link.setNotifier(
        [](const std::string& text, const std::string&) { std::cerr << text << '\n'; });
    link.SetDeviceAddress(static_cast<std::uint8_t>(options->da));
    link.SetHostAddress(static_cast<std::uint8_t>(options->sa));
    int status = cli::kExitOk;
    if (options->command == "poll") {
        catchInterrupts();
        std::function<void(const StationReading&)> publish;
        if (publisher)
            publish = [&](const StationReading& r) { publishStationReading(*publisher, r); };
        status = cli::runPoll(link, options->arguments, std::cout, std::cerr,
                              cli::systemPollHooks([] { return interrupted != 0; }), publish);
    } else {
        status = cli::runCommand(link, options->command, options->arguments, std::cout, std::cerr);
    }
    line.CloseLine();
    if (publisher && options->command == "meas" && status != cli::kExitUsage) {
        const bool good = status == cli::kExitOk;
        publisher->publishLink(station, good ? StationLink::Connected : StationLink::Silent);
        const auto& m = link.params().MEAS;
        if (good)
            publisher->publish(Reading::at(QDateTime::currentDateTime(),
                                           static_cast<std::uint8_t>(station),
                                           {m.OUT1, m.OUT2, m.OUT3, m.OUT4},
                                           static_cast<std::uint8_t>(m.RELAYS & 0x0F)));
    }
    return delivered(publisher.get(), status);
}
