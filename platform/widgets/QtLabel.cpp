#include "QtLabel.h"

#include <QPainter>

#include "AccessibleKinds.h"

namespace veltrane {

// Read back exactly as written: a device name that is not valid UTF-8 must
// compare equal to itself at the next paint.
std::string QtLabel::Caption() {
    return text_;
}

// A screen reader is told the caption as it is drawn.
void QtLabel::SetCaption(const std::string& caption) {
    text_ = caption;
    caption_ = QString::fromStdString(caption);
    setAccessibleName(caption_);
    update();
}

void QtLabel::SetToolTipText(const std::string& text) {
    veltrane::setToolTip(*this, QString::fromStdString(text));
}

void QtLabel::SetFontBold(bool bold) {
    changeFont([bold](QFont& font) { font.setBold(bold); });
}

void QtLabel::SetFontItalic(bool italic) {
    changeFont([italic](QFont& font) { font.setItalic(italic); });
}

void QtLabel::SetFontSize(float points) {
    changeFont([points](QFont& font) { font.setPointSizeF(points); });
}

void QtLabel::changeFont(const std::function<void(QFont&)>& change) {
    QFont changed = font();
    change(changed);
    setFont(changed);
}

void QtLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawText(rect(), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, caption_);
}

}  // namespace veltrane
