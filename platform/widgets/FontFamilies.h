#pragma once

#include <QFont>
#include <QHash>
#include <QSet>
#include <QString>

#include "FormDesign.h"

namespace veltrane {

// The font families installed, as Qt lists them when the window is built (the
// program adds no fonts of its own, so the list stays so). Qt, asked for a
// family that is none of them, compares every fallback fontconfig suggests with
// every family, which on a machine of thousands of fonts takes a quarter of a
// second a name; so a family that is not installed is never handed to Qt:
// - a design font, a Windows face, is replaced by its metric-compatible
//   Liberation face;
// - any other name, such as a printer's resident font, by the family Qt would
//   draw it in: the first of fontconfig's fallbacks for the name that is
//   installed and writes Latin, found by one fontconfig sort, once a name.
class FontFamilies {
public:
    FontFamilies();

    // The font of a control as designed.
    QFont designFont(const FontDesign& design) const;
    // The family to set for `name` so that it is drawn as Qt would draw it.
    QString drawnFamily(const QString& name);

private:
    QString latinFallback(const QString& name) const;
    bool installed(const QString& family) const;

    QSet<QString> installed_;  // case-folded
    QHash<QString, QString> fallbacks_;
};

}  // namespace veltrane
