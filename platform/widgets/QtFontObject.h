#pragma once

#include <QWidget>

#include "FontObject.h"

namespace veltrane {

// A control's font: storing a name changes only the family of the widget's font.
// An empty name or one no installed font has gives the platform's nearest font.
class QtFontObject : public FontObject {
public:
    explicit QtFontObject(QWidget& widget) : widget_(widget) {}

    void SetName(const std::string& name) override;

private:
    QWidget& widget_;
};

}  // namespace veltrane
