#pragma once

#include <QString>

class QWidget;

namespace veltrane {

// Tells a screen reader what the window and its labels are, which it cannot see
// from their classes alone: the window is a frame named by its caption, and a
// label is static text named by its caption. Before the window is made, as a
// screen reader may ask about each control as it is made; once is enough.
void installAccessibleKinds();

// The control's tooltip, plain text whatever it holds ("<b>" is shown as
// those characters, a line break breaks the line), which a screen reader tells
// as its description, without the blanks around it.
void setToolTip(QWidget& widget, const QString& toolTip);

}  // namespace veltrane
