// fontconfig's account of the installed fonts, beside fc-list's.
#include <gmock/gmock.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
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

// A scan that finds the fonts as they were reloads nothing, whatever else comes
// into their folder: a file that is no font, or a pipe, beside which the same
// fonts are read another way.
TEST(FontconfigTest, OnlyAChangeOfTheFontsChangesTheScansDigest) {
    const std::string source = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    testing::PrivateFonts fonts;
    fonts.install(source, {"Veltrane Digest"});
    for (const auto& [name, value] : fonts.environment()) ::setenv(name.c_str(), value.c_str(), 1);
    const auto digest = [] { return fontconfig::scan(true, "").digest; };
    const std::uint64_t before = digest();
    EXPECT_EQ(digest(), before) << "scanned again";

    const std::string pipe = fonts.folder() + "/pipe.ttf";
    std::ofstream(fonts.folder() + "/read-me.txt") << "no font\n";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    EXPECT_EQ(digest(), before) << "beside a file that is no font and a pipe";
    std::filesystem::remove(pipe);  // which fc-cache would wait at for ever

    fonts.install(source, {"Veltrane Digest Two"});
    EXPECT_NE(digest(), before) << "a family more";
    fonts.removeAll();
    fonts.install(source, {"Veltrane Digesd"});
    EXPECT_NE(digest(), before) << "a family renamed";
}

}  // namespace
}  // namespace veltrane
