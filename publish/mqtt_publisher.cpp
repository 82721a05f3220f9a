#include "publish/mqtt_publisher.h"

#include <mosquitto.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>

namespace vx52 {

namespace {

constexpr int kKeepAliveSecs = 30;
constexpr int kQos = 1;
constexpr std::chrono::milliseconds kConnectTimeout{10'000};
constexpr std::chrono::milliseconds kOfflineTimeout{1000};
constexpr std::chrono::milliseconds kLoopWait{50};
constexpr std::chrono::milliseconds kStatusEvery{200};

std::once_flag library_once;

QString libraryError(int rc) {
    if (rc == MOSQ_ERR_ERRNO) return QString::fromLocal8Bit(std::strerror(errno));
    return QString::fromUtf8(mosquitto_strerror(rc));
}

} // namespace

MqttPublisher::MqttPublisher(MqttSettings settings, std::size_t capacity, QObject* parent)
    : QObject(parent), settings_(std::move(settings)), prefix_(effectivePrefix(settings_)),
      capacity_(std::max(capacity, kWindow)) {
    std::call_once(library_once, [] { mosquitto_lib_init(); });
    thread_ = std::thread([this] { run(); });
}

MqttPublisher::~MqttPublisher() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void MqttPublisher::publish(const Reading& reading) {
    std::lock_guard lock(mutex_);
    // The newest reading is worth more than the oldest: the oldest goes, and is counted.
    while (!queue_.empty() &&
           queue_.size() + static_cast<std::size_t>(window_size_) >= capacity_) {
        queue_.pop_front();
        ++status_.dropped;
    }
    queue_.push_back(reading);
}

void MqttPublisher::publishLink(int station, StationLink link) {
    std::lock_guard lock(mutex_);
    QByteArray& text = links_[station];
    const QByteArray now = stationLinkText(link);
    if (text == now) return;
    text = now;
    linksDirty_[station] = true;
}

MqttPublisher::Status MqttPublisher::status() const {
    std::lock_guard lock(mutex_);
    Status s = status_;
    s.waiting = static_cast<std::int64_t>(queue_.size()) + window_size_;
    return s;
}

bool MqttPublisher::waitDelivered(std::chrono::milliseconds deadline) {
    std::unique_lock lock(mutex_);
    return wake_.wait_for(lock, deadline, [this] { return allDelivered(); });
}

bool MqttPublisher::allDelivered() const {
    if (!queue_.empty() || window_size_ != 0 || links_unacked_ != 0) return false;
    for (const auto& [station, dirty] : linksDirty_)
        if (dirty) return false;
    return true;
}

void MqttPublisher::run() {
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (stopping_) break;
        }
        if (connectOnce()) {
            serve();
            sayOffline();
        }
        dropConnection();
        waitRetry();
    }
}

void MqttPublisher::setState(State state, const QString& reason) {
    {
        std::lock_guard lock(mutex_);
        status_.state = state;
        status_.reason = reason;
    }
    noteStatus(true);
}

void MqttPublisher::noteStatus(bool force) {
    const Status now = status();
    const auto at = std::chrono::steady_clock::now();
    if (now == emitted_) return;
    if (!force && now.state == emitted_.state && at - emittedAt_ < kStatusEvery) return;
    emitted_ = now;
    emittedAt_ = at;
    emit statusChanged();
}

