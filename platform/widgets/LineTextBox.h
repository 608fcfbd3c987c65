#pragma once

#include <QLineEdit>

#include "FormDesign.h"
#include "TextBox.h"
#include "WidgetFont.h"

namespace veltrane {

// A single-line text box; a locked one can be selected and copied, not edited.
class LineTextBox : public QLineEdit, public TextBox {
    Q_OBJECT

public:
    LineTextBox(QWidget* parent, const ControlDesign& design, InstalledFonts& fonts);

    void SetText(const std::string& text) override;
    FontObject& Font() override { return font_; }

private:
    WidgetFont font_;
};

}  // namespace veltrane
