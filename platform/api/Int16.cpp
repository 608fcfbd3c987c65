#include "Int16.h"

#include <limits>
#include <string>

#include "PlatformError.h"

namespace veltrane {

Int16 toInt16(std::int64_t value) {
    if (value < std::numeric_limits<Int16>::min() || value > std::numeric_limits<Int16>::max()) {
        throw PlatformError(ErrorKind::Overflow,
                            "overflow: " + std::to_string(value) + " does not fit in 16 bits");
    }
    return static_cast<Int16>(value);
}

Int16 add16(Int16 a, Int16 b) {
    return toInt16(std::int64_t{a} + b);
}

Int16 subtract16(Int16 a, Int16 b) {
    return toInt16(std::int64_t{a} - b);
}

std::size_t entryIndex(Int16 index, std::size_t count, const std::string& list) {
    if (index < 0 || static_cast<std::size_t>(index) >= count) {
        throw PlatformError(ErrorKind::NoSuchEntry,
                            list + " has no entry " + std::to_string(index));
    }
    return static_cast<std::size_t>(index);
}

}  // namespace veltrane
