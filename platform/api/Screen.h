#pragma once

#include <string>

#include "Int16.h"

namespace veltrane {

// The display: its width and its fonts.
class Screen {
public:
    virtual ~Screen() = default;

    // Width of the whole display in twips.
    virtual float Width() = 0;
    virtual Int16 FontCount() = 0;
    // The font at 0 <= index < FontCount(); throws NoSuchEntry otherwise.
    virtual std::string Fonts(Int16 index) = 0;
    // Whether fonts were installed or removed since the font lists were read;
    // when they were, every font list is read anew from now on.
    virtual bool RefreshFonts() = 0;
};

}  // namespace veltrane
