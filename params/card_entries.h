#pragma once
// Which field of ParamSet each control of a card stands for, in the order a card is taken,
// and the rules an entry must keep to be taken.

#include "link/param_set.h"

#include <QLocale>
#include <QString>

#include <cstdint>
#include <variant>
#include <vector>

namespace vx52 {

using FieldPtr = std::variant<float*, std::int16_t*, std::uint8_t*>;

struct CardEntry {
    const char* control; // objectName of the edit box or drop-down list
    bool list;           // a drop-down list: the byte holds the chosen position
    FieldPtr (*field)(ParamSet&);
    const char* label = nullptr; // how the card names the entry
    const char* range = nullptr; // the range the card states, when it states one
    double low = 0, high = 0;    // its bounds
};

// Entries of card 0..11 in taking order; empty for any other index.
const std::vector<CardEntry>& cardEntries(int card);

// One control as the card holds it: an edit box's text or a list's position (-1 for none).
struct EntryInput {
    QString text;
    int position = -1;
    bool changed = true; // differs from what the card showed; only changed entries are stored
};

struct EntryProblem {
    std::size_t entry; // index into cardEntries(card)
    QString reason;    // why it is refused, with the range when a number lies outside it
};

// Checks the changed entries of the card (inputs in taking order); when none is refused,
// stores them in params. Nothing of the card is stored while any entry is refused. With
// pointToo a decimal point is read like the regional separator.
std::vector<EntryProblem> takeEntries(int card, const std::vector<EntryInput>& inputs,
                                      ParamSet& params, bool pointToo = false,
                                      const QLocale& locale = QLocale::system());

} // namespace vx52
