#include "sim/station_bus.h"

namespace vx52::sim {

Regulator& StationBus::add(RegulatorConfig config) {
    stations_.push_back(std::make_unique<Regulator>(std::move(config)));
    return *stations_.back();
}

Regulator* StationBus::station(std::uint8_t address) {
    for (const auto& s : stations_)
        if (s->address() == address) return s.get();
    return nullptr;
}

std::vector<std::uint8_t> StationBus::addresses() const {
    std::vector<std::uint8_t> out;
    for (const auto& s : stations_)
        out.push_back(s->address());
    return out;
}

void StationBus::setSilent(std::uint8_t address, bool silent) {
    if (silent)
        silent_.insert(address);
    else
        silent_.erase(address);
}

Reply StationBus::respond(std::span<const std::uint8_t> frame, std::chrono::milliseconds now,
                          Regulator** answered) {
    if (answered) *answered = nullptr;
    // Every station hears the request; the first that answers holds the line.
    for (const auto& s : stations_) {
        const std::uint8_t address = s->address();
        Reply reply = s->respond(frame, now);
        if (reply.silent() && !s->lastReplyFaulted()) continue;
        if (silenceHeld_ && silent_.contains(address)) continue;
        if (answered) *answered = s.get();
        return reply;
    }
    return {};
}

} // namespace vx52::sim
