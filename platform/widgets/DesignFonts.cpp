#include "DesignFonts.h"

#include <QFontDatabase>

namespace veltrane {

DesignFonts::DesignFonts() : installed_(QFontDatabase::families()) {}

QString DesignFonts::installedFamily(const QString& family) const {
    if (installed_.contains(family, Qt::CaseInsensitive)) return family;
    if (family == QLatin1String("Arial Narrow")) return QStringLiteral("Liberation Sans Narrow");
    // Narrow enough that the sample box's "Enter some text here!" fits one line at 24 points.
    if (family == QLatin1String("MS Sans Serif")) return QStringLiteral("Liberation Sans");
    return family;
}

QFont DesignFonts::font(const FontDesign& design) const {
    QFont font(installedFamily(QString::fromStdString(design.name)));
    font.setPointSizeF(design.points);
    font.setWeight(design.weight >= 700 ? QFont::Bold : QFont::Normal);
    font.setItalic(design.italic);
    font.setUnderline(design.underline);
    font.setStrikeOut(design.strikeout);
    return font;
}

}  // namespace veltrane
