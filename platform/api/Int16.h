#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

#include "PlatformError.h"

namespace veltrane {

// Counts and indexes are 16-bit signed, and arithmetic on them raises an
// overflow error rather than wrapping.
using Int16 = std::int16_t;

// Narrows any count to 16 bits; throws PlatformError(Overflow) outside -32768..32767.
inline Int16 toInt16(std::int64_t value) {
    if (value < std::numeric_limits<Int16>::min() || value > std::numeric_limits<Int16>::max()) {
        throw PlatformError(ErrorKind::Overflow,
                            "overflow: " + std::to_string(value) + " does not fit in 16 bits");
    }
    return static_cast<Int16>(value);
}

inline Int16 add16(Int16 a, Int16 b) {
    return toInt16(std::int64_t{a} + b);
}

inline Int16 subtract16(Int16 a, Int16 b) {
    return toInt16(std::int64_t{a} - b);
}

// `index` as a position in a list of `count` entries; throws
// PlatformError(NoSuchEntry) naming `list` when there is no such entry.
inline std::size_t entryIndex(Int16 index, std::size_t count, const std::string& list) {
    if (index < 0 || static_cast<std::size_t>(index) >= count) {
        throw PlatformError(ErrorKind::NoSuchEntry,
                            list + " has no entry " + std::to_string(index));
    }
    return static_cast<std::size_t>(index);
}

}  // namespace veltrane
