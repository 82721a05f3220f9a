#pragma once
// vx52-cli's parameter-file commands: a regulator's tables 0..11 backed up to a parameter
// file and restored from one, with the editor's own file code.

#include "link/link.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace vx52::cli {

// save-params FILE and load-params FILE [CARD...]; false when `command` is neither.
bool isParamCommand(const std::string& command);
int runParamCommand(Link& link, const std::string& command,
                    const std::vector<std::string>& arguments, std::ostream& out,
                    std::ostream& err);

} // namespace vx52::cli
