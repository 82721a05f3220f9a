#include "params/param_compare.h"

#include <cstring>

namespace vx52 {

bool sameValue(const FieldPtr& a, const FieldPtr& b) {
    return std::visit(
        [&b](auto* x) {
            using T = std::remove_pointer_t<decltype(x)>;
            T* y = std::get<T*>(b);
            return std::memcmp(x, y, sizeof(T)) == 0;
        },
        a);
}

std::vector<FieldDifference> differences(const ParamSet& ours, const ParamSet& theirs,
                                         CardMask cards) {
    // The field table hands out writable fields; work on copies so both sets stay const.
    ParamSet a = ours;
    ParamSet b = theirs;
    std::vector<FieldDifference> out;
    for (int card = 0; card < kParamCards; ++card) {
        if (!cards.test(static_cast<std::size_t>(card))) continue;
        for (const auto& e : cardEntries(card))
            if (!sameValue(e.field(a), e.field(b))) out.push_back({card, &e});
    }
    return out;
}

} // namespace vx52
