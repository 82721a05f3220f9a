#include "link/station_list.h"

#include "link/frame.h"

#include <algorithm>
#include <charconv>

namespace vx52 {

namespace {

std::string_view trimmed(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::optional<int> number(std::string_view s) {
    int v = 0;
    if (s.empty() || s.front() == '-' || s.front() == '+') return std::nullopt;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec == std::errc::result_out_of_range) return 1 << 30; // caught by the range check
    if (r.ec != std::errc() || r.ptr != s.data() + s.size()) return std::nullopt;
    return v;
}

StationListResult refuse(StationListError::Kind kind, std::string_view item) {
    return {{}, StationListError{kind, std::string(item)}};
}

} // namespace

std::string StationListError::text() const {
    switch (kind) {
    case Kind::Empty:
        return "no station given";
    case Kind::NotANumber:
        return "\"" + item + "\" is neither an address nor a range such as 17-20";
    case Kind::OutOfRange:
        return "\"" + item + "\": stations lie within 0..126";
    case Kind::Backwards:
        return "\"" + item + "\": a range runs from the lower address to the higher";
    }
    return {};
}

StationListResult parseStationList(std::string_view text) {
    StationListResult result;
    if (trimmed(text).empty()) return refuse(StationListError::Kind::Empty, {});
    while (true) {
        const auto comma = text.find(',');
        const std::string_view item = trimmed(text.substr(0, comma));
        // A dash after the first character separates a range; a leading one is a sign.
        const auto dash = item.find('-', 1);
        const auto first = number(trimmed(item.substr(0, dash)));
        const auto last =
            dash == std::string_view::npos ? first : number(trimmed(item.substr(dash + 1)));
        if (!first || !last) return refuse(StationListError::Kind::NotANumber, item);
        if (*first >= kBroadcast || *last >= kBroadcast)
            return refuse(StationListError::Kind::OutOfRange, item);
        if (*first > *last) return refuse(StationListError::Kind::Backwards, item);
        for (int a = *first; a <= *last; ++a)
            result.stations.push_back(static_cast<std::uint8_t>(a));
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    std::sort(result.stations.begin(), result.stations.end());
    result.stations.erase(std::unique(result.stations.begin(), result.stations.end()),
                          result.stations.end());
    return result;
}

std::string formatStationList(const std::vector<std::uint8_t>& stations) {
    std::vector<std::uint8_t> s = stations;
    std::sort(s.begin(), s.end());
    s.erase(std::unique(s.begin(), s.end()), s.end());
    std::string out;
    for (std::size_t i = 0; i < s.size();) {
        std::size_t j = i;
        while (j + 1 < s.size() && s[j + 1] == s[j] + 1)
            ++j;
        if (!out.empty()) out += ", ";
        out += std::to_string(s[i]);
        if (j - i >= 2) {
            out += '-';
            out += std::to_string(s[j]);
            i = j + 1;
        } else {
            ++i;
        }
    }
    return out;
}

} // namespace vx52
