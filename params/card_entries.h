#pragma once
// Which field of ParamSet each control of a card stands for, in the order a card is taken.

#include "link/param_set.h"

#include <cstdint>
#include <variant>
#include <vector>

namespace vx52 {

using FieldPtr = std::variant<float*, std::int16_t*, std::uint8_t*>;

struct CardEntry {
    const char* control; // objectName of the edit box or drop-down list
    bool list;           // a drop-down list: the byte holds the chosen position
    FieldPtr (*field)(ParamSet&);
};

// Entries of card 0..11 in taking order; empty for any other index.
const std::vector<CardEntry>& cardEntries(int card);

} // namespace vx52
