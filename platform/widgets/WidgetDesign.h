#pragma once

#include <QIcon>
#include <QWidget>

#include <string>
#include <vector>

#include "FormDesign.h"
#include "InstalledFonts.h"

namespace veltrane {

// The design as Qt's widgets take it.

// The window's title bar: minimise and close as designed.
Qt::WindowFlags titleBarFlags(const FormDesign& design);
// The window's icon from its PNG images.
QIcon iconOf(const std::vector<std::string>& images);
// The primary screen's logical dots per inch, which twips become pixels at.
double logicalDpi();
// A control's place and size, its font, its tooltip and what a screen reader
// calls it. A design font that is not installed, a Windows face, is replaced
// by its metric-compatible Liberation face.
void applyDesign(QWidget& control, const ControlDesign& design, InstalledFonts& fonts);

}  // namespace veltrane
