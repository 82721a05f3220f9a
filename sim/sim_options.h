#pragma once
// Command line of vx52-sim.

#include "sim/faults.h"
#include "sim/regulator.h"

#include <optional>
#include <string>
#include <vector>

namespace vx52::sim {

struct SimOptions {
    RegulatorConfig device;
    bool addressGiven = false;
    Fault fault = Fault::None;
    double faultRate = 1.0;
    bool pty = false;
    std::string link; // a symbolic link kept pointing at the pseudo-terminal
    std::string port; // a real serial device to serve instead of a pseudo-terminal
    int baud = 9600;
    bool trace = false;
    std::string eeprom;
    std::vector<std::uint8_t> stations;       // a full regulator at each; empty: one at --address
    std::vector<std::uint8_t> silentStations; // of those, the ones that stay silent
    bool help = false;
};

// Parses the arguments after the program name; on bad usage returns nullopt and sets error.
std::optional<SimOptions> parseSimOptions(const std::vector<std::string>& args, std::string& error);

extern const char* const kSimUsage;

} // namespace vx52::sim
