#include "DesignFont.h"

namespace veltrane {

QFont designFont(const FontDesign& design, InstalledFonts& fonts) {
    QString family = QString::fromStdString(design.name);
    if (!fonts.contains(family)) {
        if (family == QLatin1String("Arial Narrow"))
            family = QStringLiteral("Liberation Sans Narrow");
        // Narrow enough that the sample box's "Enter some text here!" fits one line at 24 points.
        if (family == QLatin1String("MS Sans Serif")) family = QStringLiteral("Liberation Sans");
    }
    QFont font(family);
    font.setPointSizeF(design.points);
    font.setWeight(design.weight >= 700 ? QFont::Bold : QFont::Normal);
    return font;
}

}  // namespace veltrane
