#pragma once

#include <QString>

namespace veltrane {

// Qt tells apart the foundries of a family that several make by a suffix, as in
// "Nimbus Sans [urw]". The name without a trailing " [..]", or the name itself.
inline QString withoutFoundrySuffix(const QString& family) {
    if (!family.endsWith(u']')) return family;
    const qsizetype open = family.lastIndexOf(QLatin1String(" ["));
    if (open < 0 || family.indexOf(u']', open) != family.size() - 1) return family;
    return family.left(open);
}

}  // namespace veltrane
