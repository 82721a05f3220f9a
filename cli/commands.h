#pragma once
// The commands of vx52-cli over an open link: each prints GROUP.KEY=value lines or a text and
// gives the exit status (0 done, 1 the exchange failed, 2 bad arguments).

#include "link/link.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace vx52::cli {

constexpr int kExitOk = 0;
constexpr int kExitExchange = 1;
constexpr int kExitUsage = 2;

// Runs command with its arguments; errors of usage go to err.
int runCommand(Link& link, const std::string& command, const std::vector<std::string>& arguments,
               std::ostream& out, std::ostream& err);

// One line "GROUP.KEY=value" for every field of table t.
void printTable(ParamSet& params, int table, std::ostream& out);
// A field's value as the tool prints it: floats with "." and at most 9 significant digits.
std::string formatField(double value, bool isFloat);

// The usage error's line; returns kExitUsage.
int usage(std::ostream& err, const std::string& text);
// One line naming the operation, the station and why the exchange failed; returns kExitExchange.
int failed(const Link& link, const std::string& operation, std::ostream& err);

} // namespace vx52::cli
