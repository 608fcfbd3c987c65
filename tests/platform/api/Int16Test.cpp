// 16-bit arithmetic: counts and indexes raise an overflow instead of wrapping.
#include <gmock/gmock.h>

#include <limits>

#include "ErrorKindOf.h"
#include "Int16.h"
#include "PlatformError.h"

namespace veltrane {
namespace {

using testing::kindOf;

TEST(Int16Test, ArithmeticRaisesOverflowAtBothEdgesInsteadOfWrapping) {
    EXPECT_EQ(add16(32766, 1), 32767);
    EXPECT_EQ(subtract16(-32767, 1), -32768);
    EXPECT_EQ(kindOf([] { add16(32767, 1); }), ErrorKind::Overflow);
    EXPECT_EQ(kindOf([] { subtract16(-32768, 1); }), ErrorKind::Overflow);
    EXPECT_EQ(toInt16(-32768), -32768);
    EXPECT_EQ(kindOf([] { toInt16(32768); }), ErrorKind::Overflow);
    EXPECT_EQ(kindOf([] { toInt16(std::numeric_limits<std::int64_t>::min()); }),
              ErrorKind::Overflow);
    EXPECT_EQ(kindOf([] { toInt16(65536); }), ErrorKind::Overflow) << "would wrap to 0";
}

}  // namespace
}  // namespace veltrane
