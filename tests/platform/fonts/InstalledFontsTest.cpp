// The screen's font names as the window lists them.
#include <gmock/gmock.h>

#include "InstalledFonts.h"

namespace veltrane {
namespace {

using ::testing::ElementsAre;

TEST(InstalledFontsTest, OnlyTheSuffixQtAddsToTellFoundriesApartIsDropped) {
    const QStringList qt = {"Courier [Adobe]", "Courier [IBM]", "Fake [Bar]", "Odd [x] [One]",
                            "Odd [x] [Two]",   "Sans Serif",    "monospace",  "Plain"};
    EXPECT_THAT(InstalledFonts::screenFamilyNames(qt),
                ElementsAre("Courier", "Fake [Bar]", "Odd [x]", "Plain"));
}

}  // namespace
}  // namespace veltrane
