#pragma once

#include <QTextEdit>

#include "FormDesign.h"
#include "QtFontObject.h"
#include "TextBox.h"

namespace veltrane {

// A multi-line plain-text box: text pasted into it loses any formatting, lines
// wrap within the box, and Tab moves on to the next control.
class QtMemoBox : public QTextEdit, public TextBox {
    Q_OBJECT

public:
    QtMemoBox(QWidget* parent, const ControlDesign& design, InstalledFonts& fonts);

    void SetText(const std::string& text) override;
    FontObject& Font() override { return font_; }

private:
    QtFontObject font_;
};

}  // namespace veltrane
