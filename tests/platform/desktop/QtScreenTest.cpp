// The screen's font names as the window lists them.
#include <gmock/gmock.h>

#include "QtScreen.h"

namespace veltrane {
namespace {

using ::testing::ElementsAre;

TEST(QtScreenTest, OnlyTheSuffixQtAddsToTellFoundriesApartIsDropped) {
    const QStringList qt = {"Courier [Adobe]", "Courier [IBM]", "Fake [Bar]", "Odd [x] [One]",
                            "Odd [x] [Two]",   "Sans Serif",    "monospace",  "Plain"};
    EXPECT_THAT(QtScreen::familyNames(qt),
                ElementsAre("Courier", "Fake [Bar]", "Odd [x]", "Plain"));
}

}  // namespace
}  // namespace veltrane
