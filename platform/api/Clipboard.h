#pragma once

#include <string>

namespace veltrane {

class Clipboard {
public:
    virtual ~Clipboard() = default;

    virtual void Clear() = 0;
    // Stores the text in the platform's plain-text format.
    virtual void SetText(const std::string& text) = 0;
};

}  // namespace veltrane