// Each attempt starts from a fresh client: what was in flight is back in our own queue, in
// order, so nothing the library kept from the lost session can overtake it.
bool MqttPublisher::connectOnce() {
    connected_ = false;
    connack_ = -1;
    last_log_.clear();
    const QByteArray clientId = effectiveClientId(settings_).toUtf8();
    mosq_ = mosquitto_new(clientId.constData(), true, this);
    if (mosq_ == nullptr) {
        setState(State::Unreachable, libraryError(MOSQ_ERR_ERRNO));
        return false;
    }
    mosquitto_connect_callback_set(mosq_, &MqttPublisher::onConnect);
    mosquitto_publish_callback_set(mosq_, &MqttPublisher::onPublish);
    mosquitto_log_callback_set(mosq_, &MqttPublisher::onLog);
    mosquitto_max_inflight_messages_set(mosq_, static_cast<unsigned>(kWindow) + 16);
    if (!settings_.user.isEmpty()) {
        const QByteArray user = settings_.user.toUtf8();
        const QByteArray password = settings_.password.toUtf8();
        mosquitto_username_pw_set(mosq_, user.constData(),
                                  settings_.password.isEmpty() ? nullptr : password.constData());
    }
    const QByteArray status = statusTopic(prefix_).toUtf8();
    mosquitto_will_set(mosq_, status.constData(), 7, "offline", kQos, true);
    if (settings_.tls) {
        const QByteArray ca = settings_.caFile.toLocal8Bit();
        const int rc = settings_.caFile.isEmpty()
                           ? mosquitto_tls_set(mosq_, nullptr, "/etc/ssl/certs", nullptr,
                                               nullptr, nullptr)
                           : mosquitto_tls_set(mosq_, ca.constData(), nullptr, nullptr, nullptr,
                                               nullptr);
        if (rc != MOSQ_ERR_SUCCESS) {
            setState(State::TlsFailed,
                     QStringLiteral("CA file cannot be read: ") + settings_.caFile);
            return false;
        }
    }
    const QByteArray host = settings_.host.toUtf8();
    const int rc = mosquitto_connect_async(mosq_, host.constData(), settings_.port, kKeepAliveSecs);
    if (rc != MOSQ_ERR_SUCCESS) {
        setState(rc == MOSQ_ERR_TLS ? State::TlsFailed : State::Unreachable,
                 last_log_.isEmpty() ? libraryError(rc) : last_log_);
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + kConnectTimeout;
    while (!connected_) {
        {
            std::lock_guard lock(mutex_);
            if (stopping_) return false;
        }
        const int step = mosquitto_loop(mosq_, static_cast<int>(kLoopWait.count()), 1);
        if (connected_) break;
        if (step != MOSQ_ERR_SUCCESS) {
            if (connack_ > 0)
                setState(connack_ == 4 || connack_ == 5 ? State::LoginRefused : State::Unreachable,
                         QString::fromUtf8(mosquitto_connack_string(connack_)));
            else if (step == MOSQ_ERR_TLS || last_log_.contains(QLatin1String("SSL")))
                setState(State::TlsFailed, last_log_.isEmpty() ? libraryError(step) : last_log_);
            else
                setState(State::Unreachable, libraryError(step));
            return false;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            setState(State::Unreachable, QStringLiteral("the broker did not answer"));
            return false;
        }
        noteStatus(false);
    }
    return true;
}

void MqttPublisher::serve() {
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (stopping_) return;
        }
        sendPending();
        const int rc = mosquitto_loop(mosq_, static_cast<int>(kLoopWait.count()), 1);
        if (rc != MOSQ_ERR_SUCCESS) {
            connected_ = false;
            setState(State::Unreachable, libraryError(rc));
            return;
        }
        noteStatus(false);
    }
}

void MqttPublisher::sendPending() {
    std::vector<std::pair<int, QByteArray>> links;
    std::vector<Reading> readings;
    {
        std::lock_guard lock(mutex_);
        for (auto& [station, dirty] : linksDirty_) {
            if (dirty) links.emplace_back(station, links_[station]);
            dirty = false;
        }
        while (!queue_.empty() && readings.size() + window_.size() < kWindow) {
            readings.push_back(queue_.front());
            queue_.pop_front();
        }
        window_size_ += static_cast<std::int64_t>(readings.size());
    }
    for (const auto& [station, text] : links) {
        const QByteArray topic = stateTopic(prefix_, station).toUtf8();
        int mid = 0;
        if (mosquitto_publish(mosq_, &mid, topic.constData(), static_cast<int>(text.size()),
                              text.constData(), kQos, true) == MOSQ_ERR_SUCCESS)
            link_mids_.insert(mid);
    }
    if (!links.empty()) {
        std::lock_guard lock(mutex_);
        links_unacked_ = link_mids_.size();
    }
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const Reading& r = readings[i];
        const QByteArray topic = measTopic(prefix_, r.station).toUtf8();
        const QByteArray json = readingJson(r);
        int mid = 0;
        const int rc = mosquitto_publish(mosq_, &mid, topic.constData(),
                                         static_cast<int>(json.size()), json.constData(), kQos,
                                         false);
        if (rc != MOSQ_ERR_SUCCESS) {
            // The connection is going: what was not handed over waits at the queue's head.
            std::lock_guard lock(mutex_);
            for (std::size_t j = readings.size(); j > i; --j)
                queue_.push_front(readings[j - 1]);
            window_size_ -= static_cast<std::int64_t>(readings.size() - i);
            return;
        }
        window_.push_back({mid, r, false});
    }
}

