#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace veltrane {

// Counts and indexes are 16-bit signed, and arithmetic on them raises an
// overflow error rather than wrapping.
using Int16 = std::int16_t;

// Narrows any count to 16 bits; throws PlatformError(Overflow) outside -32768..32767.
Int16 toInt16(std::int64_t value);

Int16 add16(Int16 a, Int16 b);
Int16 subtract16(Int16 a, Int16 b);

// `index` as a position in a list of `count` entries; throws
// PlatformError(NoSuchEntry) naming `list` when there is no such entry.
std::size_t entryIndex(Int16 index, std::size_t count, const std::string& list);

}  // namespace veltrane
