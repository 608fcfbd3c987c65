#include "MultiLineTextBox.h"

namespace veltrane {

MultiLineTextBox::MultiLineTextBox(QWidget* parent, const ControlDesign& design,
                                   InstalledFonts& fonts)
    : QTextEdit(parent), font_(*this, fonts) {
    setAcceptRichText(false);
    setReadOnly(design.locked);
    setTabChangesFocus(true);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if (design.border == TextBoxBorder::None) setFrameStyle(QFrame::NoFrame);
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(design.alignment == Alignment::Centre ? Qt::AlignHCenter : Qt::AlignLeft);
    document()->setDefaultTextOption(option);
    SetText(design.contents);
}

void MultiLineTextBox::SetText(const std::string& text) {
    // A carriage return and line feed is one line break.
    setPlainText(
        QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

}  // namespace veltrane
