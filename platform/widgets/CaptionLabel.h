#pragma once

#include <QWidget>

#include <functional>

#include "FormDesign.h"
#include "Label.h"
#include "WidgetFont.h"

namespace veltrane {

// A fixed-size caption, shown exactly as written: plain text, never markup, so
// a device named "<b>x" shows those characters, and an ampersand is an
// ampersand, since no label has an access key and a label shows names. Centred,
// top-aligned, wrapped at word boundaries and cut at the box's edges.
class CaptionLabel : public QWidget, public Label {
    Q_OBJECT

public:
    CaptionLabel(QWidget* parent, const ControlDesign& design, InstalledFonts& fonts);

    std::string Caption() override;
    void SetCaption(const std::string& caption) override;
    void SetToolTipText(const std::string& text) override;
    void SetFontBold(bool bold) override;
    void SetFontItalic(bool italic) override;
    void SetFontSize(float points) override;
    FontObject& Font() override { return font_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void changeFont(const std::function<void(QFont&)>& change);

    std::string text_;  // as written, byte for byte, whether or not it is UTF-8
    QString caption_;   // as drawn
    WidgetFont font_;
};

}  // namespace veltrane
