#include "FontFamilies.h"

#include <fontconfig/fontconfig.h>

#include <QFontDatabase>
#include <QStringList>

#include "CHandle.h"

namespace veltrane {

namespace {

// The language fontconfig assumes for text of no particular script.
void addDefaultLanguage(FcPattern* pattern) {
    const CHandle<FcPattern, FcPatternDestroy> defaults(FcPatternCreate());
    FcDefaultSubstitute(defaults.get());
    FcChar8* language = nullptr;
    if (FcPatternGetString(defaults.get(), FC_LANG, 0, &language) == FcResultMatch) {
        FcPatternAddString(pattern, FC_LANG, language);
    }
}

// fontconfig's families for an upright font named `name`, best first.
QStringList sortedFallbacks(const QString& name) {
    const CHandle<FcPattern, FcPatternDestroy> pattern(FcPatternCreate());
    const QByteArray family = name.toUtf8();
    FcPatternAddString(pattern.get(), FC_FAMILY,
                       reinterpret_cast<const FcChar8*>(family.constData()));
    FcPatternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ROMAN);
    addDefaultLanguage(pattern.get());
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultMatch;
    const CHandle<FcFontSet, FcFontSetDestroy> fonts(
        FcFontSort(nullptr, pattern.get(), FcFalse, nullptr, &result));
    QStringList families;
    for (int i = 0; fonts && i < fonts->nfont; ++i) {
        FcChar8* fallback = nullptr;
        if (FcPatternGetString(fonts->fonts[i], FC_FAMILY, 0, &fallback) == FcResultMatch) {
            families << QString::fromUtf8(reinterpret_cast<const char*>(fallback));
        }
    }
    return families;
}

}  // namespace

// Qt lists a family that several foundries make as "Family [Foundry]": the
// family is installed by both names. A name wrongly taken for installed only
// leaves Qt to its own search.
FontFamilies::FontFamilies() {
    for (const QString& family : QFontDatabase::families()) {
        installed_.insert(family.toCaseFolded());
        if (family.endsWith(u']')) {
            installed_.insert(family.left(family.lastIndexOf(QLatin1String(" ["))).toCaseFolded());
        }
    }
}

bool FontFamilies::installed(const QString& family) const {
    return installed_.contains(family.toCaseFolded());
}

QString FontFamilies::drawnFamily(const QString& name) {
    if (name.isEmpty() || installed(name)) return name;
    auto found = fallbacks_.constFind(name);
    if (found == fallbacks_.constEnd()) found = fallbacks_.insert(name, latinFallback(name));
    return *found;
}

QString FontFamilies::latinFallback(const QString& name) const {
    for (const QString& family : sortedFallbacks(name)) {
        if (installed(family) &&
            QFontDatabase::writingSystems(family).contains(QFontDatabase::Latin)) {
            return family;
        }
    }
    return name;  // Qt's own search then, as before
}

}  // namespace veltrane
