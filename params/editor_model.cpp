#include "params/editor_model.h"

#include "params/param_compare.h"

#include <array>

namespace vx52 {

namespace {

// Where each card's fields start in the flat field order.
const std::array<std::size_t, EditorModel::kCards + 1>& offsets() {
    static const auto table = [] {
        std::array<std::size_t, EditorModel::kCards + 1> out{};
        for (int card = 0; card < EditorModel::kCards; ++card)
            out[static_cast<std::size_t>(card) + 1] =
                out[static_cast<std::size_t>(card)] + cardEntries(card).size();
        return out;
    }();
    return table;
}

bool isCard(int card) {
    return card >= 0 && card < EditorModel::kCards;
}

} // namespace

EditorModel::EditorModel(ParamSet& cards, QObject* parent)
    : QObject(parent), cards_(cards), origins_(offsets().back(), Origin::Default) {
    static_assert(kCards == kParamCards);
}

std::size_t EditorModel::index(int card, std::size_t entry) const {
    return offsets()[static_cast<std::size_t>(card)] + entry;
}

Origin EditorModel::origin(int card, std::size_t entry) const {
    if (!isCard(card) || entry >= cardEntries(card).size()) return Origin::Default;
    return origins_[index(card, entry)];
}

bool EditorModel::known(int card, std::size_t entry) const {
    if (!isCard(card) || entry >= cardEntries(card).size()) return false;
    return known_.test(index(card, entry));
}

bool EditorModel::agrees(int card, std::size_t entry) const {
    if (!known(card, entry)) return false;
    ParamSet a = cards_;
    ParamSet b = regulator_;
    const CardEntry& e = cardEntries(card)[entry];
    return sameValue(e.field(a), e.field(b));
}

bool EditorModel::holdsDefaults(int card) const {
    for (std::size_t i = 0; i < cardEntries(card).size(); ++i)
        if (origin(card, i) == Origin::Default) return true;
    return false;
}

CardSource EditorModel::cardSource(int card) const {
    if (!isCard(card) || holdsDefaults(card)) return CardSource::Nothing;
    bool file = false;
    for (std::size_t i = 0; i < cardEntries(card).size(); ++i) {
        if (origin(card, i) == Origin::Typed) return CardSource::Typed;
        file = file || origin(card, i) == Origin::File;
    }
    return file ? CardSource::File : CardSource::Regulator;
}

template <class F>
void EditorModel::reporting(F change) {
    std::array<CardSource, kCards> before{};
    for (int card = 0; card < kCards; ++card)
        before[static_cast<std::size_t>(card)] = cardSource(card);
    change();
    for (int card = 0; card < kCards; ++card)
        if (cardSource(card) != before[static_cast<std::size_t>(card)])
            emit cardSourceChanged(card, cardSource(card));
}

void EditorModel::setOrigin(int card, std::size_t entry, Origin origin) {
    origins_[index(card, entry)] = origin;
}

std::vector<EntryProblem> EditorModel::take(int card, const std::vector<EntryInput>& inputs,
                                            Origin origin, bool pointToo) {
    std::vector<EntryProblem> problems;
    if (!isCard(card)) return problems;
    reporting([&] {
        problems = takeEntries(card, inputs, cards_, pointToo);
        if (!problems.empty()) return;
        for (std::size_t i = 0; i < inputs.size() && i < cardEntries(card).size(); ++i)
            if (inputs[i].changed) setOrigin(card, i, origin);
    });
    return problems;
}

void EditorModel::copyTable(int table, ParamSet& from, ParamSet& to) {
    for (const CardEntry& e : cardEntries(table)) {
        const FieldPtr source = e.field(from);
        const FieldPtr target = e.field(to);
        std::visit(
            [&target](auto* value) {
                using T = std::remove_pointer_t<decltype(value)>;
                *std::get<T*>(target) = *value;
            },
            source);
    }
}

void EditorModel::tableRead(int table) {
    if (!isCard(table)) return;
    reporting([&] {
        copyTable(table, cards_, regulator_);
        for (std::size_t i = 0; i < cardEntries(table).size(); ++i) {
            setOrigin(table, i, Origin::Regulator);
            known_.set(index(table, i));
        }
    });
}

void EditorModel::tableWritten(int table) {
    if (!isCard(table)) return;
    copyTable(table, cards_, regulator_);
    for (std::size_t i = 0; i < cardEntries(table).size(); ++i)
        known_.set(index(table, i));
}

void EditorModel::forget() {
    reporting([&] {
        std::fill(origins_.begin(), origins_.end(), Origin::Default);
        known_.reset();
    });
}

} // namespace vx52
