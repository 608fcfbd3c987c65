#pragma once

#include <QWidget>

#include "FontObject.h"
#include "InstalledFonts.h"

namespace veltrane {

// A control's font: storing a name changes only the family of the widget's font.
// An empty name or one no installed font has gives the platform's nearest font.
class WidgetFont : public FontObject {
public:
    WidgetFont(QWidget& widget, InstalledFonts& fonts) : widget_(widget), fonts_(fonts) {}

    void SetName(const std::string& name) override {
        QFont font = widget_.font();
        font.setFamily(fonts_.drawnFamily(QString::fromStdString(name)));
        widget_.setFont(font);
    }

private:
    QWidget& widget_;
    InstalledFonts& fonts_;
};

}  // namespace veltrane
