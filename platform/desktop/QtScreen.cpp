#include "QtScreen.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>

#include "PlatformError.h"
#include "Twips.h"

namespace veltrane {

namespace {

QScreen& primaryScreen() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) throw PlatformError(ErrorKind::ServiceFailure, "there is no display");
    return *screen;
}

bool isGenericAlias(const QString& family) {
    static const QSet<QString> kAliases = {"sans serif", "sans-serif", "sans",    "serif",
                                           "monospace",  "mono",       "cursive", "fantasy",
                                           "system-ui",  "emoji",      "math",    "fangsong"};
    return kAliases.contains(family.toLower());
}

}  // namespace

std::vector<std::string> QtScreen::installedFamilies() {
    static const QRegularExpression kFoundrySuffix(QStringLiteral(R"( \[[^\]]*\]$)"));
    std::vector<std::string> families;
    QSet<QString> seen;
    for (QString family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family)) continue;
        family.remove(kFoundrySuffix);
        if (isGenericAlias(family) || seen.contains(family)) continue;
        seen.insert(family);
        families.push_back(family.toStdString());
    }
    return families;
}

const std::vector<std::string>& QtScreen::families() {
    return families_.get(installedFamilies);
}

float QtScreen::Width() {
    QScreen& screen = primaryScreen();
    return static_cast<float>(
        pixelsToTwips(screen.geometry().width(), screen.logicalDotsPerInch()));
}

Int16 QtScreen::FontCount() {
    return toInt16(static_cast<std::int64_t>(families().size()));
}

std::string QtScreen::Fonts(Int16 index) {
    const auto& all = families();
    return all[entryIndex(index, all.size(), "the screen's font list")];
}

}  // namespace veltrane
