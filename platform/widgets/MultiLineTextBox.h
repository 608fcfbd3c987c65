#pragma once

#include <QTextEdit>

#include "FormDesign.h"
#include "TextBox.h"
#include "WidgetFont.h"

namespace veltrane {

// A multi-line plain-text box without scroll bars: text pasted into it loses
// any formatting, lines wrap within the box, and Tab moves on to the next
// control.
class MultiLineTextBox : public QTextEdit, public TextBox {
    Q_OBJECT

public:
    MultiLineTextBox(QWidget* parent, const ControlDesign& design, InstalledFonts& fonts);

    void SetText(const std::string& text) override;
    FontObject& Font() override { return font_; }

private:
    WidgetFont font_;
};

}  // namespace veltrane
