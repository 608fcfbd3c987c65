#include "InstalledFonts.h"

#include <QFontDatabase>
#include <QGuiApplication>

#include <algorithm>
#include <utility>

#include "Fontconfig.h"

namespace veltrane {

namespace {

// Qt tells apart the foundries of a family that several make by a suffix, as in
// "Nimbus Sans [urw]". The name without a trailing " [..]", or the name itself.
QString withoutFoundrySuffix(const QString& family) {
    if (!family.endsWith(u']')) return family;
    const qsizetype open = family.lastIndexOf(QLatin1String(" ["));
    if (open < 0 || family.indexOf(u']', open) != family.size() - 1) return family;
    return family.left(open);
}

bool isGenericAlias(const QString& family) {
    static const QSet<QString> kAliases = {"sans serif", "sans-serif", "sans",    "serif",
                                           "monospace",  "mono",       "cursive", "fantasy",
                                           "system-ui",  "emoji",      "math",    "fangsong"};
    // Lowering a name costs more than all the rest, and most names are longer
    // than "sans-serif", the longest alias.
    return family.size() <= 10 && kAliases.contains(family.toLower());
}

}  // namespace

InstalledFonts::InstalledFonts() : scalable_(std::make_shared<const std::vector<std::string>>()) {}

// Qt's list of them, read once for both the screen's list and the lookups.
const QStringList& InstalledFonts::qtFamilies() {
    if (!qtFamilies_) qtFamilies_ = QFontDatabase::families();
    return *qtFamilies_;
}

const std::vector<std::string>& InstalledFonts::screenFamilies() {
    if (!screenFamilies_) {
        QStringList families = qtFamilies();
        families.removeIf(
            [](const QString& family) { return QFontDatabase::isPrivateFamily(family); });
        screenFamilies_ = screenFamilyNames(families);
    }
    return *screenFamilies_;
}

// Qt tells apart the foundries of a family that several make by a " [Foundry]"
// suffix, on every one of them: a suffix on a name that no other shares is the
// family's own. Few families have one, so only theirs are counted.
std::vector<std::string> InstalledFonts::screenFamilyNames(const QStringList& qtFamilies) {
    QHash<QString, int> foundries;
    for (const QString& family : qtFamilies) {
        const QString base = withoutFoundrySuffix(family);
        if (base.size() != family.size()) ++foundries[base];
    }
    std::vector<std::string> families;
    families.reserve(static_cast<std::size_t>(qtFamilies.size()));
    QSet<QString> listed;  // the families of several foundries, once each
    for (const QString& family : qtFamilies) {
        QString name = family;
        if (!foundries.isEmpty()) {
            const QString base = withoutFoundrySuffix(family);
            if (foundries.value(base) > 1 ||
                (base.size() == family.size() && foundries.contains(base))) {
                if (listed.contains(base)) continue;
                listed.insert(base);
                name = base;
            }
        }
        if (!isGenericAlias(name)) families.push_back(name.toStdString());
    }
    return families;
}

// Qt's list holds a family of several foundries only with its suffix, which a
// font may be set to with or without. One pass over the list for each of the
// few names asked about: folding every name into a set costs a tenth of a
// second of the start at 30,000 families.
bool InstalledFonts::contains(const QString& family) {
    const QStringList& families = qtFamilies();
    // Names equal but for letter case are as long: a length tells most apart.
    return std::any_of(families.begin(), families.end(), [&](const QString& installed) {
        if (installed.size() == family.size()) {
            return installed.compare(family, Qt::CaseInsensitive) == 0;
        }
        return installed.size() > family.size() && installed.endsWith(u']') &&
               withoutFoundrySuffix(installed).compare(family, Qt::CaseInsensitive) == 0;
    });
}

QString InstalledFonts::drawnFamily(const QString& name) {
    if (name.isEmpty()) return name;
    auto found = drawn_.constFind(name);
    if (found == drawn_.constEnd()) {
        found = drawn_.insert(name, contains(name) ? name : latinFallback(name));
    }
    return *found;
}

QString InstalledFonts::latinFallback(const QString& name) {
    for (const std::string& fallback : fontconfig::fallbacks(name.toStdString())) {
        const QString family = QString::fromStdString(fallback);
        if (contains(family) &&
            QFontDatabase::writingSystems(family).contains(QFontDatabase::Latin)) {
            return family;
        }
    }
    return name;  // Qt's own search then, as before
}

void InstalledFonts::useInstalledDefaultFamily() {
    if (!defaultFamily_) {
        defaultFamily_ = QGuiApplication::font().family();
        scanner_.resolveDefaultFamily(defaultFamily_->toStdString());
    }
    applyDefaultFamily(fontconfig::drawnIn(defaultFamily_->toStdString()));
}

void InstalledFonts::applyDefaultFamily(const std::string& drawnIn) {
    QFont font = QGuiApplication::font();
    const QString family = QString::fromStdString(drawnIn);
    if (family.isEmpty() || family == font.family()) return;
    font.setFamily(family);
    QGuiApplication::setFont(font);
}

std::function<InstalledFonts::Families()> InstalledFonts::scalableFamilies() const {
    return [this] { return scalable_; };
}

void InstalledFonts::startScans() {
    scanner_.start();
}

void InstalledFonts::useFirstScan() {
    std::optional<fontconfig::Scan> first = scanner_.takeFirstScan();
    if (!first) return makeCurrent(fontconfig::noFonts());
    scalable_ = std::make_shared<const std::vector<std::string>>(std::move(first->scalable));
    makeCurrent(std::move(first->configuration));
}

// Freeing the fonts a configuration replaces would stop a reload at tens of
// thousands of fonts for a fiftieth of a second.
void InstalledFonts::makeCurrent(fontconfig::Configuration configuration) {
    scanner_.release(std::exchange(current_, fontconfig::makeCurrent(std::move(configuration))));
}

bool InstalledFonts::refresh() {
    std::optional<fontconfig::Scan> scan = scanner_.takeCompleted();
    if (!scan) return false;
    // Qt's database first, which also drops the application's fonts of the
    // configuration that is current until the next line.
    dropQtFonts(scan->someFont);
    makeCurrent(std::move(scan->configuration));
    qtFamilies_.reset();
    screenFamilies_.reset();
    drawn_.clear();
    scalable_ = std::make_shared<const std::vector<std::string>>(std::move(scan->scalable));
    if (scan->defaultDrawnIn.empty()) {
        useInstalledDefaultFamily();
    } else {
        applyDefaultFamily(scan->defaultDrawnIn);
    }
    return true;
}

// Qt reads fontconfig's fonts once and has no call to read them again, but
// removing an application font drops its whole database, to be filled from
// fontconfig at its next use: so one of the scan's fonts is added and removed.
// A Qt that stops doing this fails the tests of fonts installed while open.
void InstalledFonts::dropQtFonts(const std::string& someFont) {
    const int added =
        QFontDatabase::addApplicationFontFromData(QByteArray::fromStdString(someFont));
    QFontDatabase::removeApplicationFont(added);
}

}  // namespace veltrane
