#include "QtScreen.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QScreen>
#include <QSet>
#include <QStringList>

#include <algorithm>

#include "FoundrySuffix.h"
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
    // Lowering a name costs more than all the rest, and most names are longer
    // than any alias.
    static const qsizetype kLongest =
        std::max_element(kAliases.begin(), kAliases.end(), [](const QString& a, const QString& b) {
            return a.size() < b.size();
        })->size();
    return family.size() <= kLongest && kAliases.contains(family.toLower());
}

}  // namespace

QtScreen::~QtScreen() {
    QObject::disconnect(databaseChanged_);
}

std::vector<std::string> QtScreen::installedFamilies() {
    QStringList families = QFontDatabase::families();
    families.removeIf([](const QString& family) { return QFontDatabase::isPrivateFamily(family); });
    return familyNames(families);
}

// Qt tells apart the foundries of a family that several make by a " [Foundry]"
// suffix, on every one of them: a suffix on a name that no other shares is the
// family's own.
std::vector<std::string> QtScreen::familyNames(const QStringList& qtFamilies) {
    QHash<QString, int> suffixed;
    suffixed.reserve(qtFamilies.size());
    for (const QString& family : qtFamilies) ++suffixed[withoutFoundrySuffix(family)];
    std::vector<std::string> families;
    QSet<QString> seen;
    seen.reserve(qtFamilies.size());
    families.reserve(static_cast<std::size_t>(qtFamilies.size()));
    for (QString family : qtFamilies) {
        const QString base = withoutFoundrySuffix(family);
        if (base != family && suffixed.value(base) > 1) family = base;
        if (isGenericAlias(family) || seen.contains(family)) continue;
        seen.insert(family);
        families.push_back(family.toStdString());
    }
    return families;
}

const std::vector<std::string>& QtScreen::families() {
    if (!databaseChanged_) {
        databaseChanged_ = QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged,
                                            [this] { families_.reset(); });
    }
    if (!families_) families_ = installedFamilies();
    return *families_;
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
