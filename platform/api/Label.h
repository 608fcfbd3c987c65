#pragma once

#include <string>

#include "FontObject.h"

namespace veltrane {

class Label {
public:
    virtual ~Label() = default;

    virtual std::string Caption() = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void SetToolTipText(const std::string& text) = 0;
    virtual void SetFontBold(bool bold) = 0;
    virtual void SetFontItalic(bool italic) = 0;
    virtual void SetFontSize(float points) = 0;
    virtual FontObject& Font() = 0;
};

}  // namespace veltrane
