#pragma once

#include "Clipboard.h"

namespace veltrane {

// The desktop's clipboard (on X11 the CLIPBOARD selection, which this program
// owns while it holds the text).
class QtClipboard : public Clipboard {
public:
    void Clear() override;
    // The empty text is stored as an empty plain-text entry, not as nothing, so
    // that a reader sees the copy happened.
    void SetText(const std::string& text) override;
};

}  // namespace veltrane
