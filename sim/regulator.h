#pragma once
// The regulator's side of the protocol: a device at one bus address that keeps tables 0..13,
// answers the commands of the link, stores written tables and runs a simulated process.
// The same model answers over a pseudo-terminal (vx52-sim) and in-process in tests.

#include "link/param_set.h"
#include "sim/faults.h"
#include "sim/process.h"
#include "sim/reply.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <random>
#include <set>
#include <span>
#include <string>

namespace vx52::sim {

enum class DeviceKind {
    Regulator, // the regulator served by the program
    Qdx01,     // the older model: same protocol, other firmware
    Foreign,   // another family: answers only the type command, in its own record
    Nothing,   // nothing connected
};

constexpr const char* kRegulatorType = "QDX 72-4xxx";
constexpr const char* kRegulatorVersion = "FW-R-12-10 rev 3.07";
constexpr const char* kQdx01Type = "QDX 01";
constexpr const char* kQdx01Version = "FW-R-11-02 rev 1.40";

struct RegulatorConfig {
    DeviceKind kind = DeviceKind::Regulator;
    std::uint8_t address = 1;
    std::set<std::uint8_t> alsoAnswer{}; // further addresses that acknowledge the probe
    std::string typeText{};              // empty: the kind's own
    std::string versionText{};           // empty: the kind's own
    // The three 32-byte texts of the foreign identification record.
    std::string foreignMaker = "ACME Messtechnik";
    std::string foreignModel = "MT-900 Datalogger";
    std::string foreignVersion = "V4.2.1";
    std::uint32_t seed = 52;
    std::chrono::milliseconds replyDelay{0};    // every reply this much later, as an adapter's latency timer
    std::chrono::milliseconds lateDelay{kLateDelay}; // how late the late fault makes a reply
};

class Regulator {
public:
    explicit Regulator(RegulatorConfig config = {});

    // Answers one complete request frame received at the given time since start.
    Reply respond(std::span<const std::uint8_t> frame, std::chrono::milliseconds now);

    // Faults hit a share (0..1) of the replies that would otherwise be sent.
    void setFault(Fault fault, double rate = 1.0);
    Fault fault() const { return fault_; }
    // Whether the fault hit the last reply.
    bool lastReplyFaulted() const { return lastFaulted_; }

    std::uint8_t address() const { return address_; }
    void setAddress(std::uint8_t address);
    DeviceKind kind() const { return config_.kind; }
    void setKind(DeviceKind kind) { config_.kind = kind; }
    std::set<std::uint8_t>& alsoAnswer() { return config_.alsoAnswer; }

    // The device's tables; tests may read and change them directly.
    ParamSet& tables() { return tables_; }
    const ParamSet& tables() const { return tables_; }
    // Stops the process so MEAS keeps what a test put there.
    void setProcessRunning(bool running) { processRunning_ = running; }
    void advanceProcess(std::chrono::milliseconds now);

    // Called on the EEPROM command with the tables to keep; the command is acknowledged only
    // when it returns true (stored), and refused otherwise.
    void setOnStore(std::function<bool(const ParamSet&)> store) { onStore_ = std::move(store); }
    int eepromStores() const { return eepromStores_; }

    std::string typeText() const;
    std::string versionText() const;

    static ParamSet factoryTables(std::uint8_t address);

private:
    Reply answerVariable(std::span<const std::uint8_t> frame, std::chrono::milliseconds now);
    Reply answerProbe(std::span<const std::uint8_t> frame);
    Reply dataReply(std::span<const std::uint8_t> request, std::span<const std::uint8_t> data,
                    std::uint8_t fc = 0x08) const;
    Reply ack(std::span<const std::uint8_t> request, std::uint8_t fc) const;
    Reply readTable(std::span<const std::uint8_t> frame, std::chrono::milliseconds now);
    Reply writeTable(std::span<const std::uint8_t> frame);
    Reply foreignRecord(std::span<const std::uint8_t> frame) const;
    bool faultHits();

    RegulatorConfig config_;
    std::uint8_t address_;
    ParamSet tables_;
    Process process_;
    bool processRunning_ = true;
    Fault fault_ = Fault::None;
    double faultRate_ = 1.0;
    bool lastFaulted_ = false;
    std::mt19937 random_;
    std::function<bool(const ParamSet&)> onStore_;
    int eepromStores_ = 0;
};

} // namespace vx52::sim
