#include "FontFamilies.h"

#include <fontconfig/fontconfig.h>

#include <QFontDatabase>
#include <QStringList>

#include "CHandle.h"
#include "FoundrySuffix.h"

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

// A family that several foundries make is installed by its name with and
// without Qt's foundry suffix. Each name is folded once: folding costs more
// than all the rest.
FontFamilies::FontFamilies() {
    const QStringList families = QFontDatabase::families();
    installed_.reserve(families.size());
    for (const QString& family : families) {
        const QString folded = family.toCaseFolded();
        const QString base = withoutFoundrySuffix(folded);
        if (base.size() != folded.size()) installed_.insert(base);
        installed_.insert(folded);
    }
}

QFont FontFamilies::designFont(const FontDesign& design) const {
    QString family = QString::fromStdString(design.name);
    if (!installed(family)) {
        if (family == QLatin1String("Arial Narrow"))
            family = QStringLiteral("Liberation Sans Narrow");
        // Narrow enough that the sample box's "Enter some text here!" fits one line at 24 points.
        if (family == QLatin1String("MS Sans Serif")) family = QStringLiteral("Liberation Sans");
    }
    QFont font(family);
    font.setPointSizeF(design.points);
    font.setWeight(design.weight >= 700 ? QFont::Bold : QFont::Normal);
    font.setItalic(design.italic);
    font.setUnderline(design.underline);
    font.setStrikeOut(design.strikeout);
    return font;
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
