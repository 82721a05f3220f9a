#pragma once
// Command line of vx52-cli.

#include <optional>
#include <string>
#include <vector>

namespace vx52::cli {

struct CliOptions {
    std::string device; // a device path, or empty with com
    int com = 0;
    int baud = 9600;
    int da = 1;
    int sa = 0;
    bool trace = false;
    bool decode = false; // with trace: decoded rows and fields
    bool help = false;
    std::string mqtt;       // broker URL: publish the readings there
    std::string ca;         // with an mqtts:// URL: the CA certificate file
    std::string mqttPrefix; // topic prefix; empty: vx52/<host name>
    std::string command;
    std::vector<std::string> arguments; // the command's own arguments
};

std::optional<CliOptions> parseCliOptions(const std::vector<std::string>& args, std::string& error);

extern const char* const kCliUsage;

} // namespace vx52::cli
