#include "QtScreen.h"

#include <QGuiApplication>
#include <QScreen>

#include "PlatformError.h"
#include "Twips.h"

namespace veltrane {

namespace {

QScreen& primaryScreen() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) throw PlatformError(ErrorKind::ServiceFailure, "there is no display");
    return *screen;
}

}  // namespace

float QtScreen::Width() {
    QScreen& screen = primaryScreen();
    return static_cast<float>(
        pixelsToTwips(screen.geometry().width(), screen.logicalDotsPerInch()));
}

Int16 QtScreen::FontCount() {
    return toInt16(static_cast<std::int64_t>(fonts_.screenFamilies().size()));
}

std::string QtScreen::Fonts(Int16 index) {
    const auto& all = fonts_.screenFamilies();
    return all[entryIndex(index, all.size(), "the screen's font list")];
}

}  // namespace veltrane
