#pragma once
// The simulated regulator's EEPROM as a text file: one "GROUP.KEY=value" line per field of
// the parameter tables 0..11, so a stored state survives a restart of the simulator.

#include "link/param_set.h"

#include <string>

namespace vx52::sim {

// Writes the parameter tables; false when the file cannot be written.
bool saveEeprom(const ParamSet& tables, const std::string& path);
// Reads what a file holds into tables; fields it lacks keep their values. False when the file
// cannot be read or a line is not a known field with a value that fits it.
bool loadEeprom(ParamSet& tables, const std::string& path, std::string* error = nullptr);

} // namespace vx52::sim
