// fontconfig's account of the installed fonts, beside fc-list's.
#include <gmock/gmock.h>

#include <cstdlib>
#include <set>

#include "Fontconfig.h"
#include "FontconfigFamilies.h"
#include "PrivateFonts.h"

namespace veltrane {
namespace {

using ::testing::Contains;
using ::testing::Not;

// A family named in several languages is listed by its name in the user's, as
// fc-list lists it; the rest by their first name. A test of its own, as
// fontconfig reads the user's language once a process.
TEST(FontconfigTest, TheScalableFamiliesAreNamedInTheUsersLanguageAsFcListNamesThem) {
    testing::PrivateFonts fonts;
    fonts.install("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                  {"Veltrane Zwei|fr=Veltrane Deux|ja=ヴェルトラン", "Veltrane Solo"});
    auto environment = fonts.environment();
    environment["LANG"] = "fr_CA.UTF-8";
    for (const auto& [name, value] : environment) ::setenv(name.c_str(), value.c_str(), 1);

    const fontconfig::Scan scan = fontconfig::scan(true, "");
    const std::set<std::string> listed(scan.scalable.begin(), scan.scalable.end());
    EXPECT_EQ(listed.size(), scan.scalable.size()) << "each once";
    EXPECT_THAT(listed, Contains("Veltrane Deux"));
    EXPECT_THAT(listed, Contains("Veltrane Solo"));
    EXPECT_THAT(listed, Not(Contains("Veltrane Zwei")));
    EXPECT_EQ(listed, testing::fontconfigFamilies(":scalable=true", environment).firstNames);
}

}  // namespace
}  // namespace veltrane
