#include "LineTextBox.h"

namespace veltrane {

LineTextBox::LineTextBox(QWidget* parent, const ControlDesign& design, InstalledFonts& fonts)
    : QLineEdit(parent), font_(*this, fonts) {
    setReadOnly(design.locked);
    setAlignment(design.alignment == Alignment::Centre ? Qt::AlignCenter
                                                       : Qt::AlignLeft | Qt::AlignVCenter);
    if (design.border == TextBoxBorder::Flat) {
        setFrame(false);
        setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid palette(dark); }"));
    } else if (design.border == TextBoxBorder::None) {
        setFrame(false);
    }
    QLineEdit::setText(QString::fromStdString(design.contents));
}

void LineTextBox::SetText(const std::string& text) {
    setText(QString::fromStdString(text));
}

}  // namespace veltrane
