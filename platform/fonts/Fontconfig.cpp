#include "Fontconfig.h"

#include <fontconfig/fontconfig.h>

#include <set>

#include "CHandle.h"

namespace veltrane::fontconfig {

namespace {

using Pattern = CHandle<FcPattern, FcPatternDestroy>;
using FontSet = CHandle<FcFontSet, FcFontSetDestroy>;

// Each font's first family name, in the set's order.
std::vector<std::string> firstFamilies(const FontSet& fonts) {
    std::vector<std::string> families;
    for (int i = 0; fonts && i < fonts->nfont; ++i) {
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

}  // namespace

std::vector<std::string> scalableFamilies() {
    const Pattern pattern(FcPatternBuild(nullptr, FC_SCALABLE, FcTypeBool, FcTrue, nullptr));
    const CHandle<FcObjectSet, FcObjectSetDestroy> objects(FcObjectSetBuild(FC_FAMILY, nullptr));
    if (!pattern || !objects) return {};
    const FontSet fonts(FcFontList(nullptr, pattern.get(), objects.get()));
    const std::vector<std::string> all = firstFamilies(fonts);
    const std::set<std::string> families(all.begin(), all.end());
    return {families.begin(), families.end()};
}

std::vector<std::string> fallbacks(const std::string& family) {
    const Pattern pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ROMAN);
    addDefaultLanguage(pattern.get());
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultMatch;
    const FontSet fonts(FcFontSort(nullptr, pattern.get(), FcFalse, nullptr, &result));
    return firstFamilies(fonts);
}

std::vector<std::string> configurationAndFontFolders() {
    std::vector<std::string> paths;
    for (FcStrList* list : {FcConfigGetConfigFiles(nullptr), FcConfigGetConfigDirs(nullptr),
                            FcConfigGetFontDirs(nullptr)}) {
        const CHandle<FcStrList, FcStrListDone> owned(list);
        for (FcChar8* path = nullptr; owned && (path = FcStrListNext(list)) != nullptr;) {
            paths.emplace_back(reinterpret_cast<const char*>(path));
        }
    }
    return paths;
}

void reload() {
    FcInitReinitialize();
}

std::string defaultFontFile() {
    const Pattern pattern(FcPatternCreate());
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultMatch;
    const Pattern font(FcFontMatch(nullptr, pattern.get(), &result));
    FcChar8* file = nullptr;
    if (!font || FcPatternGetString(font.get(), FC_FILE, 0, &file) != FcResultMatch) return "";
    return reinterpret_cast<const char*>(file);
}

}  // namespace veltrane::fontconfig
