#include "Fontconfig.h"

#include <fontconfig/fontconfig.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <functional>
#include <string_view>

#include "CHandle.h"

// From 2.13.90 on, making a configuration current takes a reference of its own.
#if FC_VERSION < 21390
#error "fontconfig 2.13.90 or later is needed"
#endif

namespace veltrane::fontconfig {

namespace {

using Pattern = CHandle<FcPattern, FcPatternDestroy>;
using FontSet = CHandle<FcFontSet, FcFontSetDestroy>;

constexpr std::uint64_t kMix = 1099511628211U;  // FNV's prime: a digest's steps

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

// An object's name, which fontconfig gives as the same pointer throughout a
// process: once seen, it is known by its pointer.
class ObjectName {
public:
    explicit ObjectName(const char* name) : name_(name) {}
    bool is(const char* object) {
        if (known_ != nullptr) return object == known_;
        if (std::strcmp(object, name_) != 0) return false;
        known_ = object;
        return true;
    }

private:
    const char* name_;
    const char* known_ = nullptr;
};

// One pass over a font's elements: everything fontconfig says of it summed
// up, whether it is scalable, and its family names with their languages.
// Reading each by name looks every name up again, which at tens of thousands
// of fonts costs more than the pass.
struct FontElements {
    std::uint64_t digest = 0;
    bool scalable = false;
    std::vector<const char*> families;  // reused from font to font
    std::vector<const char*> languages;
    ObjectName family{FC_FAMILY};
    ObjectName familyLanguage{FC_FAMILYLANG};
    ObjectName scalability{FC_SCALABLE};

    void read(FcPattern* font);
    // The family name a listing of fonts gives first, as fc-list shows it:
    // the one in the user's language, else in that language as another
    // country writes it, else in English, else the first; none without a name.
    const char* listedFamily(const std::string& language) const;
};

std::uint64_t hashOf(std::string_view bytes) {
    return std::hash<std::string_view>()(bytes);
}

template <typename Plain>
std::uint64_t hashOfBytes(const Plain& value) {
    return hashOf({reinterpret_cast<const char*>(&value), sizeof value});
}

std::uint64_t hashOf(const FcValue& value) {
    switch (value.type) {
        case FcTypeString:
            return hashOf(reinterpret_cast<const char*>(value.u.s));
        case FcTypeInteger:
            return static_cast<std::uint64_t>(value.u.i);
        case FcTypeBool:
            return static_cast<std::uint64_t>(value.u.b);
        case FcTypeDouble:
            return hashOfBytes(value.u.d);
        case FcTypeMatrix:
            return hashOfBytes(*value.u.m);
        case FcTypeRange: {
            double range[2] = {};
            FcRangeGetDouble(value.u.r, &range[0], &range[1]);
            return hashOfBytes(range);
        }
        case FcTypeCharSet:
            return FcCharSetCount(value.u.c);
        case FcTypeLangSet:
            return FcLangSetHash(value.u.l);
        default:  // nothing, or a face of this process's own
            return 0;
    }
}

void FontElements::read(FcPattern* font) {
    digest = 0;
    scalable = false;
    families.clear();
    languages.clear();
    FcPatternIter element;
    FcPatternIterStart(font, &element);
    for (bool more = FcPatternIterIsValid(font, &element); more;
         more = FcPatternIterNext(font, &element)) {
        const char* object = FcPatternIterGetObject(font, &element);
        if (object == nullptr) continue;  // of no name fontconfig knows
        std::vector<const char*>* names = family.is(object)           ? &families
                                          : familyLanguage.is(object) ? &languages
                                                                      : nullptr;
        const bool isScalability = names == nullptr && scalability.is(object);
        digest = digest * kMix + std::hash<const char*>()(object);
        FcValue value;
        for (int i = 0; FcPatternIterGetValue(font, &element, i, &value, nullptr) == FcResultMatch;
             ++i) {
            digest = digest * kMix + hashOf(value);
            if (value.type == FcTypeString && names != nullptr) {
                names->push_back(reinterpret_cast<const char*>(value.u.s));
            } else if (value.type == FcTypeBool && i == 0 && isScalability) {
                scalable = value.u.b != FcFalse;
            }
        }
    }
}

// As fontconfig chooses, its oddities kept: a name in another country's form
// of the language, or in English, is taken only where it is not the first.
const char* FontElements::listedFamily(const std::string& language) const {
    if (families.empty()) return nullptr;
    int listed = -1;
    int sameLanguage = -1;
    int english = -1;
    for (int i = 0; i < static_cast<int>(languages.size()) && listed < 0; ++i) {
        const std::string normal = normalTag(languages[static_cast<std::size_t>(i)]);
        if (normal == language) listed = i;
        if (sameLanguage < 0 && primaryLanguage(normal) == primaryLanguage(language)) {
            sameLanguage = i;
        }
        if (english < 0 && normal == "en") english = i;
    }
    if (listed < 0) listed = sameLanguage > 0 ? sameLanguage : english > 0 ? english : 0;
    const auto index = static_cast<std::size_t>(listed);
    return families[index < families.size() ? index : 0];
}

// The configuration's files, by name and identity: a file saved or touched
// changes it.
std::uint64_t digestOfFiles(FcConfig* configuration) {
    std::uint64_t digest = 0;
    const CHandle<FcStrList, FcStrListDone> files(FcConfigGetConfigFiles(configuration));
    for (FcChar8* path = nullptr; files && (path = FcStrListNext(files.get())) != nullptr;) {
        const char* name = reinterpret_cast<const char*>(path);
        struct stat status {};
        if (::stat(name, &status) != 0) status = {};
        const std::uint64_t identity[] = {hashOf(name), status.st_ino,
                                          static_cast<std::uint64_t>(status.st_size),
                                          static_cast<std::uint64_t>(status.st_mtim.tv_sec),
                                          static_cast<std::uint64_t>(status.st_mtim.tv_nsec)};
        digest = digest * kMix + hashOfBytes(identity);
    }
    return digest;
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

Configuration makeCurrent(Configuration configuration) {
    FcConfigSetRescanInterval(configuration.get(), 0);
    FcConfigSetCurrent(configuration.get());
    return configuration;
}

// Read from the configuration's own fonts, without the copy of every font that
// listing them would make: a third of the time at tens of thousands of fonts.
// The fonts are summed as a set: with a pipe in a folder the same fonts come
// in the other set, in another order, and show the same window.
FontsRead readFonts(FcConfig* configuration) {
    const std::string language = userLanguage();
    FontsRead read;
    FontElements font;
    for (const FcSetName set : {FcSetSystem, FcSetApplication}) {
        const FcFontSet* fonts = FcConfigGetFonts(configuration, set);
        for (int i = 0; fonts != nullptr && i < fonts->nfont; ++i) {
            font.read(fonts->fonts[i]);
            read.digest += font.digest;
            if (!font.scalable) continue;
            if (const char* family = font.listedFamily(language)) {
                read.scalable.emplace_back(family);
            }
        }
    }
    std::sort(read.scalable.begin(), read.scalable.end());
    read.scalable.erase(std::unique(read.scalable.begin(), read.scalable.end()),
                        read.scalable.end());
    read.digest ^= digestOfFiles(configuration);
    return read;
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
