#include "Fontconfig.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>

#include "CHandle.h"

// From 2.13.90 on, making a configuration current takes a reference of its own.
#if FC_VERSION < 21390
#error "fontconfig 2.13.90 or later is needed"
#endif

namespace veltrane::fontconfig {

namespace {

using Pattern = CHandle<FcPattern, FcPatternDestroy>;
using FontSet = CHandle<FcFontSet, FcFontSetDestroy>;

// Each font's first family name, in the set's order.
std::vector<std::string> firstFamilies(const FcFontSet* fonts) {
    std::vector<std::string> families;
    for (int i = 0; fonts != nullptr && i < fonts->nfont; ++i) {
        FcChar8* family = nullptr;
        if (FcPatternGetString(fonts->fonts[i], FC_FAMILY, 0, &family) == FcResultMatch) {
            families.emplace_back(reinterpret_cast<const char*>(family));
        }
    }
    return families;
}

// The language fontconfig assumes for text of no particular script.
void addDefaultLanguage(FcPattern* pattern) {
    const Pattern defaults(FcPatternCreate());
    FcDefaultSubstitute(defaults.get());
    FcChar8* language = nullptr;
    if (FcPatternGetString(defaults.get(), FC_LANG, 0, &language) == FcResultMatch) {
        FcPatternAddString(pattern, FC_LANG, language);
    }
}

// An upright font named `family`, as Qt asks fontconfig for one.
Pattern uprightRequest(const std::string& family, FcConfig* configuration = nullptr) {
    Pattern pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ROMAN);
    addDefaultLanguage(pattern.get());
    FcConfigSubstitute(configuration, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    return pattern;
}

}  // namespace

void ReleaseConfiguration::operator()(_FcConfig* configuration) const noexcept {
    FcConfigDestroy(configuration);
}

Configuration noFonts() {
    Configuration configuration(FcConfigCreate());
    FcConfigBuildFonts(configuration.get());
    return configuration;
}

void makeCurrent(Configuration configuration) {
    FcConfigSetRescanInterval(configuration.get(), 0);
    FcConfigSetCurrent(configuration.get());
}

std::vector<std::string> scalableFamilies(FcConfig* configuration) {
    const Pattern pattern(FcPatternBuild(nullptr, FC_SCALABLE, FcTypeBool, FcTrue, nullptr));
    const CHandle<FcObjectSet, FcObjectSetDestroy> objects(FcObjectSetBuild(FC_FAMILY, nullptr));
    if (!pattern || !objects) return {};
    const FontSet fonts(FcFontList(configuration, pattern.get(), objects.get()));
    std::vector<std::string> families = firstFamilies(fonts.get());
    std::sort(families.begin(), families.end());
    families.erase(std::unique(families.begin(), families.end()), families.end());
    return families;
}

std::vector<std::string> fallbacks(const std::string& family) {
    const Pattern pattern = uprightRequest(family);
    FcResult result = FcResultMatch;
    const FontSet fonts(FcFontSort(nullptr, pattern.get(), FcFalse, nullptr, &result));
    return firstFamilies(fonts.get());
}

std::string drawnIn(const std::string& family, FcConfig* configuration) {
    const Pattern pattern = uprightRequest(family, configuration);
    FcResult result = FcResultMatch;
    const Pattern font(FcFontMatch(configuration, pattern.get(), &result));
    FcChar8* name = nullptr;
    if (!font || FcPatternGetString(font.get(), FC_FAMILY, 0, &name) != FcResultMatch) return "";
    return reinterpret_cast<const char*>(name);
}

}  // namespace veltrane::fontconfig
