#include "SystemFonts.h"

#include <fontconfig/fontconfig.h>

#include <memory>
#include <set>

namespace veltrane {

namespace {

struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct ObjectSetDeleter {
    void operator()(FcObjectSet* objects) const { FcObjectSetDestroy(objects); }
};
struct FontSetDeleter {
    void operator()(FcFontSet* fonts) const { FcFontSetDestroy(fonts); }
};

}  // namespace

std::vector<std::string> scalableFontFamilies() {
    std::unique_ptr<FcPattern, PatternDeleter> pattern(
        FcPatternBuild(nullptr, FC_SCALABLE, FcTypeBool, FcTrue, nullptr));
    std::unique_ptr<FcObjectSet, ObjectSetDeleter> objects(FcObjectSetBuild(FC_FAMILY, nullptr));
    if (!pattern || !objects) return {};
    std::unique_ptr<FcFontSet, FontSetDeleter> fonts(
        FcFontList(nullptr, pattern.get(), objects.get()));
    if (!fonts) return {};
    std::set<std::string> families;
    for (int i = 0; i < fonts->nfont; ++i) {
        FcChar8* family = nullptr;
        if (FcPatternGetString(fonts->fonts[i], FC_FAMILY, 0, &family) == FcResultMatch) {
            families.insert(reinterpret_cast<const char*>(family));
        }
    }
    return {families.begin(), families.end()};
}

}  // namespace veltrane
