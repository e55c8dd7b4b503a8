#pragma once

#include <cstdint>
#include <vector>

// Builders of log stream pieces as the interlock sends them.
inline std::vector<std::uint8_t> le32(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
}

// A 10-byte event record with its check byte.
inline std::vector<std::uint8_t> record10(int year, int month, int day, int hour, int minute,
                                          int second, std::uint8_t code, std::uint16_t value) {
    std::vector<std::uint8_t> r{static_cast<std::uint8_t>(year),
                                static_cast<std::uint8_t>(month),
                                static_cast<std::uint8_t>(day),
                                static_cast<std::uint8_t>(hour),
                                static_cast<std::uint8_t>(minute),
                                static_cast<std::uint8_t>(second),
                                code,
                                static_cast<std::uint8_t>(value >> 8),
                                static_cast<std::uint8_t>(value & 0xFF)};
    std::uint8_t check = 0;
    for (const std::uint8_t b : r)
        check = static_cast<std::uint8_t>(check + b);
    r.push_back(check);
    return r;
}

inline std::vector<std::uint8_t> record8(int year, int month, int day, int hour, int minute,
                                         std::uint8_t code, std::uint16_t value) {
    return {static_cast<std::uint8_t>(year),       static_cast<std::uint8_t>(month),
            static_cast<std::uint8_t>(day),        static_cast<std::uint8_t>(hour),
            static_cast<std::uint8_t>(minute),     code,
            static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value & 0xFF)};
}

inline void append(std::vector<std::uint8_t>& to, const std::vector<std::uint8_t>& bytes) {
    to.insert(to.end(), bytes.begin(), bytes.end());
}

// The event section: length, records, and (for 10-byte records) the total.
inline std::vector<std::uint8_t> eventSection(const std::vector<std::vector<std::uint8_t>>& records,
                                              bool withTotal, int totalAdjust = 0) {
    std::vector<std::uint8_t> body;
    std::uint32_t total = 0;
    for (const auto& r : records) {
        body.insert(body.end(), r.begin(), r.end());
        for (std::size_t i = 0; i < 9 && i < r.size(); ++i)
            total += r[i];
    }
    std::vector<std::uint8_t> out;
    out.reserve(body.size() + 8);
    append(out, le32(static_cast<std::uint32_t>(body.size())));
    append(out, body);
    if (withTotal)
        append(out, le32(total + static_cast<std::uint32_t>(totalAdjust)));
    return out;
}
