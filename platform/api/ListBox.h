#pragma once

#include <optional>
#include <string>

#include "Int16.h"

namespace veltrane {

// A sorted, single-selection list: entries stand in ascending order ignoring
// letter case, whatever order they were added in.
class ListBox {
public:
    virtual ~ListBox() = default;

    // The selected entry's text; the empty string when none is selected.
    virtual std::string Text() = 0;
    virtual void AddItem(const std::string& item) = 0;
    virtual void Clear() = 0;
    // Selects (or deselects) entry `index`; throws NoSuchEntry when there is none.
    virtual void SetSelected(Int16 index, bool selected) = 0;
    // The entry whose text is exactly `text`, if there is one.
    virtual std::optional<Int16> IndexOf(const std::string& text) = 0;
};

}  // namespace veltrane
