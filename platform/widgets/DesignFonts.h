#pragma once

#include <QFont>
#include <QStringList>

#include "FormDesign.h"

namespace veltrane {

// The fonts of the controls as designed. The design's fonts are Windows faces;
// one that is not installed is replaced by its metric-compatible Liberation
// face, named directly: Qt, asked for a family it lacks, would search every
// installed font for a fallback first, which takes long on a machine with
// thousands.
class DesignFonts {
public:
    DesignFonts();

    QFont font(const FontDesign& design) const;

private:
    QString installedFamily(const QString& family) const;

    QStringList installed_;
};

}  // namespace veltrane
