#pragma once
// A failure raised with a text for the operator (serial line, files, number conversions).
// Only the failure display catches it; the link's own exchange results are values.

#include <stdexcept>
#include <string>

namespace vx52 {

class Failure : public std::runtime_error {
public:
    explicit Failure(const std::string& text) : std::runtime_error(text) {}
    std::string text() const { return what(); }
};

} // namespace vx52
