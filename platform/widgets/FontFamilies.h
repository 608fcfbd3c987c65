#pragma once

#include <QHash>
#include <QSet>
#include <QString>

namespace veltrane {

// The font families installed, as Qt lists them; and for a name that is none of
// them, such as a printer's resident font, the family Qt draws it in: the first
// of fontconfig's fallbacks for the name that is installed and writes Latin.
// Qt finds that family itself, but by comparing every fallback with every
// family, which on a machine of thousands of fonts takes a quarter of a second a
// name; here one fontconfig sort and a lookup do it, once a name.
class FontFamilies {
public:
    FontFamilies();

    // The family to set for `name` so that it is drawn as Qt would draw it.
    QString drawnFamily(const QString& name);

private:
    QString latinFallback(const QString& name) const;
    bool installed(const QString& family) const;

    QSet<QString> installed_;  // case-folded
    QHash<QString, QString> fallbacks_;
};

}  // namespace veltrane
