#include "AccessibleKinds.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace veltrane {

namespace {

QAccessibleInterface* accessibleKind(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) return nullptr;
    if (className == QLatin1String("veltrane::QtForm")) {
        return new QAccessibleWidget(widget, QAccessible::Window);
    }
    if (className == QLatin1String("veltrane::QtLabel")) {
        return new QAccessibleWidget(widget, QAccessible::StaticText);
    }
    return nullptr;
}

}  // namespace

void installAccessibleKinds() {
    QAccessible::installFactory(accessibleKind);
}

void setToolTip(QWidget& widget, const QString& toolTip) {
    widget.setToolTip(toolTip);
    widget.setAccessibleDescription(toolTip.trimmed());
}

}  // namespace veltrane
