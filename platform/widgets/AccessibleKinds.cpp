#include "AccessibleKinds.h"

#include <QAccessibleWidget>
#include <QTextDocument>
#include <QWidget>

namespace veltrane {

namespace {

QAccessibleInterface* accessibleKind(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) return nullptr;
    if (className == QLatin1String("veltrane::VeltraneWindow")) {
        return new QAccessibleWidget(widget, QAccessible::Window);
    }
    if (className == QLatin1String("veltrane::CaptionLabel")) {
        return new QAccessibleWidget(widget, QAccessible::StaticText);
    }
    return nullptr;
}

}  // namespace

// Once a process: Qt keeps every factory installed.
void installAccessibleKinds() {
    static const bool installed = (QAccessible::installFactory(accessibleKind), true);
    (void)installed;
}

// Qt takes a tooltip that looks like markup for rich text: such a one is given
// to it escaped, its blanks and line breaks kept.
void setToolTip(QWidget& widget, const QString& toolTip) {
    widget.setToolTip(Qt::mightBeRichText(toolTip)
                          ? QStringLiteral("<p style='white-space:pre'>%1</p>")
                                .arg(toolTip.toHtmlEscaped().replace(u'\n', QStringLiteral("<br>")))
                          : toolTip);
    widget.setAccessibleDescription(toolTip.trimmed());
}

}  // namespace veltrane
