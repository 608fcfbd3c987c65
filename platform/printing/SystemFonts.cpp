#include "SystemFonts.h"

#include <fontconfig/fontconfig.h>

#include <set>

#include "CHandle.h"

namespace veltrane {

namespace {

std::vector<std::string> listScalableFamilies() {
    CHandle<FcPattern, FcPatternDestroy> pattern(
        FcPatternBuild(nullptr, FC_SCALABLE, FcTypeBool, FcTrue, nullptr));
    CHandle<FcObjectSet, FcObjectSetDestroy> objects(FcObjectSetBuild(FC_FAMILY, nullptr));
    if (!pattern || !objects) return {};
    CHandle<FcFontSet, FcFontSetDestroy> fonts(FcFontList(nullptr, pattern.get(), objects.get()));
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

}  // namespace

std::shared_ptr<const std::vector<std::string>> SystemFonts::scalableFamilies() {
    const std::lock_guard lock(mutex_);
    if (!families_) {
        families_ = std::make_shared<const std::vector<std::string>>(listScalableFamilies());
    }
    return families_;
}

}  // namespace veltrane
