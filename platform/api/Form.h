#pragma once

namespace veltrane {

// The window itself, in twips.
class Form {
public:
    virtual ~Form() = default;

    virtual void SetTop(float twips) = 0;
    virtual void SetLeft(float twips) = 0;
    // The outer width, frame included.
    virtual float Width() = 0;
    virtual void Hide() = 0;
    // Shows the window modeless and without an owner.
    virtual void Show() = 0;
};

}  // namespace veltrane
