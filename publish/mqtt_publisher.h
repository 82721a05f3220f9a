#pragma once
// Hands readings to an MQTT broker from a thread of its own, so that reading the regulators
// never waits on the network. Readings wait in a bounded in-memory queue while the broker
// is away and go out in order when it is back (QoS 1: the broker may get one twice, never
// out of order and never with a gap); when the queue is full the oldest are dropped and
// counted. Reconnects back off from 1 s to 30 s. The program's presence is a retained
// "online" on <prefix>/status with "offline" as the last will, so subscribers learn when
// the program dies. What waits in the queue when the publisher is destroyed is lost.

#include "publish/mqtt_settings.h"
#include "publish/reading_message.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

struct mosquitto; // libmosquitto's client

namespace vx52 {

class MqttPublisher : public QObject {
    Q_OBJECT

public:
    // 24 h of three stations at one reading a second, about 8 MB.
    static constexpr std::size_t kDefaultCapacity = 3 * 86'400;
    // Readings handed to the library at once and not yet acknowledged.
    static constexpr std::size_t kWindow = 32;
    static constexpr std::chrono::milliseconds kFirstRetry{1000};
    static constexpr std::chrono::milliseconds kLongestRetry{30'000};

    enum class State {
        Connecting,  // the first attempt is under way
        Connected,   // the broker takes the readings
        Unreachable, // no connection (refused, lost, no route, name unknown)
        LoginRefused, // the broker refused the user name or password
        TlsFailed,   // the encrypted connection could not be set up (certificate, CA file)
    };
    struct Status {
        State state = State::Connecting;
        std::int64_t waiting = 0;   // readings not yet acknowledged by the broker
        std::int64_t dropped = 0;   // oldest readings dropped because the queue was full
        std::int64_t delivered = 0; // readings the broker acknowledged
        QString reason;             // the library's words for the last failure
        friend bool operator==(const Status&, const Status&) = default;
    };

    explicit MqttPublisher(MqttSettings settings, std::size_t capacity = kDefaultCapacity,
                           QObject* parent = nullptr);
    // Says "offline" (when connected) and leaves the broker within about a second.
    ~MqttPublisher() override;
    MqttPublisher(const MqttPublisher&) = delete;
    MqttPublisher& operator=(const MqttPublisher&) = delete;

    // Both return at once, from any thread.
    void publish(const Reading& reading);
    void publishLink(int station, StationLink link);

    Status status() const;
    const MqttSettings& settings() const { return settings_; }
    QString prefix() const { return prefix_; }

    // Blocks until every reading and link state so far is acknowledged, or the deadline
    // passes: for a command-line tool about to end, never for a window.
    bool waitDelivered(std::chrono::milliseconds deadline);

signals:
    // The state changed, or the counts did (at most about five times a second).
    void statusChanged();

private:
    struct Sent {
        int mid;
        Reading reading;
        bool acked;
    };

    void run();
    bool allDelivered() const; // with mutex_ held
    bool connectOnce();
    void serve();
    void sendPending();
    void dropConnection();
    void sayOffline();
    void waitRetry();
    void noteStatus(bool force);
    void setState(State state, const QString& reason);

    // Called by the library inside the worker thread's loop.
    static void onConnect(::mosquitto*, void* self, int rc);
    static void onPublish(::mosquitto*, void* self, int mid);
    static void onLog(::mosquitto*, void* self, int level, const char* text);

    const MqttSettings settings_;
    const QString prefix_;
    const std::size_t capacity_;

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::deque<Reading> queue_;                 // not yet handed to the library
    std::map<int, QByteArray> links_;           // latest link text per station
    std::map<int, bool> linksDirty_;            // not yet sent since it changed or we connected
    Status status_;
    std::int64_t window_size_ = 0;              // mirror of window_.size() for status()
    std::size_t links_unacked_ = 0;             // mirror of link_mids_.size()

    // Worker thread only.
    ::mosquitto* mosq_ = nullptr;
    std::deque<Sent> window_;
    std::set<int> link_mids_; // link states sent and not yet acknowledged
    bool connected_ = false;
    int connack_ = -1;
    std::chrono::milliseconds retry_ = kFirstRetry;
    int offline_mid_ = -1;
    bool offline_acked_ = false;
    QString last_log_; // the library's last error or warning, for a failed TLS handshake
    Status emitted_;
    std::chrono::steady_clock::time_point emittedAt_{};

    std::thread thread_;
};

} // namespace vx52
