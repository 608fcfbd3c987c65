#pragma once

#include <string>

namespace veltrane {

// The font a label or text box owns. Only its name is stored through it; the
// size and style of a label come from the label's own properties.
class FontObject {
public:
    virtual ~FontObject() = default;

    virtual void SetName(const std::string& name) = 0;
};

}  // namespace veltrane
