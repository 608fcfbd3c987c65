#pragma once

#include <string>

#include "FontObject.h"

namespace veltrane {

class TextBox {
public:
    virtual ~TextBox() = default;

    virtual void SetText(const std::string& text) = 0;
    virtual FontObject& Font() = 0;
};

}  // namespace veltrane
