#include "WidgetFont.h"

namespace veltrane {

void WidgetFont::SetName(const std::string& name) {
    QFont font = widget_.font();
    font.setFamily(fonts_.drawnFamily(QString::fromStdString(name)));
    widget_.setFont(font);
}

}  // namespace veltrane