void MqttPublisher::sayOffline() {
    if (!connected_) return;
    const QByteArray topic = statusTopic(prefix_).toUtf8();
    offline_mid_ = -1;
    offline_acked_ = false;
    mosquitto_publish(mosq_, &offline_mid_, topic.constData(), 7, "offline", kQos, true);
    const auto deadline = std::chrono::steady_clock::now() + kOfflineTimeout;
    while (!offline_acked_ && std::chrono::steady_clock::now() < deadline &&
           mosquitto_loop(mosq_, static_cast<int>(kLoopWait.count()), 1) == MOSQ_ERR_SUCCESS) {
    }
    mosquitto_disconnect(mosq_);
    mosquitto_loop(mosq_, 0, 1);
}

void MqttPublisher::dropConnection() {
    if (mosq_ != nullptr) mosquitto_destroy(mosq_);
    mosq_ = nullptr;
    connected_ = false;
    link_mids_.clear();
    std::lock_guard lock(mutex_);
    // Links go out again on the next connection; until then they count as not delivered.
    for (auto& [station, dirty] : linksDirty_)
        dirty = true;
    links_unacked_ = 0;
    for (auto it = window_.rbegin(); it != window_.rend(); ++it)
        queue_.push_front(it->reading);
    window_.clear();
    window_size_ = 0;
    while (queue_.size() > capacity_) {
        queue_.pop_front();
        ++status_.dropped;
    }
}

void MqttPublisher::waitRetry() {
    const auto until = std::chrono::steady_clock::now() + retry_;
    retry_ = std::min(retry_ * 2, kLongestRetry);
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            const auto slice = std::min(until, std::chrono::steady_clock::now() + kStatusEvery);
            if (wake_.wait_until(lock, slice, [this] { return stopping_; })) return;
        }
        noteStatus(false);
        if (std::chrono::steady_clock::now() >= until) return;
    }
}

void MqttPublisher::onConnect(mosquitto*, void* self, int rc) {
    auto* p = static_cast<MqttPublisher*>(self);
    p->connack_ = rc;
    if (rc != 0) return;
    p->connected_ = true;
    p->retry_ = kFirstRetry;
    const QByteArray topic = statusTopic(p->prefix_).toUtf8();
    mosquitto_publish(p->mosq_, nullptr, topic.constData(), 6, "online", kQos, true);
    {
        // A broker that lost its retained messages learns every station's link again.
        std::lock_guard lock(p->mutex_);
        for (auto& [station, dirty] : p->linksDirty_)
            dirty = true;
        p->status_.state = State::Connected;
        p->status_.reason.clear();
    }
    p->noteStatus(true);
}

void MqttPublisher::onPublish(mosquitto*, void* self, int mid) {
    auto* p = static_cast<MqttPublisher*>(self);
    if (mid == p->offline_mid_) p->offline_acked_ = true;
    if (p->link_mids_.erase(mid) > 0) {
        {
            std::lock_guard lock(p->mutex_);
            p->links_unacked_ = p->link_mids_.size();
        }
        p->wake_.notify_all();
        return;
    }
    const auto it = std::find_if(p->window_.begin(), p->window_.end(),
                                 [mid](const Sent& s) { return s.mid == mid; });
    if (it == p->window_.end()) return;
    it->acked = true;
    std::int64_t done = 0;
    while (!p->window_.empty() && p->window_.front().acked) {
        p->window_.pop_front();
        ++done;
    }
    if (done == 0) return;
    {
        std::lock_guard lock(p->mutex_);
        p->window_size_ = static_cast<std::int64_t>(p->window_.size());
        p->status_.delivered += done;
    }
    p->wake_.notify_all();
}

void MqttPublisher::onLog(mosquitto*, void* self, int level, const char* text) {
    if ((level & (MOSQ_LOG_ERR | MOSQ_LOG_WARNING)) == 0) return;
    static_cast<MqttPublisher*>(self)->last_log_ = QString::fromUtf8(text);
}

} // namespace vx52
