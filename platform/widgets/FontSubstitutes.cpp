#include "FontSubstitutes.h"

#include <QFont>

namespace veltrane {

void installFontSubstitutes() {
    QFont::insertSubstitution(QStringLiteral("Arial Narrow"),
                              QStringLiteral("Liberation Sans Narrow"));
    // Narrow enough that the sample box's "Enter some text here!" fits one line at 24 points.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
}

}  // namespace veltrane
