#pragma once
// Comparing two parameter sets field by field, over the cards' own field table: which of the
// twelve cards' fields hold different values.

#include "params/card_entries.h"

#include <bitset>
#include <vector>

namespace vx52 {

constexpr int kParamCards = 12;
using CardMask = std::bitset<kParamCards>;

struct FieldDifference {
    int card;               // 0..11, the card's index = its table
    const CardEntry* entry; // the card's entry in cardEntries(card)
};

// A regulator's tables read beside the cards: the values, and which tables arrived.
struct TablesRead {
    ParamSet set;
    CardMask read;
    bool stopped = false; // the operator stopped the reading before its end
};

// Every field of the cards in `cards` whose value in `ours` is not the one in `theirs`, card by
// card in taking order. Values are compared as stored: a float by its bits, so a value that
// would change the regulator's table is never reported as equal.
std::vector<FieldDifference> differences(const ParamSet& ours, const ParamSet& theirs,
                                         CardMask cards = CardMask().set());

// The two values of one field, compared as stored.
bool sameValue(const FieldPtr& a, const FieldPtr& b);

} // namespace vx52
