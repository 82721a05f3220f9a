#pragma once
// What the parameter editor holds, field by field, apart from its controls: the value each
// card holds, where that value came from, and the regulator's value as last read from or
// written to it. The controls show this model and hand the operator's edits back to it; the
// transfers tell it what reached or came from the regulator. No exchanges happen here.

#include "params/card_entries.h"
#include "params/card_source.h"

#include <QObject>

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vx52 {

enum class Origin : std::uint8_t {
    Default,   // never filled, or a default of the loading dialog
    Regulator, // read from the regulator
    File,      // opened from a parameter file
    Typed,     // entered by the operator
};

class EditorModel : public QObject {
    Q_OBJECT

public:
    static constexpr int kCards = 12;
    static constexpr std::size_t kMaxFields = 64;

    // `cards` holds the cards' values (the link's parameter set, which the writes send).
    explicit EditorModel(ParamSet& cards, QObject* parent = nullptr);

    ParamSet& cards() { return cards_; }
    const ParamSet& cards() const { return cards_; }
    // The regulator's values as last read or written; meaningful where known().
    const ParamSet& regulator() const { return regulator_; }

    Origin origin(int card, std::size_t entry) const;
    // The regulator's value of the field is known: read from it or written to it.
    bool known(int card, std::size_t entry) const;
    // The card's value of the field is the one the regulator holds, as far as known.
    bool agrees(int card, std::size_t entry) const;
    // A card holding a field that came from neither the regulator, a file nor the operator.
    bool holdsDefaults(int card) const;
    // Where the card's contents came from as a whole: Nothing while any field holds a default,
    // else Typed when the operator entered one, else File when one came from a file.
    CardSource cardSource(int card) const;

    // Checks `inputs` (taking order, only the changed ones count) and, when none is refused,
    // stores them with `origin`; nothing of the card is stored while any is refused.
    std::vector<EntryProblem> take(int card, const std::vector<EntryInput>& inputs,
                                   Origin origin, bool pointToo = false);
    // The cards' set holds table `table` as the regulator just sent it.
    void tableRead(int table);
    // The regulator acknowledged table `table` as the cards' set holds it.
    void tableWritten(int table);
    // A new session: every field a default, no regulator value known.
    void forget();

signals:
    void cardSourceChanged(int card, vx52::CardSource source);

private:
    std::size_t index(int card, std::size_t entry) const;
    void setOrigin(int card, std::size_t entry, Origin origin);
    void copyTable(int table, ParamSet& from, ParamSet& to);
    // Runs `change` and reports every card whose source it changed.
    template <class F>
    void reporting(F change);

    ParamSet& cards_;
    ParamSet regulator_;
    std::vector<Origin> origins_;
    std::bitset<kMaxFields> known_;
};

} // namespace vx52
