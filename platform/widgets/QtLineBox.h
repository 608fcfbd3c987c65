#pragma once

#include <QLineEdit>

#include "FormDesign.h"
#include "QtFontObject.h"
#include "TextBox.h"

namespace veltrane {

// A single-line text box; a locked one can be selected and copied, not edited.
class QtLineBox : public QLineEdit, public TextBox {
    Q_OBJECT

public:
    QtLineBox(QWidget* parent, const ControlDesign& design, InstalledFonts& fonts);

    void SetText(const std::string& text) override;
    FontObject& Font() override { return font_; }

private:
    QtFontObject font_;
};

}  // namespace veltrane
