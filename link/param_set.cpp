#include "link/param_set.h"

#include "link/tables.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace vx52 {

double FieldRef::get() const {
    switch (type) {
    case FieldType::Float: {
        float f;
        std::memcpy(&f, where, sizeof f);
        return f;
    }
    case FieldType::Int16: {
        std::int16_t v;
        std::memcpy(&v, where, sizeof v);
        return v;
    }
    case FieldType::Byte:
        return *static_cast<const std::uint8_t*>(where);
    }
    return 0;
}

bool FieldRef::set(double v) const {
    switch (type) {
    case FieldType::Float: {
        if (std::isfinite(v) && std::fabs(v) > std::numeric_limits<float>::max()) return false;
        const float f = static_cast<float>(v);
        std::memcpy(where, &f, sizeof f);
        return true;
    }
    case FieldType::Int16: {
        if (v != std::trunc(v) || v < -32768 || v > 32767) return false;
        const auto i = static_cast<std::int16_t>(v);
        std::memcpy(where, &i, sizeof i);
        return true;
    }
    case FieldType::Byte: {
        if (v != std::trunc(v) || v < -128 || v > 255) return false;
        *static_cast<std::uint8_t*>(where) = static_cast<std::uint8_t>(static_cast<int>(v) & 0xFF);
        return true;
    }
    }
    return false;
}

std::optional<FieldRef> findField(ParamSet& params, std::string_view fullName) {
    const auto dot = fullName.find('.');
    if (dot == std::string_view::npos) return std::nullopt;
    const auto group = fullName.substr(0, dot);
    const auto key = fullName.substr(dot + 1);
    const auto& tables = catalogue();
    for (int t = 0; t < kTableCount; ++t) {
        const TableDef& def = tables[static_cast<std::size_t>(t)];
        if (def.group != group) continue;
        for (const FieldDef& field : def.fields) {
            if (field.key != key) continue;
            auto* base = reinterpret_cast<unsigned char*>(&params);
            return FieldRef{t, def.group, field.key, field.type, base + field.offset};
        }
    }
    return std::nullopt;
}

} // namespace vx52
