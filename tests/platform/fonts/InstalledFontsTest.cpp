// The screen's font names as the window lists them, and the application's
// default font as the fonts change under it.
#include <gmock/gmock.h>

#include <QFontDatabase>
#include <QGuiApplication>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "Eventually.h"
#include "InstalledFonts.h"
#include "PrivateFonts.h"

namespace veltrane {
namespace {

using ::testing::ElementsAre;

TEST(InstalledFontsTest, OnlyTheSuffixQtAddsToTellFoundriesApartIsDropped) {
    const QStringList qt = {"Courier [Adobe]", "Courier [IBM]", "Fake [Bar]",
                            "Odd [x] [One]",   "Odd [x] [Two]", "Sans Serif",
                            "monospace",       "Plain",         "Courier"};
    EXPECT_THAT(InstalledFonts::screenFamilyNames(qt),
                ElementsAre("Courier", "Fake [Bar]", "Odd [x]", "Plain"));
}

// Qt looks a family it has no font of up among every fallback against every
// family, seconds at tens of thousands: the default font stays an installed
// family when the one it was drawn in is removed while the window is open, and
// is that family again once it is back.
TEST(InstalledFontsTest, TheDefaultFontStaysAnInstalledFamilyWhenItsFamilyIsRemoved) {
    testing::PrivateFonts fonts;
    fonts.install("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", {"Veltrane Default"});
    const QFont before = QGuiApplication::font();
    ::setenv("FONTCONFIG_FILE", fonts.environment().at("FONTCONFIG_FILE").c_str(), 1);
    InstalledFonts installed;
    installed.startScans();
    installed.useFirstScan();
    QFont asked = before;
    asked.setFamily("Veltrane Default");
    QGuiApplication::setFont(asked);
    installed.useInstalledDefaultFamily();
    EXPECT_EQ(QGuiApplication::font().family(), "Veltrane Default") << "installed: kept";

    // The watch of the fonts is set up beside the start.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    fonts.removeAll();
    EXPECT_TRUE(testing::eventually(10, [&] { return installed.refresh(); }));
    const QString now = QGuiApplication::font().family();
    EXPECT_NE(now, "Veltrane Default");
    EXPECT_TRUE(QFontDatabase::families().contains(now)) << now.toStdString();

    fonts.install("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", {"Veltrane Default"});
    EXPECT_TRUE(testing::eventually(10, [&] { return installed.refresh(); }));
    EXPECT_EQ(QGuiApplication::font().family(), "Veltrane Default") << "back as at a fresh start";
    ::unsetenv("FONTCONFIG_FILE");
    QGuiApplication::setFont(before);
}

}  // namespace
}  // namespace veltrane
