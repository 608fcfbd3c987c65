#pragma once

#include <QWidget>

#include "FontFamilies.h"
#include "FontObject.h"

namespace veltrane {

// A control's font: storing a name changes only the family of the widget's font.
// An empty name or one no installed font has gives the platform's nearest font.
class QtFontObject : public FontObject {
public:
    QtFontObject(QWidget& widget, FontFamilies& families) : widget_(widget), families_(families) {}

    void SetName(const std::string& name) override;

private:
    QWidget& widget_;
    FontFamilies& families_;
};

}  // namespace veltrane
