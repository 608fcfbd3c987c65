#pragma once

#include <string>

#include "InstalledFonts.h"
#include "Screen.h"

namespace veltrane {

// The display as Qt sees it; its fonts are the installed fonts' screen families.
class QtScreen : public Screen {
public:
    explicit QtScreen(InstalledFonts& fonts) : fonts_(fonts) {}

    float Width() override;
    Int16 FontCount() override;
    std::string Fonts(Int16 index) override;
    bool RefreshFonts() override { return fonts_.refresh(); }

private:
    InstalledFonts& fonts_;
};

}  // namespace veltrane
