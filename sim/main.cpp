// vx52-sim: the simulated regulator on a pseudo-terminal or a real serial device.

#include "sim/eeprom_file.h"
#include "sim/frame_assembler.h"
#include "sim/regulator.h"
#include "sim/sim_options.h"
#include "sim/station_bus.h"
#include "sim/tty_endpoint.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

using namespace vx52::sim;
using vx52::ParamSet;
using Clock = std::chrono::steady_clock;

namespace {

volatile std::sig_atomic_t stopping = 0;
volatile std::sig_atomic_t healthy = 0; // 1: faults off (SIGUSR1), 0: as given (SIGUSR2)

void onSignal(int) {
    stopping = 1;
}
void onHealthy(int) {
    healthy = 1;
}
void onFaulty(int) {
    healthy = 0;
}

void installSignals() {
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);
    sa.sa_handler = onHealthy;
    sigaction(SIGUSR1, &sa, nullptr);
    sa.sa_handler = onFaulty;
    sigaction(SIGUSR2, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

class Tracer {
public:
    Tracer(bool on, Clock::time_point start) : on_(on), start_(start) {}
    void frame(const char* direction, std::span<const std::uint8_t> bytes,
               const std::string& note = {}) const {
        if (!on_) return;
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start_).count();
        std::fprintf(stderr, "%10.3f %s", ms, direction);
        for (const auto b : bytes)
            std::fprintf(stderr, " %02X", b);
        if (!note.empty()) std::fprintf(stderr, "  (%s)", note.c_str());
        std::fputc('\n', stderr);
    }

private:
    bool on_;
    Clock::time_point start_;
};

std::chrono::milliseconds idleLimit(int baud) {
    // A request never pauses between its characters; a pause longer than this ends it.
    const auto chars = static_cast<long long>(3 * characterMillis(baud)) + 1;
    return std::chrono::milliseconds(std::max(50LL, chars));
}

} // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto parsed = parseSimOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!parsed) {
        std::cerr << "vx52-sim: " << error << "\n\n" << kSimUsage;
        return 2;
    }
    const SimOptions& o = *parsed;
    if (o.help) {
        std::cout << kSimUsage;
        return 0;
    }

    StationBus bus;
    if (o.stations.empty()) {
        bus.add(o.device);
    } else {
        for (const auto address : o.stations) {
            RegulatorConfig config = o.device;
            config.address = address;
            config.seed = o.device.seed + address; // each station runs its own process
            bus.add(config);
        }
        for (const auto address : o.silentStations)
            bus.setSilent(address, true);
    }
    // Faults hit every station alike.
    const auto applyFaults = [&](bool on) {
        for (const auto address : bus.addresses())
            bus.station(address)->setFault(on ? o.fault : Fault::None, o.faultRate);
        bus.setSilenceHeld(on);
    };
    applyFaults(true);
    Regulator& device = bus.first();
    if (!o.eeprom.empty()) {
        std::error_code ec;
        const auto kind = std::filesystem::status(o.eeprom, ec).type();
        if (kind != std::filesystem::file_type::not_found &&
            kind != std::filesystem::file_type::regular) {
            std::cerr << "vx52-sim: --eeprom " << o.eeprom << " is not a regular file\n";
            return 2;
        }
        if (kind == std::filesystem::file_type::regular) {
            ParamSet tables = device.tables();
            if (!loadEeprom(tables, o.eeprom, &error)) {
                std::cerr << "vx52-sim: " << error << '\n';
                return 2;
            }
            const std::uint8_t named = device.address();
            device.tables() = tables;
            // The stored address holds unless the command line names one.
            device.setAddress(o.addressGiven || !o.stations.empty() ? named : tables.ADD.ADRESA);
        }
        device.setOnStore([&o](const ParamSet& tables) {
            if (saveEeprom(tables, o.eeprom)) return true;
            std::cerr << "vx52-sim: cannot write " << o.eeprom << '\n';
            return false;
        });
    }

    auto line = o.pty ? TtyEndpoint::openPty(error) : TtyEndpoint::openPort(o.port, o.baud, error);
    if (!line) {
        std::cerr << "vx52-sim: " << error << '\n';
        return 2;
    }
    // The link is replaced only when it is one: a file of that name is never overwritten.
    std::error_code fsError;
    if (!o.link.empty()) {
        if (std::filesystem::is_symlink(o.link, fsError)) std::filesystem::remove(o.link, fsError);
        fsError.clear();
        std::filesystem::create_symlink(line->path(), o.link, fsError);
        if (fsError) {
            std::cerr << "vx52-sim: cannot make the link " << o.link << ": " << fsError.message()
                      << '\n';
            return 2;
        }
    }
    if (o.pty)
        std::cout << "PTY " << line->path() << std::endl;
    else
        std::cout << "PORT " << line->path() << std::endl;
    installSignals();

    const auto start = Clock::now();
    const Tracer trace(o.trace, start);
    FrameAssembler assembler;
    std::vector<std::uint8_t> incoming;
    const auto idle = idleLimit(o.baud);
    // Removes the link on the way out unless a newer simulator has taken the name meanwhile.
    struct LinkRemover {
        const std::string& link;
        const std::string& target;
        ~LinkRemover() {
            std::error_code e;
            if (!link.empty() && std::filesystem::read_symlink(link, e) == target)
                std::filesystem::remove(link, e);
        }
    } linkRemover{o.link, line->path()};
    auto lastInput = Clock::now();
    // Replies are queued, never slept on: the loop keeps listening, sends each character when
    // it is due, and a signal ends it at once whatever is queued.
    while (!stopping) {
        if (!line->flushDue()) {
            std::cerr << "vx52-sim: cannot write to the line\n";
            return 1;
        }
        auto wait = assembler.pending() ? idle : std::chrono::milliseconds(200);
        if (const auto due = line->untilNextDue()) wait = std::min(wait, *due);
        incoming.clear();
        if (!line->receive(incoming, wait)) {
            std::cerr << "vx52-sim: the line failed\n";
            return 1;
        }
        if (incoming.empty()) {
            // A pause longer than the idle limit ends a request.
            if (assembler.pending() && Clock::now() - lastInput >= idle) assembler.reset();
            continue;
        }
        lastInput = Clock::now();
        applyFaults(!healthy);
        for (const auto& frame : assembler.push(incoming)) {
            const int peer = line->peerSpeed();
            if (peer != 0 && peer != o.baud) {
                trace.frame("RX", frame,
                            "line set to " + std::to_string(peer) + " bit/s: not heard");
                continue;
            }
            trace.frame("RX", frame);
            const auto now =
                std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
            Regulator* station = nullptr;
            Reply reply = bus.respond(frame, now, &station);
            const bool faulted = station && station->lastReplyFaulted();
            if (reply.silent()) {
                trace.frame("--", {}, faulted ? "no reply (silent)" : "no reply");
                continue;
            }
            // On a shared line the request itself takes its time on the wire before the
            // station can answer.
            if (!o.stations.empty())
                reply.delay += std::chrono::milliseconds(static_cast<long long>(
                    std::ceil(characterMillis(o.baud) * static_cast<double>(frame.size()))));
            line->queue(reply, o.baud);
            trace.frame("TX", reply.bytes,
                        faulted ? std::string(faultName(station->fault())) : std::string());
        }
    }
    return 0;
}
