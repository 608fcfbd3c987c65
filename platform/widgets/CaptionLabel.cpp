#include "CaptionLabel.h"

#include <QPainter>

#include "AccessibleKinds.h"

namespace veltrane {

CaptionLabel::CaptionLabel(QWidget* parent, const ControlDesign& design, InstalledFonts& fonts)
    : QWidget(parent), font_(*this, fonts) {
    SetCaption(design.contents);
}

// Read back exactly as written: a device name that is not valid UTF-8 must
// compare equal to itself at the next paint.
std::string CaptionLabel::Caption() {
    return text_;
}

// A screen reader is told the caption as it is drawn.
void CaptionLabel::SetCaption(const std::string& caption) {
    text_ = caption;
    caption_ = QString::fromStdString(caption);
    setAccessibleName(caption_);
    update();
}

void CaptionLabel::SetToolTipText(const std::string& text) {
    veltrane::setToolTip(*this, QString::fromStdString(text));
}

void CaptionLabel::SetFontBold(bool bold) {
    changeFont([bold](QFont& font) { font.setBold(bold); });
}

void CaptionLabel::SetFontItalic(bool italic) {
    changeFont([italic](QFont& font) { font.setItalic(italic); });
}

void CaptionLabel::SetFontSize(float points) {
    changeFont([points](QFont& font) { font.setPointSizeF(points); });
}

void CaptionLabel::changeFont(const std::function<void(QFont&)>& change) {
    QFont changed = font();
    change(changed);
    setFont(changed);
}

void CaptionLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawText(rect(), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, caption_);
}

}  // namespace veltrane
