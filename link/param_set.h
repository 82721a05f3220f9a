#pragma once
// The program's one copy of every regulator table, one group per table, all zero at start.
// Byte fields are stored unsigned; windows read them as signed 8-bit numbers.

#include <cstdint>
#include <optional>
#include <string_view>

namespace vx52 {

struct ParamSet {
    struct Comp {
        float SP = 0;
        bool operator==(const Comp&) const = default;
    };
    struct Alarm {
        float SPLO = 0;
        float HYST = 0;
        std::uint8_t INALA = 0;
        std::uint8_t RELE = 0;
        std::uint8_t RALA = 0;
        bool operator==(const Alarm&) const = default;
    };
    struct Sens {
        std::uint8_t TYPE = 0;
        std::uint8_t DP = 0;
        float STRS = 0;
        float ENDS = 0;
        std::uint8_t OBR = 0;
        bool operator==(const Sens&) const = default;
    };
    struct Pid {
        float PB = 0;
        float TI = 0;
        float TD = 0;
        bool operator==(const Pid&) const = default;
    };
    struct Rego {
        std::uint8_t TYP = 0;
        std::int16_t DSER = 0;
        std::int16_t DEAD = 0;
        std::uint8_t FEED = 0;
        bool operator==(const Rego&) const = default;
    };
    struct Daco {
        std::uint8_t AIN = 0;
        std::uint8_t AOUT = 0;
        bool operator==(const Daco&) const = default;
    };
    struct Ostat {
        std::uint8_t VERZE = 0;
        float CON1 = 0;
        float CON2 = 0;
        std::int16_t PASS1 = 0;
        std::int16_t PASS2 = 0;
        std::uint8_t FILT = 0;
        bool operator==(const Ostat&) const = default;
    };
    struct Add {
        std::uint8_t ADRESA = 0;
        bool operator==(const Add&) const = default;
    };
    struct Meas {
        float OUT1 = 0;
        float OUT2 = 0;
        float OUT3 = 0;
        float OUT4 = 0;
        std::uint8_t RELAYS = 0;
        std::int16_t WORD = 0;
        bool operator==(const Meas&) const = default;
    };
    struct Aux {
        float V1 = 0;
        float V2 = 0;
        float V3 = 0;
        bool operator==(const Aux&) const = default;
    };

    Comp COMP;
    Alarm ALARM1;
    Alarm ALARM2;
    Sens SENS1;
    Sens SENS2;
    Sens SENS3;
    Sens SENS4;
    Pid PID;
    Rego REGO;
    Daco DACO;
    Ostat OSTAT;
    Add ADD;
    Meas MEAS;
    Aux AUX;

    bool operator==(const ParamSet&) const = default;
};

enum class FieldType : std::uint8_t { Float, Int16, Byte };

// Access to one field by its full name, for tools that name fields as text ("ALARM1.SPLO").
struct FieldRef {
    int table = -1;
    std::string_view group;
    std::string_view key;
    FieldType type = FieldType::Byte;
    void* where = nullptr;

    double get() const;
    // Stores v converted to the field's type; false when it does not fit (int16, byte 0..255).
    bool set(double v) const;
};

std::optional<FieldRef> findField(ParamSet& params, std::string_view fullName);

} // namespace vx52
