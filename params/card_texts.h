#pragma once
// The texts of the cards' fields as the editor shows them: the tab caption, the short label,
// the description and a value of any parameter set in the card's own notation. Labels and list
// entries are those of the editor's form, found by objectName under it.

#include "params/card_entries.h"

#include <QString>

#include <vector>

class QWidget;

namespace vx52 {

class CardTexts {
public:
    explicit CardTexts(const QWidget& editor) : editor_(editor) {}

    // The card's tab caption ("ALARM 1").
    QString caption(int card) const;
    // The short label left of the control ("ALA1"); the description where the card has none.
    QString label(const CardEntry& entry) const;
    // The short label alone: empty where the card has none.
    QString shortLabel(const CardEntry& entry) const;
    // The description right of the control ("hranice alarmu", "necitlivost regulace [%]").
    QString description(const CardEntry& entry) const;
    // The field's value in `params` as the card shows it: two-decimal numbers, the chosen list
    // entry, the address as a signed byte. A list position outside the list is named as such.
    QString value(ParamSet& params, const CardEntry& entry) const;
    // As value(), but a decimal with every digit it needs to read back exactly: for two values
    // that differ below the card's two decimals.
    QString exactValue(ParamSet& params, const CardEntry& entry) const;

    // The card's entries from top to bottom as the card shows them (the table lists them in
    // taking order).
    std::vector<const CardEntry*> rows(int card) const;

private:
    QString labelText(const QString& name) const;

    const QWidget& editor_;
};

} // namespace vx52
