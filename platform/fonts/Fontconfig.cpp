#include "Fontconfig.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>

#include "CHandle.h"

// From 2.13.90 on, making a configuration current takes a reference of its own.
#if FC_VERSION < 21390
#error "fontconfig 2.13.90 or later is needed"
#endif

namespace veltrane::fontconfig {

namespace {

using Pattern = CHandle<FcPattern, FcPatternDestroy>;
using FontSet = CHandle<FcFontSet, FcFontSetDestroy>;

// A font's family name at `index`, or its first where it has fewer names than
// languages; none without a name.
const char* familyName(FcPattern* font, int index) {
    FcChar8* family = nullptr;
    if (FcPatternGetString(font, FC_FAMILY, index, &family) != FcResultMatch &&
        FcPatternGetString(font, FC_FAMILY, 0, &family) != FcResultMatch) {
        return nullptr;
    }
    return reinterpret_cast<const char*>(family);
}

// Each font's first family name, in the set's order.
std::vector<std::string> firstFamilies(const FcFontSet* fonts) {
    std::vector<std::string> families;
    for (int i = 0; fonts != nullptr && i < fonts->nfont; ++i) {
        if (const char* family = familyName(fonts->fonts[i], 0)) families.emplace_back(family);
    }
    return families;
}

// A language tag as fontconfig compares them: letter case and '_' against '-' ignored.
std::string normalTag(const char* tag) {
    std::string normal;
    for (; *tag != '\0'; ++tag) {
        normal +=
            *tag == '_' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(*tag)));
    }
    return normal;
}

std::string primaryLanguage(const std::string& tag) {
    return tag.substr(0, tag.find('-'));
}

// The user's first language, as fontconfig takes it from the environment.
std::string userLanguage() {
    const CHandle<FcStrSet, FcStrSetDestroy> languages(FcGetDefaultLangs());
    const CHandle<FcStrList, FcStrListDone> list(FcStrListCreate(languages.get()));
    const FcChar8* first = list ? FcStrListNext(list.get()) : nullptr;
    return first != nullptr ? normalTag(reinterpret_cast<const char*>(first)) : "en";
}

// Which of a font's family names a listing of fonts gives first, as fc-list
// shows it: the one in the user's language, else in that language as another
// country writes it, else in English, else the first.
int listedFamily(FcPattern* font, const std::string& language) {
    int sameLanguage = -1;
    int english = -1;
    FcChar8* tag = nullptr;
    for (int i = 0; FcPatternGetString(font, FC_FAMILYLANG, i, &tag) == FcResultMatch; ++i) {
        const std::string normal = normalTag(reinterpret_cast<const char*>(tag));
        if (normal == language) return i;
        if (sameLanguage < 0 && primaryLanguage(normal) == primaryLanguage(language)) {
            sameLanguage = i;
        }
        if (english < 0 && normal == "en") english = i;
    }
    return sameLanguage > 0 ? sameLanguage : english > 0 ? english : 0;
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

// Read from the configuration's own fonts, without the copy of every font that
// listing them would make: a third of the time at tens of thousands of fonts.
std::vector<std::string> scalableFamilies(FcConfig* configuration) {
    const std::string language = userLanguage();
    std::vector<std::string> families;
    for (const FcSetName set : {FcSetSystem, FcSetApplication}) {
        const FcFontSet* fonts = FcConfigGetFonts(configuration, set);
        for (int i = 0; fonts != nullptr && i < fonts->nfont; ++i) {
            FcPattern* font = fonts->fonts[i];
            FcBool scalable = FcFalse;
            if (FcPatternGetBool(font, FC_SCALABLE, 0, &scalable) != FcResultMatch || !scalable) {
                continue;
            }
            if (const char* family = familyName(font, listedFamily(font, language))) {
                families.emplace_back(family);
            }
        }
    }
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
